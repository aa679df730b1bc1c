#include "platform/fichiers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>

namespace {
void poser(const QString& chemin, const QByteArray& octets) {
    QDir().mkpath(QFileInfo(chemin).path());
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
}
QByteArray contenu(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}
}  // namespace

TEST(Fichiers, decodageDesFichiersDEnseignant) {
    const QString ete = QString::fromUtf8("Été à Noël °");
    const struct { const char* nom; QByteArray octets; } cas[] = {
        {"windows-1252", QByteArray("\xC9t\xE9 \xE0 No\xEBl \xB0")},
        {"utf-8", ete.toUtf8()},
        {"utf-8 avec BOM", QByteArray("\xEF\xBB\xBF") + ete.toUtf8()},
        {"utf-16 de Notepad", QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(ete.utf16()), ete.size() * 2)},
    };
    for (const auto& c : cas) EXPECT_EQ(Fichiers::decoder(c.octets), ete) << c.nom;
    // Bytes that are not valid UTF-8 stay Windows-1252 even when they look close.
    EXPECT_EQ(Fichiers::decoder("caf\xE9\x80"), QString::fromUtf8("café€"));
}

TEST(Fichiers, finsDeLigneLuesDeLaMemeFacon) {
    const QStringList attendu{"un", "", "trois"};
    for (const char* texte : {"un\r\nx\r\ntrois\r\n", "un\nx\ntrois\n", "un\r\nx\ntrois"}) {
        QStringList lignes = Fichiers::decouperLignes(QString(texte));
        lignes[1] = "";
        EXPECT_EQ(lignes, attendu) << texte;
    }
    EXPECT_TRUE(Fichiers::decouperLignes("").isEmpty());
    EXPECT_EQ(Fichiers::decouperLignes("\r\n"), QStringList{""});
}

TEST(Fichiers, nomsRetrouvesSansEgardALaCasse) {
    QTemporaryDir racine;
    const QString vrai = racine.path() + "/Volcans/Images/Cratere.GIF";
    poser(vrai, "x");
    EXPECT_EQ(Fichiers::resoudre(racine.path() + "/VOLCANS/images/cratere.gif"), vrai);
    EXPECT_EQ(Fichiers::resoudre(racine.path() + "/volcans\\IMAGES\\CRATERE.gif"), vrai);
    EXPECT_TRUE(Fichiers::existe(racine.path() + "/volcans/images/cratere.gif"));
    EXPECT_FALSE(Fichiers::existe(racine.path() + "/volcans/images/absent.gif"));
    EXPECT_FALSE(Fichiers::existe(racine.path() + "/volcans/images"));  // a folder is no file
    EXPECT_EQ(Fichiers::resoudre(racine.path() + "/x\\y.txt"), racine.path() + "/x/y.txt");
}

// "Cratère.jpg" written in a companion file finds the file whatever form its
// name took on the way: copied from a Mac (decomposed accent) or unpacked
// from a Windows zip (Windows-1252 bytes, not UTF-8).
TEST(Fichiers, nomsRetrouvesQuelleQueSoitLeurForme) {
    const struct { const char* forme; QByteArray octets; } cas[] = {
        {"NFD", QByteArray("Crate\xCC\x80re.JPG")},
        {"Windows-1252", QByteArray("CRAT\xC8RE.jpg")},
    };
    for (const auto& c : cas) {
        QTemporaryDir racine;
        const QByteArray dossier = QFile::encodeName(racine.path() + "/Images/");
        QDir().mkpath(racine.path() + "/Images");
        const QByteArray fichier = dossier + c.octets;
        FILE* f = std::fopen(fichier.constData(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs(c.forme, f);
        std::fclose(f);
        const QString chemin = Fichiers::resoudre(racine.path() + QString::fromUtf8("/images/Cratère.jpg"));
        EXPECT_EQ(contenu(chemin), c.forme) << c.forme;
        EXPECT_TRUE(chemin.endsWith(".jpg", Qt::CaseInsensitive)) << c.forme;
        std::remove(fichier.constData());  // out of the toolkit's sight
    }
}

TEST(Fichiers, lireLignesDUnFichierAbsentNeDonneRien) {
    QTemporaryDir racine;
    EXPECT_FALSE(Fichiers::lireLignes(racine.path() + "/absent.dat").has_value());
    EXPECT_FALSE(Fichiers::lireLignes(racine.path()).has_value());
}

TEST(Fichiers, ecritureEntiereEnWindows1252) {
    QTemporaryDir racine;
    const QString chemin = racine.path() + "/r.rst";
    EXPECT_EQ(Fichiers::ecrire(chemin, QString::fromUtf8("Binôme\r\n"), false), "");
    EXPECT_EQ(Fichiers::ecrire(chemin, "deux\r\n", true), "");
    EXPECT_EQ(contenu(chemin), QByteArray("Bin\xF4me\r\ndeux\r\n"));
    EXPECT_EQ(Fichiers::ecrire(chemin, "neuf\r\n", false), "");
    EXPECT_EQ(contenu(chemin), QByteArray("neuf\r\n"));
}

TEST(Fichiers, echecDEcritureSignale) {
    QTemporaryDir racine;
    poser(racine.path() + "/fichier", "x");
    // A path under a regular file cannot be created, even by root.
    const QString reason = Fichiers::ecrire(racine.path() + "/fichier/r.rst", "x", false);
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(contenu(racine.path() + "/fichier"), "x");
}
