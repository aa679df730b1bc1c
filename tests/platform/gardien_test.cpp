#include "platform/gardien.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// The guardian's restore, run in the forked child, leaves its size in a file.
Gardien::Restauration noterDans(const QString& chemin) {
    const std::string fichier = chemin.toStdString();
    return [fichier](int largeur, int hauteur) {
        if (std::FILE* f = std::fopen(fichier.c_str(), "w")) {
            std::fprintf(f, "%dx%d", largeur, hauteur);
            std::fclose(f);
        }
    };
}

QString lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

struct CasGardien {
    const char* nom;
    std::vector<QSize> confiees;
    bool libere;
    const char* restaure;  // "" when nothing is restored
};
}  // namespace

class GardienFin : public ::testing::TestWithParam<CasGardien> {};

// Closing the program's end is what the guardian sees when the program dies.
TEST_P(GardienFin, RestoresOnlyASizeLeftInItsCare) {
    const CasGardien cas = GetParam();
    QTemporaryDir dossier;
    const QString trace = dossier.filePath("restaure");
    Gardien gardien;
    ASSERT_TRUE(gardien.lancer(noterDans(trace)));
    for (const QSize& taille : cas.confiees) gardien.confier(taille);
    if (cas.libere) gardien.liberer();
    gardien.fermer();
    int statut = 0;
    ASSERT_EQ(waitpid(gardien.pid(), &statut, 0), gardien.pid());
    EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0);
    EXPECT_EQ(lire(trace), QString::fromLatin1(cas.restaure)) << cas.nom;
}

INSTANTIATE_TEST_SUITE_P(
    Cas, GardienFin,
    ::testing::Values(CasGardien{"crash", {QSize(1024, 768)}, false, "1024x768"},
                      CasGardien{"last size", {QSize(1024, 768), QSize(1280, 1024)}, false,
                                 "1280x1024"},
                      CasGardien{"released", {QSize(1024, 768)}, true, ""},
                      CasGardien{"nothing confided", {}, false, ""},
                      CasGardien{"empty size", {QSize(0, 0)}, false, ""}));

// A program killed outright: the guardian outlives it and restores.
TEST(Gardien, RestoresWhenItsProgramIsKilled) {
    QTemporaryDir dossier;
    const QString trace = dossier.filePath("restaure");
    const pid_t programme = fork();
    ASSERT_GE(programme, 0);
    if (programme == 0) {
        Gardien gardien;
        if (gardien.lancer(noterDans(trace))) gardien.confier(QSize(1024, 768));
        raise(SIGKILL);
        _exit(1);
    }
    int statut = 0;
    ASSERT_EQ(waitpid(programme, &statut, 0), programme);
    EXPECT_TRUE(WIFSIGNALED(statut));
    for (int n = 0; n < 100 && lire(trace).isEmpty(); ++n) QThread::msleep(20);
    EXPECT_EQ(lire(trace), "1024x768");
}
