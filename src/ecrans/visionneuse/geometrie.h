#pragma once
#include <QSizeF>
#include <Qt>

#include <cstdint>
#include <optional>

// A straight line from its first end (X1, Y1) to its second (X2, Y2).
struct Ligne {
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

// What the illustration viewer shows, in twips, relative to the inside of
// the picture box `Picture1`: the image `Image1`, the two guide lines, the
// scroll bar values and the drag state. The widgets only copy it to screen.
//
// The box measures here are those of the part of `Picture1` the picture can
// be seen in, inside the scroll bars, so that dragging or scrolling to a
// limit shows the picture's edge rather than hiding it under a bar.
struct GeometrieIllustration {
    // Design measures of the image control, kept when no picture loads.
    static constexpr float GaucheDessin = 120, HautDessin = 0;
    static constexpr float LargeurDessin = 4815, HauteurDessin = 3855;
    static constexpr float PasZoom = 250;
    static constexpr int SeuilGlisser = 30;
    static constexpr float PasLigne = 100;
    static constexpr double FacteurAjustement = 0.95;
    static constexpr float UnPixel = 15;

    float LargeurBoite = 0, HauteurBoite = 0;

    // Image1
    float Left = GaucheDessin, Top = HautDessin;
    float Width = LargeurDessin, Height = HauteurDessin;
    bool Stretch = false;
    bool Visible = true;

    Ligne Line1{0, 0, 0, 4560};
    Ligne Line2{0, 4560, 11280, 4560};
    bool LignesVisibles = false;

    float HauteurOriginale = HauteurDessin, LargeurOriginale = LargeurDessin;

    std::int32_t PriseX = 0, PriseY = 0, GaucheMin = 0, HautMin = 0;
    bool PointeurGlisser = false;

    // HScroll1 and VScroll1. Their values are 32-bit: a 16-bit value stops
    // at 32767 twips, less than the width of many photographs.
    int ValeurH = 0, ValeurV = 0;

    // Opening, from the design state: the picture at its natural size (none
    // when it could not be loaded: the image keeps its design size), lines
    // hidden, scroll bars at 0.
    void Ouvrir(std::optional<QSizeF> naturelle);

    // Re-anchors the lines to the image after a change of its size: Line1
    // spans its height and stays between its left and right edges, Line2
    // lies along its bottom edge across its width.
    void RecalerLignes();

    // A step that would leave the image with no width or height is ignored
    // (returns false).
    bool ZoomAvant();
    bool ZoomArriere();
    void TailleOriginale();

    // Fits the picture of natural size `naturelle` (none when the load
    // failed: the picture already shown) into the box at 0.95, keeping its
    // proportions. A fitted picture is brought back to the box's top-left
    // corner when it had been moved above or left of it.
    void AjusterImage(std::optional<QSizeF> naturelle);

    // The box size changes with the window; the scroll values stay in range.
    void FixerBoite(float largeur, float hauteur);

    // Highest scroll values: enough to bring the image's far edge to the
    // box's far edge, 0 when the image fits.
    int MaxH() const;
    int MaxV() const;
    // Scroll bar value changes (clamped to the range); a value that does
    // not change leaves the image where it is.
    void DefilerH(int valeur);
    void DefilerV(int valeur);

    // Mouse on Image1, positions relative to its top-left corner.
    void Appuyer(float x, float y);
    void Deplacer(Qt::MouseButtons boutons, float x, float y);
    void Relacher();

    // The tools palette.
    void OuvrirPalette();
    void DeplacerLigne(int index);

private:
    bool Redimensionner(float largeur, float hauteur);
    void GarderDefilementDansPlage();
};
