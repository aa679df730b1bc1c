#include "ecrans/quiz/frm_notes.h"

#include "support/fakes.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

// The comment of the question on screen, read only; OK, Enter and Escape close it.
TEST(frmNotes, ShowsTheCommentAndClosesByOkEnterOrEscape) {
    PlateformeSimulee p;
    QuizState s;
    s.NumQuestion = 12;
    s.Commentaires[12] = "Le Vésuve et l'Etna sont en Italie.";
    for (int touche : {0, int(Qt::Key_Return), int(Qt::Key_Escape)}) {
        frmNotes notes(s, p.services, p.navigation);
        EXPECT_EQ(notes.windowTitle(), "Commentaire");
        EXPECT_EQ(notes.Label1->text(), "Commentaire de la question n° 12");
        EXPECT_EQ(notes.Text1->toPlainText(), s.Commentaires[12]);
        EXPECT_TRUE(notes.Text1->isReadOnly());
        notes.show();
        notes.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&notes));
        if (touche == 0)
            QTest::mouseClick(notes.Command1, Qt::LeftButton);
        else
            QTest::keyClick(notes.Text1, Qt::Key(touche));
        EXPECT_FALSE(notes.isVisible()) << touche;
    }
}
