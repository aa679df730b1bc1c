#include "noyau/resultats/rapport.h"

#include "noyau/resultats/ligne_json.h"
#include "noyau/resultats/statistiques.h"
#include "support/classe_fictive.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using Resultats::StatQuestion;

TEST(ResultatsStatistiques, QuestionsARevoirDUneClasse) {
    QTemporaryDir dossier;
    ClasseFictive classe;
    classe.eleves = 60;
    const int records = GenererClasse(dossier.path(), classe);
    const Resultats::Releve r = Resultats::Rassembler({dossier.path()});
    EXPECT_EQ(r.codeSortie(), 0);
    EXPECT_EQ(r.essais.size(), records);
    const auto stats = Resultats::Statistiques(r);
    ASSERT_EQ(stats.size(), 2);
    for (const auto& s : stats) {
        EXPECT_EQ(s.eleves, 60);
        EXPECT_EQ(s.interrompus, 2);  // pupils 25 and 50 were cut off
        EXPECT_EQ(s.sansJournal, 0);
        double somme = 0;
        int notes = 0, enregistres = 0;
        for (const auto& e : r.essais) {
            if (e.questionnaire != s.questionnaire) continue;
            ++enregistres;
            if (e.complet()) somme += *e.valeurNote, ++notes;
        }
        EXPECT_EQ(s.essais, enregistres + s.interrompus);
        EXPECT_EQ(s.notes.size(), notes);
        EXPECT_DOUBLE_EQ(s.moyenne(), somme / notes);
        ASSERT_EQ(s.questions.size(), 12);
        const auto alerte = [&](int numero, const char* debut) {
            const StatQuestion& q = s.questions[numero - 1];
            EXPECT_EQ(q.numero, numero);
            return q.alertes.filter(debut).size() == 1;
        };
        EXPECT_TRUE(alerte(3, "presque personne"));
        EXPECT_TRUE(alerte(7, "presque tout le monde"));
        EXPECT_TRUE(alerte(10, "les meilleurs élèves y échouent"));
        EXPECT_TRUE(alerte(5, "la réponse fausse n° 3 n'est jamais choisie"));
        EXPECT_GT(*s.questions[0].discrimination, 0.2);
        EXPECT_TRUE(s.questions[0].alertes.isEmpty())
            << s.questions[0].alertes.join(';').toStdString();
        const StatQuestion& q2 = s.questions[1];
        EXPECT_EQ(q2.justes + q2.fausses + q2.nulles, q2.reponses);
        EXPECT_EQ(q2.bonnes, QVector<bool>({false, true, false, false}));
        EXPECT_TRUE(Resultats::RapportHtml(r).contains(s.titre));
    }
}

TEST(ResultatsJournal, LignesCoupeesOuEtrangeres) {
    const QByteArray debut =
        R"({"type":"debut","questionnaire":"X","identifiant":"B01","classe":"3A","essai":2,"debut":"2026-12-05T14:03:27","questions":3})";
    const QByteArray question =
        R"({"type":"question","numero":2,"rang":1,"cochees":[1],"justes":[2],"choix":3,"verdict":"Faux","secondes":9})";
    const QByteArray fin = R"({"type":"fin","fin":"resultats","note":19})";
    // Lines end in CR LF once a teacher's editor saved the file; a crash cuts the last one.
    for (const auto& [octets, termine] :
         {std::pair{debut + "\r\n" + question + "\r\n" + fin + "\r\n", true},
          {debut + '\n' + question + '\n' + question.left(30), false}}) {
        const auto j = Journal::LireJournal(octets, "/Essais/x.jsonl", nullptr);
        ASSERT_TRUE(j) << termine;
        EXPECT_EQ(j->reponses.size(), 1);
        EXPECT_EQ(j->termine, termine);
    }
    QString erreur;
    EXPECT_FALSE(Journal::LireJournal(question + '\n' + fin + '\n', "/Essais/x.jsonl", &erreur));
    EXPECT_TRUE(erreur.startsWith("/Essais/x.jsonl : ce n'est pas un journal"));
}

// Journal lines read straight from their bytes, as a general JSON reader
// would read them: escapes, numbers, lines any pupil could damage.
TEST(ResultatsJournal, LignesJson) {
    const struct {
        const char* ligne;
        bool lisible;
        QString intitule;
        int numero;
        QStringList reponses;
    } cas[] = {
        {R"({"intitule":"a \"b\" \\ c\nd \u00e9 é \ud83d\ude00","numero":2})",
         true,
         "a \"b\" \\ c\nd é é 😀",
         2,
         {}},
        {R"( { "numero" : 2.0 , "reponses" : ["x", 3, "\/"], "numero":-0 } )",
         true,
         "",
         0,
         {"x", "", "/"}},
        {R"({"numero":2.5,"intitule":3,"x":{"a":[1,{}],"b":null},"y":[true,false]})",
         true,
         "",
         0,
         {}},
        {R"({"numero":1e1,"reponses":"x"})", true, "", 10, {}},
        {R"({"numero":2} x)", false},
        {R"({"numero":02})", false},
        {R"({"a":"\x"})", false},
        {"{\"a\":\"\xC3\"}", false},
        {R"({"a":[1,]})", false},
        {R"({"a":1)", false},
        {R"(["a"])", false},
        {"{\"a\":\"\t\"}", false},
        {R"({"a":tru})", false},
    };
    for (const auto& c : cas) {
        const auto l = Journal::LigneJson::Lire(c.ligne);
        ASSERT_EQ(l.has_value(), c.lisible) << c.ligne;
        if (!l) continue;
        EXPECT_EQ(l->texte(QLatin1StringView("intitule")), c.intitule) << c.ligne;
        EXPECT_EQ(l->entier(QLatin1StringView("numero")), c.numero) << c.ligne;
        EXPECT_EQ(l->textes(QLatin1StringView("reponses")), c.reponses) << c.ligne;
    }
}
