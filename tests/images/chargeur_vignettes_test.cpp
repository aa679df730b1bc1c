#include "images/chargeur_vignettes.h"

#include "support/images.h"

#include <QMutex>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <gtest/gtest.h>

// Pictures decoded ahead are handed over at once while the file is
// unchanged, read again when it changed, and a small cache keeps the most
// recent ones.
TEST(ChargeurVignettes, DecodedAheadWhileUnchangedOnDisk) {
    QTemporaryDir dossier;
    QObject contexte;
    QMutex verrou;
    QStringList lus;
    ChargeurVignettes chargeur(&contexte, [&](const QString& chemin) {
        const QMutexLocker garde(&verrou);
        lus << QFileInfo(chemin).fileName();
        return Charger_vignette(chemin, 2880, 3840, 4080);
    });
    const auto chemin = [&](int n) { return dossier.filePath(QString("p%1.png").arg(n)); };
    for (int n = 0; n < 7; ++n) ASSERT_TRUE(ImagesDeTest::dessinTransparent(8 + n).save(chemin(n)));
    const auto demander = [&](int n) {
        int taille = 0;
        const bool deSuite =
            chargeur.demander(chemin(n), [&](const Vignette& v) { taille = v.image.width(); });
        for (int i = 0; i < 500 && chargeur.enAttente(); ++i) QTest::qWait(10);
        EXPECT_EQ(taille, 192) << n;
        return deSuite;
    };

    chargeur.anticiper(chemin(0));
    chargeur.anticiper(chemin(1));
    QThreadPool::globalInstance()->waitForDone();
    EXPECT_TRUE(demander(1));
    EXPECT_TRUE(demander(0));
    lus.sort();
    EXPECT_EQ(lus, (QStringList{"p0.png", "p1.png"}));  // each read once

    ASSERT_TRUE(ImagesDeTest::dessinTransparent(30).save(chemin(0)));  // replaced by the teacher
    EXPECT_FALSE(demander(0));
    EXPECT_EQ(lus.count("p0.png"), 2);

    for (int n = 2; n < 7; ++n) chargeur.anticiper(chemin(n));  // five newer ones
    QThreadPool::globalInstance()->waitForDone();
    EXPECT_TRUE(demander(6));
    EXPECT_FALSE(demander(1));  // dropped from the cache: read again
}
