#include "noyau/deroulement/chargement_quiz.h"
#include "support/dossier.h"
#include "support/fakes.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>
#include <sys/stat.h>

namespace {

QStringList reponses(const QuizState& s, int q) {
    QStringList liste;
    for (int k = 1; k <= NombreReponses(s, q); ++k) liste << s.TexteQCM[q][0][k];
    return liste;
}

const QStringList IniSimple{"[Fichiers Images]", "0", "", "", "", "30"};

struct Charge {
    std::unique_ptr<QuizState> s = std::make_unique<QuizState>();
    HasardScripte hasard;
    Chargement resultat;
};

std::unique_ptr<Charge> charger(const DossierDeTest& d) {
    auto c = std::make_unique<Charge>();
    d.choisir(*c->s);
    c->resultat = ChargerQuiz(*c->s, c->hasard, 0);
    return c;
}

std::unique_ptr<Charge> chargerDat(const QStringList& dat, const QStringList& ini = IniSimple) {
    DossierDeTest d;
    d.dat(dat);
    d.ini(ini);
    return charger(d);
}

}  // namespace

// The sample, its files named in another case as a Windows copy may leave them.
TEST(Chargement, exempleDesVolcans) {
    DossierDeTest d("VOLCANS");
    for (const auto& [nom, copie] :
         {std::pair{"VOLCANS.dat", "volcans.DAT"}, std::pair{"VOLCANS.ini", "Volcans.Ini"}})
        ASSERT_TRUE(QFile::copy(QString(KORVANE_SAMPLE_LIBRARY "/VOLCANS/") + nom,
                                d.dossier() + "/" + copie));
    const auto c = charger(d);
    const QuizState& s = *c->s;
    ASSERT_EQ(c->resultat.erreur, "");
    EXPECT_TRUE(c->resultat.avertissements.isEmpty());
    EXPECT_EQ(s.TitreQuestionnaire, "Les volcans d'Auvergne");
    EXPECT_EQ(s.NbQuestions, 2);
    EXPECT_EQ(reponses(s, 2).join('|'),
              QString::fromUtf8("Le puy de la Vache|Le Vésuve|Le puy Pariou|L'Etna"));
    EXPECT_EQ(QStringList(s.BonnesReponses[2].begin(), s.BonnesReponses[2].end()).join('.'),
              "1.0.1.0......");
    EXPECT_EQ(s.FichierAide, d.dossier() + "/Fichiers d'aide/volcans.doc");
    EXPECT_TRUE(c->resultat.aideVisible);
    EXPECT_EQ(c->resultat.introduction,
              QString::fromUtf8(
                  "Le questionnaire est auto-formatif et il comprend 2 questions.\r\n"
                  " Vous disposez d'une aide en ligne en cliquant sur le bouton correspondant.\r\n"
                  "ATTENTION ! Vous ne disposez que de 10 essais pour valider ce questionnaire\r\n"
                  "Pour commencer, appuyer sur la commande Valider.\r\n"
                  "Consigne : certaines questions peuvent admettre plusieurs réponses possibles."));
}

TEST(Chargement, grammaireDuQuestionnaire) {
    struct Cas {
        const char* nom;
        QStringList dat;
        QString titre;
        QStringList reponses1;
        QString drapeaux1;
        int questions;
    };
    const Cas cas[] = {
        {"vide avant les reponses", {"</T", "0 Q", "", "a", "b", "=>0 1"}, "T", {}, "0 1", 1},
        {"vide au milieu", {"0 Q", "a", "b", "", "c", "=>1 0 0"}, "", {"a", "b"}, "1 0 0", 1},
        {"drapeaux avant la derniere reponse", {"0 Q", "a", "=>0 1", "b"}, "", {"a"}, "0 1", 1},
        {"reponse commencant par 0 espace", {"0 Q", "a", "0 b", "=>1"}, "", {"a", "0 b"}, "", 2},
        {"sans drapeaux", {"0 Q", "a", "b", "0 R", "c", "=>1"}, "", {"a", "b", "0 R"}, "", 2},
        {"trois reponses", {"0 Q", "a", "b", "c", "=>0 1 1"}, "", {"a", "b", "c"}, "0 1 1", 1},
        {"titres multiples", {"</Un", "0 Q", "a", "=>1", "", "</Deux"}, "Deux", {"a"}, "1", 1},
        {"espaces avant le marqueur", {"  0 Q", "  a  ", "=>1"}, "", {"a"}, "1", 1},
        {"tabulation gardee", {"0 Q", "\ta", "=>1"}, "", {"\ta"}, "1", 1},
    };
    for (const Cas& c : cas) {
        const auto ch = chargerDat(c.dat);
        ASSERT_EQ(ch->resultat.erreur, "") << c.nom;
        EXPECT_EQ(ch->s->TitreQuestionnaire, c.titre) << c.nom;
        EXPECT_EQ(reponses(*ch->s, 1), c.reponses1) << c.nom;
        EXPECT_EQ(ch->s->TexteQCM[1][1][0], c.drapeaux1) << c.nom;
        EXPECT_EQ(ch->s->NbQuestions, c.questions) << c.nom;
    }
    // The content is cut after the first two characters of the line as read.
    EXPECT_EQ(chargerDat({"  0 Q"})->s->TexteQCM[1][0][0], "0 Q");
}

// However many lines, answers or questions a file holds, nothing is stored
// out of the tables, what fits is kept and the overflow is reported.
TEST(Chargement, limitesDuFormat) {
    const QStringList sept{"0 Q", "1", "2",  "3", "4", "5", "6", "7", "=>1 0 0 0 0 0 0",
                           "0 R", "x", "=>1"};
    QStringList huit = sept, cinqCents{"</Long"};
    huit.insert(8, "8");
    for (int q = 1; q <= 500; ++q)
        cinqCents += {QString("0 Question %1").arg(q), "oui", "non", "=>1 0"};
    const QStringList une{"0 Q", "a", "=>1"};
    struct Cas {
        const char* nom;
        QStringList dat;
        int questions, reponses1, avertissements, ligne;
        QString premiere, derniere;
    };
    const Cas cas[] = {
        {"sept reponses puis onze lignes vides", sept + QStringList(11, ""), 2, 7, 0, 0, "1", "R"},
        {"huit reponses", huit, 2, 8, 1, 11, "1", "R"},
        {"texte apres sept lignes vides", une + QStringList(7, "") + QStringList{"texte"}, 1, 1, 1,
         0, "a", "Q"},
        {"32768 lignes vides apres", une + QStringList(32768, ""), 1, 1, -1, 0, "a", "Q"},
        {"40000 lignes avant", QStringList(40000, "x") + une, 1, 1, -1, 0, "a", "Q"},
        {"500 questions", cinqCents, 99, 2, 1, 2 + 99 * 4, "oui", "Question 99"},
        {"ligne tres longue", {"0 " + QString(100000, 'x'), "a", "=>1"}, 1, 1, 1, 0, "a", ""},
    };
    for (const Cas& c : cas) {
        const auto ch = chargerDat(c.dat);
        const QuizState& s = *ch->s;
        ASSERT_EQ(ch->resultat.erreur, "") << c.nom;
        EXPECT_EQ(s.NbQuestions, c.questions) << c.nom;
        EXPECT_EQ(s.OrdreQuestions.size(), c.questions) << c.nom;
        EXPECT_EQ(NombreReponses(s, 1), c.reponses1) << c.nom;
        EXPECT_EQ(s.TexteQCM[1][0][1], c.premiere) << c.nom;
        EXPECT_LE(s.TexteQCM[1][0][0].size(), 4000) << c.nom;
        if (!c.derniere.isEmpty()) EXPECT_EQ(s.TexteQCM[s.NbQuestions][0][0], c.derniere) << c.nom;
        if (c.avertissements >= 0)
            EXPECT_EQ(ch->resultat.avertissements.size(), c.avertissements) << c.nom;
        if (c.ligne) {
            ASSERT_FALSE(ch->resultat.avertissements.isEmpty()) << c.nom;
            EXPECT_EQ(ch->resultat.avertissements[0].ligne, c.ligne) << c.nom;
            EXPECT_EQ(ch->resultat.avertissements[0].fichier, "TEST.dat") << c.nom;
        }
    }
}

TEST(Chargement, fichiersQuiEmpechentLeDepart) {
    enum Dat { Lignes, Absent, Dossier, Tube, Bruit };
    QByteArray bruit;
    for (int i = 0; i < 20000; ++i) bruit.append(static_cast<char>((i * 7919) % 256));
    const QStringList une{"0 Q", "a", "=>1"};
    const struct {
        const char* nom;
        Dat genre;
        QStringList dat, ini;  // no companion file when empty
        const char* motif;
    } cas[] = {
        {"compagnon absent", Lignes, une, {}, "le fichier compagnon Mon QCM.ini est introuvable."},
        {"mode pas entier", Lignes, une, {"[Fichiers Images]", "1.5"}, "mode d'images entier"},
        {"mode absent", Lignes, une, {"[Commentaires]"}, "mode d'images entier"},
        {"aucune question", Lignes, {"</Titre", "a", "b"}, IniSimple, "aucune question"},
        {"fichier vide", Lignes, {}, IniSimple, "aucune question"},
        {"rien du tout", Absent, {}, {}, "le fichier Mon QCM.dat est introuvable"},
        {"dossier au lieu du fichier", Dossier, {}, IniSimple, "Mon QCM.dat n'est pas un fichier"},
        {"tube au lieu du fichier", Tube, {}, IniSimple, "Mon QCM.dat n'est pas un fichier"},
        {"octets quelconques", Bruit, {}, {}, ""},
    };
    for (const auto& c : cas) {
        DossierDeTest d("Mon QCM");
        const QString dat = d.dossier() + "/Mon QCM.dat";
        if (c.genre == Lignes) d.dat(c.dat);
        if (c.genre == Dossier) QDir().mkpath(dat);
        if (c.genre == Tube) ASSERT_EQ(::mkfifo(QFile::encodeName(dat).constData(), 0644), 0);
        if (c.genre == Bruit) {
            d.ecrireOctets("Mon QCM.dat", bruit);
            d.ecrireOctets("Mon QCM.ini", bruit);
        }
        if (!c.ini.isEmpty()) d.ini(c.ini);
        const QString erreur = charger(d)->resultat.erreur;
        EXPECT_TRUE(erreur.contains(QString::fromUtf8("« Mon QCM »"))) << c.nom;
        EXPECT_TRUE(erreur.contains(c.motif)) << c.nom << ": " << erreur.toStdString();
    }
}

TEST(Compagnon, sectionsImagesCommentairesAide) {
    const QStringList sections =
        QStringList{"[Fichiers Images]", "0", "1", "un.jpg", "", "3", "trois.jpg", "", "", "00"} +
        QStringList{"[Commentaires]", "1", "Premier", "3", "Troisième", "x", "4", "ignoré"} +
        QStringList{"[Fichier d'aide]", "aide\\volcans.doc"};
    const auto c = chargerDat({"0 Q", "a", "b", "=>1 0"}, sections);
    const QuizState& s = *c->s;
    EXPECT_TRUE(c->resultat.avertissements.isEmpty());
    EXPECT_EQ(s.TableImages[0][1], "un.jpg");
    EXPECT_EQ(s.TableImages[0][3], "") << "the blank row ends the picture list";
    EXPECT_EQ(s.DureeMinuterie, "30") << "E = 4, so the countdown is row 7: empty, not a number";
    EXPECT_EQ(s.Commentaires[1], "Premier");
    EXPECT_EQ(s.Commentaires[3], QString::fromUtf8("Troisième"));
    EXPECT_EQ(s.Commentaires[4], "");
    EXPECT_TRUE(s.FichierAide.endsWith("/Fichiers d'aide/aide/volcans.doc"));

    const auto cycle = chargerDat({"0 Q", "a", "b", "=>1 0"},
                                  {"[Fichiers Images]", "1", "2", "a.gif", "b.jpg", "", "", "",
                                   "40", "[Fichier d'aide]", "c:\\Aide\\cours.doc"});
    EXPECT_EQ(cycle->s->NbImages, 2);
    EXPECT_EQ(cycle->s->TableImages[1][2], "b.jpg");
    EXPECT_EQ(cycle->s->FichierAide, "c:\\Aide\\cours.doc");

    // Out of the format: what fits is kept, the rest reported.
    QStringList ini{"[Fichiers Images]", "1", "500"};
    for (int i = 0; i < 300; ++i) ini << QString("image%1.gif").arg(i);
    ini += {"[Commentaires]", "150", "trop loin", "-1", "négatif", "2", "bon"};
    const auto hors = chargerDat({"0 Q", "a", "b", "=>1 0"}, ini);
    ASSERT_EQ(hors->resultat.erreur, "");
    EXPECT_EQ(hors->s->NbImages, 99);
    EXPECT_EQ(hors->s->TableImages[1][99], "image98.gif");
    EXPECT_EQ(hors->s->Commentaires[2], "bon");
    EXPECT_GE(hors->resultat.avertissements.size(), 3);  // 500 pictures, rows past 199, two numbers
}

TEST(Compagnon, dureeDeLaMinuterie) {
    const std::tuple<QStringList, const char*, int> cas[] = {
        {{"0", "", "", "", "30"}, "30", 15},
        {{"0", "", "", "", "25"}, "25", 12},
        {{"0", "", "", "", "0"}, "0", 10},
        {{"0", "", "", "", "00"}, "00", 0},
        {{"0", "", "", "", "abc"}, "30", 15},
        {{"0"}, "30", 15},
        {{"0", "", "", "", "99999"}, "99999", 10},
        {{"2", "", "", "", "40"}, "", 10},
        {{"1", "2", "a.gif", "b.gif", "", "", "", "40"}, "40", 20},
    };
    for (const auto& [lignes, duree, maximum] : cas) {
        // Lines before any header are picture rows too.
        for (const QStringList& ini : {QStringList{"[Fichiers Images]"} + lignes, lignes}) {
            const auto ch = chargerDat({"0 Q", "a", "b", "=>1 0"}, ini);
            ASSERT_EQ(ch->resultat.erreur, "") << ini.join('|').toStdString();
            EXPECT_EQ(ch->s->DureeMinuterie, duree) << ini.join('|').toStdString();
            EXPECT_EQ(ch->resultat.maximumMinuterie, maximum) << ini.join('|').toStdString();
        }
    }
}

TEST(Chargement, consigneEtDrapeaux) {
    const auto simple = chargerDat({"0 Q", "a", "b", "=>1 0", "0 R", "a", "b", "=>0 1"});
    EXPECT_FALSE(simple->s->ReponsesMultiples);
    EXPECT_TRUE(simple->resultat.introduction.endsWith(
        QString::fromUtf8("Consigne : Pour chaque question, une seule réponse est attendue.")));
    EXPECT_TRUE(simple->resultat.introduction.startsWith(
        "Le questionnaire comprend 2 questions.\r\nATTENTION ! Vous ne disposez que de 10 essais "
        "pour valider ce questionnaire.\r\n"));
    EXPECT_FALSE(simple->resultat.aideVisible);
    const auto court = chargerDat({"0 Q", "a", "b", "c", "=>1"});
    EXPECT_EQ(court->s->BonnesReponses[1][0], "1");
    EXPECT_EQ(court->s->BonnesReponses[1][1], "");
}

TEST(Tirage, valeurAleatoireVersIndex) {
    const std::tuple<float, int, std::int16_t, int> cas[] = {
        {0.9996f, 2, 0, 1000 % 3}, {0.0004f, 2, 0, 0},     {0.9996f, 2, 1, 1000 % 2},
        {0.9996f, 2, 2, 0},        {0.5f, 9, 0, 500 % 10}, {0.123f, 9, 3, 123 % 7},
    };
    for (const auto& [r, borne, k, index] : cas) {
        QuizState s;
        HasardScripte hasard;
        hasard.valeurs = {r};
        s.BorneTirage = static_cast<std::int16_t>(borne);
        TireIndex(s, k, hasard, 42);
        EXPECT_EQ(s.IndexTire, index) << r << " k=" << k;
        EXPECT_EQ(hasard.reensemencements, 1);
    }
}

// The first attempt keeps the file's order; a restart draws each question once.
TEST(Tirage, ordreDesQuestions) {
    HasardSysteme hasard;
    for (int n = 1; n <= 12; ++n) {
        auto s = std::make_unique<QuizState>();
        s->NbQuestions = n;
        QVector<std::int16_t> ordreFichier(n);
        std::iota(ordreFichier.begin(), ordreFichier.end(), 1);
        TirerOrdre(*s, hasard, 0);
        EXPECT_EQ(s->OrdreQuestions, ordreFichier) << n;
        s->Recommencer = true;
        for (int essai = 0; essai < 5; ++essai) {
            TirerOrdre(*s, hasard, essai);
            QVector<std::int16_t> trie = s->OrdreQuestions;
            std::sort(trie.begin(), trie.end());
            EXPECT_EQ(trie, ordreFichier) << n;
        }
    }
}

TEST(Chargement, repriseSansRelireLeQuestionnaire) {
    DossierDeTest d;
    d.dat({"0 Q1", "a", "b", "=>1 0", "0 Q2", "a", "b", "=>0 1", "0 Q3", "a", "b", "=>1 0"});
    d.ini(IniSimple);
    const auto c = charger(d);
    QuizState& s = *c->s;
    s.RangQuestion = 3;
    s.NbJustes = s.NbFausses = s.NbNulles = 1;
    s.Recommencer = true;
    d.dat({"0 Autre", "x", "y", "=>1 0"});
    const Chargement reprise = ChargerQuiz(s, c->hasard, 0);
    EXPECT_EQ(s.NumEssai, 1);
    EXPECT_EQ(s.NbQuestions, 3);
    EXPECT_EQ(s.TexteQCM[1][0][0], "Q1");
    EXPECT_EQ(s.RangQuestion, 0);
    EXPECT_EQ(s.NbJustes + s.NbFausses + s.NbNulles, 0);
    EXPECT_TRUE(reprise.introduction.contains("que de 9 essais"));
    ChargerQuiz(s, c->hasard, 0);
    EXPECT_EQ(s.NumEssai, 2);

    // A restart that fails leaves nothing for the next questionnaire chosen.
    QFile::remove(s.CheminIni);
    EXPECT_FALSE(ChargerQuiz(s, c->hasard, 0).erreur.isEmpty());
    DossierDeTest autre("AUTRE");
    autre.dat({"0 Seule", "x", "y", "=>0 1"});
    autre.ini(IniSimple);
    autre.choisir(s);
    EXPECT_EQ(ChargerQuiz(s, c->hasard, 0).erreur, "");
    EXPECT_EQ(s.NumEssai, 0);
    EXPECT_EQ(s.NbQuestions, 1);
    EXPECT_EQ(s.TexteQCM[1][0][0], "Seule");
}
