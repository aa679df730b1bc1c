#include "quiz/correction.h"

#include <gtest/gtest.h>

namespace {

QuizState questionAvecDrapeaux(const QStringList& drapeaux) {
    QuizState s;
    s.NumQuestion = 4;
    s.RangQuestion = 1;
    s.NbQuestions = 10;
    s.NbChoix = static_cast<int>(drapeaux.size());
    for (int k = 0; k < drapeaux.size(); ++k) s.BonnesReponses[4][k] = drapeaux[k];
    return s;
}

const auto jamaisDemande = [] {
    ADD_FAILURE() << "null-answer confirmation asked";
    return true;
};

}  // namespace

TEST(CorrigeReponse, TicksAgainstFlags) {
    struct Cas {
        QStringList drapeaux;
        QVector<bool> cochees;
        QString verdict;
    };
    const Cas cas[] = {
        {{"1", "0", "1"}, {true, false, true}, "Vrai"},
        {{"1", "0", "1"}, {true, false, false}, "Faux"},
        {{"1", "0", "1"}, {true, true, true}, "Faux"},
        {{"0", "1"}, {true, true}, "Faux"},
        {{"0", "1"}, {false, true}, "Vrai"},
        // A missing flag or one that is neither "0" nor "1" counts as "0".
        {{"1", "x", ""}, {true, false, false}, "Vrai"},
        {{"1", "x", ""}, {true, true, false}, "Faux"},
        {{"1", "0", ""}, {true, false, true}, "Faux"},
    };
    for (const Cas& c : cas) {
        QuizState s = questionAvecDrapeaux(c.drapeaux);
        const Jugement j = Corrige_reponse(s, c.cochees, jamaisDemande);
        EXPECT_EQ(j.verdict, c.verdict) << c.drapeaux.join(' ').toStdString();
        const bool vrai = c.verdict == "Vrai";
        EXPECT_EQ(j.bitmap, vrai ? Bitmap::Vrai : Bitmap::Faux);
        EXPECT_EQ(s.NbJustes, vrai ? 1 : 0);
        EXPECT_EQ(s.NbFausses, vrai ? 0 : 1);
        EXPECT_FLOAT_EQ(s.Note, vrai ? 20.0f : 19.0f);
        EXPECT_EQ(s.Verdict, c.verdict);
    }
}

TEST(CorrigeReponse, NullAnswerAcceptedOrDeclined) {
    QuizState s = questionAvecDrapeaux({"1", "0"});
    s.Commentaires[4] = "Relire le cours.";
    Jugement j = Corrige_reponse(s, {false, false}, [] { return true; });
    EXPECT_EQ(j.verdict, "Nulle");
    EXPECT_EQ(j.bitmap, Bitmap::Nulle);
    EXPECT_FALSE(j.commentaire);
    EXPECT_EQ(s.NbNulles, 1);
    EXPECT_EQ(TexteNote(s.Note), "19,5 /20");

    j = Corrige_reponse(s, {false, false}, [] { return false; });
    EXPECT_TRUE(j.verdict.isEmpty());
    EXPECT_EQ(j.bitmap, 0);
    EXPECT_EQ(s.RangQuestion, 0);
    EXPECT_EQ(s.NbNulles, 1);
    EXPECT_EQ(s.Verdict, "Nulle");
    EXPECT_FLOAT_EQ(s.Note, 19.5f);
}

TEST(CorrigeReponse, CommentOnlyAfterAWrongAnswerThatHasOne) {
    QuizState s = questionAvecDrapeaux({"1", "0"});
    EXPECT_FALSE(Corrige_reponse(s, {false, true}, jamaisDemande).commentaire);
    s.Commentaires[4] = "Relire le cours.";
    EXPECT_FALSE(Corrige_reponse(s, {true, false}, jamaisDemande).commentaire);
    EXPECT_TRUE(Corrige_reponse(s, {false, true}, jamaisDemande).commentaire);
}

TEST(CorrigeReponse, OnlyTwoToSixChoicesAreJudged) {
    for (int n : {1, 7, 9}) {
        QuizState s = questionAvecDrapeaux({"1"});
        s.NbChoix = n;
        const Jugement j = Corrige_reponse(s, QVector<bool>(n, true), jamaisDemande);
        EXPECT_TRUE(j.verdict.isEmpty());
        EXPECT_EQ(s.NbJustes + s.NbFausses + s.NbNulles, 0);
        EXPECT_FLOAT_EQ(s.Note, 20.0f);
    }
    // A question number outside the tables: no flag is right, nothing fails.
    QuizState s = questionAvecDrapeaux({"1", "0"});
    s.NumQuestion = 150;
    EXPECT_EQ(Corrige_reponse(s, {true, false}, jamaisDemande).verdict, "Faux");
    EXPECT_EQ(Corrige_reponse(s, {false, false}, [] { return true; }).verdict, "Nulle");
}

TEST(CorrigeReponse, MarkAndTallyOverARun) {
    // Ten questions: five right, three wrong, two left unanswered.
    QuizState s = questionAvecDrapeaux({"1", "0"});
    const QVector<QVector<bool>> reponses = {{true, false}, {false, true}, {false, false},
                                             {true, false}, {false, true}, {true, false},
                                             {false, false}, {false, true}, {true, false},
                                             {true, false}};
    for (const auto& cochees : reponses) Corrige_reponse(s, cochees, [] { return true; });
    EXPECT_EQ(TexteNote(s.Note), "16 /20");
    EXPECT_EQ(TexteBilan(s), "5 réponses justes sur 10\r\n3 réponses fausses sur 10\r\n"
                             "2 réponses nulles sur 10");

    QuizState trente = questionAvecDrapeaux({"1", "0"});
    for (int i = 0; i < 30; ++i) Corrige_reponse(trente, {false, true}, jamaisDemande);
    EXPECT_FLOAT_EQ(trente.Note, -10.0f);
    EXPECT_EQ(TexteNote(trente.Note), "-10 /20");
    EXPECT_EQ(TexteNote(20.0f), "20 /20");
}
