#pragma once
#include "ecrans/commun/navigation.h"
#include "noyau/deroulement/quiz_state.h"
#include "noyau/services/services.h"

#include <QWidget>

class FileAttente;
class QFrame;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;

// The results screen: the summary of the attempt, its record written to the
// student's results file, then a restart or the end of the program.
class frmRésultats : public QWidget {
public:
    // A record that cannot be written waits in `attente`, when given.
    frmRésultats(QuizState& etat, Services& services, Navigation& navigation,
                 FileAttente* attente = nullptr, QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* lblBinôme;
    QLabel* lblpercent;
    QLabel* lblNote;
    QGroupBox* Frame2;
    QLabel* lblAppréciation;
    QPushButton* cmdRecommencer;
    QPushButton* OKButton;
    QFrame* Shape1;

protected:
    void closeEvent(QCloseEvent* evenement) override;

private:
    void construire();
    void construireNote(const QString& sans);
    QHBoxLayout* construireBoutons(const QString& sans);
    void Form_Load();
    void cmdRecommencer_Click();
    void OKButton_Click();
    void quitter();

    QuizState& etat_;
    Services& services_;
    Navigation& navigation_;
    FileAttente* attente_;
    bool termine_ = false;
};
