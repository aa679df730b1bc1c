#include "noyau/echange/echange.h"

#include "noyau/echange/transfert.h"
#include "noyau/questionnaire/ecriture.h"
#include "support/dossier.h"

#include <QProcess>

#include <gtest/gtest.h>
#include <random>

namespace {

using namespace Echange;

enum class Images { Nommees, Octets, Aucune };

// A bank as one line per question: "text | right* | wrong # comment @picture".
QStringList resume(const QVector<Banque>& banques, Images images = Images::Nommees) {
    QStringList lignes;
    for (const Banque& b : banques) {
        lignes << "[" + b.categorie + "]";
        for (const Question& q : b.questions) {
            QString ligne = q.texte;
            for (int k = 0; k < q.reponses.size(); ++k)
                ligne += " | " + q.reponses[k] + (q.justes.value(k) ? "*" : "");
            if (!q.commentaire.isEmpty()) ligne += " # " + q.commentaire;
            const QByteArray image = b.images.value(q.image);
            if (!q.image.isEmpty() && images != Images::Aucune)
                ligne += QString(" @%1 (%2)")
                             .arg(images == Images::Nommees ? q.image : QString())
                             .arg(images == Images::Nommees ? image.size() : qChecksum(image));
            lignes << ligne;
        }
    }
    return lignes;
}

QString exemple(const QString& nom) {
    return QString(KORVANE_TEST_FILES "/noyau/echange/fichiers/") + nom;
}

int lancer(const QString& programme, const QStringList& arguments, QString* erreurs = nullptr) {
    QProcess p;
    p.start(KORVANE_RUN_DIR "/" + programme, arguments);
    p.waitForFinished(30000);
    if (erreurs) *erreurs = QString::fromUtf8(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}
int importer(const QStringList& arguments, QString* erreurs = nullptr) {
    return lancer("korvane-import", arguments, erreurs);
}

// Questionnaires whose texts hold what each format escapes or reads as markup.
void generer(const QString& bibliotheque) {
    const QStringList morceaux =
        QStringList{"a ~ b", "x = y", "#1", "{a}", "C:\\dossier", "\\n", "[html]début"} +
        QStringList{"%50% du lot", "a -> b", "<b>gras</b>", "&amp; &lt;", "π ≤ √2 Ω"} +
        QStringList{"$CATEGORY: x", "// pas ceci", "::nom::", "A. début", "ANSWER: A", "]]> fin"} +
        QStringList{"é à ç œ € …", "_____", "@@PLUGINFILE@@/x.png", "T", "<p>&nbsp;</p>", "\"\\'"};
    std::mt19937 hasard(7);
    auto texte = [&] {
        return morceaux[hasard() % morceaux.size()] + " " + morceaux[hasard() % morceaux.size()];
    };
    for (int n = 1; n <= 3; ++n) {
        const QString dossier = bibliotheque + QString("/GENERE%1").arg(n);
        Questionnaire e;
        e.titre = QString("Généré %1 / 3e : π & Ω ").arg(n) + texte();
        for (int i = 0; i < 30; ++i) {
            Question q;
            q.texte = texte();
            for (int k = 0, nombre = 2 + hasard() % 5; k < nombre; ++k) {
                q.reponses << texte() + QString(" %1").arg(k);
                q.justes << (hasard() % 3 == 0);
            }
            q.justes[hasard() % q.justes.size()] = true;
            if (hasard() % 3 == 0) q.commentaire = texte();
            if (hasard() % 4 == 0) {
                q.image = QString("Schéma n°%1.png").arg(i);
                poser(dossier + "/Images/" + q.image, "\x89PNG" + QByteArray(i + 1, char(n)));
            }
            e.questions << q;
        }
        ASSERT_EQ(EnregistrerQuestionnaire(e, dossier), "");
    }
}

// Each questionnaire of a library by its title, pictures as `images` says.
QMap<QString, QStringList> parTitre(const QString& bibliotheque, Images images) {
    QMap<QString, QStringList> contenus;
    QStringList remarques;
    for (const QString& d : DossiersQuestionnaires({bibliotheque})) {
        const Banque b = BanqueDuDossier(d, &remarques);
        contenus[b.categorie] += resume({b}, images);
    }
    return contenus;
}

TEST(Echange, banquesLuesCommeLesPlateformesLesExportent) {
    const std::tuple<QString, QStringList, int, int> cas[] = {
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
    for (const auto& [fichier, attendu, ignorees, remarques] : cas) {
        SCOPED_TRACE(fichier.toStdString());
        const LectureBanque l = LireFichier(exemple(fichier));
        ASSERT_EQ(l.erreur, "");
        EXPECT_EQ(resume(l.banques), attendu);
        EXPECT_EQ(l.ignorees, ignorees);
        EXPECT_EQ(l.remarques.size(), remarques) << l.remarques.join('\n').toStdString();
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
    const std::tuple<QString, QString, int> attendus[] = {
        {"PLANETES", "Déjà là", 1},
        {"PLANETES_2", "planetes", 2},
        {"REVISIONS___L_ETE__", "Révisions : l'été !", 99},
        {"REVISIONS___L_ETE___2", "Révisions : l'été !", 51},
        {"CHIMIE", "Chimie", 6},
        {"PHYSIQUE", "Physique", 1}};
    for (const auto& [dossier, titre, questions] : attendus) {
        const Questionnaire q = OuvrirPourEdition(d.bibliotheque() + "/" + dossier).questionnaire;
        EXPECT_EQ(q.titre, titre) << dossier.toStdString();
        EXPECT_EQ(q.questions.size(), questions) << dossier.toStdString();
    }
}

// Export then import gives back the questions, answers, right answers,
// comments and pictures (which GIFT does not carry).
TEST(Echange, exporteEtReimporteALIdentique) {
    DossierDeTest d;
    ASSERT_EQ(QProcess::execute("cp", {"-rT", KORVANE_SAMPLE_LIBRARY, d.bibliotheque()}), 0);
    QDir(d.dossier()).removeRecursively();
    generer(d.bibliotheque());
    for (const auto& [format, images] :
         {std::pair{"moodle", Images::Octets}, {"gift", Images::Aucune}}) {
        SCOPED_TRACE(format);
        QTemporaryDir sortie;
        const QString fichier = sortie.path() + "/banque." + format,
                      vers = sortie.path() + "/import";
        QString erreurs;
        EXPECT_LE(lancer("korvane-export", {"--format", format, d.bibliotheque(), "-o", fichier},
                         &erreurs),
                  1)
            << erreurs.toStdString();
        EXPECT_EQ(importer({"--vers", vers, fichier}, &erreurs), 0) << erreurs.toStdString();
        const auto avant = parTitre(d.bibliotheque(), images), apres = parTitre(vers, images);
        EXPECT_EQ(avant.size(), 6);
        EXPECT_EQ(avant, apres);
    }
}

}  // namespace
