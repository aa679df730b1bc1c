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

TEST(Deroulement, ReadyAnsweringFinished) {
    QuizState s = questionnaire(3);
    Deroulement d(s);
    EXPECT_EQ(d.etat(), EtatQuiz::Pret);
    const QDateTime debut(QDate(2026, 12, 5), QTime(9, 0));
    EXPECT_TRUE(d.commencer(debut));
    EXPECT_EQ(s.HeureDebut, debut);
    s.TicsMinuterie = 1;
    ASSERT_TRUE(d.avancer());
    EXPECT_TRUE(s.ChronoActif);
    EXPECT_EQ(s.TicsMinuterie, 0);
    EXPECT_EQ(s.RangQuestion, 1);
    EXPECT_EQ(s.NumQuestion, 3);  // the drawn order, not the file order
    EXPECT_EQ(d.etat(), EtatQuiz::Reponse);
    EXPECT_FALSE(d.commencer(debut.addSecs(5)));
    EXPECT_EQ(s.HeureDebut, debut);

    // A declined null answer steps back: the same question comes again.
    --s.RangQuestion;
    EXPECT_FALSE(d.finAtteinte());
    ASSERT_TRUE(d.avancer());
    EXPECT_EQ(s.RangQuestion, 1);
    EXPECT_EQ(s.NumQuestion, 3);

    ASSERT_TRUE(d.avancer());
    ASSERT_TRUE(d.avancer());
    EXPECT_EQ(s.NumQuestion, 1);
    EXPECT_TRUE(d.finAtteinte());
    EXPECT_FALSE(d.avancer());
    EXPECT_EQ(s.RangQuestion, 3);
    EXPECT_EQ(d.etat(), EtatQuiz::Termine);
    d.afficherResultats();
    EXPECT_TRUE(s.SortieConfirmee);
    EXPECT_EQ(d.etat(), EtatQuiz::Quitte);
}

TEST(Deroulement, AbandonCountsOnlyAnsweredQuestions) {
    struct Cas {
        int avances;
        bool fin;
        int rang;
    };
    // Ready, on question 4 of 10 (three answered), finished.
    for (const Cas& c : {Cas{0, false, 0}, Cas{4, false, 3}, Cas{10, true, 10}}) {
        QuizState s = questionnaire(10);
        Deroulement d(s);
        for (int i = 0; i < c.avances; ++i) d.avancer();
        if (c.fin) {
            d.finAtteinte();
            d.avancer();
        }
        d.abandonner();
        d.abandonner();  // a second confirmation changes nothing
        EXPECT_EQ(s.RangQuestion, c.rang);
        EXPECT_TRUE(s.SortieConfirmee);
        EXPECT_EQ(d.etat(), EtatQuiz::Quitte);
    }
}

TEST(Deroulement, NoQuestionStartsAgainAtEveryPress) {
    QuizState s = questionnaire(0);
    Deroulement d(s);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(d.commencer(QDateTime::currentDateTime()));
        EXPECT_FALSE(d.avancer());
        EXPECT_EQ(s.RangQuestion, 0);
        EXPECT_EQ(d.etat(), EtatQuiz::Pret);
    }
}
