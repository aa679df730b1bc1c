#include "noyau/questionnaire/ecriture.h"

#include "images/images.h"
#include "noyau/questionnaire/verification.h"
#include "support/dossier.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

// What the player's own reading gives, compared with what the editor holds.
void attendreLecture(const Questionnaire& e, const QString& dossier) {
    const auto v = VerifierDossier(dossier, Images::examiner);
    const Questionnaire& lu = v->questionnaire;
    ASSERT_TRUE(v->erreur.isEmpty()) << v->erreur.toStdString();
    EXPECT_EQ(lu.titre, e.titre);
    ASSERT_EQ(lu.questions.size(), e.questions.size());
    for (int q = 0; q < lu.questions.size(); ++q) {
        const Question &attendue = e.questions[q], &lue = lu.questions[q];
        EXPECT_EQ(lue.texte, attendue.texte);
        EXPECT_EQ(lue.reponses, attendue.reponses) << q;
        for (int k = 0; k < std::min<int>(attendue.reponses.size(), MaxDrapeaux); ++k) {
            if (attendue.reponses.size() < 8)
                EXPECT_EQ(DrapeauEcrit(lue.drapeaux, k), attendue.justes[k] ? "1" : "0") << q << k;
        }
        EXPECT_EQ(lue.commentaire, attendue.commentaire);
        if (e.modeImages == 0) EXPECT_EQ(lue.image, attendue.image);
    }
    EXPECT_EQ(lu.modeImages, e.modeImages);
    EXPECT_EQ(lu.imagesCycliques, e.modeImages == 1 ? e.imagesCycliques : QStringList());
    EXPECT_EQ(lu.duree, e.duree);
    EXPECT_EQ(lu.aide, e.aide);
}

Questionnaire genere(int cas) {
    Questionnaire e;
    e.titre = "Les élèves et l'été — 2°";
    e.questions << Question{
        "Où est la gare ?", {"Ici", "Là-bas", "Nulle part"}, {false, true, false}};
    e.questions << Question{
        "Plusieurs ?", {"a", "b", "c", "d", "e", "f"}, {true, false, true, false, false, true}};
    switch (cas) {
    case 0:  // one picture per question, comments, help document, countdown
        e.questions[0].image = "gare.jpg";
        e.questions[1].commentaire = "Relisez le cours, chapitre 2 ; « c » et « f ».";
        e.duree = "45";
        e.aide = "aide.html";
        break;
    case 1:  // cycling pictures, no countdown
        e.modeImages = 1;
        e.imagesCycliques = {"a.gif", "b.jpg", "c.png"};
        e.duree = "0";
        break;
    case 2:  // 99 questions, the last of nine answers
        while (e.questions.size() < MaxQuestions)
            e.questions << Question{
                QString("Question %1").arg(e.questions.size() + 1), {"oui", "non"}, {true, false}};
        e.questions.last().reponses = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
        e.questions.last().justes = QVector<bool>(9, false);
        break;
    case 3:  // seven answers in the middle, eight at the end
        e.questions[0].reponses = {"a", "b", "c", "d", "e", "f", "g"};
        e.questions[0].justes = {true, false, false, false, false, false, true};
        e.questions[1].reponses += {"g", "h"};
        e.questions[1].justes << false << false;
        break;
    case 4:  // beyond Windows-1252, and Windows-1252 bytes that would read as UTF-8
        e.titre = "Loi d'Ohm : U = R·I, R en Ω";
        e.questions[0].texte = "√4 ≤ 2 ? π > 3 ?";
        e.questions[1].commentaire = "Ã©tÃ©";
        break;
    }
    return e;
}

}  // namespace

// Generated questionnaires, then the sample library: opened and saved
// unchanged, the files stay byte for byte as they were, the previous ones
// kept as .bak, and the player reads what the editor holds.
TEST(Ecriture, relusEtRecritsALOctetPres) {
    const QStringList exemples{"VOLCANS", "PLANETES", "CORPS_HUMAIN"};
    constexpr int Generes = 5;
    for (int cas = 0; cas < Generes + exemples.size(); ++cas) {
        const QString nom = cas < Generes ? "GENERE" : exemples[cas - Generes];
        SCOPED_TRACE(nom.toStdString() + std::to_string(cas));
        DossierDeTest d(nom);
        const Questionnaire e = genere(cas);
        if (cas < Generes) {
            ASSERT_TRUE(Problemes(e).isEmpty()) << Problemes(e).first().message.toStdString();
            ASSERT_EQ(EnregistrerQuestionnaire(e, d.dossier()), "");
            attendreLecture(e, d.dossier());
        } else {
            ASSERT_EQ(
                QProcess::execute("cp", {"-rT", KORVANE_SAMPLE_LIBRARY "/" + nom, d.dossier()}), 0);
            EXPECT_FALSE(EnUtf8(LignesDat(OuvrirPourEdition(d.dossier()).questionnaire)));
        }
        const QString base = d.dossier() + "/" + nom;
        const QByteArray dat = contenu(base + ".dat"), ini = contenu(base + ".ini");
        const Ouverture o = OuvrirPourEdition(d.dossier());
        EXPECT_TRUE(o.changements.isEmpty()) << o.changements.join('\n').toStdString();
        if (cas < Generes) {
            EXPECT_EQ(o.questionnaire.questions, e.questions);
            EXPECT_EQ(o.questionnaire.imagesCycliques, e.imagesCycliques);
        }
        ASSERT_EQ(EnregistrerQuestionnaire(o.questionnaire, d.dossier()), "");
        for (const auto& [fichier, avant] :
             {std::pair{base + ".dat", dat}, std::pair{base + ".ini", ini}}) {
            EXPECT_EQ(contenu(fichier), avant) << fichier.toStdString();
            EXPECT_EQ(contenu(fichier + ".bak"), avant) << fichier.toStdString();
        }
        attendreLecture(o.questionnaire, d.dossier());
    }
}

TEST(Ecriture, fichierHorsDispositionAnnonceSesChangementsEtGardeCeQueLitLeJoueur) {
    DossierDeTest d("LIBRE");
    d.dat({"</Titre", "0 Sans ligne de bonnes réponses", "a", "b", "", "0 Deux", "c", "d", "=>0 1",
           "", "texte après la dernière question"});
    d.ini({"[Fichiers Images]", "0", "", "inconnu", "[Commentaires]", "2", "Bien"});
    const QByteArray avant = contenu(d.dossier() + "/LIBRE.dat");
    const Ouverture o = OuvrirPourEdition(d.dossier());
    const QString annonce = o.changements.join('\n');
    for (const char* attendu :
         {"LIBRE.dat : « =>0 0 » sera ajoutée avant la ligne 5",
          "LIBRE.dat, ligne 5 : la ligne vide sera supprimée",
          "LIBRE.dat, ligne 11 : « texte après la dernière question » sera supprimée",
          "LIBRE.ini : « 30 » sera ajoutée avant la ligne 5"})
        EXPECT_TRUE(annonce.contains(QString::fromUtf8(attendu))) << annonce.toStdString();
    EXPECT_EQ(contenu(d.dossier() + "/LIBRE.dat"), avant);  // opening writes nothing
    ASSERT_EQ(EnregistrerQuestionnaire(o.questionnaire, d.dossier()), "");
    attendreLecture(o.questionnaire, d.dossier());
    EXPECT_EQ(contenu(d.dossier() + "/LIBRE.dat.bak"), avant);
    EXPECT_TRUE(OuvrirPourEdition(d.dossier()).changements.isEmpty());
}

TEST(Ecriture, textesQueLeJoueurLiraitAutrementRefuses) {
    const std::tuple<GenreTexte, QStringList, QStringList> cas[] = {
        {GenreTexte::Reponse, {"0 oui", "  0 oui", "=>1", "</x"}, {"0", "10 ans"}},
        {GenreTexte::Question, {}, {"0 + 0 ?", "Ω ?"}},
        {GenreTexte::Titre, {"a\r\nb", QString(MaxLongueurTexte + 1, 'x')}, {"Prix : 5 € — çà"}},
        {GenreTexte::Commentaire, {" [Commentaires] "}, {}},
        {GenreTexte::NomDeFichier, {"[Fichier d'aide]"}, {}},
    };
    for (const auto& [genre, refuses, acceptes] : cas) {
        for (const QString& texte : refuses)
            EXPECT_NE(RefusTexte(genre, texte), "") << texte.toStdString();
        for (const QString& texte : acceptes)
            EXPECT_EQ(RefusTexte(genre, texte), "") << texte.toStdString();
    }
}

TEST(Ecriture, questionnaireQuiSeraitMalLuNestPasEnregistre) {
    auto avec = [](auto changer) {
        Questionnaire e = genere(0);
        changer(e);
        return e;
    };
    const Questionnaire cas[] = {
        avec([](Questionnaire& e) { e.questions[0].reponses[1].clear(); }),
        avec([](Questionnaire& e) { e.questions[1].texte = "  "; }),
        avec([](Questionnaire& e) { e.questions[0].reponses = QStringList(9, "x"); }),
        avec([](Questionnaire& e) { e.titre = QString(QChar(0xD800)); }),  // a lone surrogate
        avec([](Questionnaire& e) {
            for (int q = 50; q < 100; ++q) e.imagesOrphelines[q] = "x.jpg";
        }),
    };
    for (const Questionnaire& e : cas) {
        DossierDeTest d("REFUS");
        EXPECT_FALSE(Problemes(e).isEmpty());
        EXPECT_NE(EnregistrerQuestionnaire(e, d.dossier()), "");
        EXPECT_FALSE(QFile::exists(d.dossier() + "/REFUS.dat"));
    }
}
