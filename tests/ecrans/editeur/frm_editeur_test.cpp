#include "ecrans/editeur/frm_editeur.h"

#include "ecrans/editeur/essai.h"
#include "ecrans/quiz/frm_main.h"
#include "ecrans/resultats/frm_resultats.h"
#include "images/images.h"
#include "noyau/echange/transfert.h"
#include "support/dossier.h"
#include "support/fakes.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Editeur {
    DossierDeTest bibliotheque{"NOUVEAU"};
    QTemporaryDir ailleurs;
    QStringList questions;  // what the window asked the teacher
    std::unique_ptr<frmEditeur> f;

    explicit Editeur(QMessageBox::StandardButton reponse = QMessageBox::Cancel) {
        f = std::make_unique<frmEditeur>(bibliotheque.dossier());
        f->demander = [this, reponse](const QString& texte, QMessageBox::StandardButtons) {
            questions << texte;
            return reponse;
        };
        f->choisirFichier = [this](const QString&, const QString&) {
            const QString chemin = ailleurs.path() + "/Carte du monde é.PNG";
            QImage image(40, 30, QImage::Format_RGB32);
            image.fill(Qt::blue);
            image.save(chemin, "PNG");
            return chemin;
        };
        f->show();
    }
    // Key by key as the teacher types, accented letters included.
    void taper(QLineEdit* champ, const QString& texte) {
        for (const QChar c : texte) {
            QKeyEvent appui(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(champ, &appui);
        }
    }
    void question(const QString& texte, const QStringList& reponses, const QList<int>& justes) {
        taper(f->txtQuestion, texte);
        for (int k = 0; k < reponses.size(); ++k) taper(f->txtReponse[k], reponses[k]);
        for (int k : justes) f->chkJuste[k]->click();
    }
};

}  // namespace

TEST(Editeur, questionnaireTapeDansLaFenetreEstCeQueLitLeJoueur) {
    Editeur e;
    e.taper(e.f->txtTitre, QString::fromUtf8("Géographie Ω"));  // saved as UTF-8
    e.question("Capitale de la France ?", {"Paris", "Lyon"}, {0});
    e.f->cmdImage->click();
    e.taper(e.f->txtCommentaire, "Voir la carte.");
    e.f->cmdAjouter->click();
    e.question("Fleuves de France ?", {"Loire", "Nil", "Seine"}, {0, 2});
    e.f->cmdAjouter->click();
    e.question("Plus haut sommet ?", {"Mont Blanc", "Everest"}, {0});
    e.taper(e.f->txtReponse[2], "0 km");  // would start a question: refused from the k on
    EXPECT_EQ(e.f->txtReponse[2]->text(), "0 ");
    EXPECT_TRUE(
        e.f->statusBar()->currentMessage().contains(QString::fromUtf8("nouvelle question")));
    e.f->pile.undo();  // the whole answer typed is one step
    EXPECT_EQ(e.f->txtReponse[2]->text(), "");

    ASSERT_TRUE(e.f->enregistrer()) << e.questions.join('\n').toStdString();
    const auto v = VerifierDossier(e.bibliotheque.dossier(), Images::examiner);
    EXPECT_EQ(v->codeSortie(), 0) << RapportTexte(*v).toStdString();
    const Questionnaire& lu = v->questionnaire;
    EXPECT_EQ(lu.titre, QString::fromUtf8("Géographie Ω"));
    EXPECT_FALSE(e.f->lstRemarques->findItems("UTF-8", Qt::MatchContains).isEmpty());
    ASSERT_EQ(lu.questions.size(), 3);
    EXPECT_EQ(lu.questions[1].texte, "Fleuves de France ?");
    EXPECT_EQ(lu.questions[1].reponses.value(2), "Seine");
    EXPECT_EQ(lu.questions[1].drapeaux, "1 0 1");
    EXPECT_EQ(lu.questions[2].reponses.size(), 2);
    EXPECT_EQ(lu.questions[0].image, "Carte_du_monde_e.png");
    EXPECT_TRUE(QFile::exists(e.bibliotheque.dossier() + "/Images/Carte_du_monde_e.png"));
    EXPECT_EQ(lu.questions[0].commentaire, "Voir la carte.");
    EXPECT_TRUE(e.questions.isEmpty()) << e.questions.join('\n').toStdString();
}

// A bank imported beside the questionnaire; the questionnaire as typed exported.
TEST(Editeur, importerEtExporter) {
    Editeur e;
    e.f->choisirFichier = [](const QString&, const QString&) {
        return QString(KORVANE_TEST_FILES "/noyau/echange/fichiers/planetes.txt");
    };
    e.f->importer();
    QTest::qWaitFor([&] { return !e.questions.isEmpty(); });
    ASSERT_EQ(e.questions, QStringList{"2 questions importées dans : PLANETES."});
    EXPECT_EQ(OuvrirPourEdition(e.bibliotheque.bibliotheque() + "/PLANETES")
                  .questionnaire.questions.size(),
              2);
    e.question("Ω ?", {"a", "b"}, {1});
    const QString fichier = e.ailleurs.filePath("banque.xml");
    e.f->choisirDestination = [&](const QString&, const QString&) { return fichier; };
    e.f->exporter();
    QTest::qWaitFor([&] { return e.f->statusBar()->currentMessage().startsWith("Exporté"); });
    const Echange::LectureBanque l = Echange::LireFichier(fichier);
    ASSERT_EQ(l.banques.size(), 1);
    EXPECT_EQ(l.banques[0].questions, e.f->questionnaire().questions);
}

TEST(Editeur, annulerRetablirEtFermerSansPerdreLesModifications) {
    Editeur e;
    e.taper(e.f->txtTitre, "Titre");
    e.f->cmdAjouter->click();
    e.f->cmdDupliquer->click();
    EXPECT_EQ(e.f->questionnaire().questions.size(), 3);
    e.f->pile.undo();
    e.f->pile.undo();
    EXPECT_EQ(e.f->questionnaire().questions.size(), 1);
    e.f->pile.undo();
    EXPECT_EQ(e.f->txtTitre->text(), "");  // the whole word typed is one step
    e.f->pile.redo();
    EXPECT_EQ(e.f->txtTitre->text(), "Titre");
    EXPECT_FALSE(e.f->close());  // asked, and the teacher cancelled
    EXPECT_EQ(e.questions.size(), 1);
    e.f->pile.undo();
    EXPECT_TRUE(e.f->close());  // back to what is on disk: nothing to ask
    EXPECT_EQ(e.questions.size(), 1);
}

TEST(Editeur, remarqueDuVerificateurMeneALaQuestion) {
    Editeur e;
    e.question("Une", {"a", "b"}, {0});
    e.f->cmdAjouter->click();
    e.question("Deux", {"seule"}, {0});
    e.f->verifierMaintenant();
    const auto remarques = e.f->lstRemarques->findItems("1 choix", Qt::MatchContains);
    ASSERT_FALSE(remarques.isEmpty());
    e.f->lstQuestions->setCurrentIndex(e.f->lstQuestions->model()->index(0, 0));
    emit e.f->lstRemarques->itemActivated(remarques.last());
    EXPECT_EQ(e.f->questionCourante(), 1);
    e.f->lstQuestions->model()->moveRow({}, 1, {}, 0);  // as a drag in the list does
    QTest::qWait(0);
    EXPECT_EQ(e.f->questionnaire().questions[0].texte, "Deux");
    EXPECT_EQ(e.f->lstQuestions->model()->index(0, 0).data().toString(), "1. Deux");
}

TEST(Editeur, essayerJoueLeQuestionnaireTapeSansLEnregistrer) {
    Editeur e;
    DialoguesScriptes dialogues;
    e.f->dialoguesEssai = &dialogues;
    e.taper(e.f->txtTitre, "Essai du jour");
    e.question("Une", {"a", "b"}, {0});
    e.f->essayer();
    ASSERT_TRUE(e.f->essai() && e.f->essai()->quiz());
    auto* main = static_cast<frmMain*>(e.f->essai()->quiz());
    EXPECT_TRUE(main->isVisible() && main->windowTitle().contains("Essai du jour"));
    main->cmdValider_Click();  // the introduction
    main->chkRéponse[0]->setChecked(true);
    main->cmdValider_Click();
    main->cmdAfficher_Click();
    QTest::qWait(0);
    frmRésultats* resultats = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* r = dynamic_cast<frmRésultats*>(w); r && r->isVisible()) resultats = r;
    ASSERT_NE(resultats, nullptr);
    EXPECT_TRUE(resultats->lblNote->text().startsWith("20"));
    ASSERT_EQ(dialogues.appels.size(), 1u);  // the end-of-questionnaire summary, nothing else
    EXPECT_EQ(dialogues.appels[0].titre, "BILAN DU QUESTIONNAIRE");
    resultats->OKButton->click();
    QTest::qWait(0);
    EXPECT_EQ(e.f->essai(), nullptr);  // back to the editor
    EXPECT_TRUE(
        QDir(e.bibliotheque.dossier()).entryList(QDir::Files).isEmpty());  // no results, no save
}
