#pragma once
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVector>

#include <optional>

// Reads results files back: the records the results screen appends, one per
// attempt, as teachers gather them from the classroom machines (Windows-1252
// or UTF-8, CR LF or LF, possibly cut short or hand-edited).
namespace Resultats {

struct EssaiLu {
    QString questionnaire;  // from the file name, else the folder holding it
    int numero = 0;         // attempt of the run, from 1
    QString identifiant;    // trimmed of spaces, as in the file name
    QString classe;
    int traitees = 0, questions = 0, justes = 0, fausses = 0, nulles = 0;
    QString note, noteSurQuatre;  // as written; empty when not assessable
    std::optional<double> valeurNote;
    QString texteDate;  // line 26 as written
    QDate date;         // invalid when line 26 is empty or not a French date
    QTime heure;

    bool complet() const { return valeurNote.has_value() && traitees == questions; }
};

}  // namespace Resultats

// Moved in memory as bytes: a school's year holds a million, and a list of
// them grows in place.
Q_DECLARE_TYPEINFO(Resultats::EssaiLu, Q_RELOCATABLE_TYPE);

namespace Resultats {

struct LectureResultats {
    QVector<EssaiLu> essais;
    QStringList erreurs;  // in French, one per record or file that could not be read
};

// The records of one file's bytes; `chemin` names the file in the messages
// and gives the questionnaire.
LectureResultats LireResultats(const QByteArray& octets, const QString& chemin);
LectureResultats LireFichierResultats(const QString& chemin);

// The questionnaire a results file belongs to: its name less
// " _IDENTIFIANT_CLASSE_.rst", or the folder that holds it.
QString QuestionnaireDuFichier(const QString& chemin, const QString& identifiant,
                               const QString& classe);

// A date written by the quiz screen's clock ("samedi 5 décembre 2026").
QDate LireDate(const QString& texte);

}  // namespace Resultats
