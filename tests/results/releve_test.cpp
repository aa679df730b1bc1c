#include "results/releve.h"
#include "platform/fichiers.h"
#include "questionnaire/formats.h"
#include "results/enregistrement.h"
#include "results/lecture.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

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

void ecrireOctets(const QString& chemin, const QByteArray& octets) {
    QDir().mkpath(QFileInfo(chemin).path());
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

QByteArray record(const QuizState& s, const QTime& heure = QTime(14, 3, 27)) {
    return Fichiers::encoderWindows1252(Resultats::TexteEnregistrement(s, heure));
}

}  // namespace

TEST(ResultatsLecture, RelitCeQueLEnregistrementAEcrit) {
    QTemporaryDir dossier;
    struct Cas {
        QuizState s;
        QString attendu;
    };
    const std::vector<Cas> cas{
        {essai("b01", 20, 20, 15, 4, 15.5f),
         "VOLCANS|B01|3A|1|20/20|15-4-1|15,5|3,1|2026-12-05|14:03:27"},
        {essai("b01", 7, 20, 5, 1, 18.5f, 1), "VOLCANS|B01|3A|2|7/20|5-1-1|||2026-12-05|14:03:27"},
        {essai("b01", 30, 30, 0, 30, -10.0f, 2),
         "VOLCANS|B01|3A|3|30/30|0-30-0|-10|-2,0|2026-12-05|14:03:27"},
        {essai(" jean dupont ", 3, 3, 1, 1, 18.5f),
         "VOLCANS|JEAN DUPONT|3A|1|3/3|1-1-1|18,5|3,7|2026-12-05|14:03:27"},
    };
    for (const Cas& c : cas) {
        QuizState s = c.s;
        s.DossierQuestionnaire = dossier.path();
        s.CheminQuestionnaire = dossier.filePath("VOLCANS.dat");
        s.CheminResultats = dossier.filePath(
            "VOLCANS _" + Formats::sansEspaces(s.Identifiant).toUpper() + "_3A_.rst");
        ASSERT_EQ(Resultats::EnregistrerResultats(s, QTime(14, 3, 27)), "");
    }
    const auto b01 = Resultats::LireFichierResultats(dossier.filePath("VOLCANS _B01_3A_.rst"));
    const auto jean =
        Resultats::LireFichierResultats(dossier.filePath("VOLCANS _JEAN DUPONT_3A_.rst"));
    ASSERT_EQ(b01.essais.size(), 3);
    ASSERT_EQ(jean.essais.size(), 1);
    EXPECT_TRUE(b01.erreurs.isEmpty() && jean.erreurs.isEmpty());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(resume(b01.essais[i]), cas[i].attendu);
    EXPECT_EQ(resume(jean.essais[0]), cas[3].attendu);
    EXPECT_EQ(b01.essais[2].valeurNote, -10.0);
    EXPECT_TRUE(b01.essais[0].complet() && !b01.essais[1].complet() && b01.essais[2].complet());
}

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
        int essais;
        int erreurs;
        QString premier;
    };
    for (const Cas& c : std::vector<Cas>{
             {"Windows-1252, CR LF", un, 1, 0,
              "X|B01|3A|1|20/20|15-4-1|15,5|3,1|2026-12-05|14:03:27"},
             {"UTF-8, LF, autre nom", unixUtf8, 1, 0,
              "classe|ÉLODIE|3A|1|20/20|15-4-1|15,5|3,1|2026-12-05|08:00:00"},
             {"dix essais", dix, 10, 0, "X|B01|3A|1|4/4|0-4-0|16|3,2|2026-12-05|14:03:27"},
             {"coupé au milieu du second", un + un.left(300), 1, 1,
              "X|B01|3A|1|20/20|15-4-1|15,5|3,1|2026-12-05|14:03:27"},
             {"coupé dans l'heure", un.left(un.size() - 5), 0, 1, ""},
             {"note effacée", QByteArray(un).replace("15,5/20", "quinze/20"), 0, 1, ""},
             {"note démesurée", QByteArray(un).replace("15,5/20", "1" + QByteArray(60, '0') + "/20"), 0, 1, ""},
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

namespace {

// A library of two machines' copies and a USB stick's stray file.
struct Collecte {
    QTemporaryDir racine;
    QString chemin(const QString& relatif) const { return racine.filePath(relatif); }
    void rst(const QString& relatif, const QByteArray& octets) const {
        ecrireOctets(chemin(relatif), octets);
    }
};

}  // namespace

TEST(ResultatsReleve, TableauSansDoublonDansLOrdreFrancais) {
    Collecte c;
    ecrireOctets(c.chemin("poste1/VOLCANS/VOLCANS.dat"),
                 Fichiers::encoderWindows1252("</Les volcans\r\n0 Q ?\r\nA\r\nB\r\n=>1 0\r\n"));
    const QByteArray emile = record(essai("émile", 20, 20, 15, 4, 15.5f));
    c.rst("poste1/VOLCANS/VOLCANS _ÉMILE_3A_.rst", emile);
    c.rst("poste2/VOLCANS/VOLCANS _ÉMILE_3A_.rst", emile);  // the same attempt gathered twice
    c.rst("poste2/VOLCANS/VOLCANS _EVA_3A_.rst",
          record(essai("eva", 2, 20, 1, 1, 19.5f)) + record(essai("eva", 20, 20, 20, 0, 20, 1)));
    c.rst("poste2/VOLCANS/VOLCANS _=1+1_3A_.rst", record(essai("=1+1", 20, 20, 10, 10, -0.5f)));
    const Resultats::Releve r = Resultats::Rassembler({c.chemin("poste1"), c.chemin("poste2")});
    EXPECT_EQ(r.codeSortie(), 0);
    EXPECT_EQ(
        Resultats::TexteCsv(r),
        QByteArray(
            "\xEF\xBB\xBF"
            "questionnaire;titre;identifiant;classe;essai;date;heure;traitees;questions;"
            "justes;fausses;nulles;note;note_sur_4;complet\r\n"
            "VOLCANS;Les volcans;'=1+1;3A;1;2026-12-05;14:03:27;20;20;10;10;0;-0,5;-0,1;oui\r\n"
            "VOLCANS;Les volcans;ÉMILE;3A;1;2026-12-05;14:03:27;20;20;15;4;1;15,5;3,1;oui\r\n"
            "VOLCANS;Les volcans;EVA;3A;1;2026-12-05;14:03:27;2;20;1;1;0;;;non\r\n"
            "VOLCANS;Les volcans;EVA;3A;2;2026-12-05;14:03:27;20;20;20;0;0;20;4,0;oui\r\n"));
}

TEST(ResultatsReleve, ProgrammeCodesDeSortieEtMessages) {
    Collecte c;
    const QByteArray bon = record(essai("b01", 20, 20, 15, 4, 15.5f));
    c.rst("bon/VOLCANS _B01_3A_.rst", bon);
    c.rst("mixte/VOLCANS _B01_3A_.rst", bon);
    c.rst("mixte/VOLCANS _B02_3A_.rst", bon.left(200));
    c.rst("mauvais/VOLCANS _B02_3A_.rst", "rien");
    QDir().mkpath(c.chemin("vide"));
    struct Cas {
        QStringList arguments;
        int code;
        QString erreur;
        bool ecrit;
    };
    for (const Cas& cas : std::vector<Cas>{
             {{"bon"}, 0, "", true},
             {{"mixte"},
              1,
              "VOLCANS _B02_3A_.rst : essai 1 illisible, enregistrement coupé avant sa fin",
              true},
             {{"mauvais", "absent"}, 2, "absent : dossier introuvable", false},
             {{"vide"}, 2, "aucun fichier de résultats trouvé", false},
             {{}, 2, "Usage : korvane-bilan", false}}) {
        QDir(c.racine.path()).remove("bilan.csv");
        QProcess p;
        p.setWorkingDirectory(c.racine.path());
        p.start(KORVANE_RUN_DIR "/korvane-bilan", cas.arguments);
        ASSERT_TRUE(p.waitForFinished(20000));
        const QString erreurs = QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(p.exitCode(), cas.code) << erreurs.toStdString();
        EXPECT_TRUE(erreurs.contains(cas.erreur)) << erreurs.toStdString();
        EXPECT_EQ(QFile::exists(c.chemin("bilan.csv")) && QFile::exists(c.chemin("bilan.html")),
                  cas.ecrit);
        if (cas.ecrit) {
            EXPECT_TRUE(
                QString::fromUtf8(p.readAllStandardOutput()).contains(c.chemin("bilan.csv")));
        }
    }
}
