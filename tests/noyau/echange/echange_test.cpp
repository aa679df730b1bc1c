#include "noyau/echange/echange.h"

#include "noyau/echange/transfert.h"
#include "noyau/questionnaire/ecriture.h"
#include "support/dossier.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

using namespace Echange;

// A bank as one line per question: "text | right* | wrong # comment @picture".
QStringList resume(const QVector<Banque>& banques) {
    QStringList lignes;
    for (const Banque& b : banques) {
        lignes << "[" + b.categorie + "]";
        for (const Question& q : b.questions) {
            QString ligne = q.texte;
            for (int k = 0; k < q.reponses.size(); ++k)
                ligne += " | " + q.reponses[k] + (q.justes.value(k) ? "*" : "");
            if (!q.commentaire.isEmpty()) ligne += " # " + q.commentaire;
            if (!q.image.isEmpty())
                ligne += QString(" @%1 (%2)").arg(q.image).arg(b.images.value(q.image).size());
            lignes << ligne;
        }
    }
    return lignes;
}

QString exemple(const QString& nom) {
    return QString(KORVANE_TEST_FILES "/noyau/echange/fichiers/") + nom;
}

int importer(const QStringList& arguments, QString* erreurs = nullptr) {
    QProcess p;
    p.start(KORVANE_RUN_DIR "/korvane-import", arguments);
    p.waitForFinished(30000);
    if (erreurs) *erreurs = QString::fromUtf8(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

TEST(Echange, banquesLuesCommeLesPlateformesLesExportent) {
    const struct {
        QString fichier;
        QStringList attendu;
        int ignorees, remarques;
    } cas[] = {
        {"chimie.gift",
         {"[Chimie]",
          "Quel est le symbole chimique du sodium ? | Na* | So | S # Le sodium vient du latin "
          "natrium.",
          "Dans {0, 1, 2}, 2 = 1 + 1 : vrai ~ faux # ? | Vrai # parfois* | Faux \\ jamais",
          "Une question écrite sur plusieurs lignes avec un saut ? | Premier juste* | Second "
          "juste* | Faux",
          "Le sel de table est du chlorure de _____. | sodium* | potassium | calcium",
          "Lequel est un gaz noble ? | Néon* | Argon | Azote",
          "L'eau bout à 100 °C au niveau de la mer. | Vrai* | Faux", "[Physique]",
          "Unité de résistance électrique ? | Ω (ohm)* | V | A"},
         5,
         6},
        {"electricite.xml",
         {"[Électricité]",
          "Dans ce circuit, que vaut U si R = 2 Ω et I = 3 A ? | 6 V* | 1,5 V | 5 V environ # "
          "U = R × I soit 6 V. @schema_circuit.png (69)",
          "Lesquelles sont vraies ? | √4 ≤ 2* | π < 3 | 1 < 2 & 2 < 3*",
          "Le courant se mesure en ampères. | Vrai* | Faux"},
         2,
         3},
        {"planetes.txt",
         {"[planetes]", "Quelle planète est la plus proche du Soleil ? | Vénus | Mercure* | Mars",
          "Combien de lunes a Mars ? | Une | Deux* | Aucune"},
         0,
         0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.fichier.toStdString());
        const Lecture l = LireFichier(exemple(c.fichier));
        ASSERT_EQ(l.erreur, "");
        EXPECT_EQ(resume(l.banques), c.attendu);
        EXPECT_EQ(l.ignorees, c.ignorees);
        EXPECT_EQ(l.remarques.size(), c.remarques) << l.remarques.join('\n').toStdString();
    }
}

// A broken file, even after good questions, is imported not at all.
TEST(Echange, fichierCasseRienNEstImporte) {
    const QByteArray bonne = "::Bonne::Deux et deux ?{=4 ~5}\n\n";
    const QByteArray cas[] = {
        bonne + "Question {=a ~b",
        bonne + "Q1 {=a ~b}\nQ2 {=c ~d}",
        bonne + "::Sans fin ?{=a ~b}",
        "<?xml version=\"1.0\"?><quiz><question type=\"truefalse\"><questiontext><text>Q "
        "?</text></questiontext><answer fraction=\"100\"><text>true</text></answer><answer "
        "fraction=\"0\"><text>false</text></answer></question><question><name>",
        "<?xml version=\"1.0\"?><html><body/></html>",
        "Q ?\nA. a\nB. b\nANSWER: C\n",
        "Q ?\nA. a\nB. b\nANSWER: A\n\nQ2 ?\nA. a\nB. b\n",
        "Q ?\nA. a\nC. b\nANSWER: A\n",
        "Rien de reconnaissable ici.\n",
        "",
        QByteArray("\x00\xff\xfe{", 4),
    };
    for (const QByteArray& octets : cas) {
        SCOPED_TRACE(octets.toStdString());
        DossierDeTest d;
        poser(d.bibliotheque() + "/banque.txt", octets);
        EXPECT_NE(LireFichier(d.bibliotheque() + "/banque.txt").erreur, "");
        QString erreurs;
        EXPECT_EQ(importer({"--vers", d.dossier(), d.bibliotheque() + "/banque.txt"}, &erreurs), 2);
        EXPECT_TRUE(erreurs.contains("rien n'est importé")) << erreurs.toStdString();
        EXPECT_EQ(QDir(d.dossier()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                  QStringList{"Images"});
    }
}

// Folders never overwritten, 99 questions at most each, the exit status
// telling whether questions were skipped.
TEST(Echange, dossiersEcritsSansRienRemplacer) {
    DossierDeTest d("PLANETES");
    d.dat({"</Déjà là", "0 Q ?", "a", "b", "=>1 0"});
    QByteArray cent50 = "$CATEGORY: $course$/top/Révisions : l'été !\n";
    for (int i = 1; i <= 150; ++i)
        cent50 += QString("\nQuestion %1 ?{=oui ~non}\n").arg(i).toUtf8();
    poser(d.bibliotheque() + "/revisions.gift", cent50);
    EXPECT_EQ(importer({"--vers", d.bibliotheque(), exemple("planetes.txt"),
                        d.bibliotheque() + "/revisions.gift"}),
              0);
    EXPECT_EQ(importer({"--vers", d.bibliotheque(), exemple("chimie.gift")}), 1);
    const struct {
        QString dossier, titre;
        int questions;
    } attendus[] = {{"PLANETES", "Déjà là", 1},
                    {"PLANETES_2", "planetes", 2},
                    {"REVISIONS___L_ETE__", "Révisions : l'été !", 99},
                    {"REVISIONS___L_ETE___2", "Révisions : l'été !", 51},
                    {"CHIMIE", "Chimie", 6},
                    {"PHYSIQUE", "Physique", 1}};
    for (const auto& a : attendus) {
        const Questionnaire q = OuvrirPourEdition(d.bibliotheque() + "/" + a.dossier).questionnaire;
        EXPECT_EQ(q.titre, a.titre) << a.dossier.toStdString();
        EXPECT_EQ(q.questions.size(), a.questions) << a.dossier.toStdString();
    }
}

}  // namespace
