#pragma once
#include "noyau/questionnaire/verification.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

// Reading the pictures a teacher puts in a questionnaire's Images folder,
// under one memory policy for the whole program, whatever was read before.
// Every function here is safe to call from a worker thread.
namespace Images {

// One decoded picture never takes more than this, counted at 4 bytes a
// pixel at least: a 6000 x 4000 camera photo, a 16-bit PNG of that size or
// an A4 page scanned at 600 dpi fit; a larger picture is decoded reduced.
constexpr int LimiteMo = 256;
// Beyond this many pixels a picture is not decoded at all: even a reduced
// decode would read for seconds (a 50000 x 50000 PNG of zero rows).
constexpr qint64 MaxPixels = 250'000'000;

enum class Etat {
    Lue,          // decoded whole
    Tronquee,     // decoded partly: the file ends too early
    Introuvable,  // no such file
    PasUneImage,  // empty, or no picture format recognised
    NonPrise,     // a picture format this program cannot decode
    TropGrande,   // beyond MaxPixels
    Illisible,    // recognised but the decoder failed
};

struct Lecture {
    Etat etat = Etat::Introuvable;
    QImage image;          // upright; null unless Lue or Tronquee
    QSize naturelle;       // upright size in pixels, when the header could be read
    QByteArray format;     // "jpeg", "png", "svg"...; the unsupported one's name for NonPrise
    bool animee = false;   // several frames: only the first is shown
    bool reduite = false;  // decoded smaller than its natural size to fit the memory policy
    QSize decodee;         // the size it decodes (or would decode) at
    bool vectorielle() const { return format == "svg" || format == "svgz"; }
    bool montrable() const { return etat == Etat::Lue || etat == Etat::Tronquee; }
};

// The size to decode at, given the picture's natural upright size.
using Dimensionner = std::function<QSize(QSize naturelle)>;

// Reads the file `chemin` (a real path), upright. With `dimensionner`:
// decoded straight at the size it gives (the decoder scales as it reads
// where it can); otherwise at its natural size, or the largest that fits
// the policy.
Lecture lire(const QString& chemin, const Dimensionner& dimensionner = {});

// What the header alone tells, at once: Lue when the picture promises to
// decode (without its image), with the size `lire` would give it.
Lecture entete(const QString& chemin);

// The natural size, or its half, quarter... that fits the memory policy.
QSize tailleAdmise(QSize naturelle);

// A size of at least one pixel in each direction: a 1 x 20000 strip
// reduced to a thumbnail stays visible.
QSize auMoinsUnPixel(double largeur, double hauteur);

// Whether some pixel is not fully opaque.
bool transparente(const QImage& image);

// What the teacher is told about a picture that does not show as it is.
QString probleme(const Lecture& lecture);

// The checker's look at one picture: its header and a decode at thumbnail
// size, as the quiz screen reads it.
ExamenImage examiner(const QString& fichier);

}  // namespace Images
