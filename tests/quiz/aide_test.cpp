#include "quiz/aide.h"

#include "support/fakes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class AideTest : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    PlateformeSimulee p;
    QuizState s;

    void SetUp() override {
        QDir(dossier.path()).mkpath("VOLCANS/Fichiers d'aide");
        s.DossierQuestionnaire = dossier.path() + "/VOLCANS";
        for (const char* nom : {"volcans.doc", "VOLCANS.HLP"}) {
            QFile f(s.DossierQuestionnaire + "/Fichiers d'aide/" + nom);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("aide");
        }
    }
    void ouvrir(const QString& nom, OuvreurDocuments::Resultat resultat) {
        s.FichierAide = s.DossierQuestionnaire + "\\Fichiers d'aide\\" + nom;
        p.documents.resultat = resultat;
        Ouvrir_aide(s, p.services, nullptr);
    }
};

using R = OuvreurDocuments::Resultat;

TEST_F(AideTest, OpensTheDocumentOrSaysThatNoApplicationIsAssociated) {
    ouvrir("Volcans.DOC", R::Ouvert);  // found whatever the case of its name
    ASSERT_EQ(p.documents.ouverts.size(), 1);
    EXPECT_EQ(p.documents.ouverts[0], s.DossierQuestionnaire + "/Fichiers d'aide/volcans.doc");
    EXPECT_TRUE(p.dialogues.appels.empty());
    EXPECT_EQ(s.AideWinHelp, "");

    ouvrir("volcans.doc", R::AucuneApplication);
    ASSERT_EQ(p.dialogues.appels.size(), 1u);
    const auto& appel = p.dialogues.appels[0];
    EXPECT_TRUE(appel.texte.startsWith(
        "L'ouverture du fichier d'aide choisi a échouée. Prévenez le professeur."));
    EXPECT_TRUE(appel.texte.contains("volcans.doc"));
    EXPECT_EQ(appel.titre, "AVERTISSEMENT CRITIQUE");
    EXPECT_EQ(appel.style, 16);
}

TEST_F(AideTest, PlatformHelpFileGoesToTheAssociatedApplicationOrIsExplained) {
    ouvrir("VOLCANS.HLP", R::Ouvert);
    EXPECT_EQ(s.AideWinHelp, s.FichierAide);
    EXPECT_EQ(p.documents.ouverts.size(), 1);
    EXPECT_TRUE(p.dialogues.appels.empty());

    ouvrir("VOLCANS.HLP", R::AucuneApplication);
    ASSERT_EQ(p.dialogues.appels.size(), 1u);
    EXPECT_TRUE(p.dialogues.appels[0].texte.contains("« VOLCANS.HLP »"));
    EXPECT_TRUE(p.dialogues.appels[0].texte.contains("aide de Windows"));
    EXPECT_EQ(p.dialogues.appels[0].style, 16);
}

TEST_F(AideTest, MissingOrUnopenableDocumentsAreNeverSilent) {
    ouvrir("absent.pdf", R::Ouvert);
    EXPECT_TRUE(p.documents.ouverts.isEmpty());
    ASSERT_EQ(p.dialogues.appels.size(), 1u);
    EXPECT_TRUE(p.dialogues.appels[0].texte.contains("« absent.pdf » est introuvable"));

    s.FichierAide = "C:\\AIDE\\volcans.doc";  // an absolute Windows path
    Ouvrir_aide(s, p.services, nullptr);
    ASSERT_EQ(p.dialogues.appels.size(), 2u);
    EXPECT_TRUE(p.dialogues.appels[1].texte.contains("« volcans.doc » est introuvable"));

    ouvrir("volcans.doc", R::Echec);
    ASSERT_EQ(p.dialogues.appels.size(), 3u);
    EXPECT_TRUE(p.dialogues.appels[2].texte.contains("n'a pas pu être ouvert"));
}

}  // namespace
