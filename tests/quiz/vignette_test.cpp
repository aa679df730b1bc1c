#include "quiz/vignette.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Vignette, FitToTheBoxHeightClipToTheFrameAndCentre) {
    // Box 256 x 192 px, frame 272 px wide, in twips; a square, then a wide one.
    Cadrage c = Cadrer_vignette({1500, 1500}, 2880, 3840, 4080);
    EXPECT_EQ(QRectF(c.gauche, 0, c.largeur, c.hauteur), QRectF(480, 0, 2880, 2880));
    c = Cadrer_vignette({90000, 15000}, 2880, 3840, 4080);
    EXPECT_EQ(QRectF(c.gauche, 0, c.largeur, c.hauteur), QRectF(-120, 0, 4080, 2880));
    EXPECT_TRUE(EstGif("Images/LUNE.GIF"));
    EXPECT_FALSE(EstGif("Images/lune.gif.jpg"));
}

TEST(Vignette, DecodesAtThumbnailSizeOrSaysWhy) {
    QTemporaryDir dossier;
    QDir(dossier.path()).mkdir("Images");
    QImage photo(1200, 600, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    ASSERT_TRUE(photo.save(dossier.filePath("Images/Carte.JPG")));
    QFile texte(dossier.filePath("Images/notes.jpg"));
    ASSERT_TRUE(texte.open(QIODevice::WriteOnly) && texte.write("pas une image") > 0);
    texte.close();

    QuizState s;
    s.DossierQuestionnaire = dossier.path();
    s.NumQuestion = 3;
    s.TableImages[0][3] = "carte.jpg";  // matched whatever the case
    const Vignette v = Charger_vignette(CheminImageQuestion(s), 2880, 3840, 4080);
    ASSERT_EQ(v.etat, Vignette::Etat::Chargee);
    EXPECT_EQ(v.image.size(), QSize(272, 192));  // 384 wide, clipped to the frame
    const std::pair<const char*, Vignette::Etat> echecs[] = {
        {"absente.gif", Vignette::Etat::Introuvable},
        {"", Vignette::Etat::Introuvable},  // no picture name: the Images folder itself
        {"notes.jpg", Vignette::Etat::Illisible}};
    for (const auto& [nom, etat] : echecs)
        EXPECT_EQ(Charger_vignette(CheminImage(s, nom), 2880, 3840, 4080).etat, etat) << nom;
}
