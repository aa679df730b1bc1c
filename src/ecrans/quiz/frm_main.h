#pragma once
#include "ecrans/commun/navigation.h"
#include "images/chargeur_vignettes.h"
#include "noyau/deroulement/deroulement.h"
#include "noyau/deroulement/quiz_state.h"
#include "noyau/resultats/journal.h"
#include "noyau/services/services.h"

#include <QTimer>
#include <QVector>
#include <QWidget>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTextEdit;
struct Vignette;

// The quiz screen: one attempt at a questionnaire, from its introduction to
// the hand-over to the results. The logic lives in plain functions
// (Corrige_reponse, Deroulement, Timer1_tic...); this class puts their
// results on screen.
class frmMain : public QWidget {
    Q_OBJECT

public:
    // Without a journal, the attempt leaves no answer journal.
    frmMain(QuizState& s, Services& services, Navigation& navigation,
            JournalEssai* journal = nullptr, QWidget* parent = nullptr);
    ~frmMain() override;

    // Event handlers, public so that a test can act as the student and the
    // clock would.
    void cmdValider_Click();
    void cmdAfficher_Click();
    void cmdQuitter_Click();
    void cmdAide_Click();
    void cmdPhoto_Click();
    void Timer1_Timer();
    void Timer2_Timer();

    EtatQuiz etat() const { return deroulement_.etat(); }
    // A thumbnail is being decoded and will show when ready.
    bool vignetteEnAttente() const { return vignettes_.enAttente(); }

    void setVisible(bool visible) override;

    // Controls, under their design names.
    QLabel* Label2 = nullptr;
    QTextEdit* txtQuestion = nullptr;
    QVector<QCheckBox*> chkRéponse;
    QPushButton* cmdValider = nullptr;
    QPushButton* cmdAfficher = nullptr;
    QPushButton* cmdQuitter = nullptr;
    QPushButton* cmdAide = nullptr;
    QPushButton* cmdPhoto = nullptr;
    QGroupBox* Frame4 = nullptr;
    QWidget* PicPhoto = nullptr;
    QLabel* ImPhoto = nullptr;
    QLabel* lblImage = nullptr;  // says why a picture does not show
    QGroupBox* Frame3 = nullptr;
    QLabel* lblNote = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* lblreponses = nullptr;
    QProgressBar* prgBar1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblHeure = nullptr;
    QLabel* lblTempsPassé = nullptr;
    QFrame* Shape1 = nullptr;
    QTimer Timer1;
    QTimer Timer2;

protected:
    void closeEvent(QCloseEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void Construire();
    void construireQuestion();
    void construireCommandes();
    void construireVignette();
    void construireVerdict();
    void relier();
    void Form_Load();
    void Charge_questionnaire();
    void Corrige_reponse();
    void Affiche_bilan();
    void Nommer_controles();
    void Annoncer_bilan();
    void Affiche_vignette(const QString& chemin);
    void Montrer_vignette(const QString& chemin, const Vignette& vignette);
    bool Affiche_image_cyclee(const QString& nom);
    void Montrer_image_cyclee(const Vignette& vignette);
    void Anticiper_vignettes();
    void Placer_vignette(const Vignette& vignette);
    void Placer_vignette_defaut(const QString& explication = {});
    void Ouvrir_visionneuse();
    bool Confirmer_sortie();
    void Abandonner();
    QCheckBox* Creer_choix(int index);

    QuizState& s_;
    Services& services_;
    Navigation& navigation_;
    Deroulement deroulement_;
    Journal::Suivi suivi_;
    // The loading failed: the screen never shows and hands back to the library.
    bool chargementEchoue_ = false;
    ChargeurVignettes vignettes_;
};
