#include "ecrans/visionneuse/geometrie.h"

#include "noyau/questionnaire/formats.h"

#include <algorithm>
#include <cmath>

void GeometrieIllustration::Ouvrir(std::optional<QSizeF> naturelle) {
    Left = GaucheDessin;
    Top = HautDessin;
    Width = LargeurDessin;
    Height = HauteurDessin;
    Line1 = Ligne{0, 0, 0, 4560};
    Line2 = Ligne{0, 4560, 11280, 4560};
    LignesVisibles = false;
    ValeurH = ValeurV = 0;
    PointeurGlisser = false;
    Visible = true;
    Stretch = false;
    if (naturelle) {
        Width = static_cast<float>(naturelle->width());
        Height = static_cast<float>(naturelle->height());
    }
    HauteurOriginale = Height;
    LargeurOriginale = Width;
    RecalerLignes();
    GarderDefilementDansPlage();
}

void GeometrieIllustration::RecalerLignes() {
    const float droite = Left + Width;
    const float bas = Top + Height;
    Line1.Y1 = Top;
    Line1.Y2 = bas;
    const float x = std::clamp(Line1.X1, std::min(Left, droite), std::max(Left, droite));
    Line1.X1 = Line1.X2 = x;
    Line2.X1 = Left;
    Line2.X2 = droite;
    Line2.Y1 = Line2.Y2 = bas;
}

bool GeometrieIllustration::Redimensionner(float largeur, float hauteur) {
    if (largeur <= 0 || hauteur <= 0) return false;
    Stretch = true;
    Width = largeur;
    Height = hauteur;
    RecalerLignes();
    GarderDefilementDansPlage();
    return true;
}

bool GeometrieIllustration::ZoomAvant() {
    return Redimensionner(Width + PasZoom, Height + PasZoom);
}

bool GeometrieIllustration::ZoomArriere() {
    return Redimensionner(Width - PasZoom, Height - PasZoom);
}

void GeometrieIllustration::TailleOriginale() {
    Stretch = false;
    DefilerV(0);
    DefilerH(0);
    Height = HauteurOriginale;
    Width = LargeurOriginale;
    RecalerLignes();
    GarderDefilementDansPlage();
}

void GeometrieIllustration::AjusterImage(std::optional<QSizeF> naturelle) {
    if (naturelle) {
        Width = static_cast<float>(naturelle->width());
        Height = static_cast<float>(naturelle->height());
    }
    const double h = Height, w = Width;
    if (h > 0 && w > 0) {
        const double rH = HauteurBoite * FacteurAjustement / h;
        const double rW = LargeurBoite * FacteurAjustement / w;
        const double r = rH > rW ? rW : rH;
        if (r > 0) {
            // A thin strip stays one pixel wide rather than vanish.
            Height = std::max(static_cast<float>(h * r), UnPixel);
            Width = std::max(static_cast<float>(w * r), UnPixel);
        }
    }
    Stretch = true;
    Visible = true;
    // A fitted picture is meant to be seen whole.
    if (Left < 0) Left = 0;
    if (Top < 0) Top = 0;
    RecalerLignes();
    GarderDefilementDansPlage();
}

void GeometrieIllustration::FixerBoite(float largeur, float hauteur) {
    LargeurBoite = largeur;
    HauteurBoite = hauteur;
    GarderDefilementDansPlage();
}

int GeometrieIllustration::MaxH() const {
    return std::max(0, static_cast<int>(std::ceil(Width - LargeurBoite)));
}

int GeometrieIllustration::MaxV() const {
    return std::max(0, static_cast<int>(std::ceil(Height - HauteurBoite)));
}

void GeometrieIllustration::DefilerH(int valeur) {
    valeur = std::clamp(valeur, 0, MaxH());
    if (valeur == ValeurH) return;
    ValeurH = valeur;
    Left = static_cast<float>(-valeur);
}

void GeometrieIllustration::DefilerV(int valeur) {
    valeur = std::clamp(valeur, 0, MaxV());
    if (valeur == ValeurV) return;
    ValeurV = valeur;
    Top = static_cast<float>(-valeur);
}

void GeometrieIllustration::GarderDefilementDansPlage() {
    if (ValeurH > MaxH()) DefilerH(MaxH());
    if (ValeurV > MaxV()) DefilerV(MaxV());
}

void GeometrieIllustration::Appuyer(float x, float y) {
    PriseX = static_cast<std::int32_t>(Formats::arrondiPair(x));
    PriseY = static_cast<std::int32_t>(Formats::arrondiPair(y));
    GaucheMin = static_cast<std::int32_t>(Formats::arrondiPair(LargeurBoite - Width));
    HautMin = static_cast<std::int32_t>(Formats::arrondiPair(HauteurBoite - Height));
    PointeurGlisser = true;
}

namespace {
// One axis of a drag step: the position moves by the pointer's distance
// from the grab point, within [minimum, 0] (0 when the image is smaller).
void glisser(float& position, std::int32_t pointeur, std::int32_t prise, std::int32_t minimum) {
    const std::int32_t d = std::abs(pointeur - prise);
    if (d < GeometrieIllustration::SeuilGlisser) return;
    if (pointeur < prise) {
        if (position - d >= minimum)
            position -= d;
        else
            position = minimum > 0 ? 0.0f : static_cast<float>(minimum);
    } else {
        if (position + d <= 0)
            position += d;
        else
            position = 0;
    }
}
}  // namespace

void GeometrieIllustration::Deplacer(Qt::MouseButtons boutons, float x, float y) {
    if (boutons != Qt::LeftButton) return;
    glisser(Left, static_cast<std::int32_t>(Formats::arrondiPair(x)), PriseX, GaucheMin);
    glisser(Top, static_cast<std::int32_t>(Formats::arrondiPair(y)), PriseY, HautMin);
}

void GeometrieIllustration::Relacher() { PointeurGlisser = false; }

void GeometrieIllustration::OuvrirPalette() {
    // The lines on the image's left and bottom edges where it lies now,
    // even after a drag.
    Line1.X1 = Line1.X2 = Left;
    RecalerLignes();
    LignesVisibles = true;
}

void GeometrieIllustration::DeplacerLigne(int index) {
    switch (index) {
    case 0:
        Line1.X1 -= PasLigne;
        Line1.X2 -= PasLigne;
        if (Line1.X1 < Left) Line1.X1 = Line1.X2 = Left;
        break;
    case 1: {
        Line1.X1 += PasLigne;
        Line1.X2 += PasLigne;
        const float droite = Width + Left;
        if (droite < Line1.X1) Line1.X1 = Line1.X2 = droite;
        break;
    }
    case 2: {
        Line2.Y1 += PasLigne;
        Line2.Y2 += PasLigne;
        const float bas = Height + Top;
        if (bas < Line2.Y1) Line2.Y1 = Line2.Y2 = bas;
        break;
    }
    case 3:
        Line2.Y1 -= PasLigne;
        Line2.Y2 -= PasLigne;
        if (Line2.Y1 < Top) Line2.Y1 = Line2.Y2 = Top;
        break;
    default: break;
    }
}
