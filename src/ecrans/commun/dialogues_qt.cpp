#include "ecrans/commun/dialogues_qt.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {
struct Icone {
    QMessageBox::Icon icone;
    QString nom;  // what a screen reader says of it
};

Icone icone(int style) {
    switch (style & 0x70) {
    case 16: return {QMessageBox::Critical, "Alerte"};
    case 48: return {QMessageBox::Warning, "Avertissement"};
    case 64: return {QMessageBox::Information, "Information"};
    default: return {QMessageBox::NoIcon, {}};
    }
}
}  // namespace

int DialoguesQt::afficher(const QString& texte, const QString& titre, int style, QWidget* parent) {
    const Icone dessin = icone(style);
    QMessageBox boite(dessin.icone, titre, QString(texte).replace("\r\n", "\n"),
                      QMessageBox::NoButton, parent);
    boite.setObjectName("MessageBox");
    if (auto* image = boite.findChild<QLabel*>("qt_msgboxex_icon_label"))
        image->setAccessibleName(dessin.nom);
    const bool ouiNon = (style & 0x0F) == 4;
    if (ouiNon) {
        boite.addButton(QMessageBox::Yes)->setText("&Oui");
        boite.addButton(QMessageBox::No)->setText("&Non");
        boite.setDefaultButton(QMessageBox::Yes);
    } else {
        boite.addButton(QMessageBox::Ok);
    }
    const int choix = boite.exec();
    if (!ouiNon) return Reponse::Ok;
    return choix == QMessageBox::Yes ? Reponse::Oui : Reponse::Non;
}
