#pragma once
#include <QBuffer>
#include <QImage>
#include <QtEndian>

// Pictures a teacher brings, made at test time.
namespace ImagesDeTest {

inline QByteArray grandBoutiste(quint32 valeur) {
    const quint32 octets = qToBigEndian(valeur);
    return QByteArray(reinterpret_cast<const char*>(&octets), 4);
}

// A PNG chunk, with the CRC-32 the decoder checks.
inline QByteArray bloc(const QByteArray& type, const QByteArray& donnees) {
    quint32 crc = 0xFFFFFFFF;
    for (const char c : type + donnees) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return grandBoutiste(quint32(donnees.size())) + type + donnees + grandBoutiste(~crc);
}

// A PNG of `largeur` x `hauteur` pixels whose every row is `ligne` bytes of
// `valeur` (after each row's filter byte); `lignes` < hauteur writes a file
// whose data stop early, as a header that declares a huge size does.
inline QByteArray png(int largeur, int hauteur, int profondeur, int couleur, int octetsLigne,
                      char valeur, int lignes = -1) {
    const QByteArray entete = grandBoutiste(largeur) + grandBoutiste(hauteur) + char(profondeur) +
                              char(couleur) + QByteArray(3, 0);
    QByteArray ligne(1 + octetsLigne, valeur);
    ligne[0] = 0;
    const QByteArray brut = ligne.repeated(lignes < 0 ? hauteur : lignes);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + bloc("IHDR", entete) +
           bloc("IDAT", qCompress(brut, 9).mid(4)) + bloc("IEND", {});
}

inline QByteArray encoder(const QImage& image, const char* format) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    image.save(&tampon, format);
    return octets;
}

// A grey baseline JPEG of any size, made without holding its pixels: a small
// one's headers with the size patched, then a scan of flat 8 x 8 blocks (DC
// unchanged "00", end of block "1010"), four blocks to three bytes.
inline QByteArray jpegGeant(int largeur, int hauteur) {
    QImage petit(8, 8, QImage::Format_Grayscale8);
    petit.fill(128);
    QByteArray octets = encoder(petit, "jpg");
    const qsizetype sof = octets.indexOf("\xFF\xC0");
    qToBigEndian<quint16>(quint16(hauteur), octets.data() + sof + 5);
    qToBigEndian<quint16>(quint16(largeur), octets.data() + sof + 7);
    const qsizetype sos = octets.indexOf("\xFF\xDA");
    const int longueur = qFromBigEndian<quint16>(octets.constData() + sos + 2);
    const qint64 blocs = qint64((largeur + 7) / 8) * ((hauteur + 7) / 8);
    return octets.left(sos + 2 + longueur) +
           QByteArray("\x28\xA2\x8A", 3).repeated((blocs + 3) / 4) + "\xFF\xD9";
}

// A drawing taken from the web: a black cross on a transparent background.
inline QImage dessinTransparent(int cote) {
    QImage image(cote, cote, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int i = 0; i < cote; ++i) {
        image.setPixel(i, cote / 2, qRgb(0, 0, 0));
        image.setPixel(cote / 2, i, qRgb(0, 0, 0));
    }
    return image;
}

// A rectangle, black on white, in a drawing of 40 x 40 pixels.
inline QByteArray svg() {
    return "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='40' viewBox='0 0 40 40'>"
           "<rect width='40' height='40' fill='white'/><rect width='20' height='40' fill='black'/>"
           "</svg>";
}

}  // namespace ImagesDeTest
