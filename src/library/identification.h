#pragma once
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

// Why an entry cannot go into a file name ("" when it can): a separator, a
// character the file systems of the classroom refuse, a control character,
// or a name that would designate a folder ("." or "..") once trimmed.
QString defautNom(const QString& saisie);

enum class Existence { Absente, Presente, Inverifiable };

// Whether something already lies at `chemin` (names compared without regard
// to case); Inverifiable when the folder cannot be looked into.
Existence existence(const QString& chemin);

enum class Issue { Accepte, Incomplet, DejaEffectue, NomInterdit, Inverifiable };

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
// untrimmed entries (spaces only count as filled in).
Decision valider(const QString& cheminQuestionnaire, const QString& identifiant,
                 const QString& classe, const TestExistence& test = existence);

}  // namespace Identification
