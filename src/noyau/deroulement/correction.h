#pragma once
#include "noyau/deroulement/quiz_state.h"

#include <QString>
#include <QVector>

#include <functional>

// Verdict pictures, built into the program by number.
namespace Bitmap {
constexpr int Vrai = 101;
constexpr int Faux = 102;
constexpr int Nulle = 103;
constexpr int Vignette = 104;
QString chemin(int numero);  // ":/pictures/101.png"
}  // namespace Bitmap

// What the screen does after a judgment.
struct Jugement {
    QString verdict;           // "Vrai", "Faux", "Nulle", or empty when nothing was judged
    int bitmap = 0;            // verdict picture for Image2; 0 leaves Image2 as it is
    bool commentaire = false;  // show the question's comment
};

// What a wrong answer and an unanswered question cost on the mark out of 20.
constexpr float PenaliteFausse = 1.0f;
constexpr float PenaliteNulle = 0.5f;

// Whether answer k (0-based) of question q is right: its flag is "1". A flag
// that is missing or is anything but "1" counts as "0".
bool ReponseJuste(const QuizState& s, int q, int k);

// Judges the question on screen against its flags. `cochees`(k) is true when
// chkRéponse(k) is ticked or grayed. `confirmerNulle` asks whether the
// question is really to be left unanswered (true = Yes); a No steps
// `RangQuestion` back so that the flow shows the question again. Counts the
// verdict, lowers `Penalite` and rewrites `Note`; nothing is changed before
// the verdict is known, so a judgment is counted whole or not at all.
Jugement Corrige_reponse(QuizState& s, const QVector<bool>& cochees,
                         const std::function<bool()>& confirmerNulle);

// What the verdict picture says to a screen reader: "Réponse juste",
// "Réponse fausse", "Pas de réponse"; empty for any other picture.
QString TexteVerdict(int bitmap);

// The mark shown in lblNote: "16 /20", "17,5 /20", "-10 /20".
QString TexteNote(float note);

// The tally shown in lblreponses, three lines joined by CR LF.
QString TexteBilan(const QuizState& s);

// Texts of the quiz screen's message boxes.
namespace Messages {
inline const QString ConfirmerNulle = "Etes-vous sûr de ne pas vouloir répondre ?";
inline const QString ConfirmerQuitter = "Etes-vous sûr de vouloir quitter ?";
inline const QString TitreAttention = "ATTENTION";
inline const QString TitreBilan = "BILAN DU QUESTIONNAIRE";
inline const QString Bilan =
    "Cliquer sur le bouton intitulé Résultats \r\n"
    "pour obtenir le bilan de votre travail\r\n"
    "et votre note.";
}  // namespace Messages
