#include "quiz/frm_main.h"

#include "platform/fichiers.h"
#include "support/fakes.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

void ecrire(const QString& chemin, const QStringList& lignes) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Fichiers::encoderWindows1252(lignes.join("\r\n") + "\r\n"));
}

// A questionnaire folder FLEUVES: question 1 has a picture, question 2 a
// missing one, questions 3 and 4 none; question 3 has a comment.
struct Fleuves {
    QTemporaryDir dossier;
    QuizState s;
    PlateformeSimulee p;

    explicit Fleuves(const QString& minuterie = "30") {
        const QString racine = dossier.filePath("FLEUVES");
        QDir().mkpath(racine + "/Images");
        QImage photo(600, 400, QImage::Format_RGB32);
        photo.fill(Qt::blue);
        photo.save(racine + "/Images/seine.jpg");
        ecrire(racine + "/FLEUVES.dat",
               {"</Les fleuves", "0 Quel fleuve traverse Paris ?", "La Seine", "La Loire",
                "Le Rhône", "=>1 0 0", "0 Quels fleuves se jettent dans l'Atlantique ?", "Loire",
                "Seine", "Garonne", "Rhône", "=>1 0 1 0", "0 Quel est le plus long fleuve ?",
                "Rhône", "Loire", "Seine", "=>0 1 0", "0 Où naît la Seine ?", "En Bourgogne",
                "Dans les Alpes", "=>1 0"});
        ecrire(racine + "/FLEUVES.ini",
               {"[Fichiers Images]", "0", "1", "seine.jpg", "2", "absente.gif", "3", "", "",
                "x", "x", minuterie, "[Commentaires]", "3", "La Loire mesure 1 006 km."});
        s.DossierQuestionnaire = racine;
        s.CheminQuestionnaire = racine + "/FLEUVES.dat";
    }
};

// Which built-in picture a label shows, 0 for none of them.
int bitmap(const QLabel* image) {
    const QImage affichee = image->pixmap().toImage();
    for (int n : {101, 102, 103, 104})
        if (!affichee.isNull() && affichee == QPixmap(QString(":/pictures/%1.png").arg(n)).toImage())
            return n;
    return 0;
}

QStringList libelles(const frmMain& f) {
    QStringList l;
    for (QCheckBox* c : f.chkRéponse)
        if (c->isVisible()) l << c->text();
    return l;
}

void attendreQuestion(const frmMain& f, const QString& entete) {
    EXPECT_EQ(f.txtQuestion->toPlainText(), entete);
    for (QCheckBox* c : f.chkRéponse) EXPECT_EQ(c->checkState(), Qt::Unchecked);
}

}  // namespace

TEST(FrmMain, WholeQuestionnaireWithTicksNullAnswersCommentAndAbandon) {
    Fleuves t;
    frmMain f(t.s, t.p.services, t.p.navigation);
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));

    EXPECT_EQ(f.windowTitle(), "Les fleuves");
    EXPECT_TRUE(f.txtQuestion->toPlainText().startsWith("Le questionnaire comprend 4 questions."));
    EXPECT_EQ(f.etat(), EtatQuiz::Pret);
    EXPECT_FALSE(f.cmdAfficher->isVisible() || f.cmdPhoto->isVisible() || f.cmdAide->isVisible());
    EXPECT_FALSE(f.prgBar1->isVisible() || f.Label3->isVisible());
    EXPECT_EQ(bitmap(f.ImPhoto), 104);
    EXPECT_EQ(f.prgBar1->maximum(), 15);
    EXPECT_EQ(f.lblHeure->text(), "SAMEDI 5 DÉCEMBRE 2026\r\n14:03:27");
    EXPECT_TRUE(f.lblTempsPassé->text().isEmpty());

    // Alt+V starts the run; the author's own lettering ("La Seine") is kept.
    QTest::keyClick(&f, Qt::Key_V, Qt::AltModifier);
    for (int i = 0; i < 100 && f.etat() == EtatQuiz::Pret; ++i) QTest::qWait(10);  // animated click
    ASSERT_EQ(f.etat(), EtatQuiz::Reponse);
    EXPECT_EQ(t.s.HeureDebut, t.p.horloge.instant);
    attendreQuestion(f, "Question n° 1 sur 4 :  Quel fleuve traverse Paris ?");
    EXPECT_EQ(libelles(f), (QStringList{"La Seine", "La Loire", "Le Rhône"}));
    EXPECT_EQ(f.chkRéponse[1]->y() - f.chkRéponse[0]->y(), 25);  // 22 px + 50 twips
    EXPECT_TRUE(f.ImPhoto->isVisible() && f.ImPhoto->isEnabled() && f.cmdPhoto->isVisible());
    EXPECT_EQ(f.ImPhoto->size(), QSize(272, 192));
    EXPECT_TRUE(f.Timer1.isActive() && f.prgBar1->isVisible());
    f.Timer1_Timer();
    EXPECT_EQ(f.Label3->text(), "Temps restant = 28 secondes");
    QTest::mouseClick(f.ImPhoto, Qt::LeftButton);
    EXPECT_EQ(t.p.navigation.montres, std::vector<Ecran>{Ecran::Illustration});

    // Space ticks the box that has the focus: right.
    EXPECT_TRUE(f.chkRéponse[0]->hasFocus());
    QTest::keyClick(f.chkRéponse[0], Qt::Key_Space);
    f.cmdValider_Click();
    EXPECT_EQ(bitmap(f.Image2), 101);
    EXPECT_EQ(f.lblNote->text(), "20 /20");
    EXPECT_EQ(f.lblreponses->text(),
              "1 réponses justes sur 4\r\n0 réponses fausses sur 4\r\n0 réponses nulles sur 4");
    attendreQuestion(f, "Question n° 2 sur 4 :  Quels fleuves se jettent dans l'Atlantique ?");
    EXPECT_EQ(libelles(f), (QStringList{"1)  Loire", "2)  Seine", "3)  Garonne", "4)  Rhône"}));
    // Its picture is missing: the default one, and nothing opens the viewer.
    EXPECT_EQ(bitmap(f.ImPhoto), 104);
    EXPECT_FALSE(f.cmdPhoto->isVisible() || f.ImPhoto->isEnabled() || f.PicPhoto->isEnabled());

    // Nothing ticked: declined, then accepted.
    t.p.dialogues.reponses = {Reponse::Non};
    f.cmdValider_Click();
    ASSERT_EQ(t.p.dialogues.appels.size(), 1u);
    EXPECT_EQ(t.p.dialogues.appels[0].texte, "Etes-vous sûr de ne pas vouloir répondre ?");
    EXPECT_EQ(t.p.dialogues.appels[0].titre, "ATTENTION");
    EXPECT_EQ(t.p.dialogues.appels[0].style, 20);
    EXPECT_EQ(t.s.RangQuestion, 2);
    EXPECT_EQ(bitmap(f.Image2), 101);
    EXPECT_EQ(f.lblreponses->text().left(23), "1 réponses justes sur 4");
    attendreQuestion(f, "Question n° 2 sur 4 :  Quels fleuves se jettent dans l'Atlantique ?");
    EXPECT_EQ(libelles(f).size(), 4);

    t.p.dialogues.reponses = {Reponse::Oui};
    f.cmdValider_Click();
    EXPECT_EQ(bitmap(f.Image2), 103);
    EXPECT_EQ(f.lblNote->text(), "19,5 /20");
    EXPECT_EQ(f.lblreponses->text(),
              "1 réponses justes sur 4\r\n0 réponses fausses sur 4\r\n1 réponses nulles sur 4");
    attendreQuestion(f, "Question n° 3 sur 4 :  Quel est le plus long fleuve ?");
    EXPECT_EQ(bitmap(f.ImPhoto), 104);  // no picture name

    // Wrong, with a comment: the comment screen opens.
    f.chkRéponse[2]->setChecked(true);
    f.cmdValider_Click();
    EXPECT_EQ(bitmap(f.Image2), 102);
    EXPECT_EQ(f.lblNote->text(), "18,5 /20");
    EXPECT_EQ(t.p.navigation.montres.back(), Ecran::Notes);
    EXPECT_EQ(t.s.NbJustes * 100 + t.s.NbFausses * 10 + t.s.NbNulles, 111);
    attendreQuestion(f, "Question n° 4 sur 4 :  Où naît la Seine ?");

    t.p.horloge.avancer(75);
    f.Timer2_Timer();
    EXPECT_EQ(f.lblTempsPassé->text(), "Temps écoulé\r\n01 minutes 15 secondes.");

    // Abandon: No keeps the question and its ticks, Yes leaves for the results.
    f.chkRéponse[1]->setChecked(true);
    t.p.dialogues.reponses = {Reponse::Non, Reponse::Oui};
    f.cmdQuitter_Click();
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.chkRéponse[1]->isChecked());
    f.cmdQuitter_Click();
    EXPECT_EQ(t.p.dialogues.appels.back().texte, "Etes-vous sûr de vouloir quitter ?");
    EXPECT_EQ(t.s.RangQuestion, 3);
    EXPECT_EQ(f.etat(), EtatQuiz::Quitte);
    EXPECT_EQ(t.p.navigation.montres.back(), Ecran::Resultats);
    EXPECT_FALSE(f.isVisible() || f.Timer1.isActive() || f.Timer2.isActive());
}

TEST(FrmMain, EndOfQuestionnaireAndClosingTheWindow) {
    Fleuves t("0");
    frmMain f(t.s, t.p.services, t.p.navigation);
    f.show();
    f.cmdValider_Click();
    EXPECT_FALSE(f.Timer1.isActive() || f.prgBar1->isVisible());
    for (int i = 0; i < 4; ++i) {
        f.chkRéponse[0]->setChecked(true);
        f.cmdValider_Click();
    }
    EXPECT_EQ(f.etat(), EtatQuiz::Termine);
    EXPECT_EQ(t.s.RangQuestion, 4);
    EXPECT_EQ(f.lblNote->text(), "18 /20");
    EXPECT_FALSE(f.cmdValider->isEnabled());
    EXPECT_TRUE(f.cmdAfficher->isVisible());
    ASSERT_EQ(t.p.dialogues.appels.size(), 1u);
    EXPECT_EQ(t.p.dialogues.appels[0].titre, "BILAN DU QUESTIONNAIRE");
    EXPECT_EQ(t.p.dialogues.appels[0].style, 64);
    EXPECT_TRUE(t.p.dialogues.appels[0].texte.endsWith("\r\net votre note."));

    t.p.dialogues.reponses = {Reponse::Non};
    EXPECT_FALSE(f.close());
    EXPECT_EQ(t.p.dialogues.appels.back().texte, "Etes-vous sûr de vouloir quitter ?");
    f.cmdAfficher_Click();
    EXPECT_TRUE(t.s.SortieConfirmee);
    EXPECT_EQ(t.p.navigation.montres.back(), Ecran::Resultats);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(t.p.dialogues.appels.size(), 2u);  // left without a second question
}

TEST(FrmMain, LoadingFailureGoesBackToTheLibrary) {
    Fleuves t;
    QFile::remove(t.s.DossierQuestionnaire + "/FLEUVES.ini");
    frmMain f(t.s, t.p.services, t.p.navigation);
    f.show();
    EXPECT_FALSE(f.isVisible());
    ASSERT_EQ(t.p.dialogues.appels.size(), 1u);
    EXPECT_EQ(t.p.dialogues.appels[0].titre, "AVERTISSEMENT");
    EXPECT_EQ(t.p.dialogues.appels[0].style, 48);
    QCoreApplication::processEvents();
    EXPECT_EQ(t.p.navigation.montres, std::vector<Ecran>{Ecran::Themes});
}

TEST(FrmMain, CyclingPicturesAdvanceWithTheCountdown) {
    Fleuves t;
    ecrire(t.s.DossierQuestionnaire + "/FLEUVES.ini",
           {"[Fichiers Images]", "1", "2", "seine.jpg", "perdue.jpg", "", "", "", "25"});
    frmMain f(t.s, t.p.services, t.p.navigation);
    EXPECT_EQ(f.prgBar1->maximum(), 12);
    f.cmdValider_Click();
    f.Timer1_Timer();
    EXPECT_TRUE(f.ImPhoto->isVisibleTo(&f));
    EXPECT_EQ(f.ImPhoto->size(), QSize(272, 192));
    EXPECT_TRUE(t.s.CheminImage.endsWith("/Images/seine.jpg"));
    f.Timer1_Timer();  // missing: hidden, and the countdown waits
    EXPECT_FALSE(f.ImPhoto->isVisibleTo(&f) || f.PicPhoto->isEnabled());
    EXPECT_EQ(f.prgBar1->value(), 1);
    f.Timer1_Timer();
    EXPECT_EQ(f.prgBar1->value(), 3);
}
