#pragma once
#include "noyau/questionnaire/chargement.h"
#include "noyau/questionnaire/questionnaire.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

// Limits the editor keeps so that the player reads exactly what was typed.
constexpr int MaxImagesParQuestion = 49;                // number/name pairs fit rows 2..99
constexpr int MaxLongueurTexte = LongueurMaxLigne - 2;  // the line with its marker stays whole

// The lines of NAME.dat and NAME.ini.
QStringList LignesDat(const Questionnaire& q);
QStringList LignesIni(const Questionnaire& q);
// Windows-1252 with CR LF when every character fits and reads back the
// same, UTF-8 with CR LF otherwise (the player reads both).
QByteArray OctetsFichier(const QStringList& lignes);
bool EnUtf8(const QStringList& lignes);

enum class GenreTexte { Titre, Question, Reponse, Commentaire, NomDeFichier };

// Why the player would misread this text in that place; empty when it is fine.
QString RefusTexte(GenreTexte genre, const QString& texte);

// What keeps the questionnaire from being saved as typed (an empty answer
// between two answers, a nine-answer question that is not the last...),
// each with the question concerned (0: the whole questionnaire).
struct Probleme {
    int question = 0;
    QString message;
};
QVector<Probleme> Problemes(const Questionnaire& q);

// A questionnaire folder opened for editing.
struct Ouverture {
    Questionnaire questionnaire;
    QString nom;              // NAME, the folder's name
    QStringList changements;  // what the first save will change in the files, in French
};
Ouverture OuvrirPourEdition(const QString& dossier);

// Writes NAME.dat and NAME.ini into `dossier` atomically, the previous
// versions kept as NAME.dat.bak and NAME.ini.bak. Returns the reason in
// French on failure, empty on success.
QString EnregistrerQuestionnaire(const Questionnaire& q, const QString& dossier);
