#pragma once
#include "noyau/resultats/releve.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// What the class report shows of each questionnaire: the marks of the
// results records, and from the answer journals how each question fared.
namespace Resultats {

struct StatQuestion {
    int numero = 0;
    QString intitule;
    int reponses = 0, justes = 0, fausses = 0, nulles = 0;
    QVector<bool> bonnes;  // (k) answer k+1 is right
    QVector<int> cochees;  // (k) times answer k+1 was ticked
    QStringList textes;    // (k) text of answer k+1, when the journals have it
    // Share right in the best 27 % of the marks less in the weakest 27 %;
    // nothing with too few complete attempts to tell.
    std::optional<double> discrimination;
    QStringList alertes;  // why the teacher should look at it, in French

    double facilite() const { return reponses ? double(justes) / reponses : 0.0; }
};

struct StatQuestionnaire {
    QString questionnaire, titre;
    int eleves = 0;
    QVector<double> notes;  // of the complete attempts, in increasing order
    QMap<QString, QVector<const LigneEssai*>> classes;  // attempts by class
    int essais = 0, interrompus = 0, sansJournal = 0;
    QVector<StatQuestion> questions;  // by question number

    double moyenne() const;
    double mediane() const;
};

// Fewer complete attempts with a journal than this, and no discrimination index.
constexpr int MinimumDiscrimination = 4;
// Fewer answers than this to a question (or wrong answers, for an unpicked
// wrong answer), and no flag on it.
constexpr int MinimumAlertes = 5;
// A discrimination index this low is more than a pupil's chance in a small
// class: the question misleads the best pupils.
constexpr double DiscriminationInverse = -0.2;

QVector<StatQuestionnaire> Statistiques(const Releve& r);

}  // namespace Resultats
