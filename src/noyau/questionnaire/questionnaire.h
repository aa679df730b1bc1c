#pragma once
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

// Table sizes of the questionnaire formats.
constexpr int MaxQuestions = 99;   // question numbers 1..99
constexpr int MaxCreneaux = 9;     // answer slots 1..9
constexpr int MaxDrapeaux = 6;     // flags for the first six answers
constexpr int MaxLignesIni = 199;  // rows 0..199 of a companion section

// Whether q indexes the question tables (0..99); 0 holds what comes before
// the first question.
constexpr bool numeroDeQuestionValide(long q) { return q >= 0 && q <= MaxQuestions; }

// A questionnaire as a value, without widgets: what reading a folder gives
// and writing one takes. Besides what the player reads it keeps what the
// player skips but the teacher wrote (the unread companion rows, the
// pictures and comments of question numbers that have no question), so that
// saving an untouched questionnaire gives back the same bytes.
struct Question {
    QString texte;
    QStringList reponses;  // slots 1..9; an empty one ends the list on reading
    QVector<bool> justes;  // one per answer
    QString image;         // name in Images/, one-picture-per-question mode
    QString commentaire;
    // The flags line as read, less its "=>": the player judges by its
    // characters as written, slips included. Empty for a question typed,
    // imported or opened in the editor, whose `justes` say it; writing
    // always writes `justes`.
    QString drapeaux;

    // How the file said the flags is not what the question is.
    bool operator==(const Question& autre) const {
        return texte == autre.texte && reponses == autre.reponses && justes == autre.justes &&
               image == autre.image && commentaire == autre.commentaire;
    }
};

Q_DECLARE_TYPEINFO(Question, Q_RELOCATABLE_TYPE);

struct Questionnaire {
    QString titre;
    QVector<Question> questions;
    int modeImages = 0;                    // 0: a picture per question; 1: pictures cycling
    QStringList imagesCycliques;           // mode 1
    QString duree = "30";                  // countdown in seconds, as written
    std::array<QString, 3> lignesNonLues;  // the row ending the picture list and the two after it
    QString aide;                          // name in "Fichiers d'aide/" (or absolute)
    QMap<int, QString> imagesOrphelines, commentairesOrphelins;
    bool operator==(const Questionnaire&) const = default;

    // The picture and the comment of question number q (from 1), whether or
    // not the questionnaire has that question.
    QString image(int q) const {
        return q >= 1 && q <= questions.size() ? questions[q - 1].image : imagesOrphelines.value(q);
    }
    QString commentaire(int q) const {
        return q >= 1 && q <= questions.size() ? questions[q - 1].commentaire
                                               : commentairesOrphelins.value(q);
    }
};
