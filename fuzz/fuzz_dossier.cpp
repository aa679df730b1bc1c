// A whole folder loaded as the quiz and the checker load it: a first
// attempt, a restart in a drawn order, and both reports of the checker.
#include "entrees.h"
#include "images/images.h"
#include "noyau/questionnaire/verification.h"
#include "noyau/services/hasard.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const SourceMemoire source = Fuzz::dossierEntier(Fuzz::octets(donnees, taille));
    const auto v = VerifierDossier(Fuzz::dossier(), Images::examiner, source);
    RapportTexte(*v);
    RapportJson(*v);
    if (!v->erreur.isEmpty()) return 0;
    HasardSysteme hasard;
    QuizState& s = Fuzz::etat();
    s.Recommencer = false;
    ChargerQuiz(s, hasard, taille, source);
    s.Recommencer = true;
    ChargerQuiz(s, hasard, taille, source);
    return 0;
}
