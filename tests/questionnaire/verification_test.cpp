#include "questionnaire/verification.h"

#include "support/dossier.h"
#include "support/images.h"

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

Sortie korvaneCheck(const QStringList& arguments) {
    QProcess p;
    p.start(KORVANE_RUN_DIR "/korvane-check", arguments);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput())};
}

QStringList lignesSignalees(const Verification& v) {
    QStringList lignes;
    for (const Avertissement& a : v.avertissements) lignes << QString("%1:%2").arg(a.fichier).arg(a.ligne);
    return lignes;
}

// Bytes of a literal that holds NUL characters.
template <std::size_t N>
QByteArray octets(const char (&texte)[N]) { return QByteArray(texte, N - 1); }

}  // namespace

TEST(KorvaneCheck, bibliothequeExempleSansRemarque) {
    for (const char* nom : {"VOLCANS", "PLANETES", "CORPS_HUMAIN"}) {
        const Sortie s = korvaneCheck({QString(KORVANE_SAMPLE_LIBRARY "/") + nom});
        EXPECT_EQ(s.code, 0) << nom << s.texte.toStdString();
    }
}

TEST(KorvaneCheck, remarquesAvecFichierEtLigne) {
    DossierDeTest d("QCM");
    d.dat({"</Titre", "0 Une seule réponse", "oui", "=>1",  // lines 2-4
           "0 Drapeaux courts", "a", "b", "c", "=>1 0",       // lines 5-9
           "0 Drapeau faux", "a", "b", "=>x 0",               // lines 10-13
           "0 Sans bonne réponse", "a", "b", "=>0 0",         // lines 14-17
           "0 Sans drapeaux", "a", "b"});                     // line 18
    d.ini({"[Fichiers Images]", "0", "1", "absente.jpg", "9", "x.jpg", "", "", "", "vingt",
           "[Commentaires]", "12", "Pour personne", "[Fichier d'aide]", "aide.pdf"});
    const auto v = VerifierDossier(d.dossier());
    EXPECT_EQ(v->codeSortie(), 1);
    EXPECT_EQ(lignesSignalees(*v),
              (QStringList{"QCM.dat:2", "QCM.dat:9", "QCM.dat:13", "QCM.dat:13", "QCM.dat:17", "QCM.dat:18",
                           "QCM.ini:4", "QCM.ini:6", "QCM.ini:13", "QCM.ini:15", "QCM.ini:10"}));
    const Sortie s = korvaneCheck({d.dossier()});
    EXPECT_EQ(s.code, 1);
    EXPECT_TRUE(s.texte.contains(QString::fromUtf8("QCM.ini:4: image « absente.jpg » introuvable")));
}

// Every picture is decoded: each one that would not show as it is gets its
// line, and the checker says why.
TEST(KorvaneCheck, chaqueImageEstDecodee) {
    using namespace ImagesDeTest;
    QImage photo(64, 48, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    const QByteArray jpeg = encoder(photo, "jpg");
    const struct { const char* nom; QByteArray octets; const char* remarque; } cas[] = {
        {"ok.jpg", jpeg, nullptr},
        {"vide.jpg", {}, "n'est pas une image"},
        {"notes.jpg", "Mes notes", "n'est pas une image"},
        {"photo.heic", QByteArray("\0\0\0\x18" "ftypheic\0\0\0\0mif1heic", 24), "au format HEIC"},
        {"coupee.jpg", jpeg.left(jpeg.size() - 40), "incomplète"},
        {"geante.png", png(50000, 50000, 8, 0, 50000, '\0', 2), "(50000 × 50000 pixels"},
        {"dessin.png", encoder(dessinTransparent(16), "png"), "fond transparent"},
        {"anime.gif", {}, "animée"},
        {"Cratère.jpg", jpeg, "nom écrit autrement"},
    };
    DossierDeTest d("QCM");
    QStringList dat, ini{"[Fichiers Images]", "0"};
    for (int q = 1; q <= int(std::size(cas)); ++q) {
        dat << "0 Q" << "a" << "b" << "=>1 0";
        ini << QString::number(q) << QString::fromUtf8(cas[q - 1].nom);
        if (cas[q - 1].octets.size() || q == 2) d.ecrireOctets(QString("Images/") + cas[q - 1].nom, cas[q - 1].octets);
    }
    d.dat(dat);
    d.ini(ini << "0" << "30");
    QFile::rename(d.dossier() + QString::fromUtf8("/Images/Cratère.jpg"),
                  d.dossier() + QString::fromUtf8("/Images/Crate\u0300re.jpg"));
    ASSERT_EQ(QProcess::execute("convert", {"-size", "8x8", "xc:red", "xc:blue", "-loop", "0",
                                            d.dossier() + "/Images/anime.gif"}), 0);
    const Sortie s = korvaneCheck({d.dossier()});
    EXPECT_EQ(s.code, 1);
    for (int q = 1; q <= int(std::size(cas)); ++q) {
        const QString ligne = QString("QCM.ini:%1: image « %2 » ").arg(2 * q + 2).arg(QString::fromUtf8(cas[q - 1].nom));
        EXPECT_EQ(s.texte.contains(ligne), cas[q - 1].remarque != nullptr) << cas[q - 1].nom;
        if (cas[q - 1].remarque)
            EXPECT_TRUE(s.texte.contains(QRegularExpression(QRegularExpression::escape(ligne) + ".*" +
                                                            QRegularExpression::escape(QString::fromUtf8(cas[q - 1].remarque)))))
                << s.texte.toStdString();
    }
}

TEST(KorvaneCheck, questionnaireQuiNePeutPasDemarrer) {
    DossierDeTest d("QCM");
    d.dat({"0 Q", "a", "b", "=>1 0"});
    const Sortie s = korvaneCheck({d.dossier()});
    EXPECT_EQ(s.code, 2);
    EXPECT_TRUE(s.texte.startsWith("ERREUR")) << s.texte.toStdString();
    EXPECT_EQ(korvaneCheck({}).code, 2);
}

TEST(KorvaneCheck, formeDuJson) {
    const Sortie s = korvaneCheck({"--json", KORVANE_SAMPLE_LIBRARY "/CORPS_HUMAIN"});
    ASSERT_EQ(s.code, 0);
    const QJsonObject racine = QJsonDocument::fromJson(s.texte.toUtf8()).object();
    EXPECT_EQ(racine["title"].toString(), "Le corps humain");
    EXPECT_EQ(racine["picture_mode"].toInt(), 1);
    EXPECT_EQ(racine["countdown"].toString(), "40");
    EXPECT_EQ(racine["help"].toString(), "");
    EXPECT_TRUE(racine["multiple_answers"].toBool());
    EXPECT_EQ(racine["cycling_pictures"].toArray().size(), 3);
    const QJsonArray questions = racine["questions"].toArray();
    ASSERT_EQ(questions.size(), 6);
    const QJsonObject premiere = questions[0].toObject();
    EXPECT_EQ(premiere["choices"].toArray().size(), 3);
    EXPECT_EQ(premiere["flags"].toArray().size(), 6);
    EXPECT_EQ(premiere["flags"].toArray()[3].toString(), "");
    EXPECT_EQ(questions[1].toObject()["comment"].toString().left(9), QString::fromUtf8("Un bébé n"));
    EXPECT_TRUE(racine["warnings"].toArray().isEmpty());
}

TEST(KorvaneCheck, nomsAvecUnCaractereNul) {
    DossierDeTest d("QCM");
    d.ecrireOctets("QCM.dat", octets("0 Q\0?\r\na\r\nb\r\n=>1 0\r\n"));
    d.ecrireOctets("QCM.ini", octets("[Fichiers Images]\r\n0\r\n1\r\na\0b.jpg\r\n\r\n\r\n\r\n30\r\n"
                                     "[Fichier d'aide]\r\nai\0de.doc\r\n"));
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(KORVANE_RUN_DIR "/korvane-check", {d.dossier()});
    p.waitForFinished(30000);
    const QString sortie = QString::fromUtf8(p.readAll());
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_EQ(sortie.count(QString::fromUtf8("contient un caractère nul")), 2) << sortie.toStdString();
    EXPECT_FALSE(sortie.contains("Broken")) << sortie.toStdString();
}
