#include "viewer/geometrie.h"

#include <gtest/gtest.h>

namespace {

// A viewer whose box is 10000 x 4000 twips, showing a picture of the given
// natural size at the design position.
GeometrieIllustration ouverte(float largeur, float hauteur) {
    GeometrieIllustration g;
    g.FixerBoite(10000, 4000);
    g.Ouvrir(QSizeF(largeur, hauteur));
    return g;
}

void attendreLignesSurImage(const GeometrieIllustration& g) {
    EXPECT_GE(g.Line1.X1, g.Left);
    EXPECT_LE(g.Line1.X1, g.Left + g.Width);
    EXPECT_EQ(g.Line1.X1, g.Line1.X2);
    EXPECT_FLOAT_EQ(g.Line1.Y1, g.Top);
    EXPECT_FLOAT_EQ(g.Line1.Y2, g.Top + g.Height);
    EXPECT_FLOAT_EQ(g.Line2.Y1, g.Top + g.Height);
    EXPECT_EQ(g.Line2.Y1, g.Line2.Y2);
    EXPECT_FLOAT_EQ(g.Line2.X1, g.Left);
    EXPECT_FLOAT_EQ(g.Line2.X2, g.Left + g.Width);
}

TEST(GeometrieIllustration, OpensAtNaturalSizeOrDesignSize) {
    auto g = ouverte(3000, 2000);
    EXPECT_EQ(g.Left, 120);
    EXPECT_EQ(g.Top, 0);
    EXPECT_EQ(g.Width, 3000);
    EXPECT_EQ(g.LargeurOriginale, 3000);
    EXPECT_EQ(g.HauteurOriginale, 2000);
    EXPECT_FALSE(g.Stretch);
    EXPECT_FALSE(g.LignesVisibles);

    g.Ouvrir(std::nullopt);  // a picture that does not load
    EXPECT_EQ(g.Width, 4815);
    EXPECT_EQ(g.Height, 3855);
    EXPECT_EQ(g.LargeurOriginale, 4815);
}

TEST(GeometrieIllustration, ZoomStepsOf250AndResetKeepLinesOnTheImage) {
    auto g = ouverte(3000, 2000);
    g.OuvrirPalette();
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(g.ZoomAvant());
    EXPECT_EQ(g.Width, 3750);
    EXPECT_EQ(g.Height, 2750);
    EXPECT_TRUE(g.Stretch);
    attendreLignesSurImage(g);

    for (int i = 0; i < 40; ++i) g.DeplacerLigne(1);
    EXPECT_EQ(g.Line1.X1, 120 + 3750);  // on the right edge
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(g.ZoomArriere());
    EXPECT_FALSE(g.ZoomArriere());  // the height would be 0
    EXPECT_EQ(g.Width, 1250);
    EXPECT_EQ(g.Height, 250);
    EXPECT_EQ(g.Line1.X1, 120 + 1250);  // pulled back onto the image
    attendreLignesSurImage(g);
    g.TailleOriginale();
    EXPECT_EQ(g.Width, 3000);
    EXPECT_EQ(g.Height, 2000);
    EXPECT_FALSE(g.Stretch);
    EXPECT_EQ(g.Line1.X1, 120 + 1250);
    attendreLignesSurImage(g);
}

TEST(GeometrieIllustration, ZoomOutThatWouldEmptyTheImageIsIgnored) {
    const struct { float l, h; int pas; float lf, hf; } cas[] = {
        {3000, 2000, 7, 1250, 250},   // the eighth step would make the height 0
        {251, 1000, 1, 1, 750},
        {250, 1000, 0, 250, 1000},
    };
    for (const auto& c : cas) {
        auto g = ouverte(c.l, c.h);
        int faits = 0;
        while (g.ZoomArriere()) ++faits;
        EXPECT_EQ(faits, c.pas) << c.l << "x" << c.h;
        EXPECT_EQ(g.Width, c.lf);
        EXPECT_EQ(g.Height, c.hf);
        EXPECT_GT(g.Width, 0);
        attendreLignesSurImage(g);
    }
}

TEST(GeometrieIllustration, ResetRestoresNaturalSizeAndScrollButKeepsADrag) {
    auto g = ouverte(12000, 6000);
    g.ZoomAvant();
    g.DefilerH(1500);
    g.DefilerV(700);
    EXPECT_EQ(g.Left, -1500);
    EXPECT_EQ(g.Top, -700);
    g.TailleOriginale();
    EXPECT_EQ(g.Width, 12000);
    EXPECT_EQ(g.Height, 6000);
    EXPECT_FALSE(g.Stretch);
    EXPECT_EQ(g.ValeurH, 0);
    EXPECT_EQ(g.Left, 0);
    EXPECT_EQ(g.Top, 0);

    g.Appuyer(3000, 3000);
    g.Deplacer(Qt::LeftButton, 2000, 2500);  // dragged 1000 left, 500 up
    EXPECT_EQ(g.Left, -1000);
    EXPECT_EQ(g.Top, -500);
    g.TailleOriginale();  // the scroll bars were still at 0
    EXPECT_EQ(g.Left, -1000);
    EXPECT_EQ(g.Top, -500);
}

TEST(GeometrieIllustration, FitUsesTheSmallerFactor) {
    auto g = ouverte(6000, 3000);
    g.AjusterImage(QSizeF(6000, 3000));
    EXPECT_NEAR(g.Width, 7600, 0.01);
    EXPECT_NEAR(g.Height, 3800, 0.01);
    EXPECT_TRUE(g.Stretch);
    EXPECT_TRUE(g.Visible);
    EXPECT_EQ(g.Left, 120);  // the fit does not move an image that is in view
    EXPECT_FLOAT_EQ(g.Line1.Y2, g.Height);
    EXPECT_FLOAT_EQ(g.Line2.X2, 120 + g.Width);

    auto haute = ouverte(1000, 8000);  // rW 9.5 > rH 0.475
    haute.AjusterImage(std::nullopt);  // load failed: the picture shown is fitted
    EXPECT_NEAR(haute.Width, 475, 0.01);
    EXPECT_NEAR(haute.Height, 3800, 0.01);
}

TEST(GeometrieIllustration, FitBringsAMovedImageBackIntoView) {
    auto g = ouverte(30000, 20000);
    g.DefilerH(5000);
    g.Appuyer(5000, 5000);
    g.Deplacer(Qt::LeftButton, 5000, 3000);
    ASSERT_EQ(g.Top, -2000);
    g.AjusterImage(QSizeF(30000, 20000));
    EXPECT_EQ(g.Left, 0);
    EXPECT_EQ(g.Top, 0);
    EXPECT_EQ(g.ValeurH, 0);
    EXPECT_LE(g.Width, 10000 * 0.95 + 0.01);
    attendreLignesSurImage(g);

    auto vide = ouverte(0, 0);  // nothing to divide by: the size stays
    vide.AjusterImage(std::nullopt);
    EXPECT_EQ(vide.Width, 0);
    EXPECT_TRUE(vide.Visible);
}

TEST(GeometrieIllustration, ScrollRangesReachBothEdgesAtEveryZoom) {
    auto g = ouverte(90000, 60000);  // a 6000 x 4000 pixel photograph
    for (int pas = 0; pas < 4; ++pas) {
        g.DefilerH(1 << 30);
        g.DefilerV(1 << 30);
        EXPECT_FLOAT_EQ(g.Left + g.Width, 10000) << pas;  // right edge at the box's edge
        EXPECT_NEAR(g.Top + g.Height, 4000, 1) << pas;
        g.DefilerH(-5);
        g.DefilerV(0);
        EXPECT_EQ(g.Left, 0);
        EXPECT_EQ(g.Top, 0);
        g.ZoomAvant();
    }
    // Zooming out below the old scroll position pulls the image back.
    g.DefilerH(g.MaxH());
    while (g.Width > 10500 && g.ZoomArriere()) {}
    EXPECT_EQ(g.ValeurH, g.MaxH());
    EXPECT_FLOAT_EQ(g.Left + g.Width, 10000);

    auto petite = ouverte(2000, 1000);
    EXPECT_EQ(petite.MaxH(), 0);
    EXPECT_EQ(petite.MaxV(), 0);
    petite.DefilerH(300);
    EXPECT_EQ(petite.Left, 120);  // no range, no change
}

TEST(GeometrieIllustration, DragNeedsThirtyTwipsAndStaysInBounds) {
    const struct {
        float largeur; float depuis, vers; float gaucheAvant, gaucheApres;
    } cas[] = {
        {20000, 3000, 2971, -1000, -1000},   // 29 twips: nothing
        {20000, 3000, 2970, -1000, -1030},   // 30 twips
        {20000, 3000, 3030, -1000, -970},
        {20000, 9000, 1000, -5000, -10000},  // stops at GaucheMin = 10000 - 20000
        {20000, 1000, 2000, -500, 0},        // stops at 0
        {5000, 3000, 1000, 0, 0},            // narrower than the box: stays at 0
        {5000, 1000, 3000, 0, 0},
    };
    for (const auto& c : cas) {
        auto g = ouverte(c.largeur, 1000);
        g.Left = c.gaucheAvant;
        g.Appuyer(c.depuis, 500);
        EXPECT_TRUE(g.PointeurGlisser);
        g.Deplacer(Qt::LeftButton, c.vers, 500);
        EXPECT_EQ(g.Left, c.gaucheApres) << c.largeur << " " << c.depuis << "->" << c.vers;
        EXPECT_EQ(g.Top, 0);
        g.Relacher();
        EXPECT_FALSE(g.PointeurGlisser);
    }
    auto g = ouverte(20000, 9000);
    g.Appuyer(5000, 5000);
    for (Qt::MouseButtons b : {Qt::MouseButtons(Qt::RightButton),
                               Qt::MouseButtons(Qt::LeftButton | Qt::RightButton),
                               Qt::MouseButtons()})
        g.Deplacer(b, 1000, 1000);
    EXPECT_EQ(g.Left, 120);
    EXPECT_EQ(g.Top, 0);
    EXPECT_EQ(g.GaucheMin, -10000);
    EXPECT_EQ(g.HautMin, -5000);
}

TEST(GeometrieIllustration, PaletteMovesLinesWithinTheImage) {
    GeometrieIllustration g;
    g.FixerBoite(10000, 4000);
    g.Ouvrir(QSizeF(1000, 2000));
    g.Left = 0;
    g.Top = -300;
    g.OuvrirPalette();
    EXPECT_TRUE(g.LignesVisibles);
    EXPECT_EQ(g.Line1.X1, 0);
    EXPECT_EQ(g.Line2.Y1, 1700);
    g.DeplacerLigne(0);
    EXPECT_EQ(g.Line1.X1, 0);  // undone by the bound
    for (int i = 0; i < 11; ++i) g.DeplacerLigne(1);
    EXPECT_EQ(g.Line1.X1, 1000);
    EXPECT_EQ(g.Line1.X2, 1000);
    for (int i = 0; i < 20; ++i) g.DeplacerLigne(3);
    EXPECT_EQ(g.Line2.Y1, -300);
    g.DeplacerLigne(2);
    EXPECT_EQ(g.Line2.Y1, -200);
    EXPECT_EQ(g.Line2.Y2, -200);
    g.DeplacerLigne(7);
    g.DeplacerLigne(-1);
    EXPECT_EQ(g.Line1.X1, 1000);
    EXPECT_EQ(g.Line2.Y1, -200);

    // After a drag the bounds follow the image.
    g.Left = -400;
    for (int i = 0; i < 20; ++i) g.DeplacerLigne(0);
    EXPECT_EQ(g.Line1.X1, -400);
}

}  // namespace
