#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>

// The line grammar of the teachers' files, for the reading, the checker and
// the writing alike.

// Longer lines of a teacher's file are cut to this many characters.
constexpr int LongueurMaxLigne = 4000;

// Section headers of the companion file, in the order of its columns:
// pictures, comments, help.
inline const QStringList EnTetesIni = {"[Fichiers Images]", "[Commentaires]", "[Fichier d'aide]"};

// What a line of the questionnaire file is, by the first two characters of
// its trimmed text: "0 " opens a question, "=>" gives its right answers,
// "</" the title; any other line is a question's answer or nothing read.
enum class GenreLigne { Question, Drapeaux, Titre, Texte };
GenreLigne GenreDeLigne(QStringView rangee);

// What a marked line gives: the line as read less its marker.
inline QString ContenuDeLigne(const QString& ligne) { return ligne.mid(2); }

// The line that the reading classifies as `genre` and whose content is `texte`.
QString LigneDe(GenreLigne genre, const QString& texte);

// The companion section a header row opens (0 pictures, 1 comments, 2 help); -1 for any other row.
int SectionDeLEnTete(const QString& rangee);

// The flag of answer a + 1 (from 0) in a flags line: its character at
// position 2a, empty when the line is shorter; "1" marks a right answer.
inline QString DrapeauEcrit(const QString& drapeaux, int a) { return drapeaux.mid(2 * a, 1); }
