#include "platform/fichiers.h"
#include "platform/reglages.h"
#include "questionnaire/verification.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QStringList lignesDuReadme() {
    QFile readme(KORVANE_README);
    return readme.open(QIODevice::ReadOnly) ? QString::fromUtf8(readme.readAll()).split('\n')
                                            : QStringList();
}

// The fenced block that follows line i.
QString bloc(const QStringList& lignes, int& i, const char* fin) {
    QString texte;
    for (i += 2; i < lignes.size() && !lignes[i].startsWith("```"); ++i) texte += lignes[i] + fin;
    return texte;
}
}  // namespace

// The README's example files, copied as they stand into a folder with the
// pictures and help document they name, make a questionnaire with nothing
// to report.
TEST(Readme, ExamplesCopiedAsTheyStandAreReady) {
    const QStringList lignes = lignesDuReadme();
    static const QRegularExpression marque("^<!-- exemple (\\S+) -->$");
    QTemporaryDir bibliotheque;
    QStringList dossiers, fichiers;
    for (int i = 0; i + 1 < lignes.size(); ++i) {
        const auto trouve = marque.match(lignes[i]);
        if (!trouve.hasMatch()) continue;
        ASSERT_TRUE(lignes[i + 1].startsWith("```")) << trouve.captured(1).toStdString();
        const QString texte = bloc(lignes, i, "\r\n");
        const QString chemin = bibliotheque.path() + "/" + trouve.captured(1);
        QDir().mkpath(QFileInfo(chemin).path());
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Fichiers::encoderWindows1252(texte));
        fichiers << trouve.captured(1);
        if (!dossiers.contains(QFileInfo(chemin).path())) dossiers << QFileInfo(chemin).path();
    }
    EXPECT_GE(fichiers.size(), 2) << fichiers.join(" ").toStdString();
    for (const QString& dossier : dossiers) {
        SCOPED_TRACE(dossier.toStdString());
        const auto lu = VerifierDossier(dossier);
        ASSERT_TRUE(lu->erreur.isEmpty()) << lu->erreur.toStdString();
        const QuizState& s = lu->etat;
        QStringList annexes{s.FichierAide};
        for (const auto& images : s.TableImages)
            for (const QString& nom : images)
                if (!nom.isEmpty()) annexes << dossier + "/Images/" + nom;
        for (QString annexe : annexes) {
            if (annexe.isEmpty()) continue;
            annexe.replace('\\', '/');
            QDir().mkpath(QFileInfo(annexe).path());
            QFile(annexe).open(QIODevice::WriteOnly);
        }
        const auto v = VerifierDossier(dossier);
        EXPECT_EQ(v->codeSortie(), 0) << RapportTexte(*v).toStdString();
        EXPECT_GE(v->etat.NbQuestions, 2);
    }
}

// The README's settings for a class share are read as it says.
TEST(Readme, SettingsExampleIsUnderstood) {
    const QStringList lignes = lignesDuReadme();
    const int i = lignes.indexOf("<!-- reglages -->");
    ASSERT_GE(i, 0);
    int j = i;
    QTemporaryDir racine;
    QDir().mkpath(racine.path() + "/etc/korvane");
    QFile f(racine.path() + "/etc/korvane/korvane.ini");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bloc(lignes, j, "\n").toUtf8());
    f.close();
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, racine.path() + "/etc");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, racine.path() + "/home");
    const QByteArray avant = qgetenv("KORVANE_BIBLIOTHEQUE");
    qunsetenv("KORVANE_BIBLIOTHEQUE");
    const Reglages::Valeurs valeurs = Reglages::lire();
    qputenv("KORVANE_BIBLIOTHEQUE", avant);
    EXPECT_TRUE(valeurs.bibliotheque.startsWith("/mnt/")) << valeurs.bibliotheque.toStdString();
    EXPECT_FALSE(valeurs.changerResolution);
}
