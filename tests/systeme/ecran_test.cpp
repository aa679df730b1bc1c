#include "systeme/ecran.h"

#include "noyau/deroulement/quiz_state.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

// Switched only when neither dimension is already right; the restore puts back the one found.
TEST(ModEcran, RecordsSwitchesWhenNeededAndRestoresWhatWasRecorded) {
    const std::pair<QSize, bool> cas[] = {{{1024, 768}, true},  {{800, 600}, false},
                                          {{800, 480}, false},  {{1280, 600}, false},
                                          {{1920, 1080}, true}, {{640, 480}, true}};
    for (const auto& [depart, change] : cas) {
        SCOPED_TRACE(depart.width());
        AffichageSimule affichage;
        affichage.courante = depart;
        QuizState etat;
        ModEcran::Preparer_ecran(etat, affichage);
        EXPECT_EQ(QSize(etat.LargeurEcranPixels, etat.HauteurEcranPixels), depart);
        EXPECT_EQ(QSizeF(etat.ResolutionX, etat.ResolutionY), QSizeF(depart));
        ModEcran::RecupererEcran(etat, affichage);
        std::vector<QSize> attendus{depart};
        if (change) attendus.insert(attendus.begin(), QSize(800, 600));
        EXPECT_EQ(affichage.changements, attendus);
    }
    // Nothing recorded, nothing restored; a size in halves rounds to even.
    AffichageSimule affichage;
    ModEcran::RecupererEcran(QuizState{}, affichage);
    EXPECT_TRUE(affichage.changements.empty());
    float largeur = 800.5f, hauteur = 601.5f;
    ModEcran::ChangerResolution(affichage, largeur, hauteur);
    EXPECT_EQ(affichage.courante, QSize(800, 602));
}
