// korvane-editeur: teachers write their questionnaires in a window.
#include "ecrans/editeur/frm_editeur.h"
#include "noyau/fichiers/fichiers.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTextStream>

int main(int argc, char** argv) {
    Q_INIT_RESOURCE(korvane);
    QApplication application(argc, argv);
    QApplication::setApplicationName("korvane-editeur");
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() > 1) {
        QTextStream(stderr) << "Usage : korvane-editeur [DOSSIER_DU_QUESTIONNAIRE]\n";
        return 2;
    }
    // Without a folder, the teacher picks one in the library, or makes a new one there.
    const QString dossier =
        !arguments.isEmpty()
            ? arguments.first()
            : QFileDialog::getExistingDirectory(
                  nullptr, "Dossier du questionnaire (créez-en un pour un nouveau)",
                  Fichiers::dossierProgramme());
    if (dossier.isEmpty()) return 0;
    if (!QDir().mkpath(dossier)) {
        QTextStream(stderr) << "Le dossier " << dossier << " ne peut pas être créé.\n";
        return 1;
    }
    frmEditeur fenetre(QDir(dossier).absolutePath());
    fenetre.show();
    return application.exec();
}
