#pragma once
#include "noyau/resultats/releve.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVector>

#include <optional>

// The teacher's side of the results: one mark per pupil and questionnaire,
// the class list a school exports, and the rows for the school's gradebook.
namespace Resultats {

// Which complete attempt gives a pupil's mark.
enum class RegleEssai { Premier, Meilleur, Dernier };
// "premier", "meilleur" or "dernier"; nothing for another word.
std::optional<RegleEssai> LireRegle(const QString& mot);

struct Inscrit {
    QString identifiant, nom, prenom, classe;
};

// A school's list of its pupils. Identifiers are matched whatever their
// case and the spaces around them.
struct ListeClasse {
    QVector<Inscrit> inscrits;
    QHash<QString, int> index;  // by identifier, see CleIdentifiant

    const Inscrit* trouver(const QString& identifiant) const;
    // The listed identifier closest to `identifiant` in letters typed,
    // added or left out ("B1" gives "B01"); empty on an empty list.
    QString plusProche(const QString& identifiant) const;
};

QString CleIdentifiant(const QString& identifiant);

// A CSV with ";" or ",", UTF-8 or Windows-1252, whose header holds
// "identifiant" and optionally "nom", "prenom", "classe" (other columns are
// ignored). Nothing when there is no such header, the reason in `erreur`.
std::optional<ListeClasse> LireListe(const QByteArray& octets, QString* erreur);

struct NoteEleve {
    QString questionnaire, identifiant, classe;
    const Inscrit* inscrit = nullptr;       // on the class list
    const EssaiLu* retenu = nullptr;        // the attempt the rule chose, if any
    const JournalGarde* journal = nullptr;  // of that attempt, else of the last one
    int essais = 0;

    std::optional<double> note() const { return retenu ? retenu->valeurNote : std::nullopt; }
};

// One per pupil (identifier and class, the list's class when listed) and
// questionnaire, in the order of the attempts; with a list, its pupils with
// no attempt at a questionnaire their class took come too, without mark.
// Valid as long as `r` and `liste` are not changed.
QVector<NoteEleve> NotesEleves(const Releve& r, RegleEssai regle, const ListeClasse* liste);

// Mean and median of the marks given, nothing without any.
struct Moyennes {
    int notes = 0;
    double moyenne = 0, mediane = 0;
};
Moyennes CalculerMoyennes(QVector<double> notes);

// For the school's gradebook: UTF-8 with a byte-order mark, ";", decimal
// comma, CR LF, header "identifiant;nom;prenom;classe;questionnaire;note;essai".
void EcrireNotes(QTextStream& texte, const QVector<NoteEleve>& notes);

}  // namespace Resultats
