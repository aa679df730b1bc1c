#include "noyau/resultats/releve.h"

#include "noyau/fichiers/fichiers.h"
#include "noyau/resultats/enregistrement.h"
#include "noyau/resultats/lecture.h"
#include "support/dossier.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using Resultats::EssaiLu;

namespace {

QuizState essai(const QString& identifiant, int rang, int questions, int justes, int fausses,
                float note, int numero = 0) {
    QuizState s;
    s.Identifiant = identifiant, s.Classe = "3a";
    s.RangQuestion = static_cast<std::int16_t>(rang), s.NbQuestions = questions;
    s.NbJustes = justes, s.NbFausses = fausses;
    s.NbNulles = static_cast<std::int16_t>(rang - justes - fausses);
    s.Note = note, s.NumEssai = static_cast<std::int16_t>(numero), s.Recommencer = numero > 0;
    s.DateDuJour = "samedi 5 décembre 2026";
    return s;
}

// The fields of a read attempt that the record carries, as one text.
QString resume(const EssaiLu& e) {
    return QString("%1|%2|%3|%4|%5/%6|%7-%8-%9|%10|%11|%12|%13")
        .arg(e.questionnaire, e.identifiant, e.classe)
        .arg(e.numero)
        .arg(e.traitees)
        .arg(e.questions)
        .arg(e.justes)
        .arg(e.fausses)
        .arg(e.nulles)
        .arg(e.note, e.noteSurQuatre, e.date.toString(Qt::ISODate), e.heure.toString());
}

QByteArray record(const QuizState& s, const QTime& heure = QTime(14, 3, 27)) {
    return Fichiers::encoderWindows1252(Resultats::TexteEnregistrement(s, heure));
}

}  // namespace

TEST(ResultatsLecture, FichiersFaitsALaMain) {
    QByteArray dix;
    for (int i = 0; i < 10; ++i)
        dix += record(essai("b01", 4, 4, i % 5, 4 - i % 5, 20.0f - 4 + i % 5, i));
    const QByteArray un = record(essai("b01", 20, 20, 15, 4, 15.5f));
    const QByteArray unixUtf8 =
        Resultats::TexteEnregistrement(essai("élodie", 20, 20, 15, 4, 15.5f), QTime(8, 0))
            .replace("\r\n", "\n")
            .toUtf8();
    struct Cas {
        const char* nom;
        QByteArray octets;
        int essais, erreurs;
        QString premier;
    };
    for (const Cas& c : std::vector<Cas>{
             {"Windows-1252, CR LF", un, 1, 0,
              "X|B01|3A|1|20/20|15-4-1|15,5|3,1|2026-12-05|14:03:27"},
             {"UTF-8, LF, autre nom", unixUtf8, 1, 0,
              "classe|ÉLODIE|3A|1|20/20|15-4-1|15,5|3,1|2026-12-05|08:00:00"},
             {"dix essais", dix, 10, 0, "X|B01|3A|1|4/4|0-4-0|16|3,2|2026-12-05|14:03:27"},
             {"abandonné", record(essai("b01", 7, 20, 5, 1, 18.5f, 1)), 1, 0,
              "X|B01|3A|2|7/20|5-1-1|||2026-12-05|14:03:27"},
             {"note négative", record(essai("b01", 30, 30, 0, 30, -10.0f, 2)), 1, 0,
              "X|B01|3A|3|30/30|0-30-0|-10|-2,0|2026-12-05|14:03:27"},
             {"identifiant entre espaces", record(essai(" jean dupont ", 3, 3, 1, 1, 18.5f)), 1, 0,
              "classe|JEAN DUPONT|3A|1|3/3|1-1-1|18,5|3,7|2026-12-05|14:03:27"},
             {"coupé au milieu du second", un + un.left(300), 1, 1,
              "X|B01|3A|1|20/20|15-4-1|15,5|3,1|2026-12-05|14:03:27"},
             {"coupé dans l'heure", un.left(un.size() - 5), 0, 1, ""},
             {"note effacée", QByteArray(un).replace("15,5/20", "quinze/20"), 0, 1, ""},
             {"note démesurée",
              QByteArray(un).replace("15,5/20", "1" + QByteArray(60, '0') + "/20"), 0, 1, ""},
             {"autre chose", "\x89PNG\r\n\x1a\n\0\0\0IHDR", 0, 1, ""},
             {"vide", "", 0, 1, ""}}) {
        const auto lu = Resultats::LireResultats(c.octets, "/classe/X _B01_3A_.rst");
        EXPECT_EQ(lu.essais.size(), c.essais) << c.nom;
        EXPECT_EQ(lu.erreurs.size(), c.erreurs) << c.nom << lu.erreurs.join('\n').toStdString();
        if (!lu.essais.isEmpty()) {
            EXPECT_EQ(resume(lu.essais[0]), c.premier) << c.nom;
        }
        for (const QString& erreur : lu.erreurs)
            EXPECT_TRUE(erreur.startsWith("/classe/X _B01_3A_.rst : ")) << c.nom;
    }
}

// Two machines' copies gathered: each attempt once, in French order, with
// the questionnaire's title; then what the teacher is told when it goes wrong.
TEST(ResultatsReleve, ProgrammeTableauCodesDeSortieEtMessages) {
    QTemporaryDir racine;
    const auto rst = [&](const QString& relatif, const QByteArray& octets) {
        poser(racine.filePath(relatif), octets);
    };
    // A title the Windows-1252 record cannot hold: the record names the
    // questionnaire only, the title comes from its UTF-8 file.
    rst("poste1/VOLCANS/VOLCANS.dat", "</Les volcans ≤ Ω\r\n0 Q ?\r\nA\r\nB\r\n=>1 0\r\n");
    const QByteArray emile = record(essai("émile", 20, 20, 15, 4, 15.5f));
    rst("poste1/VOLCANS/VOLCANS _ÉMILE_3A_.rst", emile);
    rst("poste2/VOLCANS/VOLCANS _ÉMILE_3A_.rst", emile);  // the same attempt gathered twice
    rst("poste2/VOLCANS/VOLCANS _EVA_3A_.rst",
        record(essai("eva", 2, 20, 1, 1, 19.5f)) + record(essai("eva", 20, 20, 20, 0, 20, 1)));
    rst("poste2/VOLCANS/VOLCANS _=1+1_3A_.rst", record(essai("=1+1", 20, 20, 10, 10, -0.5f)));
    const QByteArray bon = record(essai("b01", 20, 20, 15, 4, 15.5f));
    rst("mixte/VOLCANS _B01_3A_.rst", bon);
    rst("mixte/VOLCANS _B02_3A_.rst", bon.left(200));
    rst("mauvais/VOLCANS _B02_3A_.rst", "rien");
    QDir().mkpath(racine.filePath("vide"));
    const QByteArray tableau =
        "\xEF\xBB\xBF"
        "questionnaire;titre;identifiant;classe;essai;date;heure;traitees;questions;"
        "justes;fausses;nulles;note;note_sur_4;complet\r\n"
        "VOLCANS;Les volcans ≤ Ω;'=1+1;3A;1;2026-12-05;14:03:27;20;20;10;10;0;-0,5;-0,1;oui\r\n"
        "VOLCANS;Les volcans ≤ Ω;ÉMILE;3A;1;2026-12-05;14:03:27;20;20;15;4;1;15,5;3,1;oui\r\n"
        "VOLCANS;Les volcans ≤ Ω;EVA;3A;1;2026-12-05;14:03:27;2;20;1;1;0;;;non\r\n"
        "VOLCANS;Les volcans ≤ Ω;EVA;3A;2;2026-12-05;14:03:27;20;20;20;0;0;20;4,0;oui\r\n";
    const struct {
        QStringList arguments;
        int code;
        QString erreur;
        bool ecrit;
    } cas[] = {
        {{"poste1", "poste2"}, 0, "", true},
        {{"mixte"},
         1,
         "VOLCANS _B02_3A_.rst : essai 1 illisible, enregistrement coupé avant sa fin",
         true},
        {{"mauvais", "absent"}, 2, "absent : dossier introuvable", false},
        {{"vide"}, 2, "aucun fichier de résultats trouvé", false},
        {{}, 2, "Usage : korvane-bilan", false},
    };
    for (const auto& c : cas) {
        QDir(racine.path()).remove("bilan.csv");
        QProcess p;
        p.setWorkingDirectory(racine.path());
        p.start(KORVANE_RUN_DIR "/korvane-bilan", c.arguments);
        ASSERT_TRUE(p.waitForFinished(20000));
        const QString erreurs = QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(p.exitCode(), c.code) << erreurs.toStdString();
        EXPECT_TRUE(erreurs.contains(c.erreur)) << erreurs.toStdString();
        EXPECT_EQ(QFile::exists(racine.filePath("bilan.csv")) &&
                      QFile::exists(racine.filePath("bilan.html")),
                  c.ecrit);
        if (c.ecrit) {
            EXPECT_TRUE(QString::fromUtf8(p.readAllStandardOutput())
                            .contains(racine.filePath("bilan.csv")));
        }
        if (c.code == 0) {
            EXPECT_EQ(contenu(racine.filePath("bilan.csv")), tableau);
        }
    }
}

// An attempt cut off before its record and a journal damaged in the middle:
// the spreadsheet, the page and the count the teacher is told agree.
TEST(ResultatsReleve, EssaisSansEnregistrementEtJournauxAbimes) {
    const auto journal = [](const char* identifiant, const QByteArray& suite) {
        return QByteArray(
                   R"({"type":"debut","questionnaire":"X","titre":"Les x","identifiant":")") +
               identifiant +
               R"(","classe":"3A","essai":1,"debut":"2026-12-05T14:03:27","questions":3})"
               "\n" +
               suite;
    };
    const QByteArray question =
        R"({"type":"question","numero":2,"rang":1,"cochees":[1],"justes":[2],"choix":3,"verdict":"Faux","secondes":9})"
        "\n";
    const QByteArray enTete =
        "\xEF\xBB\xBF"
        "questionnaire;titre;identifiant;classe;essai;date;heure;traitees;questions;"
        "justes;fausses;nulles;note;note_sur_4;complet\r\n";
    const QByteArray b01 = "X;Les x;B01;3A;1;2026-12-05;14:03:27;3;3;2;1;0;15,5;3,1;oui\r\n";
    const struct {
        const char* nom;
        QByteArray journal;
        QByteArray lignes;
        QString compte, erreur;
    } cas[] = {
        {"enregistrement seul", {}, b01, "1 essai lu.", ""},
        {"interrompu", journal("B02", question),
         b01 + "X;Les x;B02;3A;1;2026-12-05;14:03:27;1;3;0;1;0;;;non\r\n", "2 essais lus.", ""},
        {"ligne abîmée", journal("B02", "{\"type\":\"quest\n" + question),
         b01 + "X;Les x;B02;3A;1;2026-12-05;14:03:27;1;3;0;1;0;;;non\r\n", "2 essais lus.",
         "B02.jsonl : ligne 2 illisible"},
    };
    for (const auto& c : cas) {
        QTemporaryDir racine;
        poser(racine.filePath("X/X.dat"), "</Les x\r\n0 Q ?\r\nA\r\nB\r\n=>1 0\r\n");
        poser(racine.filePath("X/X _B01_3A_.rst"), record(essai("b01", 3, 3, 2, 1, 15.5f)));
        if (!c.journal.isEmpty()) poser(racine.filePath("X/Essais/B02.jsonl"), c.journal);
        QProcess p;
        p.setWorkingDirectory(racine.path());
        p.start(KORVANE_RUN_DIR "/korvane-bilan", {"X"});
        ASSERT_TRUE(p.waitForFinished(20000));
        const QString erreurs = QString::fromUtf8(p.readAllStandardError());
        EXPECT_TRUE(erreurs.contains(c.compte)) << c.nom << erreurs.toStdString();
        EXPECT_TRUE(erreurs.contains(c.erreur)) << c.nom << erreurs.toStdString();
        EXPECT_EQ(contenu(racine.filePath("bilan.csv")), enTete + c.lignes) << c.nom;
        const QString page = QString::fromUtf8(contenu(racine.filePath("bilan.html")));
        EXPECT_TRUE(page.contains("<p>" + c.compte.section(' ', 0, 1) + ", 1 questionnaire.</p>"))
            << c.nom;
        EXPECT_TRUE(page.contains(c.erreur)) << c.nom;
    }
}

// One mark per pupil by the rule, the class list (Windows-1252, ",", case
// and spaces in identifiers) and the gradebook's exact bytes.
TEST(ResultatsReleve, CahierDeNotesParEleve) {
    QTemporaryDir racine;
    poser(racine.filePath("X/X.dat"), "</Les x\r\n0 Q ?\r\nA\r\nB\r\n=>1 0\r\n");
    poser(racine.filePath("X/X _B01_3A_.rst"),
          record(essai("b01", 3, 3, 2, 1, 12), QTime(14, 0)) +
              record(essai("b01", 3, 3, 3, 0, 15.5f, 1), QTime(14, 10)) +
              record(essai("b01", 3, 3, 1, 2, 9, 2), QTime(14, 20)));
    poser(racine.filePath("X/X _B02_3A_.rst"), record(essai("b02", 1, 3, 0, 1, 0)));
    poser(racine.filePath("X/X _B1_3A_.rst"), record(essai("b1", 3, 3, 2, 1, -2.5f)));
    poser(racine.filePath("liste.csv"),
          "Identifiant,Nom,Pr\xE9nom,Classe,Naissance\r\nB01,Durand,L\xE9"
          "a,3A,2012\r\n"
          " b02 ,Martin,\xC9ric,3A,2012\r\nB03,\"Petit, dit \"\"P\"\"\",Jo,3A,2012\r\n");
    const QByteArray enTete =
        "\xEF\xBB\xBFidentifiant;nom;prenom;classe;questionnaire;note;essai\r\n";
    const QByteArray b02 = "b02;Martin;Éric;3A;X;;\r\n",
                     b03 = "B03;\"Petit, dit \"\"P\"\"\";Jo;3A;X;;\r\n",
                     b1 = "B1;;;3A;X;-2,5;1\r\n";
    const struct {
        QStringList options;
        QByteArray lignes;
    } cas[] = {
        {{}, "B01;;;3A;X;12;1\r\nB02;;;3A;X;;\r\n" + b1},
        {{"--liste", "liste.csv"}, "B01;Durand;Léa;3A;X;12;1\r\n" + b02 + b03 + b1},
        {{"--liste", "liste.csv", "--essai", "meilleur"},
         "B01;Durand;Léa;3A;X;15,5;2\r\n" + b02 + b03 + b1},
        {{"--essai", "dernier"}, "B01;;;3A;X;9;3\r\nB02;;;3A;X;;\r\n" + b1},
    };
    for (const auto& c : cas) {
        QProcess p;
        p.setWorkingDirectory(racine.path());
        p.start(KORVANE_RUN_DIR "/korvane-bilan",
                c.options + QStringList{"--notes", "notes.csv", "--html", "bilan.html", "X"});
        ASSERT_TRUE(p.waitForFinished(20000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        EXPECT_EQ(contenu(racine.filePath("notes.csv")).toStdString(),
                  (enTete + c.lignes).toStdString())
            << c.options.join(' ').toStdString();
        const QString page = QString::fromUtf8(contenu(racine.filePath("bilan.html")));
        EXPECT_EQ(page.contains("B1 (3A) : B01 ?") &&
                      page.contains("B03 – Petit, dit &quot;P&quot; Jo (3A)"),
                  !c.options.isEmpty() && c.options[0] == "--liste");
    }
}
