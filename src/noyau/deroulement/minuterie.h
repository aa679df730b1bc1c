#pragma once
#include "noyau/deroulement/quiz_state.h"

#include <QDateTime>
#include <QString>

#include <functional>

constexpr int IntervalleMinuterie = 2000;  // Timer1, ms
constexpr int IntervalleHorloge = 1000;    // Timer2, ms

// The countdown bar's maximum in ticks: never below one, so a countdown
// shorter than two seconds still ends at its first tick with the bar full.
int MaximumBarre(int maximumMinuterie);

// "Temps restant = 28 secondes": the seconds left after `tics` ticks.
QString TexteTempsRestant(int maximum, int tics, int intervalleMs);

// Number of cycling pictures the cycle goes through: those that were read,
// within the picture table.
int NombreImagesCyclees(const QuizState& s);

// What a tick of Timer1 changes on screen.
struct TicMinuterie {
    bool decompte = false;  // false: the tick ended early, bar and text unchanged
    int valeur = 0;         // prgBar1's value, never above its maximum
    QString texte;          // Label3
    bool arreter = false;   // the countdown ran out: stop Timer1
};

// One tick of Timer1. `afficherImage` shows a cycling picture by file name
// and returns false when it could not; the countdown then waits for the
// next tick.
TicMinuterie Timer1_tic(QuizState& s, int maximum, int intervalleMs,
                        const std::function<bool(const QString&)>& afficherImage);

// Today's date in French: "samedi 5 décembre 2026".
QString TexteDate(const QDate& date);

// lblHeure: the date in upper case, CR LF, the time "hh:mm:ss" (24 hours).
QString TexteHorloge(const QDateTime& maintenant);

// lblTempsPassé: "Temps écoulé", CR LF, the elapsed time.
QString TexteTempsPasse(qint64 secondes);

// One tick of Timer2: the date of the day, and once the run has started the
// current time and the whole seconds since its start.
void Timer2_tic(QuizState& s, const QDateTime& maintenant);
