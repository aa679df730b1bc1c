// Screenshots of the quiz screen, written only when KORVANE_CAPTURES names a
// folder, on an 800 x 600 display: KORVANE_CAPTURES=$PWD/docs/screenshots
// QT_QPA_PLATFORM=xcb DISPLAY=:11 korvane_tests --gtest_filter='CapturesQuiz*'
#include "quiz/frm_main.h"
#include "support/fakes.h"

#include <QCheckBox>
#include <QProcess>
#include <QTest>
#include <memory>
#include <gtest/gtest.h>

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
