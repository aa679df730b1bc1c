#include "library/bibliotheque.h"

#include <gtest/gtest.h>

#include <algorithm>

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
