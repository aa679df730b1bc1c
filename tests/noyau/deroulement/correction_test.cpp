#include "noyau/deroulement/correction.h"

#include <gtest/gtest.h>

namespace {
QuizState question(const QStringList& drapeaux, int numero = 4) {
    QuizState s;
    s.NumQuestion = static_cast<std::int16_t>(numero);
    s.RangQuestion = 1;
    s.NbQuestions = 10;
    s.NbChoix = static_cast<int>(drapeaux.size());
    for (int k = 0; k < drapeaux.size(); ++k) s.BonnesReponses[4][k] = drapeaux[k];
    s.Commentaires[4] = "Relire le cours.";
    return s;
}
bool oui() { return true; }
bool non() { return false; }
}  // namespace

TEST(CorrigeReponse, TicksAgainstFlagsDeclinedUnjudgedAndBelowZero) {
    const std::tuple<QStringList, QVector<bool>, bool> cas[] = {
        {{"1", "0", "1"}, {true, false, true}, true},
        {{"1", "0", "1"}, {true, false, false}, false},
        {{"1", "0", "1"}, {true, true, true}, false},
        // A missing flag or one that is neither "0" nor "1" counts as "0".
        {{"1", "x", ""}, {true, false, false}, true},
        {{"1", "x", ""}, {true, true, false}, false},
        {{"1", "0", ""}, {true, false, true}, false},
    };
    for (const auto& [drapeaux, cochees, vrai] : cas) {
        QuizState s = question(drapeaux);
        const Jugement j = Corrige_reponse(s, cochees, non);
        EXPECT_EQ(j.verdict, vrai ? "Vrai" : "Faux") << drapeaux.join(' ').toStdString();
        EXPECT_EQ(j.commentaire, !vrai);
        EXPECT_EQ(s.NbJustes * 10 + s.NbFausses, vrai ? 10 : 1);
    }

    // Declined or unjudged: nothing counts; thirty wrong answers: below zero.
    QuizState s = question({"1", "0"});
    const Jugement j = Corrige_reponse(s, {false, false}, non);
    EXPECT_TRUE(j.verdict.isEmpty() && j.bitmap == 0);
    EXPECT_EQ(s.RangQuestion, 0);  // the flow shows the same question again
    for (int n : {1, 7, 9}) {      // only two to six choices are judged
        s.NbChoix = n;
        EXPECT_TRUE(Corrige_reponse(s, QVector<bool>(n, true), oui).verdict.isEmpty());
    }
    EXPECT_EQ(s.NbJustes + s.NbFausses + s.NbNulles, 0);
    EXPECT_FLOAT_EQ(s.Note, 20);
    QuizState hors = question({"1", "0"}, 150);  // outside the tables: no flag is right
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(Corrige_reponse(hors, {true, false}, non).verdict, "Faux");
    EXPECT_EQ(TexteNote(hors.Note), "-10 /20");  // thirty wrong: below zero
}
