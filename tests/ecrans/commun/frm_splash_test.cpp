#include "ecrans/commun/frm_splash.h"

#include "noyau/deroulement/quiz_state.h"
#include "support/fakes.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// Main shows the splash under the hourglass; its tick gives way to the library once.
TEST(Splash, SwitchesTheDisplayThenShowsTheLibraryOnceWithTheArrow) {
    PlateformeSimulee plateforme;
    QuizState etat;
    Main(plateforme.navigation);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(plateforme.navigation.montres, std::vector<Ecran>{Ecran::Splash});
    auto* splash = new frmSplash(etat, plateforme.services, plateforme.navigation);
    QPointer<frmSplash> garde(splash);
    EXPECT_EQ(plateforme.affichage.changements, std::vector<QSize>{QSize(800, 600)});
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    for (const char* image : {"Image1", "Image2"})
        EXPECT_FALSE(splash->findChild<QLabel*>(image)->pixmap().isNull()) << image;
    EXPECT_TRUE(splash->findChild<QLabel*>("Label2")->text().contains("Korvane"));
    auto* timer = splash->findChild<QTimer*>("Timer1");
    EXPECT_EQ(timer->interval(), 5000);
    EXPECT_TRUE(timer->isActive());
    splash->show();
    timer->start(20);
    QTest::qWait(200);
    const bool curseurRendu = QApplication::overrideCursor() == nullptr;
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    EXPECT_TRUE(curseurRendu);
    EXPECT_EQ(plateforme.navigation.montres, (std::vector<Ecran>{Ecran::Splash, Ecran::Themes}));
    EXPECT_EQ(plateforme.navigation.decharges, std::vector<Ecran>{Ecran::Splash});
    ASSERT_TRUE(garde);
    EXPECT_FALSE(splash->isVisible() || timer->isActive());
    delete splash;
}
