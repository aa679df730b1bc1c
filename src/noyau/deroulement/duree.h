#pragma once
#include <QDateTime>
#include <QString>

#include <cstdint>

// The elapsed-time text of the quiz screen and of the results screen:
// 75 gives "01 minutes 15 secondes.", 3725 gives
// "01 heures 02 minutes 05 secondes.". A negative count reads as 0.
QString Formate_duree(std::int32_t secondes);

// Whole seconds from `debut` to `maintenant`. Full date-times, so a run
// that passes midnight keeps counting up; never negative (a clock set back
// reads as no time spent).
qint64 SecondesEcoulees(const QDateTime& debut, const QDateTime& maintenant);
