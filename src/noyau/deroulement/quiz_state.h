#pragma once
#include "noyau/questionnaire/questionnaire.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <cstdint>

struct QuizState;
// Where the records and journals of the questionnaire go.
QString DossierDesResultats(const QuizState& s);

// The one shared state of a run, created empty at start and kept until the
// program ends. The second group holds the quiz screen's own tables, which
// survive its unloading so that a restart reuses what was read.
struct QuizState {
    // Questionnaire and its files
    QString DossierQuestionnaire;
    QString CheminQuestionnaire;
    QString CheminIni;
    QString TitreQuestionnaire;
    QString CheminImage;

    // What the companion file gives
    std::int16_t ModeImages = 0;
    std::array<std::array<QString, MaxQuestions + 1>, 2> TableImages;
    int NbImages = 0;
    std::array<QString, MaxQuestions + 1> Commentaires;
    QString FichierAide;
    QString DureeMinuterie;
    QString AideWinHelp;

    // Progress of the run
    int NbQuestions = 0;
    QVector<std::int16_t> OrdreQuestions;
    QStringList ReserveTirage;
    std::int16_t BorneTirage = 0;
    std::int16_t IndexTire = 0;
    std::int16_t RangQuestion = 0;
    std::int16_t NumQuestion = 0;
    std::int16_t NumEssai = 0;
    bool Recommencer = false;

    // Scores
    int NbJustes = 0;
    int NbFausses = 0;
    std::int16_t NbNulles = 0;
    float Note = 0.0f;

    // Time
    QDateTime HeureDebut;
    QDateTime HeureCourante;
    qint64 TempsEcoule = 0;
    QString DateDuJour;

    // Student and results file
    QString Identifiant;
    QString Classe;
    QString CheminResultats;
    // The drop folder that takes records and journals instead of the
    // questionnaire's folder; empty: none.
    QString DossierDepot;
    // A teacher trying a questionnaire from the editor: nothing is recorded.
    bool Entrainement = false;

    // Display
    std::int16_t LargeurEcranPixels = 0;
    std::int16_t HauteurEcranPixels = 0;
    float ResolutionX = 0.0f;
    float ResolutionY = 0.0f;

    // Owned by the quiz screen
    // (q, 0, 0) text of question q; (q, 0, k) answer slot k; (q, 1, 0) flags.
    std::array<std::array<std::array<QString, MaxCreneaux + 1>, 2>, MaxQuestions + 1> TexteQCM;
    std::array<std::array<QString, 10>, MaxQuestions + 1> BonnesReponses;
    bool ReponsesMultiples = false;
    QString Consigne;
    bool ChoixNumerotes = false;
    int NbChoix = 0;
    bool SortieConfirmee = false;
    bool ChronoActif = false;
    QString Verdict;
    float Penalite = 0.0f;
    std::int16_t TicsMinuterie = 0;
    int ImageCourante = 0;
};

inline QString DossierDesResultats(const QuizState& s) {
    return s.DossierDepot.isEmpty() ? s.DossierQuestionnaire : s.DossierDepot;
}
