// One pupil's attempt through the program's own identification, journal and
// record writers, without a screen, for the shared folders' end-to-end test.
// Exit 0: recorded; 1: not recorded; 2: bad call; 3: refused.
#include "noyau/deroulement/chargement_quiz.h"
#include "noyau/deroulement/correction.h"
#include "noyau/deroulement/identification.h"
#include "noyau/deroulement/minuterie.h"
#include "noyau/fichiers/reglages.h"
#include "noyau/resultats/enregistrement.h"
#include "noyau/resultats/journal.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <memory>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    QTextStream erreurs(stderr);
    auto s = std::make_unique<QuizState>();
    if (arguments.size() != 3) return 2;
    s->CheminQuestionnaire = arguments[0];
    s->DossierQuestionnaire = QFileInfo(arguments[0]).path();
    s->DossierDepot = Reglages::lire().resultats;
    s->Identifiant = arguments[1], s->Classe = arguments[2];
    const Lecture lu =
        LireDossierQuestionnaire(CheminsDuFichier(s->DossierQuestionnaire, arguments[0]));
    if (!lu.erreur.isEmpty()) return 2;
    PoserQuestionnaire(*s, lu.questionnaire);
    Lire_drapeaux(*s);
    const auto d = Identification::valider(Identification::questionnaireDesResultats(*s),
                                           s->Identifiant, s->Classe);
    erreurs << d.texte;
    if (d.issue != Identification::Issue::Accepte) return 3;
    s->CheminResultats = d.CheminResultats;
    const QDateTime debut = QDateTime::currentDateTime();
    s->DateDuJour = TexteDate(debut.date());
    {
        JournalDisque disque;
        Journal::Suivi suivi(&disque);
        suivi.commencer(*s, debut);
        for (int q = 1; q <= s->NbQuestions; ++q) {  // the first answer of each
            s->RangQuestion = s->NumQuestion = static_cast<std::int16_t>(q);
            s->NbChoix = NombreReponses(*s, q);
            suivi.questionAffichee(*s, debut);
            QVector<bool> cochees(s->NbChoix);
            cochees[0] = true;
            suivi.jugee(*s, cochees, Corrige_reponse(*s, cochees, [] { return true; }).verdict,
                        debut);
        }
        suivi.terminer(*s, true, debut);
    }
    FileAttente attente(FileAttente::dossierUtilisateur());
    const auto e = Resultats::EnregistrerResultats(*s, debut.time(), &attente);
    erreurs << e.raison;
    return e.raison.isEmpty() ? 0 : 1;
}
