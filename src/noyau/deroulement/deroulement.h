#pragma once
#include "noyau/deroulement/quiz_state.h"

#include <QDateTime>

// The four states of the quiz screen.
enum class EtatQuiz {
    Pret,     // the introduction is on screen (RangQuestion 0)
    Reponse,  // a question awaits its answer
    Termine,  // the last question is judged; only the results remain
    Quitte,   // the screen is being left for the results
};

// The validation flow of the quiz screen as a state machine over QuizState.
// The screen calls it around its own work (judging, showing a question).
class Deroulement {
public:
    explicit Deroulement(QuizState& s) : s_(s) {}

    EtatQuiz etat() const;

    // First half of a press of cmdValider. On the introduction, starts the
    // run at `maintenant` and returns true; otherwise returns false and the
    // screen judges the question on screen.
    bool commencer(const QDateTime& maintenant);

    // After a judgment: true when the question judged was the last one, and
    // the screen then switches to the end of the questionnaire.
    bool finAtteinte();

    // Second half of a press: moves to the next question of the drawn order.
    // Returns true when a question is to be shown (NumQuestion is then set),
    // false after the last one or when there is no question at all.
    bool avancer();

    // The student confirmed the abandon: RangQuestion counts only the
    // questions answered.
    void abandonner();

    // The results button on the finished screen.
    void afficherResultats();

private:
    QuizState& s_;
    bool termine_ = false;
    bool quitte_ = false;
};
