#include "noyau/deroulement/presentation.h"

#include <gtest/gtest.h>

TEST(Presentation, AuthorNumberingHeaderCaptionsAndCount) {
    for (const char* r : {"1) Vrai", "a) Vrai", "A la mer", "Paris", "La lave", "(1) oui"})
        EXPECT_TRUE(ChoixDejaNumerotes(r)) << r;
    for (const char* r : {"Lyon", "2) faux", "Été", "", "à pied"})
        EXPECT_FALSE(ChoixDejaNumerotes(r)) << r;
    const std::pair<QStringList, QStringList> cas[] = {
        {{"Néon", "Oxygène", "Argon"}, {"1)  Néon", "2)  Oxygène", "3)  Argon"}},
        {{"a) Vrai", "b) Faux"}, {"a) Vrai", "b) Faux"}},  // the author's lettering kept
        {{}, {"1)  "}},                                    // no answer: one empty box
        {{"1", "2", "3", "4", "5", "6", "7", "8", "9"},
         {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
    };
    for (const auto& [reponses, libelles] : cas) {
        QuizState s;
        s.NbQuestions = 12;
        s.RangQuestion = 2;
        s.NumQuestion = 7;
        s.TexteQCM[7][0][0] = "Quel gaz domine ?";
        for (int k = 0; k < reponses.size(); ++k) s.TexteQCM[7][0][k + 1] = reponses[k];
        const QuestionAffichee q = Charge_questionnaire(s);
        EXPECT_EQ(q.entete, "Question n° 2 sur 12 :  Quel gaz domine ?");
        EXPECT_EQ(q.libelles, libelles);
        EXPECT_EQ(s.NbChoix, libelles.size());
        EXPECT_EQ(s.ChoixNumerotes, !libelles[0].startsWith("1)  "));
    }
    QuizState avant;  // before the first question only the flag is cleared
    avant.ChoixNumerotes = true;
    EXPECT_FALSE(Charge_questionnaire(avant).affichee || avant.ChoixNumerotes);
    EXPECT_EQ(EnPixels(37.5f), 2);  // 2.5 px: halves to even
}
