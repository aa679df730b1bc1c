#pragma once
#include "noyau/deroulement/quiz_state.h"
#include "noyau/questionnaire/chargement.h"

#include <cstdint>

class SourceAleatoire;

// The run's tables of a questionnaire: the title, `NbQuestions` and
// `TexteQCM`; `BonnesReponses` follow from `Lire_drapeaux`.
void PoserQuestionnaire(QuizState& s, const Questionnaire& e);
// What the companion file gives a run: `ModeImages`, `TableImages`,
// `NbImages`, `Commentaires`, `FichierAide` and `DureeMinuterie`.
void PoserCompagnon(QuizState& s, const Questionnaire& e);

// Reads `CheminIni` into the companion's fields of the run. Returns a French
// message when the quiz cannot start (missing companion, picture mode not a
// whole number), empty otherwise.
QString LireFichierIni(QuizState& s, QVector<Avertissement>* avertissements = nullptr,
                       const SourceFichiers& source = SourceFichiers::disque());

// Number of answer slots 1, 2, ... of question q before the first empty one.
int NombreReponses(const QuizState& s, int q);

void Lire_drapeaux(QuizState& s);
void Cherche_reponses_multiples(QuizState& s);
QString TexteIntroduction(const QuizState& s);

// The draw: k is the number of draws already made.
void TireIndex(QuizState& s, std::int16_t k, SourceAleatoire& hasard, std::uint64_t horloge);
void RetireDuTirage(QuizState& s, std::int16_t k);
void TirerOrdre(QuizState& s, SourceAleatoire& hasard, std::uint64_t horloge);

// What the quiz screen shows once its loading is done.
struct Chargement {
    QString erreur;  // not empty: the quiz cannot start; say it and go back
    QVector<Avertissement> avertissements;
    QString introduction;       // for txtQuestion
    int maximumMinuterie = 10;  // prgBar1's maximum, in two-second ticks
    bool aideVisible = false;   // cmdAide
};

// The loading of the quiz screen as logic: resets the counters, reads the
// companion, reads the questionnaire on the first run only, composes the
// introduction and draws the order. A loading that fails leaves no trace of
// an earlier attempt: the next one is a first attempt, read anew.
Chargement ChargerQuiz(QuizState& s, SourceAleatoire& hasard, std::uint64_t horloge,
                       const SourceFichiers& source = SourceFichiers::disque());
