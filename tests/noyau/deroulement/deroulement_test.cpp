#include "noyau/deroulement/deroulement.h"

#include <gtest/gtest.h>

TEST(Deroulement, AbandonCountsOnlyAnsweredQuestions) {
    // Ready, on question 4 of 10 (three answered), finished.
    for (const auto& [avances, rang, avant] : {std::tuple{0, 0, EtatQuiz::Pret},
                                               {4, 3, EtatQuiz::Reponse},
                                               {10, 10, EtatQuiz::Termine}}) {
        QuizState s;
        s.NbQuestions = 10;
        for (int i = 10; i >= 1; --i) s.OrdreQuestions << static_cast<std::int16_t>(i);
        Deroulement d(s);
        for (int i = 0; i < avances; ++i) d.avancer();
        EXPECT_EQ(s.NumQuestion, avances ? 11 - avances : 0);  // the drawn order
        EXPECT_EQ(d.finAtteinte(), avances == 10);
        EXPECT_EQ(d.etat(), avant);
        if (avances == 10) EXPECT_FALSE(d.avancer());
        d.abandonner();
        d.abandonner();  // a second confirmation changes nothing
        EXPECT_EQ(s.RangQuestion, rang);
        EXPECT_TRUE(s.SortieConfirmee);
        EXPECT_EQ(d.etat(), EtatQuiz::Quitte);
    }
}
