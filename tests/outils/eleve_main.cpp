// One pupil's attempt through the program's own identification, journal and
// record writers, without a screen: for the end-to-end tests of shared
// folders, run as many times at once or as other users.
// Exit 0: recorded; 1: not recorded; 3: refused at the identification.
#include "noyau/deroulement/correction.h"
#include "noyau/deroulement/identification.h"
#include "noyau/deroulement/minuterie.h"
#include "noyau/fichiers/reglages.h"
#include "noyau/questionnaire/chargement.h"
#include "noyau/resultats/enregistrement.h"
#include "noyau/resultats/journal.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <memory>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() != 3) {
        QTextStream(stderr) << "Usage : eleve_fictif QUESTIONNAIRE.dat IDENTIFIANT CLASSE\n";
        return 2;
    }
    QTextStream erreurs(stderr);
    auto s = std::make_unique<QuizState>();
    s->CheminQuestionnaire = arguments[0];
    s->DossierQuestionnaire = QFileInfo(arguments[0]).path();
    s->DossierDepot = Reglages::lire().resultats;
    if (const QString raison = LireQuestionnaire(*s); !raison.isEmpty()) {
        erreurs << raison << '\n';
        return 2;
    }
    Lire_drapeaux(*s);
    s->Identifiant = arguments[1];
    s->Classe = arguments[2];
    const Identification::Decision d = Identification::valider(
        Identification::questionnaireDesResultats(*s), s->Identifiant, s->Classe);
    if (d.issue != Identification::Issue::Accepte) {
        erreurs << d.texte << '\n';
        return 3;
    }
    s->CheminResultats = d.CheminResultats;
    const QDateTime debut = QDateTime::currentDateTime();
    s->DateDuJour = TexteDate(debut.date());
    {
        JournalDisque disque;
        Journal::Suivi suivi(&disque);
        suivi.commencer(*s, debut);
        // Every question answered with its first answer alone.
        for (int rang = 1; rang <= s->NbQuestions; ++rang) {
            s->RangQuestion = static_cast<std::int16_t>(rang);
            s->NumQuestion = static_cast<std::int16_t>(rang);
            s->NbChoix = NombreReponses(*s, s->NumQuestion);
            suivi.questionAffichee(*s, debut);
            QVector<bool> cochees(s->NbChoix);
            if (!cochees.isEmpty()) cochees[0] = true;
            suivi.jugee(*s, cochees, Corrige_reponse(*s, cochees, [] { return true; }).verdict,
                        debut);
        }
        suivi.terminer(*s, true, debut);
    }
    FileAttente attente(FileAttente::dossierUtilisateur());
    const Resultats::Enregistrement e = Resultats::EnregistrerResultats(*s, debut.time(), &attente);
    QTextStream(stdout) << e.chemin << '\n';
    if (e.raison.isEmpty()) return 0;
    erreurs << e.raison << '\n';
    return 1;
}
