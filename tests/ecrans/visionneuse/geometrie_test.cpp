#include "ecrans/visionneuse/geometrie.h"

#include <QPointF>

#include <gtest/gtest.h>

// What the viewer's widget tests cannot reach cheaply: zero-size zoom steps,
// scroll values past 16 bits, lines and drags at every edge.
namespace {

// A 10000 x 4000 twip box showing a picture of that natural size at (120, 0).
GeometrieIllustration ouverte(float largeur, float hauteur) {
    GeometrieIllustration g;
    g.FixerBoite(10000, 4000);
    g.Ouvrir(QSizeF(largeur, hauteur));
    return g;
}

void attendreLignesSurImage(const GeometrieIllustration& g) {
    EXPECT_GE(g.Line1.X1, g.Left);
    EXPECT_LE(g.Line1.X1, g.Left + g.Width);
    EXPECT_FLOAT_EQ(g.Line1.Y2, g.Top + g.Height);
    EXPECT_FLOAT_EQ(g.Line2.Y1, g.Top + g.Height);
    EXPECT_FLOAT_EQ(g.Line2.X2, g.Left + g.Width);
}

TEST(GeometrieIllustration, GuideLinesFollowAShrinkingZoomAndStayOnAMovedImage) {
    auto g = ouverte(3000, 2000);
    g.OuvrirPalette();
    for (int i = 0; i < 40; ++i) g.DeplacerLigne(1);
    for (int i = 0; i < 7; ++i) EXPECT_TRUE(g.ZoomArriere());
    EXPECT_FALSE(g.ZoomArriere());  // the height would be 0
    EXPECT_EQ(QSizeF(g.Width, g.Height), QSizeF(1250, 250));
    EXPECT_EQ(g.Line1.X1, 120 + 1250);  // pulled back onto the image
    attendreLignesSurImage(g);

    g = ouverte(1000, 2000);
    g.Left = -400;
    g.Top = -300;
    g.OuvrirPalette();
    g.DeplacerLigne(2);
    EXPECT_EQ(g.Line2.Y1, 1700);  // already on the bottom edge
    for (int i = 0; i < 30; ++i) g.DeplacerLigne(0), g.DeplacerLigne(3);
    g.DeplacerLigne(7);  // no such button
    EXPECT_EQ(QPointF(g.Line1.X1, g.Line2.Y1), QPointF(-400, -300));
}

// The viewer's test resets a scrolled picture; a dragged one is reset here.
TEST(GeometrieIllustration, ResetKeepsADragAndADragStopsAtTheLeftEdge) {
    auto g = ouverte(12000, 6000);
    g.Appuyer(3000, 3000);
    g.Deplacer(Qt::LeftButton, 2000, 2500);  // dragged 1000 left, 500 up
    g.TailleOriginale();                     // the scroll bars were still at 0
    EXPECT_EQ(QPointF(g.Left, g.Top), QPointF(120 - 1000, -500));

    // Far to the right: a wide picture stops at the left edge, a narrow one stays put.
    for (const auto& [largeur, gauche, vers] :
         {std::tuple{20000.f, -500.f, 4000.f}, {5000.f, 0.f, 1000.f}}) {
        g = ouverte(largeur, 1000);
        g.Left = gauche;
        g.Appuyer(3000, 500);
        g.Deplacer(Qt::LeftButton, vers, 500);
        EXPECT_EQ(g.Left, 0) << largeur;
    }
}

TEST(GeometrieIllustration, FitBringsAMovedPictureBackWithItsLines) {
    auto g = ouverte(30000, 20000);
    g.DefilerH(5000);
    g.Top = -2000;
    g.OuvrirPalette();
    for (int i = 0; i < 300; ++i) g.DeplacerLigne(1);
    g.AjusterImage(QSizeF(30000, 20000));
    EXPECT_NEAR(g.Width, 5700, 0.01);  // the height decides: 4000 * 0.95
    EXPECT_EQ(QPointF(g.Left, g.Top), QPointF(0, 0));
    EXPECT_EQ(g.ValeurH, 0);
    attendreLignesSurImage(g);

    g = ouverte(1000, 8000);
    g.AjusterImage(std::nullopt);  // load failed: the picture shown is fitted
    EXPECT_NEAR(g.Width, 475, 0.01);
    EXPECT_NEAR(g.Height, 3800, 0.01);
}

TEST(GeometrieIllustration, ScrollRangesReachTheFarEdgesOfALargePhotograph) {
    auto g = ouverte(90000, 60000);  // 6000 x 4000 pixels: beyond 16-bit values
    for (int pas = 0; pas < 3; ++pas, g.ZoomAvant()) {
        g.DefilerH(1 << 30);
        g.DefilerV(1 << 30);
        EXPECT_FLOAT_EQ(g.Left + g.Width, 10000);
        EXPECT_NEAR(g.Top + g.Height, 4000, 1);
    }
    while (g.ZoomArriere()) {}  // the range shrinks: the image is pulled back
    EXPECT_EQ(g.ValeurH, g.MaxH());
    EXPECT_FLOAT_EQ(g.Left + g.Width, 10000);
}

}  // namespace
