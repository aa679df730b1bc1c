#pragma once
#include "noyau/resultats/journal.h"
#include "noyau/resultats/lecture.h"

#include <QByteArray>
#include <QCollator>
#include <QHash>
#include <QStringList>
#include <QVector>

#include <functional>

// Every attempt found under the folders a teacher gathered (a library, a
// questionnaire folder, copies from several machines), each counted once.
namespace Resultats {

struct Releve {
    QVector<EssaiLu> essais;  // by questionnaire, class, identifier, attempt
    QVector<Journal::JournalLu> journaux;
    QHash<QString, QString> titres;     // by questionnaire, upper case
    QStringList erreurs;                // in French, one per file or record not read
    QHash<QString, int> indexJournaux;  // by attempt, see JournalDe

    QString titre(const QString& questionnaire) const {
        return titres.value(questionnaire.toUpper());
    }
    // 0 all read, 1 some files not read, 2 nothing read.
    int codeSortie() const;
};

// One attempt as the report lists it: its record, its journal, or both.
struct LigneEssai {
    const EssaiLu* essai = nullptr;               // nothing: interrupted before its record
    const Journal::JournalLu* journal = nullptr;  // nothing: no journal found
    QString questionnaire, identifiant, classe;
    int numero = 0;
    QDate date;
    QTime heure;

    bool complet() const { return essai && essai->complet(); }
};

// Reads every results file (".rst") and every journal (in an "Essais"
// folder) under `chemins`, folders or single files. `progression` hears,
// a few times a second, how many files of how many are read.
using Progression = std::function<void(qsizetype lus, qsizetype total)>;
Releve Rassembler(const QStringList& chemins, const Progression& progression = {});

// The journal of `essai` (same questionnaire, pupil, attempt and day), or
// nothing.
const Journal::JournalLu* JournalDe(const Releve& r, const EssaiLu& essai);

// Every attempt, each record with its journal and the journals left
// without a record, by questionnaire, class, identifier and time; valid as
// long as `r` is not changed.
QVector<LigneEssai> LignesEssais(const Releve& r);

// "0 essai", "1 essai", "2 essais": French counts.
QString Compte(qsizetype nombre, const QString& singulier, const QString& pluriel);

// Text a spreadsheet would take for a formula, kept as text.
QString ProtegerFormule(const QString& texte);
// A field quoted when it holds ";", a quote or a line end.
QString ChampCsv(const QString& texte);

// One row per attempt for LibreOffice Calc and Excel in French: UTF-8 with
// a byte-order mark, ";" between fields, decimal comma, CR LF.
QByteArray TexteCsv(const Releve& r);

// Questionnaire, class, then identifier in French order, whatever their case:
// below, at or above 0 as `a` comes before, with or after `b`.
template <typename Ligne>
int ComparerParEleve(const QCollator& collation, const Ligne& a, const Ligne& b) {
    for (const auto& [x, y] :
         {std::pair{&a.questionnaire, &b.questionnaire}, std::pair{&a.classe, &b.classe},
          std::pair{&a.identifiant, &b.identifiant}})
        if (const int ordre = collation.compare(*x, *y)) return ordre;
    return 0;
}

}  // namespace Resultats
