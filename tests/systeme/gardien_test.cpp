#include "systeme/gardien.h"

#include "support/dossier.h"

#include <cstdio>
#include <sys/wait.h>

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
}  // namespace

// Closing the program's end is what the guardian sees when the program dies; the
// display test kills the real program outright and checks the guardian's restore.
TEST(Gardien, RestoresOnlyASizeLeftInItsCare) {
    const struct {
        std::vector<QSize> confiees;
        bool libere;
        const char* restaure;
    } cas[] = {{{QSize(1024, 768)}, false, "1024x768"},
               {{QSize(1024, 768), QSize(1280, 1024)}, false, "1280x1024"},  // the last one
               {{QSize(1024, 768)}, true, "<absent>"},
               {{}, false, "<absent>"},
               {{QSize(0, 0)}, false, "<absent>"}};
    for (const auto& c : cas) {
        QTemporaryDir dossier;
        const QString trace = dossier.filePath("restaure");
        Gardien gardien;
        ASSERT_TRUE(gardien.lancer(noterDans(trace)));
        for (const QSize& taille : c.confiees) gardien.confier(taille);
        if (c.libere) gardien.liberer();
        gardien.fermer();
        int statut = 0;
        ASSERT_EQ(waitpid(gardien.pid(), &statut, 0), gardien.pid());
        EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0);
        EXPECT_EQ(contenu(trace), c.restaure);
    }
}
