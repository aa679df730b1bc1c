#include "questionnaire/quiz_state.h"
#include "shell/frm_splash.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {
struct Splash : ::testing::Test {
    PlateformeSimulee plateforme;
    QuizState etat;
    void TearDown() override {
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    }
};
}  // namespace

TEST_F(Splash, OpeningRecordsAndSwitchesTheDisplay) {
    plateforme.affichage.courante = QSize(1024, 768);
    frmSplash splash(etat, plateforme.services, plateforme.navigation);
    EXPECT_EQ(etat.LargeurEcranPixels, 1024);
    EXPECT_EQ(etat.HauteurEcranPixels, 768);
    EXPECT_EQ(etat.ResolutionX, 1024.0f);
    EXPECT_EQ(etat.ResolutionY, 768.0f);
    EXPECT_EQ(plateforme.affichage.changements, std::vector<QSize>{QSize(800, 600)});

    EXPECT_EQ(splash.size(), QSize(500, 365));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    for (const char* image : {"Image1", "Image2"})
        EXPECT_FALSE(splash.findChild<QLabel*>(image)->pixmap().isNull()) << image;
    EXPECT_EQ(splash.findChild<QLabel*>("Label1")->text(),
              QStringLiteral("Générateur de Questionnaire à Choix Multiples"));
    EXPECT_TRUE(splash.findChild<QLabel*>("Label2")->text().contains("Korvane"));
    const auto* timer = splash.findChild<QTimer*>("Timer1");
    EXPECT_EQ(timer->interval(), 5000);
    EXPECT_TRUE(timer->isActive());
}

TEST_F(Splash, MainShowsTheSplashUnderTheHourglass) {
    Main(plateforme.navigation);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(plateforme.navigation.montres, std::vector<Ecran>{Ecran::Splash});
}

// The tick gives way to the library once, with the arrow pointer back.
TEST_F(Splash, TimerShowsTheLibraryOnceWithTheArrow) {
    Main(plateforme.navigation);
    auto* splash = new frmSplash(etat, plateforme.services, plateforme.navigation);
    QPointer<frmSplash> garde(splash);
    splash->show();
    auto* timer = splash->findChild<QTimer*>("Timer1");
    timer->start(20);
    QTest::qWait(200);
    EXPECT_EQ(plateforme.navigation.montres, (std::vector<Ecran>{Ecran::Splash, Ecran::Themes}));
    EXPECT_EQ(plateforme.navigation.decharges, std::vector<Ecran>{Ecran::Splash});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ASSERT_TRUE(garde);
    EXPECT_FALSE(splash->isVisible());
    EXPECT_FALSE(timer->isActive());
    delete splash;
}
