#pragma once
#include "ecrans/commun/navigation.h"
#include "noyau/deroulement/quiz_state.h"
#include "noyau/services/services.h"

#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

// The library screen: lists the questionnaires beside the program and hands
// the chosen one over to the identification screen.
class frmThèmes : public QWidget {
public:
    // `bibliotheque` empty: the folder of the executable.
    frmThèmes(QuizState& etat, Services& services, Navigation& navigation,
              QWidget* parent = nullptr, const QString& bibliotheque = {});

    void ListerThemes(const QString& dossier);
    void List1_Click();
    void List1_DblClick();
    void cmdLancement_Click();
    void cmdQuitter_Click();

    QString ThemeChoisi;
    std::array<QString, 101> TableThemes;  // slots 1 to 100

    QLabel* Label1;
    QListWidget* List1;
    QPushButton* cmdLancement;
    QPushButton* cmdQuitter;
    QLabel* lblSousTitre;
    QLabel* lblCredit;
    QFrame* Shape1;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void construireTitres();
    void construireListe();
    void construireConsigne();
    void construireBoutons();
    void mettreEnPage();
    void relier();
    void Form_Load();

    QuizState& etat_;
    Services& services_;
    Navigation& navigation_;
    QString bibliotheque_;
};
