#include "ecrans/visionneuse/frm_illustration.h"

#include "ecrans/visionneuse/frm_outils.h"
#include "ecrans/visionneuse/image_illustration.h"
#include "noyau/deroulement/presentation.h"
#include "support/dossier.h"
#include "support/fakes.h"
#include "support/images.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

constexpr float Tw = 15;  // twips per pixel

// The viewer opened on a 1200 x 800 pixel picture of question 3.
struct VisionneuseTest : ::testing::Test {
    QTemporaryDir dossier;
    PlateformeSimulee p;
    QuizState s;
    std::unique_ptr<frmIllustration> v;

    void SetUp() override {
        QDir(dossier.path()).mkpath("VOLCANS/Images");
        s.DossierQuestionnaire = dossier.path() + "/VOLCANS";
        image("photo.png", 1200, 800);
        s.TableImages[0][3] = "Photo.PNG";
        s.NumQuestion = 3;
        s.CheminImage = s.DossierQuestionnaire + "/Images/Photo.PNG";
        v = std::make_unique<frmIllustration>(s, p.services, p.navigation);
        v->show();
    }
    void image(const QString& nom, int l, int h) {
        QImage img(l, h, QImage::Format_RGB32);
        img.fill(QColor(200, 120, 40));
        ASSERT_TRUE(img.save(s.DossierQuestionnaire + "/Images/" + nom));
    }
    void cliquer(const QString& cle) {
        auto* bouton = v->Toolbar1->findChild<QToolButton*>(cle);
        ASSERT_NE(bouton, nullptr) << cle.toStdString();
        QTest::mouseClick(bouton, Qt::LeftButton);
    }
    // Closes the viewer and opens it again on the picture at `relatif` ("": none).
    void rouvrir(const QString& relatif) {
        v->close();
        s.CheminImage = relatif.isEmpty() ? "" : s.DossierQuestionnaire + "/" + relatif;
        v->show();
    }
    GeometrieIllustration& g() { return v->geometrie(); }
    // Image1 on screen matches the geometry, in pixels.
    void verifierImageAffichee() {
        EXPECT_EQ(v->Image1->geometry(), QRect(EnPixels(g().Left), EnPixels(g().Top),
                                               EnPixels(g().Width), EnPixels(g().Height)));
    }
    int largeurBoite() const { return v->Picture1->width() - v->VScroll1->width(); }
    int hauteurBoite() const { return v->Picture1->height() - v->HScroll1->height(); }
};

// The toolbar's keyed buttons; then each key, wheel turn and button in turn
// from the natural size (18000 x 12000 twips, larger than the box).
TEST_F(VisionneuseTest, ToolbarKeysWheelAndButtonsZoomScrollFitResetAndClose) {
    QStringList vus;
    for (QToolButton* b : v->Toolbar1->findChildren<QToolButton*>())
        if (b->objectName().startsWith("cmd"))
            vus << b->objectName() + "|" + b->text() + "|" + b->toolTip() + "|" +
                       b->shortcut().toString();
    EXPECT_EQ(vus, QStringList({"cmdQuitter|&Quitter|Retour au questionnaire|Alt+Q",
                                "cmdImage|&Recharger|Recharger l'image|Alt+R",
                                "cmdRéduire|Zoom Arrièr&e|Réduire l'image|Alt+E",
                                "cmdZoom|Zoom A&vant|Agrandir l'image|Alt+V",
                                "cmdAjuster|&Ajuster|Ajuster l'image à son container|Alt+A",
                                "cmdOutils|&Outils Graphiques||Alt+O"}));

    v->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(v.get()));
    const int pas = v->VScroll1->singleStep(), page = v->VScroll1->pageStep();
    const int bas = v->VScroll1->maximum() + 250;  // once zoomed, less than a page
    ASSERT_GT(bas, 3 * pas);
    ASSERT_LT(bas, page);
    struct Etape {
        int touche;  // 0: a wheel turn of `roue`
        Qt::KeyboardModifiers avec;
        int roue;
        float largeur;
        int valeurH, valeurV;
    } const etapes[] = {
        {Qt::Key_Plus, {}, 0, 18250, 0, 0},
        {Qt::Key_Plus, Qt::KeypadModifier, 0, 18500, 0, 0},
        {Qt::Key_Minus, Qt::ControlModifier, 0, 18250, 0, 0},
        {0, Qt::ControlModifier, 120, 18500, 0, 0},
        {0, Qt::ControlModifier, -120, 18250, 0, 0},
        {0, {}, -120, 18250, 0, 3 * pas},  // three lines
        {Qt::Key_Up, {}, 0, 18250, 0, 2 * pas},
        {Qt::Key_Right, {}, 0, 18250, pas, 2 * pas},
        {Qt::Key_PageDown, {}, 0, 18250, pas, bas},
        {Qt::Key_PageUp, {}, 0, 18250, pas, 0},
        {Qt::Key_Left, {}, 0, 18250, 0, 0},
        {Qt::Key_Down, {}, 0, 18250, 0, pas},
        {Qt::Key_Home, {}, 0, 18000, 0, 0},
    };
    for (const Etape& e : etapes) {
        SCOPED_TRACE(&e - etapes);
        // The picture hands the wheel on to the window.
        QWheelEvent roue(QPointF(50, 50), v->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, e.roue),
                         Qt::NoButton, e.avec, Qt::NoScrollPhase, false);
        if (e.touche)
            QTest::keyClick(v.get(), Qt::Key(e.touche), e.avec);
        else
            QApplication::sendEvent(v.get(), &roue);
        EXPECT_FLOAT_EQ(g().Width, e.largeur);
        EXPECT_EQ(QPoint(g().ValeurH, g().ValeurV), QPoint(e.valeurH, e.valeurV));
        verifierImageAffichee();
    }
    for (int i = 0; i < 3; ++i) cliquer("cmdZoom");
    EXPECT_EQ(v->Image1->size(), QSize(1250, 850));
    cliquer("cmdRéduire");
    EXPECT_EQ(v->Image1->size(), QSize(1233, 833));  // 18500 x 12500 twips, rounded

    QTest::keyClick(v.get(), Qt::Key_F);
    EXPECT_TRUE(g().Stretch);
    const double r =
        std::min(hauteurBoite() * Tw * 0.95 / 12000, largeurBoite() * Tw * 0.95 / 18000);
    EXPECT_NEAR(g().Width, 18000 * r, 0.01);
    EXPECT_NEAR(g().Height, 12000 * r, 0.01);
    verifierImageAffichee();

    cliquer("cmdImage");
    EXPECT_EQ(v->Image1->size(), QSize(1200, 800));
    EXPECT_EQ(v->Image1->lectures(), 1);  // zooms and fit drew from the picture decoded at opening
    QTest::keyClick(v.get(), Qt::Key_Escape);
    EXPECT_FALSE(v->isVisible());
}

// The palette moves the guide lines to each edge of the picture by arrow key
// or button, and Esc or Tab past its last arrow gives the keyboard back to
// the viewer, whose keys work again.
TEST_F(VisionneuseTest, PaletteMovesTheLinesAndGivesTheKeyboardBack) {
    v->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(v.get()));
    cliquer("cmdAjuster");  // the whole picture in view
    const auto ouvrir = [&] {
        QTest::keyClick(v.get(), Qt::Key_O, Qt::AltModifier);  // an animated click
        ASSERT_TRUE(QTest::qWaitFor([&] { return v->outils() && v->outils()->isVisible(); }));
        // A tool window counts as active with its owner: wait for its own turn.
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == v->outils(); }));
    };
    ouvrir();
    frmOutils* outils = v->outils();
    EXPECT_EQ(QApplication::focusWidget(), outils->Command1[0]);
    const QRect image = v->Image1->geometry();
    EXPECT_TRUE(v->Line1->isVisible() && v->Line1->x() == image.left());
    EXPECT_EQ(v->Line2->y() + v->Line2->height(), image.bottom() + 1);
    const float x = g().Line1.X1, y = g().Line2.Y1;
    QTest::keyClick(outils, Qt::Key_Right);
    QTest::keyClick(outils, Qt::Key_Up);
    EXPECT_FLOAT_EQ(g().Line1.X1, x + 100);
    EXPECT_FLOAT_EQ(g().Line2.Y1, y - 100);
    for (int i = 0; i < 200; ++i) QTest::mouseClick(outils->Command1[1], Qt::LeftButton);
    for (int i = 0; i < 200; ++i) QTest::mouseClick(outils->Command1[3], Qt::LeftButton);
    EXPECT_EQ(v->Line1->geometry().right(), image.right());
    EXPECT_EQ(v->Line2->y(), image.top());

    for (const auto& [touche, depuis] :
         {std::pair{Qt::Key_Escape, 0}, {Qt::Key_Tab, 3}, {Qt::Key_Backtab, 0}}) {
        outils->Command1[depuis]->setFocus();
        QTest::keyClick(outils->Command1[depuis], touche);
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == v.get(); }))
            << touche;
        EXPECT_TRUE(outils->isVisible()) << touche;
        ouvrir();
    }
    EXPECT_EQ(v->Line2->y(), image.top());  // opening it again leaves the lines where they were
    QTest::keyClick(outils, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == v.get(); }));
    const float largeur = g().Width;
    QTest::keyClick(v.get(), Qt::Key_Plus);
    EXPECT_FLOAT_EQ(g().Width, largeur + 250);
    cliquer("cmdQuitter");
    EXPECT_FALSE(v->isVisible() || outils->isVisible() || v->Line1->isVisible() ||
                 v->Line2->isVisible());
}

// Pixels of a row neither black nor white: a scaled-up bitmap blurs its edges, a drawing does not.
int gris(const QImage& image, int y) {
    int n = 0;
    for (int x = 0; x < image.width(); ++x)
        n += qGray(image.pixel(x, y)) > 40 && qGray(image.pixel(x, y)) < 215;
    return n;
}

// A left-button drag from 30 twips; reopening starts again; a fit shows the
// picture on show when pictures cycle, else the question's own, a thin strip
// still visible; a drawing stays sharp at every zoom.
TEST_F(VisionneuseTest, DragReopenFitAndZoomShowTheRightPictureWell) {
    QTest::mousePress(v->Image1, Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(v->Image1->cursor().shape(), Qt::BitmapCursor);
    QTest::mouseMove(v->Image1, QPoint(299, 300));  // 15 twips: nothing
    EXPECT_EQ(g().Left, 120);
    QTest::mouseMove(v->Image1, QPoint(298, 299));  // 30 twips across, 15 down
    EXPECT_EQ(g().Left, 90);
    EXPECT_EQ(g().Top, 0);
    // Far to the left, twice (the image follows the pointer): stops at the box edge.
    QTest::mouseMove(v->Image1, QPoint(1, 1));
    QTest::mouseMove(v->Image1, QPoint(1, 1));
    EXPECT_EQ(v->Image1->geometry().right() + 1, largeurBoite());
    EXPECT_EQ(v->Image1->geometry().bottom() + 1, hauteurBoite());
    QTest::mouseRelease(v->Image1, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_FALSE(v->Image1->testAttribute(Qt::WA_SetCursor));

    const QPoint avant = v->Image1->pos();
    QTest::mousePress(v->Image1, Qt::RightButton, {}, QPoint(100, 100));
    QTest::mouseMove(v->Image1, QPoint(300, 300));
    QTest::mouseRelease(v->Image1, Qt::RightButton, {}, QPoint(300, 300));
    EXPECT_EQ(v->Image1->pos(), avant);

    cliquer("cmdZoom");
    image("cycle2.png", 400, 100);
    rouvrir("images/CYCLE2.png");
    EXPECT_EQ(v->Image1->geometry(), QRect(8, 0, 400, 100));
    EXPECT_FALSE(g().Stretch);

    s.ModeImages = 1;
    cliquer("cmdAjuster");
    EXPECT_TRUE(v->Image1->isVisible());
    EXPECT_NEAR(g().Width, largeurBoite() * Tw * 0.95, 0.5);  // the width decides here
    EXPECT_NEAR(g().Height, g().Width / 4, 0.5);
    EXPECT_EQ(s.CheminImage, s.DossierQuestionnaire + "/images/CYCLE2.png");

    rouvrir("");  // nothing to load: the design size, no picture
    EXPECT_EQ(g().Width, 4815);
    EXPECT_TRUE(v->Image1->tailleNaturelle().isEmpty());

    s.ModeImages = 0;
    poser(s.DossierQuestionnaire + "/Images/fil.png", ImagesDeTest::png(1, 20000, 8, 0, 1, '\0'));
    s.TableImages[0][3] = "fil.png";
    cliquer("cmdAjuster");
    EXPECT_GE(v->Image1->width(), 1);
    EXPECT_GE(v->Image1->height(), hauteurBoite() * 0.9);

    // A transparent drawing lets the box's blue show through, its lines seen.
    ASSERT_TRUE(ImagesDeTest::dessinTransparent(64).save(s.DossierQuestionnaire + "/Images/d.png"));
    rouvrir("Images/d.png");
    ASSERT_TRUE(QTest::qWaitFor([&] { return v->Image1->decodee(); }));
    const QImage boite = v->Picture1->grab().toImage();
    const QPoint coin = v->Image1->pos();
    EXPECT_EQ(boite.pixelColor(coin + QPoint(2, 2)), QColor(0, 0, 128));
    EXPECT_EQ(boite.pixelColor(coin + QPoint(32, 2)), QColor(Qt::black));

    poser(s.DossierQuestionnaire + "/Images/schema.svg", ImagesDeTest::svg());
    s.TableImages[0][3] = "schema.svg";
    rouvrir("Images/schema.svg");
    EXPECT_TRUE(QTest::qWaitFor([&] { return v->Image1->decodee(); }));
    EXPECT_EQ(v->Image1->size(), QSize(40, 40));
    for (int zooms : {2, 10}) {
        for (int i = 0; i < zooms; ++i) cliquer("cmdZoom");
        const QImage vue = v->Image1->grab().toImage();
        EXPECT_GT(vue.width(), 40 + zooms * 16);
        EXPECT_LE(gris(vue, vue.height() / 2), 1) << zooms;
    }
}

}  // namespace
