#pragma once
#include "noyau/deroulement/quiz_state.h"

#include <QString>

#include <functional>

// The student's identification: the results file path built from the
// questionnaire, the identifier and the class, and the guard that refuses a
// retake or an entry that cannot name that file.
namespace Identification {

// The questionnaire file less its ".dat", " _", the identifier, "_", the
// class, "_.rst"; identifier and class trimmed of spaces and upper-cased.
QString cheminResultats(const QString& cheminQuestionnaire, const QString& identifiant,
                        const QString& classe);

// The questionnaire's path as its results file is named from: where it is,
// or the same name in the drop folder when there is one.
QString questionnaireDesResultats(const QuizState& s);

// Why an entry cannot go into a file name ("" when it can): a separator, a
// character the file systems of the classroom refuse, a control character,
// a character the record's Windows-1252 cannot hold, an invisible character
// (which would give the same pupil a second file), or a name that would
// designate a folder ("." or "..") once trimmed.
QString defautNom(const QString& saisie);

enum class Existence { Absente, Presente, Inverifiable };

// Whether something already lies at `chemin` (names compared without regard
// to case); Inverifiable when the folder cannot be looked into.
Existence existence(const QString& chemin);

// Whether the questionnaire folder takes a new results file: the French
// reason when it does not, empty when it does.
using TestEcriture = std::function<QString(const QString& dossier)>;
QString essaiDossier(const QString& dossier);

enum class Issue { Accepte, Incomplet, DejaEffectue, NomInterdit, Inverifiable, NonEnregistrable };

struct Decision {
    Issue issue = Issue::Accepte;
    // Path of the results file; empty when the entries cannot name one, so
    // that nothing can ever be written outside the questionnaire folder.
    QString CheminResultats;
    // Message box to show when the student is refused.
    QString texte, titre;
    int style = 0;
};

using TestExistence = std::function<Existence(const QString&)>;

// The validation of the identification screen, entries taken as typed.
// The existence test comes before the emptiness test, which looks at the
// untrimmed entries (spaces only count as filled in). A pupil who would be
// let through is told at once when the result could not be saved.
Decision valider(const QString& cheminQuestionnaire, const QString& identifiant,
                 const QString& classe, const TestExistence& test = existence,
                 const TestEcriture& ecriture = essaiDossier);

}  // namespace Identification
