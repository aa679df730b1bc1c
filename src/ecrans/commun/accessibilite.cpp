#include "ecrans/commun/accessibilite.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace {
QAccessibleInterface* roleVoulu(const QString& classe, QObject* objet) {
    if (!objet || !objet->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(objet);
    const QVariant role = widget->property("roleAccessible");
    if (role.isValid())
        return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
    // A screen is a plain widget, or one derived from it directly; dialogs
    // and the toolkit's own windows keep their roles.
    const QMetaObject* type = widget->metaObject();
    const bool ecran =
        classe == QLatin1String(type->className()) &&
        (type == &QWidget::staticMetaObject || type->superClass() == &QWidget::staticMetaObject);
    if (widget->isWindow() && ecran) return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}
}  // namespace

void InstallerAccessibilite() { QAccessible::installFactory(roleVoulu); }
