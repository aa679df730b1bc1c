// Screenshots of the quiz screen, written only when KORVANE_CAPTURES names a
// folder, on an 800 x 600 display: KORVANE_CAPTURES=$PWD/docs/screenshots
// QT_QPA_PLATFORM=xcb DISPLAY=:11 korvane_tests --gtest_filter='CapturesQuiz*'
#include "ecrans/quiz/frm_main.h"
#include "ecrans/visionneuse/frm_illustration.h"
#include "support/dossier.h"
#include "support/fakes.h"

#include <QCheckBox>
#include <QPainter>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>
#include <memory>

TEST(CapturesQuiz, IntroductionQuestionAndEnd) {
    if (qEnvironmentVariableIsEmpty("KORVANE_CAPTURES")) GTEST_SKIP() << "KORVANE_CAPTURES not set";
    PlateformeSimulee p;
    const auto capturer = [](frmMain& f, const char* nom) {
        f.move(0, 0);
        f.show();
        QTest::qWait(600);
        const QString fichier = qEnvironmentVariable("KORVANE_CAPTURES") + "/" + nom;
        EXPECT_EQ(QProcess::execute("import", {"-window", "root", fichier}), 0) << nom;
    };
    QuizState s[2];
    for (int i = 0; i < 2; ++i) {
        const QString nom = i ? "VOLCANS" : "PLANETES";
        s[i].DossierQuestionnaire = QString(KORVANE_SAMPLE_LIBRARY) + "/" + nom;
        s[i].CheminQuestionnaire = s[i].DossierQuestionnaire + "/" + nom + ".dat";
    }
    capturer(*std::make_unique<frmMain>(s[0], p.services, p.navigation), "quiz-intro.png");
    frmMain f(s[1], p.services, p.navigation);
    f.cmdValider_Click();
    f.chkRéponse[0]->setChecked(true);
    p.horloge.avancer(38);
    f.cmdValider_Click();
    f.chkRéponse[0]->setChecked(true);
    f.chkRéponse[2]->setChecked(true);
    p.horloge.avancer(9);
    f.Timer1_Timer();
    f.Timer2_Timer();
    capturer(f, "quiz-question.png");
    f.chkRéponse[2]->setChecked(false);
    f.cmdValider_Click();
    f.Timer2_Timer();
    capturer(f, "quiz-end.png");
}

// A diagram with a transparent background, a drawing in SVG and a file that
// is no picture, each in the thumbnail and in the viewer.
TEST(CapturesQuiz, PicturesInTheThumbnailAndTheViewer) {
    if (qEnvironmentVariableIsEmpty("KORVANE_CAPTURES")) GTEST_SKIP() << "KORVANE_CAPTURES not set";
    DossierDeTest d("FORMES");
    QImage schema(480, 360, QImage::Format_ARGB32);
    schema.fill(Qt::transparent);
    QPainter peintre(&schema);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setPen(QPen(Qt::black, 4));
    peintre.drawPolygon(QPolygon({{60, 300}, {420, 300}, {240, 60}}));
    peintre.setFont(QFont("DejaVu Sans", 28, QFont::Bold));
    peintre.drawText(QRect(20, 300, 60, 50), Qt::AlignCenter, "A");
    peintre.drawText(QRect(400, 300, 60, 50), Qt::AlignCenter, "B");
    peintre.drawText(QRect(210, 10, 60, 50), Qt::AlignCenter, "C");
    peintre.end();
    schema.save(d.dossier() + "/Images/triangle.png");
    d.ecrireOctets("Images/cercle.svg",
                   "<svg xmlns='http://www.w3.org/2000/svg' width='120' height='90'>"
                   "<rect width='120' height='90' fill='#fff8e0'/>"
                   "<circle cx='60' cy='45' r='35' fill='none' stroke='#1f4e79' stroke-width='3'/>"
                   "<line x1='60' y1='45' x2='95' y2='45' stroke='#c00000' stroke-width='2'/>"
                   "<text x='66' y='40' font-size='10' font-family='DejaVu Sans'>r</text></svg>");
    d.ecrireOctets("Images/photo.jpg", "Ceci n'est pas une image.");
    d.dat({"</Formes", "0 Quel est le sommet opposé au côté [AB] ?", "A", "B", "C", "=>0 0 1",
           "0 Que représente le segment rouge ?", "Un rayon", "Un diamètre", "=>1 0",
           "0 Combien de côtés a un carré ?", "Trois", "Quatre", "=>0 1"});
    d.ini({"[Fichiers Images]", "0", "1", "triangle.png", "2", "cercle.svg", "3", "photo.jpg", "",
           "", "", "0"});
    QuizState s;
    d.choisir(s);
    PlateformeSimulee p;
    frmMain f(s, p.services, p.navigation);
    f.move(0, 0);
    const char* noms[] = {"transparent", "svg", "unreadable"};
    for (const char* nom : noms) {
        f.chkRéponse[0]->setChecked(true);
        f.cmdValider_Click();
        f.show();
        for (int i = 0; i < 100 && f.vignetteEnAttente(); ++i) QTest::qWait(10);
        QTest::qWait(400);
        const QString dossier = qEnvironmentVariable("KORVANE_CAPTURES") + "/picture-";
        EXPECT_EQ(
            QProcess::execute("import", {"-window", "root", dossier + nom + "-thumbnail.png"}), 0);
        frmIllustration v(s, p.services, p.navigation);
        v.setWindowTitle("ILLUSTRATION DE LA QUESTION N°" + QString::number(s.NumQuestion));
        v.show();
        if (QString(nom) != "unreadable") v.AjusterImage();
        QTest::qWait(600);
        EXPECT_EQ(QProcess::execute("import", {"-window", "root", dossier + nom + "-viewer.png"}),
                  0);
        v.close();
    }
}
