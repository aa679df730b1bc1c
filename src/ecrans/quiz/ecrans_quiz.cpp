#include "ecrans/quiz/ecrans_quiz.h"

#include "ecrans/commun/application.h"
#include "ecrans/quiz/frm_main.h"
#include "ecrans/quiz/frm_notes.h"
#include "ecrans/resultats/frm_resultats.h"
#include "ecrans/visionneuse/frm_illustration.h"

void EnregistrerEcransQuiz(Application& navigation, QuizState& etat, Services& services,
                           JournalEssai* journal, FileAttente* attente) {
    navigation.enregistrer(
        Ecran::Main, [&, journal] { return new frmMain(etat, services, navigation, journal); });
    navigation.enregistrer(Ecran::Resultats, [&, attente] {
        return new frmRésultats(etat, services, navigation, attente);
    });
    navigation.enregistrer(Ecran::Illustration,
                           [&] { return new frmIllustration(etat, services, navigation); });
    navigation.enregistrer(Ecran::Notes, [&] { return new frmNotes(etat, services, navigation); });
}
