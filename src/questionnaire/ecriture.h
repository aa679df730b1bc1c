#pragma once
#include "questionnaire/chargement.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

// A questionnaire as the editor holds it: what the player reads, plus what
// the player skips but the teacher wrote (the unread companion rows, the
// pictures and comments of question numbers that have no question), so that
// saving an untouched questionnaire gives back the same bytes.
struct QuestionEditee {
    QString texte;
    QStringList reponses;  // slots 1..9; an empty one ends the list on reading
    QVector<bool> justes;  // one per answer
    QString image;         // name in Images/, one-picture-per-question mode
    QString commentaire;
    bool operator==(const QuestionEditee&) const = default;
};

struct QuestionnaireEdite {
    QString titre;
    QVector<QuestionEditee> questions;
    int modeImages = 0;
    QStringList imagesCycliques;
    QString duree = "30";
    std::array<QString, 3> lignesNonLues;  // the row ending the picture list and the two after it
    QString aide;                          // name in "Fichiers d'aide/" (or absolute)
    QMap<int, QString> imagesOrphelines, commentairesOrphelins;
    bool operator==(const QuestionnaireEdite&) const = default;
};

// Limits the editor keeps so that the player reads exactly what was typed.
constexpr int MaxImagesParQuestion = 49;  // number/name pairs fit rows 2..99
constexpr int MaxLongueurTexte = LongueurMaxLigne - 2;  // the line with its marker stays whole

// The questionnaire the player's loading left in `s` (`carte` says where the
// countdown row was, hence the unread rows before it).
QuestionnaireEdite DepuisEtat(const QuizState& s, const CarteLignes& carte);

// The lines of NAME.dat and NAME.ini.
QStringList LignesDat(const QuestionnaireEdite& q);
QStringList LignesIni(const QuestionnaireEdite& q);
QByteArray OctetsFichier(const QStringList& lignes);  // Windows-1252, CR LF

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
QVector<Probleme> Problemes(const QuestionnaireEdite& q);

// A questionnaire folder opened for editing.
struct Ouverture {
    QuestionnaireEdite questionnaire;
    QString nom;                // NAME, the folder's name
    QStringList changements;    // what the first save will change in the files, in French
};
Ouverture OuvrirPourEdition(const QString& dossier);

// Writes NAME.dat and NAME.ini into `dossier` atomically, the previous
// versions kept as NAME.dat.bak and NAME.ini.bak. Returns the reason in
// French on failure, empty on success.
QString EnregistrerQuestionnaire(const QuestionnaireEdite& q, const QString& dossier);
