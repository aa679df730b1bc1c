#include "noyau/questionnaire/verification.h"

#include "images/images.h"
#include "support/dossier.h"
#include "support/images.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct Sortie {
    int code;
    QString texte;
};

// Standard output and errors together: the checker must print no Qt warning.
Sortie korvaneCheck(const QStringList& arguments) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(KORVANE_RUN_DIR "/korvane-check", arguments);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAll())};
}

QStringList lignesSignalees(const Verification& v) {
    QStringList lignes;
    for (const Avertissement& a : v.avertissements)
        lignes << QString("%1:%2").arg(a.fichier).arg(a.ligne);
    return lignes;
}

// Bytes of a literal that holds NUL characters.
template <std::size_t N>
QByteArray octets(const char (&texte)[N]) {
    return QByteArray(texte, N - 1);
}

}  // namespace

TEST(KorvaneCheck, remarquesAvecFichierEtLigne) {
    DossierDeTest d("QCM");
    d.dat(QStringList{"</Titre", "0 Une seule réponse", "oui", "=>1"} +  // lines 1-4
          QStringList{"0 Drapeaux courts", "a", "b", "c", "=>1 0"} +     // 5-9
          QStringList{"0 Drapeau faux", "a", "b", "=>x 0"} +             // 10-13
          QStringList{"0 Sans bonne réponse", "a", "b", "=>0 0"} +       // 14-17
          QStringList{"0 Un été", "a", "d Ã©tÃ©", "=>1 0"} +  // 18-21: UTF-8 added to Windows-1252
          QStringList{"0 Sans drapeaux", "a", "b"});          // 22-24
    d.ini({"[Fichiers Images]", "0", "1", "absente.jpg", "9", "x.jpg", "", "", "", "vingt",
           "[Commentaires]", "12", "Pour personne", "[Fichier d'aide]", "aide.pdf"});
    const auto v = VerifierDossier(d.dossier(), Images::examiner);
    EXPECT_EQ(v->codeSortie(), 1);
    EXPECT_TRUE(RapportTexte(*v).contains(QString::fromUtf8("mêle deux encodages")));
    EXPECT_EQ(lignesSignalees(*v),
              (QStringList{"QCM.dat:20", "QCM.dat:2", "QCM.dat:9", "QCM.dat:13", "QCM.dat:13",
                           "QCM.dat:17", "QCM.dat:22", "QCM.ini:4", "QCM.ini:6", "QCM.ini:13",
                           "QCM.ini:15", "QCM.ini:10"}));
}

// Every picture is decoded: each one that would not show as it is gets its
// line, and the checker says why.
TEST(KorvaneCheck, chaqueImageEstDecodee) {
    using namespace ImagesDeTest;
    QImage photo(64, 48, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    const QByteArray jpeg = encoder(photo, "jpg");
    const std::tuple<const char*, QByteArray, const char*> cas[] = {
        {"ok.jpg", jpeg, nullptr},
        {"absente.jpg", {}, "introuvable"},
        {"vide.jpg", {}, "n'est pas une image"},
        {"photo.heic", octets("\0\0\0\030ftypheic\0\0\0\0mif1heic"), "au format HEIC"},
        {"coupee.jpg", jpeg.left(jpeg.size() - 40), "incomplète"},
        {"geante.png", png(50000, 50000, 8, 0, 50000, '\0', 2), "(50000 × 50000 pixels"},
        {"dessin.png", encoder(dessinTransparent(16), "png"), "fond transparent"},
        {"anime.gif", {}, "animée"},
        {"Cratère.jpg", jpeg, "nom écrit autrement"},
    };
    DossierDeTest d("QCM");
    QStringList dat, ini{"[Fichiers Images]", "0"};
    for (int q = 1; q <= int(std::size(cas)); ++q) {
        const auto& [nom, contenu, remarque] = cas[q - 1];
        dat += {"0 Q", "a", "b", "=>1 0"};
        ini << QString::number(q) << nom;
        if (contenu.size() || q == 3) d.ecrireOctets(QString("Images/") + nom, contenu);
    }
    d.dat(dat);
    d.ini(ini + QStringList{"0", "30"});
    QFile::rename(d.dossier() + QString::fromUtf8("/Images/Cratère.jpg"),
                  d.dossier() + QString::fromUtf8("/Images/Crate\u0300re.jpg"));
    ASSERT_EQ(QProcess::execute("convert", {"-size", "8x8", "xc:red", "xc:blue", "-loop", "0",
                                            d.dossier() + "/Images/anime.gif"}),
              0);
    const Sortie s = korvaneCheck({d.dossier()});
    EXPECT_EQ(s.code, 1);
    for (int q = 1; q <= int(std::size(cas)); ++q) {
        const auto& [nom, contenu, remarque] = cas[q - 1];
        const QString debut = QString("QCM.ini, ligne %1 : image « %2 » ").arg(2 * q + 2).arg(nom);
        const QStringList lignes = s.texte.split('\n').filter(debut);
        EXPECT_EQ(lignes.size(), remarque ? 1 : 0) << nom;
        EXPECT_TRUE(lignes.isEmpty() || lignes[0].contains(remarque)) << s.texte.toStdString();
    }
}

// What a teacher's editor leaves silently wrong: each case is reported at
// its line with what to do, and the questionnaire is never called ready.
TEST(KorvaneCheck, piegesDeSaisieSignalesALaLigne) {
    const std::tuple<QStringList, int, QString> cas[] = {
        {{"0 Q", "", "a", "b", "=>1 0"}, 2, "ligne vide entre la question 1 et ses réponses"},
        {{"0 Q", "a", "b", "", "c", "=>1 0 0"},
         4,
         "ligne vide au milieu des réponses de la question 1"},
        {{"0 Fusion ?", "100 °C", "0 °C", "=>0 1", "0 R", "a", "b", "=>1 0"},
         3,
         "commence par « 0 »"},
        {{"0 Q", "a", "</b", "=>1 0"}, 3, "change le titre"},
        {{"0 Q", "a", "=>b", "c", "=>1 0 0"}, 4, "suit la ligne => de la question 1"},
        {{"0 Q", "a", "b", "=>1 0   bonnes réponses"}, 4, "« bonnes réponses » n'est pas lu"},
        {{"</Titre       titre", "0 Q", "a", "b", "=>1 0"},
         1,
         "« titre » suit une longue suite d'espaces"},
    };
    for (const auto& [dat, ligne, extrait] : cas) {
        SCOPED_TRACE(extrait.toStdString());
        DossierDeTest d("QCM");
        d.dat(dat);
        d.ini({"[Fichiers Images]", "0"});
        const auto v = VerifierDossier(d.dossier(), Images::examiner);
        EXPECT_GE(v->codeSortie(), 1);
        EXPECT_TRUE(lignesSignalees(*v).contains(QString("QCM.dat:%1").arg(ligne)))
            << lignesSignalees(*v).join(" ").toStdString();
        EXPECT_TRUE(RapportTexte(*v).contains(extrait)) << RapportTexte(*v).toStdString();
        EXPECT_FALSE(RapportTexte(*v).contains(QString::fromUtf8("prêt")));
    }
}

// A file that repeats one slip on every line gets a readable list, not one
// remark per line: 1.68 million of them took 3 GB on an 8 MB file.
TEST(KorvaneCheck, remarquesEnNombreBorne) {
    DossierDeTest d("QCM");
    d.dat(QStringList(20000, "0 Q"));
    d.ini({"[Fichiers Images]", "0"});
    const auto v = VerifierDossier(d.dossier(), Images::examiner);
    ASSERT_EQ(v->avertissements.size(), MaxRemarques + 2);
    EXPECT_EQ(v->avertissements.first().message,
              QString::fromUtf8("plus de 99 questions : la suite du fichier est ignorée"));
    // Every line but the first repeats the slip: at least 19,999 remarks.
    const QRegularExpression fin(
        "^et ([0-9\\x{202F}\\x{A0} ]+) autres remarques, qui ne sont pas "
        "listées : corrigez celles-ci puis vérifiez de nouveau$");
    const auto resume = fin.match(v->avertissements.last().message);
    ASSERT_TRUE(resume.hasMatch()) << v->avertissements.last().message.toStdString();
    EXPECT_GE(resume.captured(1).remove(QRegularExpression("\\D")).toInt(), 19999 - MaxRemarques);
}

// One summary line per questionnaire and the worst exit code for a library;
// for a questionnaire that cannot start, the real cause.
TEST(KorvaneCheck, codesDeSortieEtMessages) {
    const Sortie exemples = korvaneCheck({KORVANE_SAMPLE_LIBRARY});
    EXPECT_EQ(exemples.code, 0);
    EXPECT_EQ(exemples.texte,
              QString::fromUtf8("CORPS_HUMAIN : prêt\nPLANETES : prêt\nVOLCANS : prêt\n"));

    DossierDeTest d("B_REMARQUE");
    const QString b = d.bibliotheque();
    const QStringList ini{"[Fichiers Images]", "0", "", "", "", "30"};
    d.dat({"0 Q", "a", "b", "=>0 0"});
    d.ini(ini);
    poser(b + "/A_PRET/A_PRET.dat", "0 Q\r\na\r\nb\r\n=>1 0\r\n");
    poser(b + "/A_PRET/A_PRET.ini", (ini.join("\r\n") + "\r\n").toLatin1());
    poser(b + "/C_VIDE/notes.txt", "");
    poser(b + "/D_SANS_INI/D_SANS_INI.dat", "0 Q\r\na\r\nb\r\n=>1 0\r\n");
    poser(b + "/VOLCANS/volcan.dat", "0 Q\r\na\r\nb\r\n=>1 0\r\n");
    poser(b + "/VOLCANS/VOLCANS.ini", (ini.join("\r\n") + "\r\n").toLatin1());
    const struct {
        QStringList arguments;
        int code;
        QString debut, extrait;
    } cas[] = {
        {{b},
         2,
         "",
         "A_PRET : prêt\nB_REMARQUE : 1 remarque(s)\nC_VIDE : ne peut pas démarrer\n"
         "D_SANS_INI : ne peut pas démarrer\nVOLCANS : ne peut pas démarrer\n"},
        {{b + "/D_SANS_INI"}, 2, "ERREUR", "D_SANS_INI.ini"},
        {{b + "/ABSENT"}, 2, "ERREUR", "le dossier « " + b + "/ABSENT » n'existe pas"},
        {{b + "/VOLCANS"}, 2, "ERREUR", "contient « volcan.dat » au lieu de VOLCANS.dat"},
        {{}, 2, "", ""},
        {{"--help"}, 0, "Usage : korvane-check", ""},
    };
    for (const auto& c : cas) {
        const Sortie s = korvaneCheck(c.arguments);
        EXPECT_EQ(s.code, c.code) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(s.texte.startsWith(c.debut) && s.texte.contains(c.extrait))
            << s.texte.toStdString();
    }
}

TEST(KorvaneCheck, nomsAvecUnCaractereNul) {
    DossierDeTest d("QCM");
    d.ecrireOctets("QCM.dat", octets("0 Q\0?\r\na\r\nb\r\n=>1 0\r\n"));
    d.ecrireOctets("QCM.ini", octets("[Fichiers Images]\r\n0\r\n1\r\na\0b.jpg\r\n\r\n\r\n\r\n30\r\n"
                                     "[Fichier d'aide]\r\nai\0de.doc\r\n"));
    const Sortie s = korvaneCheck({d.dossier()});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.texte.count(QString::fromUtf8("contient un caractère nul")), 2)
        << s.texte.toStdString();
    EXPECT_FALSE(s.texte.contains("Broken")) << s.texte.toStdString();
}
