// korvane-suivi: the teacher follows the class live from the answer
// journals the pupils' machines write on the share.
#include "ecrans/commun/accessibilite.h"
#include "ecrans/commun/dialogues_qt.h"
#include "ecrans/suivi/frm_suivi.h"
#include "noyau/fichiers/reglages.h"
#include "noyau/services/hasard.h"
#include "noyau/services/horloge.h"
#include "systeme/affichage_fixe.h"
#include "systeme/documents_bureau.h"

#include <QApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QTextStream>

namespace {

const QString Usage = QStringLiteral(
    "Usage : korvane-suivi [--inactif MINUTES] [DOSSIER...]\n"
    "Suit la classe pendant la séance à partir des journaux d'essais des dossiers donnés\n"
    "(par défaut, la bibliothèque) : qui a commencé, qui avance, qui a fini, qui est bloqué.\n"
    "--inactif : au-delà de ce nombre de minutes sans réponse, l'élève est signalé (%1).\n");

}  // namespace

int main(int argc, char** argv) {
    Q_INIT_RESOURCE(korvane);
    QApplication application(argc, argv);
    QApplication::setApplicationName("korvane-suivi");
    InstallerAccessibilite();
    int inactif = Resultats::MinutesInactif;
    QStringList dossiers;
    const QStringList arguments = application.arguments().mid(1);
    for (int i = 0; i < arguments.size(); ++i) {
        bool nombre = false;
        if (arguments[i] == "--inactif" && i + 1 < arguments.size())
            inactif = arguments[++i].toInt(&nombre);
        else if (!arguments[i].startsWith('-'))
            dossiers << arguments[i], nombre = true;
        if (!nombre || inactif < 1) {
            QTextStream(stderr) << Usage.arg(Resultats::MinutesInactif);
            return arguments[i] == "--help" || arguments[i] == "-h" ? 0 : 2;
        }
    }
    if (dossiers.isEmpty()) {
        // The journals are beside the questionnaires, or in the drop folder.
        const Reglages::Valeurs reglages = Reglages::lire();
        dossiers << Reglages::choisirBibliotheque(Reglages::emplacements(reglages));
        if (!reglages.resultats.isEmpty()) dossiers << reglages.resultats;
    }

    DialoguesQt dialogues;
    HorlogeSysteme horloge;
    HasardSysteme hasard;
    AffichageFixe affichage;
    OuvreurBureau documents;
    Services services{dialogues, horloge, hasard, affichage, documents};
    const QString documentsEnseignant =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    frmSuivi fenetre(dossiers, services, documentsEnseignant, inactif);
    // The whole screen on a small one, room for the grid on a large one.
    fenetre.resize(QGuiApplication::primaryScreen()->availableSize().boundedTo(QSize(1100, 760)));
    fenetre.show();
    return application.exec();
}
