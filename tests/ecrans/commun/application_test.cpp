#include "ecrans/commun/application.h"

#include "ecrans/commun/placement.h"
#include "ecrans/visionneuse/frm_illustration.h"
#include "ecrans/visionneuse/frm_outils.h"
#include "support/fakes.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {
// A screen that may hand over to another main screen as it closes, as the quiz does.
struct EcranTest : QWidget {
    EcranTest(Application& a, std::optional<Ecran> s) : application(a), suivant(s) {}
    void closeEvent(QCloseEvent* evenement) override {
        if (suivant) application.montrer(*suivant);
        evenement->accept();
    }
    Application& application;
    std::optional<Ecran> suivant;
};

struct ApplicationFin : ::testing::Test {
    Application application;
    int fins = 0;
    void SetUp() override {
        application.surFin([this] { ++fins; });
        for (Ecran e : {Ecran::Themes, Ecran::Resultats, Ecran::Illustration})
            application.enregistrer(e, [this] { return new EcranTest(application, {}); });
        application.enregistrer(Ecran::Main,
                                [this] { return new EcranTest(application, Ecran::Resultats); });
    }
    // Lets the deferred deletions of closed screens happen.
    void attendre() { QTest::qWait(50); }
};
}  // namespace

// Not a switch, not a secondary window, not a screen that hands over as it closes.
TEST_F(ApplicationFin, OnlyClosingTheLastMainScreenEndsTheRunOnce) {
    application.montrer(Ecran::Themes);
    application.montrer(Ecran::Illustration);
    application.instance(Ecran::Illustration)->close();
    attendre();
    application.montrer(Ecran::Main);
    application.instance(Ecran::Main)->close();
    attendre();
    EXPECT_EQ(fins, 0);
    ASSERT_NE(application.instance(Ecran::Resultats), nullptr);
    application.instance(Ecran::Resultats)->close();
    attendre();
    EXPECT_EQ(fins, 1);
}

// The picture viewer, its palette and the comments close with their main screen.
TEST_F(ApplicationFin, MainScreensOpenCentredAndTakeTheirViewerAlong) {
    PlateformeSimulee plateforme;
    QuizState etat;
    application.enregistrer(Ecran::Notes, [this] { return new EcranTest(application, {}); });
    application.enregistrer(Ecran::Illustration, [&] {
        return new frmIllustration(etat, plateforme.services, application);
    });
    application.montrer(Ecran::Main);
    QWidget* quiz = application.instance(Ecran::Main);
    const QRect zone = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(quiz->pos(), Placement::centrer(quiz->size().grownBy(Placement::CadreEstime), zone));
    application.montrer(Ecran::Illustration);
    auto* visionneuse = static_cast<frmIllustration*>(application.instance(Ecran::Illustration));
    visionneuse->OuvrirOutils();
    const QPointer<QWidget> palette = visionneuse->outils();
    ASSERT_TRUE(palette && palette->isVisible());
    application.montrer(Ecran::Notes);
    application.montrer(Ecran::Resultats);
    EXPECT_FALSE(palette && palette->isVisible());
    attendre();
    for (Ecran e : {Ecran::Main, Ecran::Illustration, Ecran::Notes})
        EXPECT_EQ(application.instance(e), nullptr);
    EXPECT_EQ(palette, nullptr);
    EXPECT_EQ(fins, 0);
}
