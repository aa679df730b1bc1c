#include "images/images.h"

#include "images/vignette.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

namespace Images {

namespace {

// Formats a teacher meets that no installed decoder reads, told apart by
// their first bytes so that the advice can name them.
QByteArray formatNonPris(const QByteArray& debut) {
    if (debut.mid(4, 4) == "ftyp") {
        const QByteArray marque = debut.mid(8, 4);
        if (marque == "avif" || marque == "avis") return "AVIF";
        if (marque.startsWith("hei") || marque.startsWith("hev") || marque == "mif1" ||
            marque == "msf1")
            return "HEIC";
        return {};
    }
    if (debut.startsWith("%PDF")) return "PDF";
    if (debut.startsWith("8BPS")) return "PSD";
    if (debut.startsWith("gimp xcf")) return "XCF";
    if (debut.startsWith("\xFF\x0A") || debut.mid(4, 4) == "JXL ") return "JPEG XL";
    return {};
}

// A JPEG ends with its end-of-image marker, give or take a few bytes of
// padding some cameras add; a copy cut short lacks it.
bool jpegTronque(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const qint64 fin = std::min<qint64>(f.size(), 64);
    f.seek(f.size() - fin);
    return !f.read(fin).contains("\xFF\xD9");
}

int octetsParPixel(QImage::Format format) {
    const int bits =
        format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
    return std::max(4, bits / 8);
}

// Halved until it fits: a JPEG decoder scales by powers of two as it reads,
// holding only the reduced picture.
QSize admise(QSize naturelle, int octets) {
    const double limite = double(LimiteMo) * 1024 * 1024;
    int d = 1;
    while (double(naturelle.width()) * naturelle.height() * octets / (double(d) * d) > limite)
        d *= 2;
    return QSize((naturelle.width() + d - 1) / d, (naturelle.height() + d - 1) / d);
}

QImage formatDessin(QImage image) {
    const QImage::Format voulu =
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (image.format() != voulu) image.convertTo(voulu);
    return image;
}

}  // namespace

QSize tailleAdmise(QSize naturelle) { return admise(naturelle, 4); }

QSize auMoinsUnPixel(double largeur, double hauteur) {
    return QSize(std::max(1, int(std::lround(largeur))), std::max(1, int(std::lround(hauteur))));
}

namespace {

Lecture ouvrir(const QString& chemin, const Dimensionner& dimensionner, bool decoder) {
    // One policy from the first read on, never changed afterwards.
    static const bool politique = (QImageReader::setAllocationLimit(LimiteMo), true);
    (void)politique;

    Lecture l;
    const QFileInfo info(chemin);
    if (!info.isFile()) return l;
    l.etat = Etat::PasUneImage;
    if (info.size() == 0) return l;
    QImageReader lecteur(chemin);
    lecteur.setAutoTransform(true);
    if (!lecteur.canRead()) {
        QFile f(chemin);
        if (f.open(QIODevice::ReadOnly)) l.format = formatNonPris(f.read(16));
        if (!l.format.isEmpty()) l.etat = Etat::NonPrise;
        return l;
    }
    l.format = lecteur.format();
    l.animee = lecteur.supportsAnimation() && lecteur.imageCount() > 1;
    QSize naturelle = lecteur.size();
    // A photo turned by its camera tag is read upright; the scaled size
    // applies before the turn.
    const bool tournee = lecteur.transformation() & QImageIOHandler::TransformationRotate90;
    if (tournee) naturelle.transpose();
    l.naturelle = naturelle;
    QSize taille;
    if (naturelle.isValid()) {
        if (!l.vectorielle() && qint64(naturelle.width()) * naturelle.height() > MaxPixels) {
            l.etat = Etat::TropGrande;
            return l;
        }
        const QSize voulue = dimensionner
                                 ? dimensionner(naturelle)
                                 : admise(naturelle, octetsParPixel(lecteur.imageFormat()));
        l.reduite = voulue != naturelle && !dimensionner;
        if (voulue != naturelle || l.vectorielle())
            lecteur.setScaledSize(tournee ? voulue.transposed() : voulue);
        taille = voulue;
    }
    l.decodee = taille;
    if (!decoder) {
        l.etat = Etat::Lue;
        return l;
    }
    QImage image = lecteur.read();
    if (image.isNull()) {
        // A decoder that cannot read reduced needs the whole size in memory.
        l.etat = l.reduite ? Etat::TropGrande : Etat::Illisible;
        return l;
    }
    if (!taille.isValid() && dimensionner) taille = dimensionner(image.size());
    if (taille.isValid() && image.size() != taille)
        image = image.scaled(taille, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (!l.naturelle.isValid()) l.naturelle = image.size();
    l.image = formatDessin(std::move(image));
    l.etat = l.format == "jpeg" && jpegTronque(chemin) ? Etat::Tronquee : Etat::Lue;
    return l;
}

}  // namespace

Lecture lire(const QString& chemin, const Dimensionner& dimensionner) {
    return ouvrir(chemin, dimensionner, true);
}

Lecture entete(const QString& chemin) { return ouvrir(chemin, {}, false); }

bool transparente(const QImage& image) {
    if (!image.hasAlphaChannel()) return false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* ligne = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(ligne[x]) < 255) return true;
    }
    return false;
}

QString probleme(const Lecture& l) {
    const QString taille =
        QString("%1 × %2 pixels").arg(l.naturelle.width()).arg(l.naturelle.height());
    switch (l.etat) {
    case Etat::Introuvable: return "introuvable dans le dossier Images";
    case Etat::PasUneImage: return "n'est pas une image (fichier vide ou d'un autre type)";
    case Etat::NonPrise:
        return QString(
                   "est au format %1, que Korvane ne sait pas afficher : convertissez-la "
                   "en JPEG ou en PNG")
            .arg(QString::fromLatin1(l.format));
    case Etat::TropGrande:
        return QString(
                   "est trop grande pour être affichée (%1, plus de %2 mégapixels) : "
                   "réduisez-la")
            .arg(taille)
            .arg(MaxPixels / 1'000'000);
    case Etat::Illisible: return "est abîmée ou incomplète : elle ne peut pas s'afficher";
    case Etat::Tronquee: return "est incomplète (copie tronquée) : seul son début s'affiche";
    case Etat::Lue: break;
    }
    if (l.animee) return "est animée : seule sa première image s'affiche";
    if (!l.vectorielle() && tailleAdmise(l.naturelle) != l.naturelle)
        return QString("est très grande (%1) : la visionneuse la montre réduite").arg(taille);
    return {};
}

ExamenImage examiner(const QString& fichier) {
    const Lecture l = lire(fichier, [](QSize naturelle) {
        return naturelle.scaled(256, 192, Qt::KeepAspectRatio).expandedTo({1, 1});
    });
    ExamenImage examen;
    examen.trouvee = l.etat != Etat::Introuvable;
    if (const QString texte = probleme(l); !texte.isEmpty()) examen.problemes << texte;
    if (l.montrable() && transparente(l.image))
        examen.problemes << QString(
                                "a un fond transparent : elle s'affiche sur du %1 dans la "
                                "vignette et sur du bleu foncé dans la visionneuse")
                                .arg(EstGif(fichier) ? "gris" : "blanc");
    return examen;
}

}  // namespace Images
