#include "images/chargeur_vignettes.h"

#include "support/images.h"

#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <gtest/gtest.h>

// The quiz screen's tests hand over pictures decoded ahead and read a
// replaced one again; here the small cache keeps the most recent ones.
TEST(ChargeurVignettes, KeepsTheMostRecentPicturesDecodedAhead) {
    QTemporaryDir dossier;
    QObject contexte;
    ChargeurVignettes chargeur(&contexte, [](const QString& chemin) {
        return Charger_vignette(chemin, 2880, 3840, 4080);
    });
    const auto chemin = [&](int n) { return dossier.filePath(QString("p%1.png").arg(n)); };
    for (int n = 0; n < 6; ++n) {
        ASSERT_TRUE(ImagesDeTest::dessinTransparent(8 + n).save(chemin(n)));
        chargeur.anticiper(chemin(n));
    }
    QThreadPool::globalInstance()->waitForDone();
    const auto deSuite = [&](int n) {
        int largeur = 0;
        const bool oui =
            chargeur.demander(chemin(n), [&](const Vignette& v) { largeur = v.image.width(); });
        for (int i = 0; i < 500 && chargeur.enAttente(); ++i) QTest::qWait(10);
        EXPECT_EQ(largeur, 192) << n;
        return oui;
    };
    EXPECT_TRUE(deSuite(5));
    EXPECT_TRUE(deSuite(1));
    EXPECT_FALSE(deSuite(0));  // the oldest was dropped: read again
}
