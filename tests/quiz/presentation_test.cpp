#include "quiz/presentation.h"

#include <gtest/gtest.h>

TEST(Presentation, AuthorNumberingDetectedOnTheFirstAnswer) {
    const std::pair<const char*, bool> cas[] = {
        {"1) Vrai", true}, {"a) Vrai", true}, {"A la mer", true}, {"Paris", true},
        {"La lave", true}, {"(1) oui", true}, {"Lyon", false}, {"2) faux", false},
        {"Été", false},    {"", false},       {"à pied", false},
    };
    for (const auto& [reponse, numerotee] : cas)
        EXPECT_EQ(ChoixDejaNumerotes(reponse), numerotee) << reponse;
}

TEST(Presentation, HeaderCaptionsAndCount) {
    struct Cas {
        QStringList reponses;
        QStringList libelles;
        bool numerotes;
    };
    const Cas cas[] = {
        {{"Néon", "Oxygène", "Argon"}, {"1)  Néon", "2)  Oxygène", "3)  Argon"}, false},
        {{"a) Vrai", "b) Faux"}, {"a) Vrai", "b) Faux"}, true},
        {{"Paris", "Lyon"}, {"Paris", "Lyon"}, true},
        {{}, {"1)  "}, false},
        {{"Seule"}, {"1)  Seule"}, false},
        {{"1", "2", "3", "4", "5", "6", "7", "8", "9"},
         {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, true},
    };
    for (const Cas& c : cas) {
        QuizState s;
        s.NbQuestions = 12;
        s.RangQuestion = 2;
        s.NumQuestion = 7;
        s.TexteQCM[7][0][0] = "Quel gaz domine ?";
        for (int k = 0; k < c.reponses.size(); ++k) s.TexteQCM[7][0][k + 1] = c.reponses[k];
        const QuestionAffichee q = Charge_questionnaire(s);
        EXPECT_TRUE(q.affichee);
        EXPECT_EQ(q.entete, "Question n° 2 sur 12 :  Quel gaz domine ?");
        EXPECT_EQ(q.libelles, c.libelles);
        EXPECT_EQ(s.NbChoix, c.libelles.size());
        EXPECT_EQ(s.ChoixNumerotes, c.numerotes);
    }

    QuizState avant;
    avant.ChoixNumerotes = true;
    avant.NbChoix = 4;
    EXPECT_FALSE(Charge_questionnaire(avant).affichee);
    EXPECT_FALSE(avant.ChoixNumerotes);
    EXPECT_EQ(avant.NbChoix, 4);
}

TEST(Presentation, BoxesStackFiftyTwipsApart) {
    EXPECT_FLOAT_EQ(HautChoix(0, 2940, 360), 2940);
    EXPECT_FLOAT_EQ(HautChoix(1, 2940, 360), 3350);
    EXPECT_FLOAT_EQ(HautChoix(8, 2940, 360), 6220);
    EXPECT_EQ(EnPixels(3350), 223);  // 223.33
    EXPECT_EQ(EnPixels(22.5f), 2);   // 1.5 -> 2
    EXPECT_EQ(EnPixels(37.5f), 2);   // 2.5 -> 2, halves to even
}
