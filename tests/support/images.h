#pragma once
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QtEndian>

// Pictures a teacher brings, made at test time.
namespace ImagesDeTest {

inline quint32 crc32(const QByteArray& octets) {
    quint32 crc = 0xFFFFFFFF;
    for (char c : octets) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline QByteArray bloc(const QByteArray& type, const QByteArray& donnees) {
    QByteArray b(4, 0);
    qToBigEndian<quint32>(quint32(donnees.size()), b.data());
    QByteArray crc(4, 0);
    qToBigEndian<quint32>(crc32(type + donnees), crc.data());
    return b + type + donnees + crc;
}

// A PNG of `largeur` x `hauteur` pixels whose every row is `ligne` bytes of
// `valeur` (after each row's filter byte); `lignes` < hauteur writes a file
// whose data stop early, as a header that declares a huge size does.
inline QByteArray png(int largeur, int hauteur, int profondeur, int couleur, int octetsLigne,
                      char valeur, int lignes = -1) {
    QByteArray entete(13, 0);
    qToBigEndian<quint32>(quint32(largeur), entete.data());
    qToBigEndian<quint32>(quint32(hauteur), entete.data() + 4);
    entete[8] = char(profondeur);
    entete[9] = char(couleur);
    QByteArray ligne(1 + octetsLigne, valeur);
    ligne[0] = 0;
    const QByteArray brut = ligne.repeated(lignes < 0 ? hauteur : lignes);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + bloc("IHDR", entete) +
           bloc("IDAT", qCompress(brut, 9).mid(4)) + bloc("IEND", {});
}

inline bool poser(const QString& chemin, const QByteArray& octets) {
    QDir().mkpath(QFileInfo(chemin).path());
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size();
}

inline QByteArray encoder(const QImage& image, const char* format) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    image.save(&tampon, format);
    return octets;
}

// A grey baseline JPEG of any size, made without holding its pixels: the
// headers of a small one, its size patched, and a scan where every 8 x 8
// block is flat (DC unchanged "00", end of block "1010" in the standard
// tables), four blocks to three bytes.
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
