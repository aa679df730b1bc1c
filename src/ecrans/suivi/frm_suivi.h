#pragma once
#include "noyau/resultats/direct.h"
#include "noyau/services/services.h"

#include <QFutureWatcher>
#include <QWidget>

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

// The teacher's window during the lesson: one tab per questionnaire being
// taken, pupils by questions, who is stuck, who has finished.
class frmSuivi : public QWidget {
public:
    // The class report goes to `dossierBilan`.
    frmSuivi(const QStringList& dossiers, Services& services, const QString& dossierBilan,
             int minutesInactif = Resultats::MinutesInactif, QWidget* parent = nullptr);
    ~frmSuivi() override;

    QTabWidget* onglets;
    QLabel* lblEtat;
    QPushButton* cmdBilan;

    // Shows the class as the last poll found it.
    void afficher(const Resultats::ClasseEnDirect& classe);

private:
    void remplir(QTableWidget* table, const Resultats::QuestionnaireEnDirect& q);
    void cmdBilan_Click();

    QStringList dossiers_;
    Services& services_;
    QString dossierBilan_;
    int minutesInactif_;
    QFutureWatcher<QString> bilan_;
    std::unique_ptr<Resultats::SuiviEnDirect> suivi_;
};
