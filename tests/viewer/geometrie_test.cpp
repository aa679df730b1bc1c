#include "viewer/geometrie.h"

#include <gtest/gtest.h>

namespace {

// A viewer whose box is 10000 x 4000 twips, showing a picture of the given
// natural size at the design position (left 120, top 0).
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

TEST(GeometrieIllustration, ZoomStepsOf250AndResetKeepLinesOnTheImage) {
    auto g = ouverte(3000, 2000);
    g.OuvrirPalette();
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(g.ZoomAvant());
    EXPECT_EQ(g.Width, 3750);
    EXPECT_EQ(g.Height, 2750);
    EXPECT_TRUE(g.Stretch);
    for (int i = 0; i < 40; ++i) g.DeplacerLigne(1);
    EXPECT_EQ(g.Line1.X1, 120 + 3750);  // on the right edge
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(g.ZoomArriere());
    EXPECT_FALSE(g.ZoomArriere());  // the height would be 0: ignored
    EXPECT_EQ(g.Width, 1250);
    EXPECT_EQ(g.Height, 250);
    EXPECT_EQ(g.Line1.X1, 120 + 1250);  // pulled back onto the image
    attendreLignesSurImage(g);
    g.TailleOriginale();
    EXPECT_EQ(g.Width, 3000);
    EXPECT_EQ(g.Height, 2000);
    EXPECT_FALSE(g.Stretch);
    attendreLignesSurImage(g);
}

TEST(GeometrieIllustration, ResetRestoresScrollingButKeepsADrag) {
    auto g = ouverte(12000, 6000);
    g.ZoomAvant();
    g.DefilerH(1500);
    g.DefilerV(700);
    EXPECT_EQ(g.Left, -1500);
    EXPECT_EQ(g.Top, -700);
    g.TailleOriginale();
    EXPECT_EQ(g.ValeurH, 0);
    EXPECT_EQ(g.Left, 0);
    EXPECT_EQ(g.Top, 0);

    g.Appuyer(3000, 3000);
    g.Deplacer(Qt::LeftButton, 2000, 2500);  // dragged 1000 left, 500 up
    g.TailleOriginale();  // the scroll bars were still at 0
    EXPECT_EQ(g.Left, -1000);
    EXPECT_EQ(g.Top, -500);
}

TEST(GeometrieIllustration, FitUsesTheSmallerFactorAndShowsTheWholePicture) {
    auto g = ouverte(6000, 3000);
    g.AjusterImage(QSizeF(6000, 3000));
    EXPECT_NEAR(g.Width, 7600, 0.01);
    EXPECT_NEAR(g.Height, 3800, 0.01);
    EXPECT_TRUE(g.Visible);
    EXPECT_EQ(g.Left, 120);  // an image in view is not moved
    attendreLignesSurImage(g);

    auto haute = ouverte(1000, 8000);
    haute.AjusterImage(std::nullopt);  // load failed: the picture shown is fitted
    EXPECT_NEAR(haute.Width, 475, 0.01);
    EXPECT_NEAR(haute.Height, 3800, 0.01);

    auto deplacee = ouverte(30000, 20000);
    deplacee.DefilerH(5000);
    deplacee.Top = -2000;
    deplacee.AjusterImage(QSizeF(30000, 20000));
    EXPECT_EQ(deplacee.Left, 0);
    EXPECT_EQ(deplacee.Top, 0);
    EXPECT_EQ(deplacee.ValeurH, 0);
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

    auto petite = ouverte(2000, 1000);
    EXPECT_EQ(petite.MaxH(), 0);
    petite.DefilerH(300);
    EXPECT_EQ(petite.Left, 120);
}

TEST(GeometrieIllustration, DragNeedsThirtyTwipsAndStaysInBounds) {
    const struct {
        float largeur, depuis, vers, gaucheAvant, gaucheApres;
    } cas[] = {
        {20000, 3000, 2971, -1000, -1000},   // 29 twips: nothing
        {20000, 9000, 1000, -5000, -10000},  // stops at GaucheMin = 10000 - 20000
        {20000, 1000, 2000, -500, 0},        // stops at 0
        {5000, 3000, 1000, 0, 0},            // narrower than the box: stays at 0
    };
    for (const auto& c : cas) {
        auto g = ouverte(c.largeur, 1000);
        g.Left = c.gaucheAvant;
        g.Appuyer(c.depuis, 500);
        g.Deplacer(Qt::LeftButton, c.vers, 500);
        EXPECT_EQ(g.Left, c.gaucheApres) << c.largeur << " " << c.depuis << "->" << c.vers;
        EXPECT_EQ(g.Top, 0);
    }
    auto g = ouverte(20000, 9000);
    g.Appuyer(5000, 5000);
    g.Deplacer(Qt::LeftButton | Qt::RightButton, 1000, 1000);
    EXPECT_EQ(g.Left, 120);
}

TEST(GeometrieIllustration, PaletteMovesLinesWithinTheImage) {
    auto g = ouverte(1000, 2000);
    g.Left = 0;
    g.Top = -300;
    g.OuvrirPalette();
    EXPECT_EQ(g.Line2.Y1, 1700);
    g.DeplacerLigne(0);
    EXPECT_EQ(g.Line1.X1, 0);  // undone by the bound
    for (int i = 0; i < 11; ++i) g.DeplacerLigne(1);
    EXPECT_EQ(g.Line1.X2, 1000);
    for (int i = 0; i < 20; ++i) g.DeplacerLigne(3);
    EXPECT_EQ(g.Line2.Y1, -300);
    g.DeplacerLigne(2);
    g.DeplacerLigne(7);
    EXPECT_EQ(g.Line2.Y2, -200);
    g.Left = -400;  // after a drag the bounds follow the image
    for (int i = 0; i < 20; ++i) g.DeplacerLigne(0);
    EXPECT_EQ(g.Line1.X1, -400);
}

}  // namespace
