#pragma once
#include "noyau/deroulement/quiz_state.h"

#include <QString>

// The texts of the results screen, composed from the state of the attempt.
namespace Resultats {

// Every question of the questionnaire was treated.
bool EssaiComplet(const QuizState& s);

// The tenth attempt of a run offers no restart.
constexpr int DernierEssai = 9;
bool RecommencerPossible(const QuizState& s);

struct TextesBilan {
    QString titreFenetre;  // window title
    QString test;          // Label2
    QString binome;        // lblBinôme
    QString traitement;    // Label1
    QString pourcentages;  // lblpercent
    bool noteVisible;      // Label3 (and the mark)
    QString note;          // lblNote, empty when the attempt is not complete
    QString appreciation;  // lblAppréciation
};

// `duree` is the elapsed-time text of the attempt.
TextesBilan ComposerBilan(const QuizState& s, const QString& duree);

// The appreciation of a complete attempt, by its mark out of 20.
QString Appreciation(float note);

}  // namespace Resultats
