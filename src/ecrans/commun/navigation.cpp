#include "ecrans/commun/navigation.h"

#include "systeme/ecran.h"

void QuitterProgramme(const QuizState& etat, Affichage& affichage, Navigation& navigation) {
    ModEcran::RecupererEcran(etat, affichage);
    navigation.quitter();
}
