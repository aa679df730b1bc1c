#include "systeme/affichage_xrandr.h"

#include "noyau/deroulement/quiz_state.h"
#include "systeme/affichage_fixe.h"
#include "systeme/ecran.h"

#include <QProcess>

#include <gtest/gtest.h>

TEST(ChoixAffichage, FixedDisplayOutsideX11) {
    for (const char* plateforme : {"offscreen", "wayland", "minimal"})
        EXPECT_NE(dynamic_cast<AffichageFixe*>(choisirAffichage(plateforme).get()), nullptr)
            << plateforme;
    EXPECT_EQ(AffichageXrandr::ouvrir(":9999"), nullptr);
}

// Against a real RandR server offering 1024 x 768 and 800 x 600, started by the display test.
struct AffichageXrandrReel : ::testing::Test {
    void SetUp() override {
        nom = qEnvironmentVariable("KORVANE_XRANDR_DISPLAY");
        if (nom.isEmpty()) GTEST_SKIP() << "KORVANE_XRANDR_DISPLAY names no X server";
        affichage = AffichageXrandr::ouvrir(nom);
        ASSERT_NE(affichage, nullptr) << "no RandR 1.2 on " << nom.toStdString();
        affichage->changer(1024, 768);
        ASSERT_EQ(affichage->taille(), QSize(1024, 768));
    }
    void TearDown() override {
        if (affichage) affichage->changer(1024, 768);
    }
    // The size as another client sees it.
    QString selonXrandr() const {
        QProcess xrandr;
        xrandr.start("xrandr", {"-d", nom, "-q"});
        xrandr.waitForFinished();
        const QString sortie = QString::fromLocal8Bit(xrandr.readAllStandardOutput());
        const auto debut = sortie.indexOf("current ") + 8;
        return sortie.mid(debut, sortie.indexOf(',', debut) - debut).remove(' ');
    }
    QString nom;
    std::unique_ptr<AffichageXrandr> affichage;
};

TEST_F(AffichageXrandrReel, SwitchesRestoresAndRefusesOtherSizes) {
    QuizState etat;
    ModEcran::Preparer_ecran(etat, *affichage);
    EXPECT_EQ(etat.ResolutionX, 1024.0f);
    EXPECT_EQ(affichage->taille(), QSize(800, 600));
    EXPECT_EQ(selonXrandr(), "800x600");
    ModEcran::RecupererEcran(etat, *affichage);
    EXPECT_EQ(selonXrandr(), "1024x768");
    for (const QSize taille :
         {QSize(1234, 567), QSize(0, 0), QSize(-800, 600), QSize(40000, 600)}) {
        affichage->changer(taille.width(), taille.height());
        EXPECT_EQ(affichage->taille(), QSize(1024, 768)) << taille.width();
        EXPECT_EQ(selonXrandr(), "1024x768");
    }
}
