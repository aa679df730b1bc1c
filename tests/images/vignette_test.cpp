#include "images/vignette.h"

#include "ecrans/visionneuse/image_illustration.h"
#include "images/images.h"
#include "support/dossier.h"
#include "support/images.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using Images::Etat;

TEST(Vignette, FitToTheBoxHeightClipToTheFrameAndCentre) {
    // Box 256 x 192 px, frame 272 px wide, in twips: a square, a wide one.
    Cadrage c = Cadrer_vignette({1500, 1500}, 2880, 3840, 4080);
    EXPECT_EQ(QRectF(c.gauche, 0, c.largeur, c.hauteur), QRectF(480, 0, 2880, 2880));
    c = Cadrer_vignette({90000, 15000}, 2880, 3840, 4080);
    EXPECT_EQ(QRectF(c.gauche, 0, c.largeur, c.hauteur), QRectF(-120, 0, 4080, 2880));
    EXPECT_TRUE(EstGif("Images/LUNE.GIF"));
    EXPECT_FALSE(EstGif("Images/lune.gif.jpg"));
}

namespace {

struct Cas {
    const char* nom;
    QByteArray octets;
    Etat etat;       // what the reader finds
    QSize vignette;  // thumbnail size in pixels; (0, 0): the thumbnail cannot show
};

QImage photo(int l, int h) {
    QImage image(l, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x) image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, 90));
    return image;
}

const QByteArray Jpeg = ImagesDeTest::encoder(photo(400, 300), "jpg");
// An iPhone photograph's header.
const QByteArray Heic = QByteArray("\0\0\0\x18", 4) + "ftypheic" + QByteArray(4, 0) + "mif1heic";

std::vector<Cas> pictures() {
    using namespace ImagesDeTest;
    return {
        {"scan_a4.png", png(4960, 7016, 1, 0, 620, '\xff'), Etat::Lue, {136, 192}},
        {"seize_bits.png", png(3000, 2000, 16, 6, 3000 * 8, '\x40'), Etat::Lue, {272, 192}},
        {"dessin.png", encoder(dessinTransparent(64), "png"), Etat::Lue, {192, 192}},
        {"schema.svg", svg(), Etat::Lue, {192, 192}},
        {"fil.png", png(1, 20000, 8, 0, 1, '\0'), Etat::Lue, {1, 192}},
        {"Carte.JPG", Jpeg, Etat::Lue, {256, 192}},
        {"coupee.jpg", Jpeg.left(Jpeg.size() / 2), Etat::Tronquee, {256, 192}},
        {"vide.jpg", {}, Etat::PasUneImage, {0, 0}},
        {"notes.jpg", "pas une image", Etat::PasUneImage, {0, 0}},
        {"photo.heic", Heic, Etat::NonPrise, {0, 0}},
        {"geante.png", png(50000, 50000, 8, 0, 50000, '\0', 2), Etat::TropGrande, {0, 0}},
        {"panorama.jpg", jpegGeant(16320, 12240), Etat::Lue, {256, 192}},  // 799 MB whole
    };
}

}  // namespace

// Every picture gives the same result in the thumbnail before and after the
// viewer has read them all, and the viewer shows what the thumbnail shows.
TEST(Vignette, EveryPictureShowsOrSaysWhyWhateverWasOpenedBefore) {
    QTemporaryDir dossier;
    const std::vector<Cas> cas = pictures();
    for (const Cas& c : cas) poser(dossier.filePath(c.nom), c.octets);
    const auto vignette = [&](const char* nom) {
        QElapsedTimer chrono;
        chrono.start();
        const Vignette v = Charger_vignette(dossier.filePath(nom), 2880, 3840, 4080);
        EXPECT_LT(chrono.elapsed(), 5000) << nom;  // never a long freeze
        return v;
    };
    for (const Cas& c : cas) {
        const Vignette v = vignette(c.nom);
        EXPECT_EQ(v.etat,
                  c.vignette.isEmpty() ? Vignette::Etat::Illisible : Vignette::Etat::Chargee)
            << c.nom;
        EXPECT_EQ(v.image.size(), c.vignette) << c.nom;
        EXPECT_EQ(Images::lire(dossier.filePath(c.nom), [](QSize) { return QSize(8, 8); }).etat,
                  c.etat)
            << c.nom;
    }
    ImageIllustration visionneuse;
    visionneuse.resize(300, 300);
    for (const Cas& c : cas) {
        EXPECT_EQ(visionneuse.charger(dossier.filePath(c.nom)), !c.vignette.isEmpty()) << c.nom;
        // Unreadable: the built-in picture, with its caption.
        if (c.vignette.isEmpty())
            EXPECT_EQ(visionneuse.tailleNaturelle(), QSize(256, 192)) << c.nom;
    }
    for (const Cas& c : cas) EXPECT_EQ(vignette(c.nom).image.size(), c.vignette) << c.nom;
    EXPECT_EQ(vignette("absente.gif").etat, Vignette::Etat::Introuvable);

    // A transparent drawing shows over white in the thumbnail, whose box is
    // black behind pictures; a GIF keeps its transparency for the box's grey.
    const QImage dessin = vignette("dessin.png").image;
    EXPECT_EQ(QColor(dessin.pixel(2, 2)), QColor(Qt::white));
    EXPECT_LT(qGray(dessin.pixel(dessin.width() / 2, 2)), 128);  // the cross is still seen
    // 4 x 4 pixels, transparent but for a black dot at (1, 1).
    poser(dossier.filePath("vide.GIF"),
          QByteArray("GIF89a\x04\x00\x04\x00\xf0\x00\x00\x00\x00\x00\x00\x00\x00!\xf9\x04\x01\x00"
                     "\x00\x01\x00,\x00\x00\x00\x00\x04\x00\x04\x00\x00\x02\x04\x8c\x0d\xa7W\x00;",
                     45));
    EXPECT_EQ(qAlpha(vignette("vide.GIF").image.pixel(2, 2)), 0);

    // Beyond the memory policy: the viewer holds the largest size it allows.
    ASSERT_TRUE(visionneuse.charger(dossier.filePath("panorama.jpg")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return visionneuse.decodee(); }, 10000));
    const QSize admise = visionneuse.tailleNaturelle();
    EXPECT_LE(qint64(admise.width()) * admise.height() * 4, qint64(Images::LimiteMo) << 20);
    EXPECT_EQ(admise, QSize(8160, 6120));
}
