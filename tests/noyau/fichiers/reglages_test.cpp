#include "noyau/fichiers/reglages.h"

#include "support/dossier.h"

#include <QSettings>

// System file, user file, environment: each later one wins; the rest keeps its default.
TEST(Reglages, FileThenUserFileThenEnvironment) {
    const struct {
        const char* nom;
        QByteArray systeme, utilisateur, environnement;
        QString bibliotheque;
        bool changer;
        QString resultats;
    } cas[] = {
        {"rien", "", "", "", "", true, ""},
        {"depot", "Resultats=/srv/depot/\n", "", "", "", true, "/srv/depot"},
        {"systeme", "Bibliotheque=/mnt/classe/QCM\nChangerResolution=non\n", "", "",
         "/mnt/classe/QCM", false, ""},
        {"utilisateur", "Bibliotheque=/mnt/classe\n",
         "Bibliotheque=/srv/6e\nChangerResolution=Oui\n", "", "/srv/6e", true, ""},
        {"environnement", "Bibliotheque=/mnt/classe\nResultats=/mnt/r\nChangerResolution=false\n",
         "", "/tmp/essai", "/tmp/essai", false, "/tmp/essai"},
        {"valeur inconnue", "ChangerResolution=peut-etre\n", "", "", "", true, ""},
        {"dossier personnel", "[General]\nBibliotheque=~/QCM\n", "", "", QDir::homePath() + "/QCM",
         true, ""},
    };
    const QByteArray avant = qgetenv("KORVANE_BIBLIOTHEQUE"), depot = qgetenv("KORVANE_RESULTATS");
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        QTemporaryDir racine;
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, racine.path() + "/etc");
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, racine.path() + "/home");
        if (!c.systeme.isEmpty()) poser(racine.path() + "/etc/korvane/korvane.ini", c.systeme);
        if (!c.utilisateur.isEmpty())
            poser(racine.path() + "/home/korvane/korvane.ini", c.utilisateur);
        qputenv("KORVANE_BIBLIOTHEQUE", c.environnement);
        qputenv("KORVANE_RESULTATS", c.environnement);
        const Reglages::Valeurs valeurs = Reglages::lire();
        EXPECT_EQ(valeurs.bibliotheque, c.bibliotheque);
        EXPECT_EQ(valeurs.changerResolution, c.changer);
        EXPECT_EQ(valeurs.resultats, c.resultats);
    }
    qputenv("KORVANE_BIBLIOTHEQUE", avant);
    qputenv("KORVANE_RESULTATS", depot);
}

// An installed program fills each user's library once, never over the teacher's changes.
TEST(Reglages, LibraryChosenAndFilledOnlyOnce) {
    QTemporaryDir racine;
    const QString r = racine.path();
    poser(r + "/share/korvane/exemples/PLANETES/PLANETES.dat", "exemple\r\n");
    poser(r + "/share/korvane/exemples/PLANETES/Images/terre.gif", "GIF");
    poser(r + "/portable/VOLCANS/VOLCANS.dat", "portable\r\n");
    QDir().mkpath(r + "/bin");
    const QString exemples = r + "/share/korvane/exemples";
    const QString donnees = r + "/donnees/korvane/bibliotheque";
    const struct {
        const char* nom;
        Reglages::Emplacements e;
        QString attendu;
    } cas[] = {
        {"configuree", {r + "/partage/", r + "/bin", donnees, exemples}, r + "/partage"},
        {"portable", {"", r + "/portable", donnees, exemples}, r + "/portable"},
        {"construit, sans exemples installes", {"", r + "/bin", donnees, ""}, r + "/bin"},
        {"installe", {"", r + "/bin", donnees, exemples}, donnees},
    };
    for (const auto& c : cas) EXPECT_EQ(Reglages::choisirBibliotheque(c.e), c.attendu) << c.nom;
    EXPECT_EQ(contenu(donnees + "/PLANETES/PLANETES.dat"), "exemple\r\n");
    EXPECT_EQ(contenu(donnees + "/PLANETES/Images/terre.gif"), "GIF");

    poser(donnees + "/PLANETES/PLANETES.dat", "modifie\r\n");
    QFile::remove(donnees + "/PLANETES/Images/terre.gif");
    EXPECT_EQ(Reglages::choisirBibliotheque({"", r + "/bin", donnees, exemples}), donnees);
    EXPECT_EQ(contenu(donnees + "/PLANETES/PLANETES.dat"), "modifie\r\n");
    EXPECT_FALSE(QFile::exists(donnees + "/PLANETES/Images/terre.gif"));
}
