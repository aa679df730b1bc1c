#include "questionnaire/quiz_state.h"
#include "shell/ecran.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

struct CasEcran {
    QSize depart;
    bool change;
};

class PreparerEcran : public ::testing::TestWithParam<CasEcran> {};

// The display is switched only when neither dimension is already right; the
// recorded size is the one found, and the restore puts it back.
TEST_P(PreparerEcran, RecordsSwitchesWhenNeededAndRestores) {
    const CasEcran cas = GetParam();
    AffichageSimule affichage;
    affichage.courante = cas.depart;
    QuizState etat;

    ModEcran::Preparer_ecran(etat, affichage);
    EXPECT_EQ(etat.LargeurEcranPixels, cas.depart.width());
    EXPECT_EQ(etat.HauteurEcranPixels, cas.depart.height());
    EXPECT_EQ(etat.ResolutionX, float(cas.depart.width()));
    EXPECT_EQ(etat.ResolutionY, float(cas.depart.height()));
    EXPECT_EQ(ModEcran::Faut_changer(cas.depart.width(), cas.depart.height()), cas.change);
    const std::vector<QSize> attendus =
        cas.change ? std::vector<QSize>{QSize(800, 600)} : std::vector<QSize>{};
    EXPECT_EQ(affichage.changements, attendus);

    ModEcran::RecupererEcran(etat, affichage);
    EXPECT_EQ(affichage.courante, cas.depart);
    EXPECT_EQ(affichage.changements.back(), cas.depart);
}

INSTANTIATE_TEST_SUITE_P(Tailles, PreparerEcran,
                         ::testing::Values(CasEcran{{1024, 768}, true},
                                           CasEcran{{800, 600}, false},
                                           CasEcran{{800, 480}, false},
                                           CasEcran{{1280, 600}, false},
                                           CasEcran{{1920, 1080}, true},
                                           CasEcran{{640, 480}, true}));

TEST(ModEcran, RestoreWithoutRecordedSizeChangesNothing) {
    AffichageSimule affichage;
    const QuizState etat;
    ModEcran::RecupererEcran(etat, affichage);
    EXPECT_TRUE(affichage.changements.empty());
}

TEST(ModEcran, ChangerResolutionRoundsHalvesToEven) {
    AffichageSimule affichage;
    float largeur = 800.5f, hauteur = 601.5f;
    ModEcran::ChangerResolution(affichage, largeur, hauteur);
    EXPECT_EQ(affichage.courante, QSize(800, 602));
}
