#pragma once
#include "noyau/deroulement/quiz_state.h"

#include <QString>
#include <QStringList>

// Gap between two stacked answer boxes, in twips.
constexpr float EcartChoix = 50.0f;
constexpr float TwipsParPixel = 15.0f;

// Whether the author already numbered or lettered the answers, judged on
// the first one: "1) ...", "a) ...", "A la ...", "Paris", "La lave" all are.
bool ChoixDejaNumerotes(const QString& premiereReponse);

// What Charge_questionnaire puts on screen.
struct QuestionAffichee {
    bool affichee = false;  // false before the first question: nothing to show
    QString entete;         // txtQuestion
    QStringList libelles;   // captions of chkRéponse(0), (1), ...; NbChoix of them
};

// The question of rank `RangQuestion` (number `NumQuestion`) with its
// answers numbered unless the author did; sets `ChoixNumerotes` and
// `NbChoix`.
QuestionAffichee Charge_questionnaire(QuizState& s);

// Top edge, in twips, of answer box i when box 0 is at `haut0` and each box
// is `hauteur` high: each sits 50 twips below the one before.
float HautChoix(int i, float haut0, float hauteur);

// Twips to whole pixels at the widget boundary (halves to even).
int EnPixels(float twips);
