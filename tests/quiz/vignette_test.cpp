#include "quiz/vignette.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Vignette, FitToTheBoxHeightClipToTheFrameAndCentre) {
    // Box 256 x 192 px, frame 272 px wide, all in twips.
    const float h = 2880, l = 3840, cadre = 4080;
    Cadrage c = Cadrer_vignette({1500, 1500}, h, l, cadre);  // a square: 192 x 192 px
    EXPECT_FLOAT_EQ(c.hauteur, 2880);
    EXPECT_FLOAT_EQ(c.largeur, 2880);
    EXPECT_FLOAT_EQ(c.gauche, 480);
    c = Cadrer_vignette({90000, 15000}, h, l, cadre);  // wide: squeezed to the frame
    EXPECT_FLOAT_EQ(c.hauteur, 2880);
    EXPECT_FLOAT_EQ(c.largeur, 4080);
    EXPECT_FLOAT_EQ(c.gauche, -120);
    EXPECT_TRUE(EstGif("Images/LUNE.GIF"));
    EXPECT_FALSE(EstGif("Images/lune.gif.jpg"));
}

TEST(Vignette, DecodesAtThumbnailSizeOrSaysWhy) {
    QTemporaryDir dossier;
    ASSERT_TRUE(QDir(dossier.path()).mkdir("Images"));
    QImage photo(1200, 600, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    ASSERT_TRUE(photo.save(dossier.filePath("Images/Carte.JPG")));
    QFile texte(dossier.filePath("Images/notes.jpg"));
    ASSERT_TRUE(texte.open(QIODevice::WriteOnly));
    texte.write("pas une image");
    texte.close();

    QuizState s;
    s.DossierQuestionnaire = dossier.path();
    s.NumQuestion = 3;
    s.TableImages[0][3] = "carte.jpg";  // matched whatever the case
    Vignette v = Charger_vignette(CheminImageQuestion(s), 2880, 3840, 4080);
    ASSERT_EQ(v.etat, Vignette::Etat::Chargee);
    EXPECT_EQ(v.image.size(), QSize(272, 192));  // 384 wide, clipped to the frame

    EXPECT_EQ(Charger_vignette(CheminImage(s, "absente.gif"), 2880, 3840, 4080).etat,
              Vignette::Etat::Introuvable);
    EXPECT_EQ(Charger_vignette(CheminImage(s, ""), 2880, 3840, 4080).etat,
              Vignette::Etat::Introuvable);
    EXPECT_EQ(Charger_vignette(CheminImage(s, "notes.jpg"), 2880, 3840, 4080).etat,
              Vignette::Etat::Illisible);
}
