#pragma once
#include "noyau/deroulement/quiz_state.h"
#include "noyau/services/services.h"

class QWidget;

// Opens the questionnaire's help document (`FichierAide`) with the
// application associated with it, and tells the student in French when
// that cannot be done.
void Ouvrir_aide(QuizState& s, Services& services, QWidget* parent);
