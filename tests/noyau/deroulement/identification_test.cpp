#include "noyau/deroulement/identification.h"

#include "support/dossier.h"
#include "support/pannes.h"

using namespace Identification;

namespace {
const QString CheminVolcans = QStringLiteral("/prog/VOLCANS/VOLCANS.dat");

TestExistence toujours(Existence e) {
    return [e](const QString&) { return e; };
}
QString enregistrable(const QString&) { return {}; }
}  // namespace

// The existence test comes before the emptiness test.
TEST(IdentificationGarde, DecideDansLOrdreDeLaSaisie) {
    struct Cas {
        const char* identifiant;
        const char* classe;
        Existence existence;
        Issue issue;
        const char* titre;
        int style;
        const char* fichier;
    };
    const Cas cas[] = {
        {"b01", "3a", Existence::Absente, Issue::Accepte, "", 0, "VOLCANS _B01_3A_.rst"},
        {"  b01 ", " 3a", Existence::Absente, Issue::Accepte, "", 0, "VOLCANS _B01_3A_.rst"},
        {"élève", "4e", Existence::Absente, Issue::Accepte, "", 0, "VOLCANS _ÉLÈVE_4E_.rst"},
        {"b01", " ", Existence::Absente, Issue::Accepte, "", 0, "VOLCANS _B01__.rst"},
        {"b01", "", Existence::Absente, Issue::Incomplet, "ACCES REFUSE", 48, "VOLCANS _B01__.rst"},
        {"", "3a", Existence::Absente, Issue::Incomplet, "ACCES REFUSE", 48, "VOLCANS __3A_.rst"},
        {"b01", "", Existence::Presente, Issue::DejaEffectue, "AVERTISSEMENT", 0,
         "VOLCANS _B01__.rst"},
        {"b01", "3a", Existence::Inverifiable, Issue::Inverifiable, "ACCES REFUSE", 48,
         "VOLCANS _B01_3A_.rst"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(QStringLiteral("%1|%2").arg(c.identifiant, c.classe).toStdString());
        const Decision d =
            valider(CheminVolcans, c.identifiant, c.classe, toujours(c.existence), enregistrable);
        EXPECT_EQ(d.issue, c.issue);
        EXPECT_EQ(d.titre, c.titre);
        EXPECT_EQ(d.style, c.style);
        EXPECT_EQ(d.CheminResultats, "/prog/VOLCANS/" + QString(c.fichier));
    }
    // Only spaces are trimmed.
    EXPECT_EQ(cheminResultats(CheminVolcans, "\tb01", "3a "),
              "/prog/VOLCANS/VOLCANS _\tB01_3A_.rst");
    const Decision pleine = valider(CheminVolcans, "b01", "3a", toujours(Existence::Absente),
                                    [](const QString&) { return QString("le disque est plein"); });
    EXPECT_EQ(pleine.issue, Issue::NonEnregistrable);
    EXPECT_TRUE(pleine.texte.contains("(le disque est plein)"));
    EXPECT_EQ(valider(CheminVolcans, "b01", "", toujours(Existence::Absente)).texte,
              "La saisie de l'identifiant et de la classe est indispensable, merci.");
    EXPECT_EQ(valider(CheminVolcans, "b01", "3a", toujours(Existence::Presente)).texte,
              "Le test montre que le QUIZZ a déjà effectué. \r\n"
              "Il faut changer le nom (exemple nom001 pour cet essai puis nom002 à l'essai "
              "suivant, etc...\r\n"
              "pour pouvoir continuer. Le module de supervision associé à ce logiciel permettra "
              "de gérer les tests.");
}

TEST(IdentificationGarde, RefuseCeQuiNePeutPasNommerLeFichier) {
    const QStringList interdits = {"a/b", "a\\b", "c:", "b*", "b?", "b\"", "<b", "b>", "a|b",
                                   "a\tb", QString("b") + QChar(0x7F), QString(QChar(0x85)), ".",
                                   "..", " .. ",
                                   // Not in the record's Windows-1252, or invisible.
                                   QString::fromUtf8("Вера"), QString::fromUtf8("b01😀"),
                                   QString::fromUtf8("b\u200B01"), QChar(0xFEFF) + QString("b01"),
                                   QString::fromUtf8("b01\u202E"), QString::fromUtf8("b\u00AD01")};
    int appels = 0;
    const TestExistence compte = [&](const QString&) {
        ++appels;
        return Existence::Absente;
    };
    for (const QString& mauvais : interdits) {
        for (const bool dansClasse : {false, true}) {
            SCOPED_TRACE(mauvais.toStdString() + (dansClasse ? " (classe)" : " (identifiant)"));
            const Decision d = dansClasse ? valider(CheminVolcans, "b01", mauvais, compte)
                                          : valider(CheminVolcans, mauvais, "3a", compte);
            EXPECT_EQ(d.issue, Issue::NomInterdit);
            EXPECT_EQ(d.titre + QString::number(d.style), "ACCES REFUSE48");
            EXPECT_TRUE(d.CheminResultats.isEmpty());
            EXPECT_TRUE(d.texte.startsWith(dansClasse ? "La classe" : "L'identifiant"));
            EXPECT_TRUE(d.texte.contains("U+") || d.texte.contains("contrôle") ||
                        mauvais.contains('.') ||
                        d.texte.contains(QString("« %1 »").arg(mauvais.back())))
                << d.texte.toStdString();
        }
    }
    EXPECT_EQ(valider(CheminVolcans, QString(250, 'x'), "3a", compte).issue, Issue::NomInterdit);
    EXPECT_EQ(appels, 0);
    for (const QString bon : {"...", ".b", "a.b", "Léa-Noël", "é 2", "Œuvre€"})
        EXPECT_EQ(valider(CheminVolcans, bon, bon, compte, enregistrable).issue, Issue::Accepte)
            << bon.toStdString();
}

TEST(IdentificationExistence, ReconnaitLeFichierEtLeDossierIllisible) {
    QTemporaryDir dossier;
    const QString racine = dossier.path();
    poser(racine + "/VOLCANS/VOLCANS _B01_3A_.rst", "");
    const QString volcans = racine + "/VOLCANS/VOLCANS.dat";
    EXPECT_EQ(valider(volcans, "B01", "3A").issue, Issue::DejaEffectue);
    EXPECT_EQ(valider(volcans, " b01", "3a ").issue, Issue::DejaEffectue);
    EXPECT_EQ(valider(volcans, "b02", "3a").issue, Issue::Accepte);
    // A folder that takes no new file refuses at once, not after the quiz.
    EXPECT_EQ(valider(racine + "/SEISMES/SEISMES.dat", "b01", "3a").issue, Issue::NonEnregistrable);
    // A folder that cannot be looked into (a self-looping link) lets nobody through unchecked.
    ASSERT_TRUE(QFile::link(racine + "/BOUCLE", racine + "/BOUCLE"));
    EXPECT_EQ(existence(racine + "/BOUCLE/BOUCLE _B01_3A_.rst"), Existence::Inverifiable);
    EXPECT_EQ(valider(racine + "/BOUCLE/BOUCLE.dat", "b01", "3a").issue, Issue::Inverifiable);
    for (const bool plein : {true, false}) {
        PetitDisque disque;
        if (!disque.monte()) GTEST_SKIP() << "no tmpfs could be mounted (root is needed)";
        plein ? disque.remplir() : disque.lectureSeule();
        const Decision d = valider(disque.chemin("Q.dat"), "b01", "3a");
        EXPECT_EQ(d.issue, Issue::NonEnregistrable);
        EXPECT_TRUE(d.texte.contains(plein ? "(le disque est plein)"
                                           : "(le disque ou le partage est en lecture seule)"))
            << d.texte.toStdString();
    }
}
