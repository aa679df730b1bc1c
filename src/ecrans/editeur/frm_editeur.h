#pragma once
#include "noyau/questionnaire/ecriture.h"
#include "noyau/questionnaire/edition.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>
#include <QUndoStack>

#include <array>
#include <functional>
#include <memory>

class Essai;
class ListeQuestions;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

// The questionnaire editor's window: every edit goes through the undo stack
// as a change of the whole questionnaire, and the checker panel follows.
class frmEditeur : public QMainWindow {
    Q_OBJECT

public:
    explicit frmEditeur(const QString& dossier, QWidget* parent = nullptr);
    ~frmEditeur() override;

    // Ctrl+S; false when nothing was written (refused, cancelled or failed).
    bool enregistrer();
    // F5: plays the questionnaire as typed in the quiz screen, recording nothing.
    void essayer();
    // The checker panel now, without waiting for a pause in the typing.
    void verifierMaintenant();
    // A question bank (GIFT, Moodle XML, Aiken) into new questionnaires beside this one.
    void importer();
    // This questionnaire, as typed, to a GIFT or Moodle XML file.
    void exporter();

    const Questionnaire& questionnaire() const { return modele_; }
    int questionCourante() const { return courante_; }
    Essai* essai() const { return essai_.get(); }

    // Questions to the teacher and file choices; a test replaces them.
    std::function<QMessageBox::StandardButton(const QString&, QMessageBox::StandardButtons)>
        demander;
    std::function<QString(const QString& titre, const QString& filtre)> choisirFichier;
    std::function<QString(const QString& titre, const QString& filtre)> choisirDestination;
    // The practice run's message boxes; Qt's when null.
    class Dialogues* dialoguesEssai = nullptr;

    QLineEdit* txtTitre = nullptr;
    QListView* lstQuestions = nullptr;
    QPushButton* cmdAjouter = nullptr;
    QPushButton* cmdSupprimer = nullptr;
    QPushButton* cmdDupliquer = nullptr;
    QPushButton* cmdMonter = nullptr;
    QPushButton* cmdDescendre = nullptr;
    QTabWidget* onglets = nullptr;
    QLineEdit* txtQuestion = nullptr;
    std::array<QLineEdit*, MaxCreneaux> txtReponse{};
    std::array<QCheckBox*, MaxCreneaux> chkJuste{};
    QLabel* imgVignette = nullptr;
    QPushButton* cmdImage = nullptr;
    QPushButton* cmdRetirerImage = nullptr;
    QLineEdit* txtCommentaire = nullptr;
    QRadioButton* optParQuestion = nullptr;
    QRadioButton* optCycliques = nullptr;
    QListWidget* lstCycliques = nullptr;
    QPushButton* cmdAjouterCyclique = nullptr;
    QPushButton* cmdRetirerCyclique = nullptr;
    QPushButton* cmdMonterCyclique = nullptr;
    QPushButton* cmdDescendreCyclique = nullptr;
    QSpinBox* spnMinuterie = nullptr;
    QLabel* lblAide = nullptr;
    QPushButton* cmdAide = nullptr;
    QPushButton* cmdRetirerAide = nullptr;
    QListWidget* lstRemarques = nullptr;
    QUndoStack pile;

protected:
    void closeEvent(QCloseEvent* evenement) override;
    // Undo and redo keys reach the window's stack, never a field's own history.
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    friend class CommandeEdition;

    void construire();
    QWidget* construireQuestions();
    QWidget* construireQuestion();
    QWidget* construireImagesEtAide();
    void construireActions();
    void relier();
    void relierTextes();
    void relierQuestions();
    void relierImages();
    void relierMinuterieAideEtRemarques();

    // Every change of the questionnaire: `fusion` lets consecutive keystrokes
    // in one field make one undo step; `selection` is the question to show after.
    void modifier(const QString& texte, const std::function<void(Questionnaire&)>& changement,
                  int fusion = -1, int selection = -2);
    void modifierQuestion(const QString& texte, const std::function<void(Question&)>& changement,
                          int fusion = -1);
    void appliquer(const Questionnaire& modele, int selection);
    void rafraichir();
    void rafraichirQuestion();
    void rafraichirVignette();
    void choisirQuestion(int index);
    void refuser(const QString& raison);

    void choisirImage();
    void ajouterImageCyclique();
    void choisirAide();
    QString copier(const QString& titre, const QString& filtre, const QString& sousDossier);

    void verifier();
    bool ouvrirChangements();

    QString dossier_;
    QString nom_;
    Questionnaire modele_;
    ListeQuestions* listeQuestions_ = nullptr;
    int courante_ = -1;
    QString vignetteAffichee_;
    QStringList changementsOuverture_;
    QTimer minuterieVerification_;
    Edition::CopieDeTravail copie_;
    std::unique_ptr<Essai> essai_;
    std::unique_ptr<Edition::CopieDeTravail> copieEssai_;
};
