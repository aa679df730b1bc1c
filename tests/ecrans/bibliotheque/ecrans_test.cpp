#include "ecrans/bibliotheque/frm_nom.h"
#include "ecrans/bibliotheque/frm_themes.h"
#include "support/fakes.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList entrees(const QListWidget* liste) {
    QStringList noms;
    for (int i = 0; i < liste->count(); ++i) noms << liste->item(i)->text();
    return noms;
}

struct Ecrans : ::testing::Test {
    QTemporaryDir racine;
    QuizState etat;
    PlateformeSimulee plateforme;
    Ecrans() {
        for (const char* nom : {"VOLCANS", "Atmosphère", ".cache"}) QDir(racine.path()).mkdir(nom);
    }
};

}  // namespace

// Double click, quit and its display restore are driven end to end (chain, display tests).
TEST_F(Ecrans, BibliothequeTrieeChoisieAuClavier) {
    etat.Note = 12.5f;
    frmThèmes ecran(etat, plateforme.services, plateforme.navigation, nullptr, racine.path());
    EXPECT_EQ(etat.Note, 0.0f);
    EXPECT_EQ(entrees(ecran.List1), QStringList({"Atmosphère", "VOLCANS"}));
    EXPECT_EQ(ecran.Label1->text(),
              "Sélectionner dans la bibliothèque ci-dessous\nle QCM à réaliser.");

    // Launching before any choice warns and stays.
    ecran.cmdLancement->click();
    ASSERT_EQ(plateforme.dialogues.appels.size(), 1u);
    const auto& appel = plateforme.dialogues.appels[0];
    EXPECT_EQ(appel.texte, "CHOISIR D'ABORD LE THEME A ABORDER DANS LA LISTE DE GAUCHE");
    EXPECT_EQ(appel.titre + QString::number(appel.style), "AVERTISSEMENT48");
    EXPECT_TRUE(plateforme.navigation.montres.empty());

    ecran.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ecran));
    EXPECT_TRUE(ecran.List1->hasFocus() && ecran.testAttribute(Qt::WA_KeyboardFocusChange));
    QTest::keyClick(ecran.List1, Qt::Key_Down);
    EXPECT_EQ(ecran.ThemeChoisi, "Atmosphère");
    QTest::keyClick(ecran.List1, Qt::Key_Down);
    EXPECT_EQ(ecran.ThemeChoisi, "VOLCANS");
    EXPECT_EQ(ecran.Label1->text().replace("\r\n", "\n"),
              "Questionnaire choisi : \nVOLCANS\nPour continuer, cliquer sur Lancer le QCM");
    EXPECT_EQ(etat.DossierQuestionnaire, racine.path() + "/VOLCANS");
    EXPECT_EQ(etat.CheminQuestionnaire, racine.path() + "/VOLCANS/VOLCANS.dat");
    QTest::keyClick(ecran.List1, Qt::Key_Return);
    EXPECT_EQ(plateforme.navigation.montres, std::vector<Ecran>{Ecran::Nom});

    // A new listing replaces the old one entirely.
    QDir(racine.path()).rmdir("VOLCANS");
    ecran.ListerThemes(racine.path());
    EXPECT_EQ(entrees(ecran.List1), QStringList({"Atmosphère"}));
    EXPECT_TRUE(ecran.TableThemes[2].isEmpty());

    // A library that is not there (a share not mounted) is said so.
    frmThèmes absente(etat, plateforme.services, plateforme.navigation, nullptr,
                      racine.path() + "/partage");
    EXPECT_TRUE(
        absente.Label1->text().startsWith("La bibliothèque de questionnaires est introuvable"));
}

// The retake of an identifier already used is refused end to end (chain test).
TEST_F(Ecrans, IdentificationValideOuRefuse) {
    etat.CheminQuestionnaire = racine.path() + "/VOLCANS/VOLCANS.dat";
    frmNom ecran(etat, plateforme.services, plateforme.navigation);
    ecran.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ecran));
    EXPECT_TRUE(ecran.Text1[0]->hasFocus() && ecran.testAttribute(Qt::WA_KeyboardFocusChange));
    QTest::keyClicks(ecran.Text1[0], "b01");
    QTest::keyClick(ecran.Text1[0], Qt::Key_Tab);
    EXPECT_TRUE(ecran.Text1[1]->hasFocus());

    // A refused entry keeps the screen and what was typed.
    QTest::keyClicks(ecran.Text1[1], "../3a");
    QTest::keyClick(ecran.Text1[1], Qt::Key_Return);
    ASSERT_EQ(plateforme.dialogues.appels.size(), 1u);
    EXPECT_EQ(plateforme.dialogues.appels[0].titre, "ACCES REFUSE");
    EXPECT_TRUE(plateforme.navigation.montres.empty());
    EXPECT_TRUE(etat.CheminResultats.isEmpty());
    EXPECT_EQ(ecran.Text1[0]->text(), "b01");

    ecran.Text1[1]->setText("3b");
    QTest::keyClick(ecran.Text1[1], Qt::Key_Enter);
    EXPECT_EQ(plateforme.navigation.montres, std::vector<Ecran>{Ecran::Main});
    EXPECT_EQ(etat.Identifiant + "|" + etat.Classe, "b01|3b");
    EXPECT_EQ(etat.CheminResultats, racine.path() + "/VOLCANS/VOLCANS _B01_3B_.rst");
}
