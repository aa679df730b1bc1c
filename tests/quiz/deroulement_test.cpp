#include "quiz/deroulement.h"

#include <gtest/gtest.h>

namespace {
QuizState questionnaire(int n) {
    QuizState s;
    s.NbQuestions = n;
    for (int i = n; i >= 1; --i) s.OrdreQuestions << static_cast<std::int16_t>(i);
    return s;
}
}  // namespace

TEST(Deroulement, AbandonCountsOnlyAnsweredQuestions) {
    struct Cas {
        int avances;
        bool fin;
        int rang;
        EtatQuiz avant;
    };
    // Ready, on question 4 of 10 (three answered), finished.
    for (const Cas& c : {Cas{0, false, 0, EtatQuiz::Pret}, Cas{4, false, 3, EtatQuiz::Reponse},
                         Cas{10, true, 10, EtatQuiz::Termine}}) {
        QuizState s = questionnaire(10);
        Deroulement d(s);
        for (int i = 0; i < c.avances; ++i) d.avancer();
        EXPECT_EQ(s.NumQuestion, c.avances ? 11 - c.avances : 0);  // the drawn order
        if (c.fin) {
            EXPECT_TRUE(d.finAtteinte() && !d.avancer());
        }
        EXPECT_EQ(d.etat(), c.avant);
        d.abandonner();
        d.abandonner();  // a second confirmation changes nothing
        EXPECT_EQ(s.RangQuestion, c.rang);
        EXPECT_TRUE(s.SortieConfirmee);
        EXPECT_EQ(d.etat(), EtatQuiz::Quitte);
    }
}
