#include "systeme/documents_bureau.h"

#include "support/dossier.h"

namespace {

// A desktop of its own, configuration and applications, in a temporary folder.
struct BureauTemporaire : ::testing::Test {
    QTemporaryDir racine;

    QString associee(const QString& document) {
        return OuvreurBureau::applicationAssociee(
            document, {racine.path() + "/config"},
            {racine.path() + "/home/applications", racine.path() + "/data/applications"});
    }
    QString ecrire(const QString& relatif, const QByteArray& octets) {
        poser(racine.path() + "/" + relatif, octets);
        return racine.path() + "/" + relatif;
    }
    QString entree(const QString& relatif, const QByteArray& mimes, const QByteArray& extra = {}) {
        return ecrire(relatif, "[Desktop Entry]\nType=Application\nExec=/bin/sh %f\nMimeType=" +
                                   mimes + "\n" + extra);
    }
};

TEST_F(BureauTemporaire, FindsTheApplicationOfTheTypeOrAParentType) {
    const QString pdf = ecrire("docs/volcans.pdf", "%PDF-1.4\n");
    const QString source = ecrire("docs/notes.c", "int main(void) { return 0; }\n");
    const QString inconnu = ecrire("docs/VOLCANS.HLP", QByteArray(64, '\x01'));
    EXPECT_EQ(associee(pdf), "");
    const QString lecteur = entree("data/applications/lecteur.desktop", "application/pdf;");
    const QString editeur = entree("data/applications/editeur.desktop", "text/plain;");
    EXPECT_EQ(associee(pdf), lecteur);
    EXPECT_EQ(associee(source), editeur);  // text/x-csrc is a text/plain
    EXPECT_EQ(associee(inconnu), "");
    // Nothing on any desktop claims bytes of no known type.
    EXPECT_EQ(OuvreurBureau().ouvrir(inconnu), OuvreurDocuments::Resultat::AucuneApplication);
    EXPECT_EQ(OuvreurBureau().ouvrir(racine.path() + "/docs/absent.pdf"),
              OuvreurDocuments::Resultat::Echec);
}

TEST_F(BureauTemporaire, SkipsUnusableEntriesAndHonoursTheUserChoice) {
    const QString pdf = ecrire("docs/volcans.pdf", "%PDF-1.4\n");
    entree("data/applications/cache.desktop", "application/pdf;", "Hidden=true\n");
    entree("data/applications/console.desktop", "application/pdf;", "Terminal=true\n");
    ecrire("data/applications/absent.desktop",
           "[Desktop Entry]\nType=Application\nExec=absent-ici %f\nMimeType=application/pdf;\n");
    EXPECT_EQ(associee(pdf), "");
    entree("data/applications/a.desktop", "application/pdf;");
    const QString choisi = entree("home/applications/z.desktop", "application/pdf;");
    ecrire("config/mimeapps.list", "[Default Applications]\napplication/pdf=z.desktop;\n");
    EXPECT_EQ(associee(pdf), choisi);
    ecrire("config/mimeapps.list", "[Removed Associations]\napplication/pdf=z.desktop;a.desktop\n");
    EXPECT_EQ(associee(pdf), "");
}

TEST(OuvreurBureauExec, BuildsTheCommandLineOfADesktopEntry) {
    const QString f = "/tmp/Fichiers d'aide/volcans.doc";
    const struct {
        const char* exec;
        QStringList attendu;
    } cas[] = {
        {"lowriter %U", {"lowriter", "file:///tmp/Fichiers d'aide/volcans.doc"}},
        {"evince", {"evince", f}},
        {"\"/opt/mon lecteur/bin\" --icon %i %c %k %f", {"/opt/mon lecteur/bin", "--icon", f}},
        {"sh -c \"echo \\\"a\\\"\" 100%% %F", {"sh", "-c", "echo \"a\"", "100%", f}},
        {"\"app\\sdeux\" %f %f", {"app deux", f}},
        {"", {}},
    };
    for (const auto& c : cas)
        EXPECT_EQ(OuvreurBureau::commandeExec(c.exec, f), c.attendu) << c.exec;
}

}  // namespace
