#include "ecrans/resultats/frm_resultats.h"

#include "noyau/fichiers/fichiers.h"
#include "support/dossier.h"
#include "support/essai_exemple.h"
#include "support/fakes.h"
#include "support/pannes.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Poste {
    QTemporaryDir dossier;
    PlateformeSimulee p;
    QuizState s = EssaiExemple(dossier.filePath("Volcans _B01_3A_.rst"));
    std::unique_ptr<frmRésultats> ouvrir() {
        auto ecran = std::make_unique<frmRésultats>(s, p.services, p.navigation);
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
              QByteArray(OctetsEssaiExemple).replace("\nB01", "\n B01"));
    EXPECT_TRUE(poste.p.dialogues.appels.empty());

    // An attempt left before the end: no mark, and said so.
    Poste abandon;
    abandon.s.RangQuestion = 7;
    auto a = abandon.ouvrir();
    EXPECT_TRUE(a->Label3->isHidden() && a->lblNote->text().isEmpty());
    EXPECT_TRUE(a->lblAppréciation->text().startsWith(
        "Le QCM n'a pas été traité dans son intégralité.\r\n"));
    EXPECT_TRUE(contenu(abandon.s.CheminResultats).contains("Test non \xE9valuable"));

    // Quitting, by the button or by closing the window, restores the display.
    e->OKButton->click();
    a->close();
    for (const Poste* q : {&poste, &abandon}) {
        EXPECT_EQ(q->p.affichage.changements, std::vector<QSize>{QSize(1024, 768)});
        EXPECT_TRUE(q->p.navigation.quitte);
    }
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

// Each fault leaves the file as it was (whole records only) and tells the
// pupil, whose mark stays on screen.
TEST(ResultatsEcran, PanneDEcritureDitEtGardeLaNote) {
    const QByteArray avant = "\r\n" + QByteArray(4000, '=') + "\r\n";  // near a page's end
    enum Panne { Aucune, Dossier, Taille, Plein, LectureSeule };
    const std::tuple<const char*, const char*, Panne> cas[] = {
        {"sous un fichier", "fichier/x_.rst", Aucune},  {"dossier absent", "absent/x_.rst", Aucune},
        {"remplacé par un dossier", "x_.rst", Dossier}, {"hors du dossier", "../x_.rst", Aucune},
        {"taille limitée", "x_.rst", Taille},           {"disque plein", "x_.rst", Plein},
        {"lecture seule", "x_.rst", LectureSeule}};
    std::string sautes;
    for (const auto& [nom, relatif, panne] : cas) {
        Poste poste;
        PetitDisque disque;
        if (panne >= Plein && !disque.monte()) {
            sautes += std::string(" ") + nom;
            continue;
        }
        const QString d = panne >= Plein ? disque.chemin("") : poste.dossier.path() + "/";
        Fichiers::ajouter(d + "fichier", "x");
        if (panne == Dossier) QDir().mkpath(d + relatif);
        if (panne >= Taille) Fichiers::ajouter(d + relatif, avant);
        if (panne == Plein) disque.remplir();
        if (panne == LectureSeule) disque.lectureSeule();
        poste.s.CheminResultats = d + relatif;
        poste.s.DossierQuestionnaire = d;
        const QByteArray octets = contenu(poste.s.CheminResultats);
        std::unique_ptr<frmRésultats> e;
        {
            LimiteDeTaille limite(panne == Taille ? avant.size() + 100 : RLIM_INFINITY);
            e = poste.ouvrir();
        }
        EXPECT_EQ(contenu(poste.s.CheminResultats), octets) << nom;
        ASSERT_EQ(poste.p.dialogues.appels.size(), 1u) << nom;
        const auto& appel = poste.p.dialogues.appels[0];
        EXPECT_EQ(appel.titre + QString::number(appel.style), "AVERTISSEMENT CRITIQUE16");
        EXPECT_TRUE(appel.texte.contains("PAS été enregistré")) << nom;
        EXPECT_FALSE(appel.texte.contains("error", Qt::CaseInsensitive))
            << appel.texte.toStdString();
        EXPECT_TRUE(e->isVisible() && e->lblNote->text() == "15,5/20     ");
        EXPECT_FALSE(poste.p.navigation.quitte);
    }
    if (!sautes.empty()) GTEST_SKIP() << "no tmpfs could be mounted (root is needed):" << sautes;
}
