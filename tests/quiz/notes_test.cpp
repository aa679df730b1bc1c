#include "quiz/frm_notes.h"

#include "support/fakes.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

TEST(frmNotes, ShowsTheCommentOfTheQuestionOnScreen) {
    PlateformeSimulee p;
    QuizState s;
    s.NumQuestion = 12;
    s.Commentaires[12] = "Le Vésuve et l'Etna sont en Italie.";
    frmNotes notes(s, p.services, p.navigation);
    EXPECT_EQ(notes.windowTitle(), "Commentaire");
    EXPECT_EQ(notes.Label1->text(), "Commentaire de la question n° 12");
    EXPECT_EQ(notes.Text1->toPlainText(), "Le Vésuve et l'Etna sont en Italie.");
    EXPECT_TRUE(notes.Text1->isReadOnly());
    EXPECT_EQ(notes.Text1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(notes.Command1->text(), "&OK");
    EXPECT_FALSE(notes.Image1->pixmap().isNull());
}

TEST(frmNotes, OkEnterAndEscapeCloseIt) {
    PlateformeSimulee p;
    QuizState s;
    s.NumQuestion = 2;
    for (int touche : {0, int(Qt::Key_Return), int(Qt::Key_Escape)}) {
        frmNotes notes(s, p.services, p.navigation);
        notes.show();
        notes.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&notes));
        if (touche == 0) QTest::mouseClick(notes.Command1, Qt::LeftButton);
        else QTest::keyClick(notes.Text1, Qt::Key(touche));
        EXPECT_FALSE(notes.isVisible()) << touche;
    }
}

}  // namespace
