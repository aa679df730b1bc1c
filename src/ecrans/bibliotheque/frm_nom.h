#pragma once
#include "ecrans/commun/navigation.h"
#include "noyau/deroulement/quiz_state.h"
#include "noyau/services/services.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

// The identification screen: an identifier and a class, then the quiz, unless
// this student already has a results file for the questionnaire.
class frmNom : public QWidget {
public:
    frmNom(QuizState& etat, Services& services, Navigation& navigation, QWidget* parent = nullptr);

    void cmdOK_Click();
    void cmdAnnuler_Click();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    std::array<QLineEdit*, 2> Text1;  // 0 identifier, 1 class
    QPushButton* cmdOK;
    QPushButton* cmdAnnuler;

private:
    void construireSaisies();
    void construireBoutons();
    void mettreEnPage();
    void Form_Load();

    QuizState& etat_;
    Services& services_;
    Navigation& navigation_;
};
