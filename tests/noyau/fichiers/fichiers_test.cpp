#include "noyau/fichiers/fichiers.h"

#include "support/dossier.h"
#include "support/pannes.h"

#include <cstdio>
#include <fstream>
#include <sys/stat.h>
#include <thread>

namespace {
QStringList lignes(const QByteArray& octets, qsizetype limite = -1) {
    Fichiers::LignesTexte lecteur(octets);
    QStringList liste;
    while (const auto ligne = lecteur.suivante(limite)) liste << *ligne;
    return liste;
}
}  // namespace

TEST(Fichiers, decodageEtLignesDesFichiersDEnseignant) {
    const QString ete = QString::fromUtf8("Été à Noël °");
    const QByteArray utf16 = QByteArray(reinterpret_cast<const char*>(ete.utf16()), ete.size() * 2);
    const struct {
        const char* nom;
        QByteArray octets;
        QStringList attendu;
    } cas[] = {
        {"windows-1252", "\xC9t\xE9 \xE0 No\xEBl \xB0", {ete}},
        {"utf-8", ete.toUtf8(), {ete}},
        {"utf-8 avec BOM", "\xEF\xBB\xBF" + ete.toUtf8(), {ete}},
        {"utf-16 de Notepad", "\xFF\xFE" + utf16, {ete}},
        // Not valid UTF-8, even when it looks close: Windows-1252.
        {"presque utf-8", "caf\xE9\x80", {QString::fromUtf8("café€")}},
        {"utf-8 coupé à la fin", "caf\xC3\xA9\n\xC3", {QString::fromUtf8("cafÃ©"), "Ã"}},
        {"CR LF", "un\r\n\r\ntrois\r\n", {"un", "", "trois"}},
        {"LF", "un\n\ntrois\n", {"un", "", "trois"}},
        {"sans fin de ligne", "un\r\n\ntrois", {"un", "", "trois"}},
        {"vide", "", {}},
        {"une ligne vide", "\r\n", {""}},
    };
    for (const auto& c : cas) EXPECT_EQ(lignes(c.octets), c.attendu) << c.nom;
    // A limit reads one character more than it allows, never the whole line.
    EXPECT_EQ(lignes(QByteArray(100000, 'a') + "\nb", 4), QStringList({"aaaaa", "b"}));
}

TEST(Fichiers, nomsRetrouvesSansEgardALaCasseNiALaForme) {
    QTemporaryDir racine;
    const QString vrai = racine.path() + "/Volcans/Images/Cratere.GIF";
    poser(vrai, "x");
    EXPECT_EQ(Fichiers::resoudre(racine.path() + "/VOLCANS/images/cratere.gif"), vrai);
    EXPECT_EQ(Fichiers::resoudre(
                  Fichiers::cheminEcrit(racine.path() + "/volcans", "IMAGES\\CRATERE.gif")),
              vrai);
    EXPECT_TRUE(Fichiers::existe(racine.path() + "/volcans/images/cratere.gif"));
    EXPECT_FALSE(Fichiers::existe(racine.path() + "/volcans/images/absent.gif"));
    EXPECT_FALSE(Fichiers::existe(racine.path() + "/volcans/images"));  // a folder is no file
    // A backslash in a folder's own name is a character, never a way out.
    poser(racine.path() + "/a/X\\..\\..\\X/X\\..\\..\\X.dat", "q");
    poser(racine.path() + "/X.dat", "dehors");
    const QString piege = racine.path() + "/a/x\\..\\..\\x/X\\..\\..\\X.DAT";
    EXPECT_EQ(contenu(Fichiers::resoudre(piege)), "q");
    // No file can bear a NUL: not even asked of the file system.
    EXPECT_EQ(Fichiers::resoudre(racine.path() + QString(QChar(0)) + "x"), "");
    EXPECT_FALSE(Fichiers::existe(racine.path() + "/volcans" + QString(QChar(0))));
    // Copied from a Mac (decomposed accent) or unzipped from Windows (Windows-1252 bytes).
    for (const char* nom : {"Mac/Crate\xCC\x80re.JPG", "Zip/CRAT\xC8RE.jpg"}) {
        const QString dossier = racine.path() + "/" + QString(nom).left(3);
        QDir().mkpath(dossier);
        const QByteArray fichier = QFile::encodeName(racine.path() + "/") + nom;
        std::ofstream(fichier.constData()) << nom;
        EXPECT_EQ(contenu(Fichiers::resoudre(dossier + QString::fromUtf8("/cratère.jpg"))), nom);
        std::remove(fichier.constData());  // out of the toolkit's sight
    }
}

TEST(Fichiers, directementDansLeDossier) {
    QTemporaryDir racine;
    const QString d = racine.path() + "/Q";
    QDir().mkpath(d + "/sous");
    QFile::link(racine.path(), d + "/lien");
    EXPECT_TRUE(Fichiers::directementDans(d + "/Q _B01_3A_.rst", d));
    for (const QString& dehors : {d + "/sous/x.rst", d + "/../x.rst", d + "/lien/x.rst", d + "/..",
                                  racine.path() + "/x.rst"})
        EXPECT_FALSE(Fichiers::directementDans(dehors, d)) << dehors.toStdString();
}

TEST(Fichiers, ajoutEntierEnWindows1252OuAbsentQuandLeSystemeRefuse) {
    QTemporaryDir racine;
    const QByteArray avant = "Bin\xF4me\r\ndeux\r\n";
    EXPECT_EQ(Fichiers::ajouter(racine.path() + "/existant.rst", QString::fromUtf8("Binôme\r\n")),
              "");
    EXPECT_EQ(Fichiers::ajouter(racine.path() + "/existant.rst", "deux\r\n"), "");
    EXPECT_EQ(contenu(racine.path() + "/existant.rst"), avant);
    poser(racine.path() + "/fichier", "x");
    QDir().mkpath(racine.path() + "/dossier.rst");
    ASSERT_EQ(::mkfifo(QFile::encodeName(racine.path() + "/tube.rst").constData(), 0644), 0);
    const QByteArray long_(5000, 'z');
    const std::tuple<const char*, rlim_t, QString, QByteArray> cas[] = {
        // Cut after part of the text, as a full disk does: the file goes back.
        {"existant.rst", 20, "le fichier a atteint la taille permise", avant},
        // Created and not filled: removed, so no empty file refuses the pupil.
        {"nouveau.rst", 10, "le fichier a atteint la taille permise", "<absent>"},
        {"fichier/x.rst", RLIM_INFINITY, "le dossier n'existe plus", "<absent>"},
        {"dossier.rst", RLIM_INFINITY, "un dossier porte ce nom à la place du fichier", "<absent>"},
        // A pipe in the file's place is refused at once, never waited on.
        {"tube.rst", RLIM_INFINITY, "ce nom désigne autre chose qu'un fichier ordinaire",
         "<absent>"},
    };
    for (const auto& [nom, limite, raison, reste] : cas) {
        const QString chemin = racine.path() + "/" + nom;
        QString obtenue;
        {
            LimiteDeTaille borne(limite);
            obtenue = Fichiers::ajouter(chemin, long_);
        }
        EXPECT_EQ(obtenue, raison) << nom;
        if (QFileInfo(chemin).isFile() || !QFileInfo::exists(chemin))
            EXPECT_EQ(contenu(chemin), reste) << nom;
    }
    EXPECT_EQ(contenu(racine.path() + "/fichier"), "x");
    EXPECT_TRUE(QFileInfo(racine.path() + "/dossier.rst").isDir());
    // Two writers of one process on one file, as a record and the queue
    // delivering an earlier one: neither writes over the other.
    const QString commun = racine.path() + "/commun.rst";
    const auto ecrire = [&](char c) {
        for (int i = 0; i < 50; ++i) Fichiers::ajouterOctets(commun, QByteArray(64, c));
    };
    std::thread a(ecrire, 'a'), b(ecrire, 'b');
    a.join(), b.join();
    EXPECT_EQ(contenu(commun).count('a'), 3200);
    EXPECT_EQ(contenu(commun).count('b'), 3200);
}

TEST(Fichiers, essaiDEcritureAvantLeQuestionnaireNeLaissePasDEssai) {
    QTemporaryDir racine;
    const auto reste = [&] {
        return QDir(racine.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    };
    // A crash's probe goes once it is old; a fresh one may be another pupil's.
    poser(racine.path() + "/.korvane-essai-vieux", "x");
    poser(racine.path() + "/.korvane-essai-recent", "x");
    QFile vieux(racine.path() + "/.korvane-essai-vieux");
    ASSERT_TRUE(vieux.open(QIODevice::ReadWrite) &&
                vieux.setFileTime(QDateTime::currentDateTime().addSecs(-7200),
                                  QFileDevice::FileModificationTime));
    vieux.close();
    EXPECT_EQ(Fichiers::essaiEcriture(racine.path(), 4096), "");
    EXPECT_EQ(reste(), QStringList{".korvane-essai-recent"});
    EXPECT_EQ(Fichiers::essaiEcriture(racine.path() + "/absent", 4096), "le dossier n'existe plus");
    LimiteDeTaille limite(100);
    EXPECT_EQ(Fichiers::essaiEcriture(racine.path(), 4096),
              "le fichier a atteint la taille permise");
    EXPECT_EQ(reste(), QStringList{".korvane-essai-recent"});
}

TEST(Fichiers, lectureEntiereBornee) {
    QTemporaryDir racine;
    const QString d = racine.path();
    poser(d + "/juste", "1234");
    poser(d + "/trop", "12345");
    const std::tuple<QString, QByteArray, QString> cas[] = {
        {d + "/juste", "1234", ""},
        {d + "/trop", "", "est trop volumineux"},
        {d + "/absent", "", "est introuvable"},
        {d, "", "n'est pas un fichier (un dossier ou un autre objet porte ce nom)"}};
    for (const auto& [chemin, octets, erreur] : cas) {
        const Fichiers::Contenu lu = Fichiers::LireEntier(chemin, 4);
        EXPECT_EQ(lu.octets, octets) << chemin.toStdString();
        EXPECT_EQ(lu.erreur, erreur) << chemin.toStdString();
    }
}
