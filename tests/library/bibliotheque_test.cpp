#include "library/bibliotheque.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace Bibliotheque;

TEST(BibliothequeListe, OrdreFrancaisSansDossiersCaches) {
    const QStringList enumeres = {"zoologie", "Électricité", ".git", "eau", "Volcans", "étoiles",
                                  "éclipses", "ABEILLES", "abeilles", ".cache", "Ecologie"};
    EXPECT_EQ(ordonner(enumeres),
              QStringList({"ABEILLES", "abeilles", "eau", "éclipses", "Ecologie", "Électricité",
                           "étoiles", "Volcans", "zoologie"}));
    // Whatever order the file system gives, the listing is the same.
    QStringList inverse = enumeres;
    std::reverse(inverse.begin(), inverse.end());
    EXPECT_EQ(ordonner(inverse), ordonner(enumeres));
}

TEST(BibliothequeListe, CentEntreesAuPlus) {
    QStringList noms;
    for (int i = 130; i >= 0; --i) noms << QStringLiteral("Q%1").arg(i, 3, 10, QChar('0'));
    const QStringList liste = ordonner(noms);
    ASSERT_EQ(liste.size(), MaxThemes);
    EXPECT_EQ(liste.first(), "Q000");
    EXPECT_EQ(liste.last(), "Q099");
}

TEST(BibliothequeListe, ListeLesDossiersDuDisque) {
    QTemporaryDir racine;
    ASSERT_TRUE(racine.isValid());
    QDir dossier(racine.path());
    for (const char* nom : {"SEISMES", "volcans", ".cache", "Atmosphère"}) dossier.mkdir(nom);
    EXPECT_EQ(ListerThemes(racine.path()), QStringList({"Atmosphère", "SEISMES", "volcans"}));
    EXPECT_TRUE(ListerThemes(racine.path() + "/absent").isEmpty());

    const Choix choix = choisir(racine.path(), "volcans");
    EXPECT_EQ(choix.DossierQuestionnaire, racine.path() + "/volcans");
    EXPECT_EQ(choix.CheminQuestionnaire, racine.path() + "/volcans/volcans.dat");
}
