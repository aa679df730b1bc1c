#pragma once
#include "ecrans/commun/navigation.h"
#include "noyau/deroulement/quiz_state.h"
#include "noyau/services/services.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The teacher's comment on the question on screen, shown beside the quiz
// after a wrong answer. Filled when it loads; OK, Enter or Escape close it.
class frmNotes : public QWidget {
public:
    frmNotes(QuizState& s, Services& services, Navigation& navigation, QWidget* parent = nullptr);

    QLabel* Label1;
    QPlainTextEdit* Text1;
    QPushButton* Command1;
    QLabel* Image1;

private:
    void Form_Load();

    QuizState& s_;
};
