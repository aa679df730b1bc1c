#include "ecrans/commun/clavier.h"

#include <QEvent>
#include <QWidget>

namespace {
// Showing a window forgets that its focus frame was asked for: asked again
// once the window is shown.
class CadreApresAffichage : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (evenement->type() == QEvent::Show) {
            static_cast<QWidget*>(objet)->setAttribute(Qt::WA_KeyboardFocusChange);
            deleteLater();
        }
        return false;
    }
};
}  // namespace

void DonnerFocus(QWidget* controle) {
    QWidget* fenetre = controle->window();
    controle->setFocus(Qt::TabFocusReason);
    fenetre->setAttribute(Qt::WA_KeyboardFocusChange);
    if (!fenetre->isVisible()) fenetre->installEventFilter(new CadreApresAffichage(fenetre));
}
