#include "platform/dialogues.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
QMessageBox::Icon icone(int style) {
    switch (style & 0x70) {
    case 16: return QMessageBox::Critical;
    case 48: return QMessageBox::Warning;
    case 64: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}
}  // namespace

int DialoguesQt::afficher(const QString& texte, const QString& titre, int style,
                          QWidget* parent) {
    QMessageBox boite(icone(style), titre, QString(texte).replace("\r\n", "\n"),
                      QMessageBox::NoButton, parent);
    boite.setObjectName("MessageBox");
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
