#pragma once
#include <QLocale>
#include <QString>

#include <optional>

// Number texts and roundings shared by the quiz, the results screen and the
// results record. French formats whatever the machine's locale.
namespace Formats {

const QLocale& francais();

// Leading and trailing spaces removed; tabs and other blanks stay, as in
// the teachers' files.
QString sansEspaces(const QString& texte);

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
long arrondiPair(double valeur);

// Reads a row as a decimal number, possibly signed, possibly with a decimal
// part (point or comma); nothing when the text is not such a number.
std::optional<double> lireNombre(const QString& texte);

// Whole values without decimals, otherwise at most 7 significant digits:
// 15 -> "15", 15.5 -> "15,5", 40/3 -> "13,33333".
QString texteNote(float note);

// One decimal, halves away from zero, no grouping: 75 -> "75,0".
QString textePourcentage(double valeur);

// As the percentage text, with thousands grouping.
QString texteQuartDeNote(float valeur);

// The count over the total, times 100; 0 when there is no question.
double pourcentage(int nombre, int total);

}  // namespace Formats
