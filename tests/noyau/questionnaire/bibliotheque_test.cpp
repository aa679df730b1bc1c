#include "noyau/questionnaire/bibliotheque.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace Bibliotheque;

TEST(BibliothequeListe, OrdreFrancaisSansDossiersCachesEtCentEntreesAuPlus) {
    QStringList enumeres = {"zoologie", "Électricité", ".git",     "eau",    "Volcans", "étoiles",
                            "éclipses", "ABEILLES",    "abeilles", ".cache", "Ecologie"};
    const QStringList attendu = {"ABEILLES",    "abeilles", "eau",     "éclipses", "Ecologie",
                                 "Électricité", "étoiles",  "Volcans", "zoologie"};
    EXPECT_EQ(ordonner(enumeres), attendu);
    std::reverse(enumeres.begin(), enumeres.end());  // whatever order the file system gives
    EXPECT_EQ(ordonner(enumeres), attendu);

    QStringList noms;
    for (int i = 130; i >= 0; --i) noms << QStringLiteral("Q%1").arg(i, 3, 10, QChar('0'));
    const QStringList liste = ordonner(noms);
    ASSERT_EQ(liste.size(), MaxThemes);
    EXPECT_EQ(liste.first() + liste.last(), "Q000Q099");
}
