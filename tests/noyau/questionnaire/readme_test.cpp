#include "images/images.h"
#include "noyau/fichiers/fichiers.h"
#include "noyau/fichiers/reglages.h"
#include "noyau/questionnaire/ecriture.h"
#include "noyau/questionnaire/verification.h"
#include "support/dossier.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSettings>

#include <gtest/gtest.h>

namespace {
// The README's fenced blocks, by the name in the comment line before them.
std::map<QString, QString> blocsDuReadme() {
    QFile readme(KORVANE_README);
    const QStringList lignes = readme.open(QIODevice::ReadOnly)
                                   ? QString::fromUtf8(readme.readAll()).split('\n')
                                   : QStringList();
    static const QRegularExpression marque("^<!-- (exemple |)(\\S+) -->$");
    std::map<QString, QString> blocs;
    for (int i = 0; i + 1 < lignes.size(); ++i) {
        const auto trouve = marque.match(lignes[i]);
        if (!trouve.hasMatch() || !lignes[i + 1].startsWith("```")) continue;
        QString& texte = blocs[trouve.captured(2)];
        for (i += 2; i < lignes.size() && !lignes[i].startsWith("```"); ++i)
            texte += lignes[i] + "\r\n";
    }
    return blocs;
}
}  // namespace

// The README's example files, copied as they stand into a folder with the
// pictures (real ones) and help document they name, make a questionnaire with nothing
// to report; its settings for a class share are read as it says.
TEST(Readme, ExamplesCopiedAsTheyStandWork) {
    const auto blocs = blocsDuReadme();
    QTemporaryDir racine;
    const QString dossier = racine.path() + "/VOLCANS";
    for (const char* nom : {"VOLCANS/VOLCANS.dat", "VOLCANS/VOLCANS.ini"}) {
        ASSERT_TRUE(blocs.count(nom)) << nom;
        poser(racine.path() + "/" + nom, Fichiers::encoderWindows1252(blocs.at(nom)));
    }
    const auto lu = VerifierDossier(dossier, Images::examiner);
    ASSERT_TRUE(lu->erreur.isEmpty()) << lu->erreur.toStdString();
    poser(QString(CheminAide(dossier, lu->questionnaire.aide)).replace('\\', '/'), "");
    QDir().mkpath(dossier + "/Images");
    for (const Question& q : lu->questionnaire.questions) {
        const QStringList blanche{"-size", "4x4", "xc:white", dossier + "/Images/" + q.image};
        if (!q.image.isEmpty()) ASSERT_EQ(QProcess::execute("convert", blanche), 0);
    }
    const auto v = VerifierDossier(dossier, Images::examiner);
    EXPECT_EQ(v->codeSortie(), 0) << RapportTexte(*v).toStdString();
    EXPECT_EQ(v->questionnaire.questions.size(), 2);
    // The editor would save them byte for byte as they stand.
    EXPECT_EQ(OuvrirPourEdition(dossier).changements, QStringList());

    ASSERT_TRUE(blocs.count("reglages"));
    poser(racine.path() + "/etc/korvane/korvane.ini", blocs.at("reglages").toUtf8());
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, racine.path() + "/etc");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, racine.path() + "/home");
    const QByteArray avant = qgetenv("KORVANE_BIBLIOTHEQUE");
    qunsetenv("KORVANE_BIBLIOTHEQUE");
    const Reglages::Valeurs valeurs = Reglages::lire();
    qputenv("KORVANE_BIBLIOTHEQUE", avant);
    EXPECT_TRUE(valeurs.bibliotheque.startsWith("/mnt/")) << valeurs.bibliotheque.toStdString();
    EXPECT_FALSE(valeurs.changerResolution);
}
