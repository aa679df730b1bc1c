// Screenshots of the quiz, its pictures and the results, for the
// documentation: captures FOLDER, on an X display of its own (see
// scripts/captures.sh). At 800 x 600 every picture is taken; on a larger
// display the question and the results only, under that size's prefix.
#include "ecrans/quiz/frm_main.h"
#include "ecrans/resultats/frm_resultats.h"
#include "ecrans/visionneuse/frm_illustration.h"
#include "support/dossier.h"
#include "support/essai_exemple.h"
#include "support/fakes.h"

#include <QApplication>
#include <QCheckBox>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <memory>

namespace {

QString dossierSortie;
bool toutes = true;

// The quiz in the corner it fills at 800 x 600, centred on a larger display.
void placer(QWidget& fenetre) {
    if (toutes)
        fenetre.move(0, 0);
    else
        fenetre.move(fenetre.screen()->geometry().center() - fenetre.rect().center());
}

// The whole display, once `fenetre` is painted.
void capturer(QWidget& fenetre, const QString& nom, const QString& nomAgrandi = {}) {
    const QString fichier = toutes ? nom : nomAgrandi;
    if (fichier.isEmpty()) return;
    fenetre.show();
    QTest::qWait(600);
    if (!QTest::qWaitForWindowExposed(&fenetre) ||
        !QGuiApplication::primaryScreen()->grabWindow(0).save(dossierSortie + "/" + fichier))
        QTextStream(stderr) << "captures : " << fichier << " n'a pas pu être écrit\n";
}

// The introduction of PLANETES; then two answers ticked on the second
// question of VOLCANS, with its countdown and picture, and the end.
void quiz() {
    PlateformeSimulee p;
    QuizState s[2];
    for (int i = 0; i < 2; ++i) {
        const QString nom = i ? "VOLCANS" : "PLANETES";
        s[i].DossierQuestionnaire = QString(KORVANE_SAMPLE_LIBRARY) + "/" + nom;
        s[i].CheminQuestionnaire = s[i].DossierQuestionnaire + "/" + nom + ".dat";
    }
    auto intro = std::make_unique<frmMain>(s[0], p.services, p.navigation);
    placer(*intro);
    capturer(*intro, "quiz-intro.png");
    intro.reset();
    frmMain f(s[1], p.services, p.navigation);
    placer(f);
    f.cmdValider_Click();
    f.chkRéponse[0]->setChecked(true);
    p.horloge.avancer(38);
    f.cmdValider_Click();
    f.chkRéponse[0]->setChecked(true);
    f.chkRéponse[2]->setChecked(true);
    p.horloge.avancer(9);
    f.Timer1_Timer();
    f.Timer2_Timer();
    capturer(f, "quiz-question.png", "1024x768-quiz.png");
    f.chkRéponse[2]->setChecked(false);
    f.cmdValider_Click();
    f.Timer2_Timer();
    capturer(f, "quiz-end.png");
}

// A diagram with a transparent background, a drawing in SVG and a file that
// is no picture, each in the thumbnail and in the viewer.
void images() {
    if (!toutes) return;
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
    placer(f);
    for (const QString nom : {"transparent", "svg", "unreadable"}) {
        f.chkRéponse[0]->setChecked(true);
        f.cmdValider_Click();
        f.show();
        for (int i = 0; i < 100 && f.vignetteEnAttente(); ++i) QTest::qWait(10);
        capturer(f, "picture-" + nom + "-thumbnail.png");
        frmIllustration v(s, p.services, p.navigation);
        v.setWindowTitle("ILLUSTRATION DE LA QUESTION N°" + QString::number(s.NumQuestion));
        v.show();
        if (nom != "unreadable") v.AjusterImage();
        capturer(v, "picture-" + nom + "-viewer.png");
    }
}

// The worked example, played in 12 minutes 34 seconds.
void resultats() {
    QTemporaryDir dossier;
    PlateformeSimulee p;
    QuizState s = EssaiExemple(dossier.filePath("Volcans _B01_3A_.rst"));
    s.TitreQuestionnaire = "Les volcans d'Auvergne", s.TempsEcoule = 754;
    frmRésultats e(s, p.services, p.navigation);
    e.move(e.screen()->geometry().center() - e.rect().center());
    e.show();
    e.activateWindow();  // the focus on Recommencer
    capturer(e, "results.png", "1024x768-results.png");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() != 1) {
        QTextStream(stderr) << "Usage : captures DOSSIER\n";
        return 2;
    }
    dossierSortie = arguments[0];
    toutes = application.primaryScreen()->size() == QSize(800, 600);
    quiz();
    images();
    resultats();
    return 0;
}
