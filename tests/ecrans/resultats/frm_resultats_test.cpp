#include "ecrans/resultats/frm_resultats.h"

#include "noyau/fichiers/fichiers.h"
#include "noyau/resultats/bilan.h"
#include "noyau/resultats/enregistrement.h"
#include "support/dossier.h"
#include "support/fakes.h"
#include "support/pannes.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The worked example: first attempt, b01 of 3a, 15 right, 4 wrong, 1 left
// out of 20, mark 15.5, written on Saturday 5 December 2026 at 14:03:27.
QuizState exemple(const QString& chemin) {
    QuizState s;
    s.Identifiant = "b01", s.Classe = "3a", s.TitreQuestionnaire = "Les volcans";
    s.NbQuestions = s.RangQuestion = 20;
    s.NbJustes = 15, s.NbFausses = 4, s.NbNulles = 1, s.Note = 15.5f;
    s.TempsEcoule = 3725, s.DateDuJour = "samedi 5 décembre 2026";
    s.ResolutionX = 1024, s.ResolutionY = 768, s.CheminResultats = chemin;
    s.DossierQuestionnaire = QFileInfo(chemin).path();
    return s;
}

// Windows-1252 bytes typed out: é is 0xE9, ô 0xF4, è 0xE8.
const QByteArray OctetsExemple =
    "\r\n===================(s\xE9"
    "paration)=====================\r\n"
    "[Essai - num\xE9"
    "ro 1]\r\n[Bin\xF4"
    "me]\r\nB01\r\n\r\n\r\n[Classe]\r\n3A\r\n\r\n\r\n"
    "[Nombre de questions trait\xE9"
    "es]\r\n20 sur 20\r\n\r\n\r\n"
    "[Note]\r\n15,5/20     soit : 3,1/4\r\n\r\n\r\n"
    "Nbre de r\xE9"
    "ponses justes = 15 sur 20 questions pos\xE9"
    "es, soit 75,0 %\r\n"
    "Nbre de r\xE9"
    "ponses fausses = 4 sur 20 questions pos\xE9"
    "es, soit 20,0 %\r\n"
    "l'\xE9l\xE8"
    "ve n'a pas r\xE9"
    "pondu pour 1 sur 20 questions pos\xE9"
    "es, soit 5,0 %\r\n"
    "\r\n\r\n[Date/Heure]\r\nsamedi 5 d\xE9"
    "cembre 2026\r\n14:03:27\r\n";

struct Poste {
    QTemporaryDir dossier;
    PlateformeSimulee p;
    QuizState s = exemple(dossier.filePath("Volcans _B01_3A_.rst"));
    std::unique_ptr<frmRésultats> ouvrir() {
        auto ecran = std::make_unique<frmRésultats>(s, p.services, p.navigation);
        ecran->move(ecran->screen()->geometry().center() - ecran->rect().center());
        ecran->show();
        QCoreApplication::processEvents();
        return ecran;
    }
};

}  // namespace

TEST(ResultatsEcran, ExempleAfficheEtEcritOctetPourOctet) {
    Poste poste;
    poste.s.Identifiant = " b01";
    auto e = poste.ouvrir();
    EXPECT_EQ(e->windowTitle(), "RESULTATS OBTENUS");
    EXPECT_EQ(e->Label2->text(), "TEST CHOISI\r\nLes volcans");
    EXPECT_EQ(e->lblBinôme->text(), "Votre Identifiant est :  B01\r\nVotre classe est la 3A");
    EXPECT_EQ(e->Label1->text(),
              "Vous avez traité 20 questions sur 20.\r\nVous avez mis 01 heures "
              "02 minutes 05 secondes. pour réaliser\r\nce questionnaire.");
    EXPECT_TRUE(
        e->lblpercent->text().endsWith("\r\nVous n'avez pas voulu répondre à 1 questions sur 20 , "
                                       "soit : 5,0 % de réponses nulles."));
    EXPECT_EQ(e->lblNote->text(), "15,5/20     ");
    EXPECT_FALSE(e->Label3->isHidden());
    EXPECT_EQ(poste.s.HeureCourante, poste.p.horloge.instant);
    EXPECT_EQ(contenu(poste.s.CheminResultats),
              QByteArray(OctetsExemple).replace("\nB01", "\n B01"));
    EXPECT_TRUE(poste.p.dialogues.appels.empty());
    e->OKButton->click();  // quitting restores the display
    EXPECT_EQ(poste.p.affichage.changements, std::vector<QSize>{QSize(1024, 768)});
    EXPECT_TRUE(poste.p.navigation.quitte);
}

TEST(ResultatsEnregistrement, LignesSelonLEssai) {
    struct Cas {
        int rang, questions, justes;
        float note;
        int ligne;
        QString texte;
    };
    for (const Cas& c : std::vector<Cas>{
             {7, 20, 5, 18.5f, 20,
              "Nbre de réponses justes = 5 sur 20 questions posées, soit 25,0 %"},
             {30, 30, 0, -10.0f, 17, "-10/20     soit : -2,0/4"},
             {3, 3, 1, 18.0f, 20,
              "Nbre de réponses justes = 1 sur 3 questions posées, soit 33,3 %"},
             {0, 0, 0, 20.0f, 20, "Nbre de réponses justes = 0 sur 0 questions posées, soit 0,0 %"},
             {1, 1, 1, 20.0f, 26, ""}}) {  // no date known
        QuizState s = exemple({});
        s.RangQuestion = c.rang, s.NbQuestions = c.questions, s.NbJustes = c.justes;
        s.Note = c.note, s.DateDuJour = "";
        const QStringList l =
            Resultats::TexteEnregistrement(s, QTime(9, 5, 0)).chopped(2).split("\r\n");
        ASSERT_EQ(l.size(), 27);
        EXPECT_EQ(l[c.ligne - 1], c.texte);
        EXPECT_EQ(l[26], "09:05:00");
    }
}

TEST(ResultatsBilan, AppreciationSelonLaNote) {
    const QString bien =
        "Le test est concluant. C'est très bien ! \r\nAppelez le professeur pour valider votre "
        "travail.";
    const QString enBonneVoie = "Le test n'est pas réussi mais vous êtes en bonne voie ! ";
    const QString revisions = "Le test n'est pas réussi. Des révisions s'imposent ! ";
    for (const auto& [note, texte] : std::vector<std::pair<float, QString>>{{20, bien},
                                                                            {18, bien},
                                                                            {17.9f, enBonneVoie},
                                                                            {12.5f, enBonneVoie},
                                                                            {12, revisions},
                                                                            {0, revisions},
                                                                            {-4, revisions}})
        EXPECT_EQ(Resultats::Appreciation(note), texte) << note;
}

TEST(ResultatsEcran, EssaiAbandonneSansNote) {
    Poste poste;
    poste.s.RangQuestion = 7;
    auto e = poste.ouvrir();
    EXPECT_TRUE(e->Label3->isHidden());
    EXPECT_EQ(e->lblNote->text(), "");
    EXPECT_TRUE(e->lblAppréciation->text().startsWith(
        "Le QCM n'a pas été traité dans son intégralité.\r\n"));
    EXPECT_TRUE(contenu(poste.s.CheminResultats).contains("Test non \xE9valuable"));
    e->close();  // closing the window quits as the button does
    EXPECT_EQ(poste.p.affichage.changements, std::vector<QSize>{QSize(1024, 768)});
    EXPECT_TRUE(poste.p.navigation.quitte);
}

TEST(ResultatsEcran, DixEssaisAjoutesAuMemeFichier) {
    Poste poste;
    poste.s.CheminIni = poste.dossier.filePath("Volcans.ini");
    Fichiers::ajouter(poste.s.CheminIni, "[Fichiers Images]\r\n0\r\nfin\r\n\r\n\r\n45\r\n");
    for (int essai = 0; essai <= 9; ++essai) {
        poste.s.NumEssai = static_cast<std::int16_t>(essai);
        auto e = poste.ouvrir();
        ASSERT_EQ(e->cmdRecommencer->isHidden(), essai == 9) << essai;
        if (essai < 9) e->cmdRecommencer->click();
    }
    EXPECT_TRUE(poste.s.Recommencer);
    EXPECT_EQ(poste.s.DureeMinuterie, "45");  // companion read again at each restart
    EXPECT_EQ(poste.p.navigation.montres, std::vector<Ecran>(9, Ecran::Main));
    const QStringList l =
        QString::fromLatin1(contenu(poste.s.CheminResultats)).chopped(2).split("\r\n");
    ASSERT_EQ(l.size(), 270);
    EXPECT_EQ(l.mid(26, 4), QStringList({"14:03:27", "", l[1], "[Essai - numéro 2]"}));
    EXPECT_EQ(l[245], "[Essai - numéro 10]");
}

TEST(ResultatsEnregistrement, FichierExistantJamaisVideEtRecreeSiDisparu) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("Volcans _B01_3A_.rst");
    Fichiers::ajouter(chemin, "autre poste\r\n");
    // First attempt of this run, on a name that differs only by case.
    QuizState s = exemple(dossier.filePath("VOLCANS _b01_3a_.RST"));
    EXPECT_EQ(Resultats::EnregistrerResultats(s, QTime(14, 3, 27)).raison, "");
    EXPECT_EQ(contenu(chemin), "autre poste\r\n" + OctetsExemple);
    QFile::remove(chemin);
    s.Recommencer = true;
    EXPECT_EQ(Resultats::EnregistrerResultats(s, QTime(14, 3, 27)).raison, "");
    EXPECT_EQ(contenu(s.CheminResultats), OctetsExemple);
}

// Each fault leaves the file as it was (whole records only) and tells the
// pupil, whose mark stays on screen.
TEST(ResultatsEcran, PanneDEcritureDitEtGardeLaNote) {
    const QByteArray avant = "\r\n" + QByteArray(4000, '=') + "\r\n";  // near a page's end
    using Preparer = std::function<QString(const QString& dossier, PetitDisque& disque)>;
    const struct Cas {
        const char* nom;
        Preparer preparer;
        bool disque = false;
    } cas[] = {
        {"sous un fichier",
         [](const QString& d, PetitDisque&) {
             Fichiers::ajouter(d + "/fichier", "x");
             return d + "/fichier/x_.rst";
         }},
        {"dossier absent", [](const QString& d, PetitDisque&) { return d + "/absent/x_.rst"; }},
        {"remplacé par un dossier",
         [](const QString& d, PetitDisque&) {
             QDir().mkpath(d + "/x_.rst");
             return d + "/x_.rst";
         }},
        {"hors du dossier", [](const QString& d, PetitDisque&) { return d + "/../x_.rst"; }},
        {"taille limitée",
         [&](const QString& d, PetitDisque&) {
             Fichiers::ajouter(d + "/x_.rst", avant);
             return d + "/x_.rst";
         }},
        {"disque plein",
         [&](const QString&, PetitDisque& disque) {
             Fichiers::ajouter(disque.chemin("x_.rst"), avant);
             disque.remplir();
             return disque.chemin("x_.rst");
         },
         true},
        {"lecture seule",
         [&](const QString&, PetitDisque& disque) {
             Fichiers::ajouter(disque.chemin("x_.rst"), avant);
             disque.lectureSeule();
             return disque.chemin("x_.rst");
         },
         true},
    };
    std::string sautes;
    for (const Cas& c : cas) {
        Poste poste;
        PetitDisque disque;
        if (c.disque && !disque.monte()) {
            sautes += std::string(" ") + c.nom;
            continue;
        }
        poste.s.CheminResultats = c.preparer(poste.dossier.path(), disque);
        poste.s.DossierQuestionnaire = c.disque ? disque.chemin("") : poste.dossier.path();
        const QByteArray octets = contenu(poste.s.CheminResultats);
        std::unique_ptr<frmRésultats> e;
        {
            LimiteDeTaille limite(std::string(c.nom) == "taille limitée" ? avant.size() + 100
                                                                         : RLIM_INFINITY);
            e = poste.ouvrir();
        }
        EXPECT_EQ(contenu(poste.s.CheminResultats), octets) << c.nom;
        ASSERT_EQ(poste.p.dialogues.appels.size(), 1u) << c.nom;
        const auto& appel = poste.p.dialogues.appels[0];
        EXPECT_EQ(appel.titre, "AVERTISSEMENT CRITIQUE");
        EXPECT_EQ(appel.style, 16);
        EXPECT_TRUE(appel.texte.contains("PAS été enregistré")) << c.nom;
        EXPECT_FALSE(appel.texte.contains("error", Qt::CaseInsensitive))
            << appel.texte.toStdString();
        EXPECT_TRUE(e->isVisible() && e->lblNote->text() == "15,5/20     ");
        EXPECT_FALSE(poste.p.navigation.quitte);
    }
    if (!sautes.empty()) GTEST_SKIP() << "no tmpfs could be mounted (root is needed):" << sautes;
}

// KORVANE_CAPTURE=results.png QT_QPA_PLATFORM=xcb DISPLAY=:N korvane_tests
TEST(ResultatsCapture, EcranEn800x600) {
    const QString sortie = qEnvironmentVariable("KORVANE_CAPTURE");
    if (sortie.isEmpty()) GTEST_SKIP() << "KORVANE_CAPTURE names no picture to take";
    Poste poste;
    poste.s.TitreQuestionnaire = "Les volcans d'Auvergne";
    auto e = poste.ouvrir();
    e->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(e.get()));
    EXPECT_EQ(QApplication::focusWidget(), e->cmdRecommencer);
    QTest::qWait(300);
    ASSERT_TRUE(e->screen()->grabWindow(0).save(sortie));
}
