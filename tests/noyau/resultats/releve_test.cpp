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
