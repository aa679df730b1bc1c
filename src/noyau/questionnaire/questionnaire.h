#pragma once
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

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
    bool operator==(const Question&) const = default;
};

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
};
