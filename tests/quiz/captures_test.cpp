// Screenshots of the quiz screen on the sample library, written only when
// KORVANE_CAPTURES names a folder, on an 800 x 600 Xvfb display:
//   KORVANE_CAPTURES=$PWD/docs/screenshots QT_QPA_PLATFORM=xcb DISPLAY=:11 \
//     korvane_tests --gtest_filter='CapturesQuiz*'
#include "quiz/frm_main.h"
#include "support/fakes.h"

#include <QCheckBox>
#include <QProcess>
#include <QTest>
#include <memory>
#include <gtest/gtest.h>

namespace {
void capturer(QWidget& fenetre, const QString& nom) {
    fenetre.move(0, 0);
    fenetre.show();
    QTest::qWait(600);
    const QString fichier = qEnvironmentVariable("KORVANE_CAPTURES") + "/" + nom;
    EXPECT_EQ(QProcess::execute("import", {"-window", "root", fichier}), 0) << qPrintable(nom);
}

void choisir(QuizState& s, const QString& nom) {
    s.DossierQuestionnaire = QString(KORVANE_SAMPLE_LIBRARY) + "/" + nom;
    s.CheminQuestionnaire = s.DossierQuestionnaire + "/" + nom + ".dat";
}
}  // namespace

TEST(CapturesQuiz, IntroductionQuestionAndEnd) {
    if (qEnvironmentVariableIsEmpty("KORVANE_CAPTURES")) GTEST_SKIP() << "KORVANE_CAPTURES not set";
    PlateformeSimulee p;
    QuizState planetes, s;
    choisir(planetes, "PLANETES");
    capturer(*std::make_unique<frmMain>(planetes, p.services, p.navigation), "quiz-intro.png");

    choisir(s, "VOLCANS");
    frmMain f(s, p.services, p.navigation);
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
    p.horloge.avancer(6);
    f.cmdValider_Click();
    f.Timer2_Timer();
    capturer(f, "quiz-end.png");
}
