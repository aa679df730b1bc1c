#include "ecrans/quiz/frm_main.h"

#include "noyau/deroulement/correction.h"
#include "noyau/deroulement/identification.h"
#include "noyau/questionnaire/bibliotheque.h"
#include "support/dossier.h"
#include "support/fakes.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSemaphore>
#include <QTest>
#include <QTextEdit>
#include <QThreadPool>

#include <gtest/gtest.h>

namespace {

// A questionnaire folder FLEUVES: question 1 has a picture, question 2 a
// missing one, questions 3 and 4 none; question 3 has a comment.
struct Fleuves {
    DossierDeTest d{"FLEUVES"};
    QuizState s;
    PlateformeSimulee p;

    explicit Fleuves(const QString& minuterie = "30") {
        d.choisir(s);
        s.Identifiant = "b01", s.Classe = "3a";
        QImage photo(600, 400, QImage::Format_RGB32);
        photo.fill(Qt::blue);
        photo.save(d.dossier() + "/Images/seine.jpg");
        d.dat(QString("</Les fleuves|"
                      "0 Quel fleuve traverse Paris ?|La Seine|La Loire|Le Rhône|=>1 0 0|"
                      "0 Quels fleuves se jettent dans l'Atlantique ?|"
                      "Loire|Seine|Garonne|Rhône|=>1 0 1 0|"
                      "0 Quel est le plus long fleuve ?|Rhône|Loire|Seine|=>0 1 0|"
                      "0 Où naît la Seine ?|En Bourgogne|Dans les Alpes|=>1 0")
                  .split('|'));
        d.ini({"[Fichiers Images]", "0", "1", "seine.jpg", "2", "absente.gif", "3", "", "", "x",
               "x", minuterie, "[Commentaires]", "3", "La Loire mesure 1 006 km."});
    }
};

// The journals the attempts left in the questionnaire's "Essais" folder.
QStringList journaux(const Fleuves& t) {
    return QDir(t.d.dossier() + "/Essais").entryList({"*.jsonl"}, QDir::Files);
}

// Which built-in picture a label shows, 0 for none of them.
int bitmap(const QLabel* image) {
    const QImage affichee = image->pixmap().toImage();
    for (int n : {101, 102, 103, 104})
        if (!affichee.isNull() &&
            affichee == QPixmap(QString(":/pictures/%1.png").arg(n)).toImage())
            return n;
    return 0;
}

// The question on screen, its captions, all unticked.
void question(const frmMain& f, const QString& entete, const QStringList& libelles) {
    EXPECT_EQ(f.txtQuestion->toPlainText(), entete);
    QStringList vus;
    for (QCheckBox* c : f.chkRéponse) {
        if (c->isVisible()) vus << c->text();
        EXPECT_EQ(c->checkState(), Qt::Unchecked);
    }
    EXPECT_EQ(vus, libelles);
}

// The verdict of the last answer judged, the mark and the tally, shown and named.
void verdict(const frmMain& f, int image, const QString& note, int justes, int fausses,
             int nulles) {
    QStringList lignes;
    for (const auto& [n, quoi] :
         {std::pair{justes, "justes"}, {fausses, "fausses"}, {nulles, "nulles"}})
        lignes << QString("%1 réponses %2 sur 4").arg(n).arg(quoi);
    const QString bilan = lignes.join("\r\n");
    const QStringList noms = {"Réponse juste", "Réponse fausse", "Pas de réponse"};
    EXPECT_EQ(bitmap(f.Image2), image);
    EXPECT_EQ(f.Image2->accessibleName(), noms.value(image - 101));
    EXPECT_EQ(f.lblNote->text() + "|" + f.lblNote->accessibleName(),
              note + " /20|Note : " + note + " sur 20");
    EXPECT_EQ(f.lblreponses->text(), bilan);
    EXPECT_EQ(f.lblreponses->accessibleName(), QString(bilan).replace("\r\n", ", "));
}

// Holds every worker thread, so that no picture decodes before relacher().
struct DecodageRetenu {
    QThreadPool& pool = *QThreadPool::globalInstance();
    QSemaphore feu;
    bool retenu = (pool.waitForDone(), true);
    DecodageRetenu() {
        for (int i = 0; i < pool.maxThreadCount(); ++i) pool.start([this] { feu.acquire(); });
    }
    ~DecodageRetenu() { relacher(); }
    void relacher() {
        if (std::exchange(retenu, false)) feu.release(pool.maxThreadCount());
        pool.waitForDone();
        QTest::qWait(20);  // the decodes' ends are handed over by the event loop
    }
};

}  // namespace

TEST(FrmMain, WholeQuestionnaireWithTicksNullAnswersCommentAndAbandon) {
    Fleuves t;
    auto& appels = t.p.dialogues.appels;
    frmMain f(t.s, t.p.services, t.p.navigation);
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    EXPECT_EQ(f.windowTitle(), "Les fleuves");
    EXPECT_FALSE(f.cmdAfficher->isVisible() || f.cmdPhoto->isVisible() || f.cmdAide->isVisible() ||
                 f.prgBar1->isVisible() || f.Label3->isVisible());
    EXPECT_EQ(bitmap(f.ImPhoto), 104);
    const QSize defaut = QPixmap(Bitmap::chemin(Bitmap::Vignette)).size();
    EXPECT_EQ(f.ImPhoto->geometry(),  // at its own size, centred at the top of the box
              QRect(QPoint((f.PicPhoto->width() - defaut.width()) / 2, 0), defaut));
    EXPECT_EQ(f.lblHeure->text(), "SAMEDI 5 DÉCEMBRE 2026\r\n14:03:27");
    // The focus frame shows from the opening, on Valider.
    EXPECT_TRUE(f.cmdValider->hasFocus() && f.testAttribute(Qt::WA_KeyboardFocusChange));

    // Alt+V starts the run (an animated click); "La Seine" counts as lettered.
    QTest::keyClick(&f, Qt::Key_V, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.etat() == EtatQuiz::Reponse; }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.vignetteEnAttente(); }));
    EXPECT_EQ(t.s.HeureDebut, t.p.horloge.instant);
    question(f, "Question n° 1 sur 4 :  Quel fleuve traverse Paris ?",
             {"La Seine", "La Loire", "Le Rhône"});
    EXPECT_EQ(f.chkRéponse[1]->y() - f.chkRéponse[0]->y(), 25);  // 22 px + 50 twips
    EXPECT_TRUE(f.ImPhoto->isEnabled() && f.cmdPhoto->isVisible());
    EXPECT_EQ(f.ImPhoto->size(), QSize(272, 192));  // 288 wide, clipped to the frame
    EXPECT_TRUE(f.Timer1.isActive() && f.prgBar1->isVisible());
    f.Timer1_Timer();
    EXPECT_EQ(f.Label3->text(), "Temps restant = 28 secondes");
    EXPECT_EQ(f.prgBar1->accessibleName(), f.Label3->text());
    QTest::mouseClick(f.ImPhoto, Qt::LeftButton);
    EXPECT_EQ(t.p.navigation.montres, std::vector<Ecran>{Ecran::Illustration});

    // The answers take the focus in order, after the question text, and
    // Space ticks: right.
    QTest::keyClick(f.chkRéponse[0], Qt::Key_Backtab);
    EXPECT_TRUE(f.txtQuestion->hasFocus() && f.txtQuestion->isReadOnly());
    QTest::keyClick(f.txtQuestion, Qt::Key_Tab);
    QTest::keyClick(f.chkRéponse[0], Qt::Key_Tab);
    EXPECT_TRUE(f.chkRéponse[1]->hasFocus());
    QTest::keyClick(f.chkRéponse[1], Qt::Key_Backtab);
    QTest::keyClick(f.chkRéponse[0], Qt::Key_Space);
    f.cmdValider_Click();
    verdict(f, 101, "20", 1, 0, 0);
    const QString q2 = "Question n° 2 sur 4 :  Quels fleuves se jettent dans l'Atlantique ?";
    const QStringList r2 = {"1)  Loire", "2)  Seine", "3)  Garonne", "4)  Rhône"};
    question(f, q2, r2);
    // Its picture is missing: the default one, nothing opens the viewer, the pupil is told.
    EXPECT_EQ(bitmap(f.ImPhoto), 104);
    EXPECT_FALSE(f.cmdPhoto->isVisible() || f.ImPhoto->isEnabled() || f.PicPhoto->isEnabled());
    EXPECT_EQ(f.lblImage->text(), "Image introuvable. Prévenez le professeur.");

    // Nothing ticked: declined (the same question again), then accepted.
    t.p.dialogues.reponses = {Reponse::Non};
    f.cmdValider_Click();
    ASSERT_EQ(appels.size(), 1u);
    EXPECT_EQ(appels[0].texte, "Etes-vous sûr de ne pas vouloir répondre ?");
    EXPECT_EQ(appels[0].titre + QString::number(appels[0].style), "ATTENTION20");
    verdict(f, 101, "20", 1, 0, 0);
    question(f, q2, r2);
    t.p.dialogues.reponses = {Reponse::Oui};
    f.cmdValider_Click();
    verdict(f, 103, "19,5", 1, 0, 1);
    question(f, "Question n° 3 sur 4 :  Quel est le plus long fleuve ?",
             {"1)  Rhône", "2)  Loire", "3)  Seine"});
    EXPECT_EQ(bitmap(f.ImPhoto), 104);  // no picture named: nothing to say
    EXPECT_FALSE(f.lblImage->isVisibleTo(&f));

    // Wrong, with a comment: the comment screen opens.
    f.chkRéponse[2]->setChecked(true);
    f.cmdValider_Click();
    verdict(f, 102, "18,5", 1, 1, 1);
    EXPECT_EQ(t.p.navigation.montres.back(), Ecran::Notes);
    t.p.horloge.avancer(75);
    f.Timer2_Timer();
    EXPECT_EQ(f.lblTempsPassé->text(), "Temps écoulé\r\n01 minutes 15 secondes.");

    // Abandon: No keeps the question and its ticks, Yes leaves for the results.
    f.chkRéponse[1]->setChecked(true);
    t.p.dialogues.reponses = {Reponse::Non, Reponse::Oui};
    f.cmdQuitter_Click();
    EXPECT_TRUE(f.isVisible() && f.chkRéponse[1]->isChecked());
    f.cmdQuitter_Click();
    EXPECT_EQ(appels.back().texte, "Etes-vous sûr de vouloir quitter ?");
    EXPECT_EQ(t.s.RangQuestion, 3);
    EXPECT_EQ(t.p.navigation.montres.back(), Ecran::Resultats);
    EXPECT_FALSE(f.isVisible() || f.Timer1.isActive() || f.Timer2.isActive());
    EXPECT_TRUE(journaux(t).isEmpty());  // none asked for
}

namespace {

// Answers the first `n` of: right, left unanswered, wrong, right; each
// after 12 seconds.
void repondre(frmMain& f, Fleuves& t, int n) {
    const QVector<int> cases{0, -1, 2, 0};
    for (int i = 0; i < n; ++i) {
        t.p.horloge.avancer(12);
        if (cases[i] >= 0) f.chkRéponse[cases[i]]->setChecked(true);
        f.cmdValider_Click();
    }
}

QString resume(const Journal::ReponseLue& r) {
    QStringList cochees, justes;
    for (int k : r.cochees) cochees << QString::number(k);
    for (int k : r.justes) justes << QString::number(k);
    return QString("%1/%2 %3 [%4] [%5] sur %6 %7 s")
        .arg(QString::number(r.numero), QString::number(r.rang), r.verdict, cochees.join(','),
             justes.join(','), QString::number(r.choix), QString::number(r.secondes));
}

}  // namespace

// The picture decoded ahead is replaced on disk before its question comes:
// the file as it is then shows, here unreadable, and the pupil is told. The
// journal holds a line per question judged, then the end.
TEST(FrmMain, ReplacedPictureEndOfQuestionnaireJournalAndClosingTheWindow) {
    Fleuves t("0");
    t.s.Identifiant = "b01 ";
    auto& appels = t.p.dialogues.appels;
    {
        JournalDisque journal;
        frmMain f(t.s, t.p.services, t.p.navigation, &journal);
        f.show();
        QThreadPool::globalInstance()->waitForDone();
        t.d.ecrireOctets("Images/seine.jpg", "pas une image");
        f.cmdValider_Click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !f.vignetteEnAttente(); }));
        EXPECT_EQ(bitmap(f.ImPhoto), 104);
        EXPECT_EQ(f.lblImage->text(),
                  "Cette image ne peut pas être affichée. Prévenez le professeur.");
        EXPECT_FALSE(f.cmdPhoto->isVisible() || f.PicPhoto->isEnabled() ||
                     !f.lblImage->isVisibleTo(&f));
        repondre(f, t, 4);
        EXPECT_FALSE(f.Timer1.isActive() || f.prgBar1->isVisible());
        EXPECT_EQ(f.etat(), EtatQuiz::Termine);
        verdict(f, 101, "18,5", 2, 1, 1);
        EXPECT_TRUE(!f.cmdValider->isEnabled() && f.cmdAfficher->isVisible());
        ASSERT_EQ(appels.size(), 2u);  // the unanswered question's, then the summary
        EXPECT_EQ(appels[1].titre + QString::number(appels[1].style), "BILAN DU QUESTIONNAIRE64");
        EXPECT_TRUE(appels[1].texte.endsWith("\r\net votre note."));

        t.p.dialogues.reponses = {Reponse::Non};
        EXPECT_FALSE(f.close());
        EXPECT_EQ(appels.back().texte, "Etes-vous sûr de vouloir quitter ?");
        f.cmdAfficher_Click();
        EXPECT_EQ(t.p.navigation.montres.back(), Ecran::Resultats);
        EXPECT_FALSE(f.isVisible());
        EXPECT_EQ(appels.size(), 3u);  // left without a second question
        EXPECT_EQ(t.s.RangQuestion, 4);
    }  // the journal writes what is left, then stops
    ASSERT_EQ(journaux(t), QStringList{"B01_3A_2026-12-05_14-03-27_essai-1.jsonl"});
    const QString chemin = t.d.dossier() + "/Essais/" + journaux(t)[0];
    EXPECT_EQ(contenu(chemin).count('\n'), 6);
    QString erreur;
    const auto j = Journal::LireFichierJournal(chemin, &erreur);
    ASSERT_TRUE(j) << erreur.toStdString();
    EXPECT_EQ(QString("%1|%2|%3|%4|%5|%6|%7")
                  .arg(j->questionnaire, j->titre, j->identifiant, j->classe)
                  .arg(j->essai)
                  .arg(j->debut.toString("yyyy-MM-dd HH:mm:ss"))
                  .arg(j->questions),
              "FLEUVES|Les fleuves|B01|3A|1|2026-12-05 14:03:27|4");
    QStringList reponses;
    for (const auto& r : j->reponses) reponses << resume(r);
    EXPECT_EQ(reponses,
              QStringList({"1/1 Vrai [1] [1] sur 3 12 s", "2/2 Nulle [] [1,3] sur 4 12 s",
                           "3/3 Faux [3] [2] sur 3 12 s", "4/4 Vrai [1] [1] sur 2 12 s"}));
    EXPECT_EQ(j->reponses[0].intitule, "Quel fleuve traverse Paris ?");
    EXPECT_TRUE(j->termine && j->resultatsAtteints);
    EXPECT_EQ(j->note, 18.5);
    // The journal's folder is no questionnaire, and no results file exists.
    EXPECT_EQ(Bibliotheque::ListerThemes(t.d.bibliotheque()), QStringList{"FLEUVES"});
    EXPECT_EQ(Identification::valider(t.s.CheminQuestionnaire, "b01", "3a").issue,
              Identification::Issue::Accepte);

    // Another attempt, abandoned: its journal ends without a mark.
    JournalDisque journal;
    frmMain f(t.s, t.p.services, t.p.navigation, &journal);
    f.cmdValider_Click();
    repondre(f, t, 1);
    f.chkRéponse[1]->setChecked(true);  // ticked, never judged
    f.cmdQuitter_Click();
    journal.attendre();
    ASSERT_EQ(journaux(t).size(), 2);
    const auto abandon =
        Journal::LireFichierJournal(t.d.dossier() + "/Essais/" + journaux(t)[1], nullptr);
    ASSERT_TRUE(abandon);
    EXPECT_EQ(abandon->reponses.size(), 1);
    EXPECT_TRUE(abandon->termine && !abandon->resultatsAtteints && !abandon->note);
}

// A restart draws a new order: what is decoded ahead follows it, so the
// picture of the question asked last is ready when its turn comes.
TEST(FrmMain, RestartDecodesAheadInTheNewOrder) {
    Fleuves t;
    { frmMain premier(t.s, t.p.services, t.p.navigation); }
    t.s.Recommencer = true;
    t.p.hasard.valeurs = {0.001f, 0.001f, 0.001f, 0.0f};  // order 2, 3, 4, 1
    frmMain f(t.s, t.p.services, t.p.navigation);
    f.show();
    ASSERT_EQ(t.s.OrdreQuestions, (QVector<std::int16_t>{2, 3, 4, 1}));
    for (int rang = 1; rang <= 4; ++rang) {
        QThreadPool::globalInstance()->waitForDone();
        if (rang > 1) f.chkRéponse[0]->setChecked(true);
        f.cmdValider_Click();
        EXPECT_EQ(f.vignetteEnAttente(), false) << rang;
    }
    EXPECT_EQ(t.s.NumQuestion, 1);
    EXPECT_EQ(bitmap(f.ImPhoto), 0);  // the photo, not a built-in picture
    EXPECT_TRUE(f.cmdPhoto->isVisible());
}

// The longest opening text (a help document, several right answers, 99
// questions, ten attempts) fits the question box without a scroll bar; nine
// answers stand clear of the controls below them, all within the window.
TEST(FrmMain, LongestOpeningTextAndNineAnswersFitTheScreen) {
    Fleuves t;
    QStringList dat{
        "</Les fleuves", "0 Neuf réponses ?", "a", "b", "c", "d", "e", "f", "g", "h", "i"};
    for (int q = 2; q <= 99; ++q) dat += QStringList{"0 Oui ?", "Oui", "=>1 1"};
    t.d.dat(dat);
    t.d.ini({"[Fichiers Images]", "0", "", "x", "x", "30", "[Fichier d'aide]", "aide.doc"});
    frmMain f(t.s, t.p.services, t.p.navigation);
    f.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.txtQuestion->toPlainText().endsWith("plusieurs réponses possibles."));
    EXPECT_EQ(f.txtQuestion->verticalScrollBar()->maximum(), 0);
    f.cmdValider_Click();
    ASSERT_EQ(f.chkRéponse.size(), 9);
    EXPECT_LT(f.chkRéponse[8]->geometry().bottom(), f.prgBar1->y());
    for (QWidget* w : f.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(f.rect().contains(w->geometry())) << w->objectName().toStdString();
}

// A picture still decoding when the pupil reaches a missing one never shows
// in its place, per question or cycling.
TEST(FrmMain, SlowDecodeNeverShowsBesideAMissingPicture) {
    const QStringList cyclees = {
        "[Fichiers Images]", "1", "2", "seine.jpg", "absente.gif", "", "x", "x", "30"};
    for (const bool cyclage : {false, true}) {
        Fleuves t("0");
        if (cyclage) t.d.ini(cyclees);
        DecodageRetenu retenu;
        frmMain f(t.s, t.p.services, t.p.navigation);
        f.cmdValider_Click();
        if (cyclage) {
            f.Timer1_Timer();  // seine.jpg, decoding
            f.Timer1_Timer();  // absente.gif
        } else {
            f.chkRéponse[0]->setChecked(true);
            f.cmdValider_Click();
        }
        retenu.relacher();
        EXPECT_FALSE(f.vignetteEnAttente()) << cyclage;
        EXPECT_FALSE(f.cmdPhoto->isVisibleTo(&f) ||
                     (f.ImPhoto->isVisibleTo(&f) && bitmap(f.ImPhoto) == 0))
            << cyclage;
    }
}

TEST(FrmMain, LoadingFailureGoesBackToTheLibrary) {
    Fleuves t;
    QFile::remove(t.s.DossierQuestionnaire + "/FLEUVES.ini");
    frmMain f(t.s, t.p.services, t.p.navigation);
    f.show();
    EXPECT_FALSE(f.isVisible());
    ASSERT_EQ(t.p.dialogues.appels.size(), 1u);
    const auto& appel = t.p.dialogues.appels[0];
    EXPECT_EQ(appel.titre + QString::number(appel.style), "AVERTISSEMENT48");
    QCoreApplication::processEvents();
    EXPECT_EQ(t.p.navigation.montres, std::vector<Ecran>{Ecran::Themes});
}
