#include "platform/fichiers.h"
#include "results/bilan.h"
#include "results/enregistrement.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The worked example: first attempt, b01 of 3a, 15 right, 4 wrong, 1 left
// out of 20, mark 15.5, written on Saturday 5 December 2026 at 14:03:27.
QuizState exemple(const QString& chemin) {
    QuizState s;
    s.Identifiant = "b01";
    s.Classe = "3a";
    s.NbQuestions = 20;
    s.RangQuestion = 20;
    s.NbJustes = 15;
    s.NbFausses = 4;
    s.NbNulles = 1;
    s.Note = 15.5f;
    s.DateDuJour = QString::fromUtf8("samedi 5 décembre 2026");
    s.CheminResultats = chemin;
    return s;
}

// Windows-1252 bytes, typed out: é is 0xE9, ô is 0xF4, è is 0xE8.
const QByteArray OctetsExemple =
    "\r\n"
    "===================(s\xE9" "paration)=====================\r\n"
    "[Essai - num\xE9" "ro 1]\r\n"
    "[Bin\xF4" "me]\r\nB01\r\n\r\n\r\n"
    "[Classe]\r\n3A\r\n\r\n\r\n"
    "[Nombre de questions trait\xE9" "es]\r\n20 sur 20\r\n\r\n\r\n"
    "[Note]\r\n15,5/20     soit : 3,1/4\r\n\r\n\r\n"
    "Nbre de r\xE9" "ponses justes = 15 sur 20 questions pos\xE9" "es, soit 75,0 %\r\n"
    "Nbre de r\xE9" "ponses fausses = 4 sur 20 questions pos\xE9" "es, soit 20,0 %\r\n"
    "l'\xE9l\xE8" "ve n'a pas r\xE9" "pondu pour 1 sur 20 questions pos\xE9" "es, soit 5,0 %\r\n"
    "\r\n\r\n[Date/Heure]\r\nsamedi 5 d\xE9" "cembre 2026\r\n14:03:27\r\n";

const QTime Heure(14, 3, 27);

QByteArray contenu(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

QStringList lignes(const QString& chemin) {
    return Fichiers::decouperLignes(Fichiers::decoder(contenu(chemin)));
}

}  // namespace

TEST(ResultatsEnregistrement, ExempleOctetPourOctet) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("Volcans _B01_3A_.rst");
    EXPECT_EQ(Resultats::EnregistrerResultats(exemple(chemin), Heure), "");
    EXPECT_EQ(contenu(chemin), OctetsExemple);
}

TEST(ResultatsEnregistrement, LignesSelonLEssai) {
    struct Cas {
        const char* nom;
        int rang, questions, justes, fausses, nulles;
        float note;
        const char* date;
        std::map<int, QString> attendues;  // line number (from 1) -> text
    };
    const std::vector<Cas> cas = {
        {"abandon", 7, 20, 5, 1, 1, 18.5f, "lundi", {{13, "7 sur 20"}, {17, "Test non évaluable"},
             {20, "Nbre de réponses justes = 5 sur 20 questions posées, soit 25,0 %"}}},
        {"note negative", 30, 30, 0, 30, 0, -10.0f, "lundi", {{17, "-10/20     soit : -2,0/4"}}},
        {"tiers", 3, 3, 1, 2, 0, 18.0f, "lundi", {{17, "18/20     soit : 3,6/4"},
             {20, "Nbre de réponses justes = 1 sur 3 questions posées, soit 33,3 %"}}},
        {"aucune question", 0, 0, 0, 0, 0, 20.0f, "lundi",
         {{22, "l'élève n'a pas répondu pour 0 sur 0 questions posées, soit 0,0 %"}}},
        {"horloge jamais lue", 1, 1, 1, 0, 0, 20.0f, "", {{26, ""}, {27, "14:03:27"}}},
    };
    for (const Cas& c : cas) {
        QuizState s = exemple({});
        s.RangQuestion = c.rang;
        s.NbQuestions = c.questions;
        s.NbJustes = c.justes;
        s.NbFausses = c.fausses;
        s.NbNulles = c.nulles;
        s.Note = c.note;
        s.DateDuJour = c.date;
        const QStringList l = Fichiers::decouperLignes(Resultats::TexteEnregistrement(s, Heure));
        ASSERT_EQ(l.size(), 27) << c.nom;
        for (const auto& [numero, texte] : c.attendues) EXPECT_EQ(l[numero - 1], texte) << c.nom;
    }
}

TEST(ResultatsEnregistrement, IdentifiantNonRogneDansLeFichier) {
    QuizState s = exemple({});
    s.Identifiant = " b01 ";
    EXPECT_EQ(Fichiers::decouperLignes(Resultats::TexteEnregistrement(s, Heure))[4], " B01 ");
}

TEST(ResultatsEnregistrement, UnFichierExistantNEstJamaisVide) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("Volcans _B01_3A_.rst");
    QFile ancien(chemin);
    ASSERT_TRUE(ancien.open(QIODevice::WriteOnly));
    ancien.write("record d'un autre poste\r\n");
    ancien.close();
    // First attempt of this run, on a name that differs only by case.
    QuizState s = exemple(dossier.filePath("VOLCANS _b01_3a_.RST"));
    EXPECT_EQ(Resultats::EnregistrerResultats(s, Heure), "");
    EXPECT_EQ(contenu(chemin), "record d'un autre poste\r\n" + OctetsExemple);
}

TEST(ResultatsEnregistrement, RecommencerAjouteOuRecree) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("Volcans _B01_3A_.rst");
    QuizState s = exemple(chemin);
    ASSERT_EQ(Resultats::EnregistrerResultats(s, Heure), "");
    s.Recommencer = true;
    s.NumEssai = 1;
    ASSERT_EQ(Resultats::EnregistrerResultats(s, Heure), "");
    const QStringList l = lignes(chemin);
    ASSERT_EQ(l.size(), 54);
    EXPECT_EQ(l[26], "14:03:27");
    EXPECT_EQ(l[27], "");
    EXPECT_EQ(l[28], l[1]);
    EXPECT_EQ(l[29], "[Essai - numéro 2]");

    // Removed between two attempts: created again.
    QFile::remove(chemin);
    s.NumEssai = 2;
    ASSERT_EQ(Resultats::EnregistrerResultats(s, Heure), "");
    EXPECT_EQ(lignes(chemin).value(2), "[Essai - numéro 3]");
}

TEST(ResultatsBilan, AppreciationSelonLaNote) {
    const QString bien = "Le test est concluant. C'est très bien ! \r\n"
                         "Appelez le professeur pour valider votre travail.";
    const QString enBonneVoie = "Le test n'est pas réussi mais vous êtes en bonne voie ! ";
    const QString revisions = "Le test n'est pas réussi. Des révisions s'imposent ! ";
    const std::vector<std::pair<float, QString>> cas = {
        {20.0f, bien}, {18.0f, bien}, {17.9f, enBonneVoie}, {12.5f, enBonneVoie},
        {12.0f, revisions}, {0.0f, revisions}, {-4.0f, revisions}};
    for (const auto& [note, texte] : cas) EXPECT_EQ(Resultats::Appreciation(note), texte) << note;
}
