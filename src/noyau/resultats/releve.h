#pragma once
#include "noyau/resultats/journal.h"
#include "noyau/resultats/lecture.h"

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QStringList>
#include <QTextStream>
#include <QVector>

#include <functional>

// Every attempt found under the folders a teacher gathered (a library, a
// questionnaire folder, copies from several machines), each counted once.
namespace Resultats {

// An answer of a journal as the report keeps it: a school's year holds
// millions, so a few bytes each; the texts are kept once per questionnaire.
struct ReponseGardee {
    int numero = 0;
    quint16 cochees = 0, justes = 0;  // bit k: answer k + 1
    quint8 choix = 0;
    char verdict = 'N';  // 'V' right, 'F' wrong, 'N' no answer

    static ReponseGardee De(const Journal::ReponseLue& r);
};

// A journal as the report keeps it.
struct JournalGarde {
    QString questionnaire, identifiant, classe;
    int essai = 0, questions = 0;
    QDateTime debut;
    bool termine = false, resultatsAtteints = false;
    std::optional<double> note;
    QVector<ReponseGardee> reponses;

    static JournalGarde De(const Journal::JournalLu& lu);
    Journal::Decompte decompte() const;
};

}  // namespace Resultats

// Moved in memory as bytes, as a year's million grow in place.
Q_DECLARE_TYPEINFO(Resultats::ReponseGardee, Q_PRIMITIVE_TYPE);
Q_DECLARE_TYPEINFO(Resultats::JournalGarde, Q_RELOCATABLE_TYPE);

namespace Resultats {

// The texts of a question as the journals give them.
struct TextesQuestion {
    QString intitule;
    QStringList reponses;
};

// One attempt as the report lists it: its record, its journal, or both.
struct LigneEssai {
    const EssaiLu* essai = nullptr;         // nothing: interrupted before its record
    const JournalGarde* journal = nullptr;  // nothing: no journal found

    // From the record, else from the journal.
    const QString& questionnaire() const {
        return essai ? essai->questionnaire : journal->questionnaire;
    }
    const QString& identifiant() const { return essai ? essai->identifiant : journal->identifiant; }
    const QString& classe() const { return essai ? essai->classe : journal->classe; }
    int numero() const { return essai ? essai->numero : journal->essai; }
    QDate date() const { return essai ? essai->date : journal->debut.date(); }
    QTime heure() const { return essai ? essai->heure : journal->debut.time(); }
    bool complet() const { return essai && essai->complet(); }
};

}  // namespace Resultats

Q_DECLARE_TYPEINFO(Resultats::LigneEssai, Q_RELOCATABLE_TYPE);

namespace Resultats {

struct Releve {
    QVector<EssaiLu> essais;  // by questionnaire, class, identifier, attempt
    QVector<JournalGarde> journaux;
    QHash<QString, QString> titres;  // by questionnaire, upper case
    // By questionnaire (upper case), then question number.
    QHash<QString, QMap<int, TextesQuestion>> textes;
    QStringList erreurs;  // in French, one per file or record not read
    // Every attempt, see LignesEssais; valid as long as `essais` and
    // `journaux` are not changed.
    QVector<LigneEssai> lignes;

    QString titre(const QString& questionnaire) const {
        return titres.value(questionnaire.toUpper());
    }
    // 0 all read, 1 some files not read, 2 nothing read.
    int codeSortie() const;
};

// Reads every results file (".rst") and every journal (in an "Essais"
// folder) under `chemins`, folders or single files. `progression` hears,
// a few times a second, how many files of how many are read.
using Progression = std::function<void(qsizetype lus, qsizetype total)>;
Releve Rassembler(const QStringList& chemins, const Progression& progression = {});

// Every attempt, each record with its journal (same questionnaire, pupil,
// attempt and day) and the journals left without a record, by
// questionnaire, class, identifier and time; valid as long as `r` is not
// changed.
QVector<LigneEssai> LignesEssais(const Releve& r);

// A hash of names whatever their case, as a comparison without regard to
// case finds them equal, made without copying them: a school's year hashes
// millions.
size_t HashNoms(std::initializer_list<QStringView> noms);

// "0 essai", "1 essai", "2 essais": French counts.
QString Compte(qsizetype nombre, const QString& singulier, const QString& pluriel);

// Text a spreadsheet would take for a formula, kept as text.
QString ProtegerFormule(const QString& texte);
// A field quoted when it holds ";", a quote or a line end.
QString ChampCsv(const QString& texte);

// One row per attempt for LibreOffice Calc and Excel in French: UTF-8 with
// a byte-order mark, ";" between fields, decimal comma, CR LF.
void EcrireCsv(QTextStream& texte, const Releve& r);

// The fields as one CSV line, CR LF ended.
QString LigneCsv(const QStringList& champs);
// What `ecrire` writes, as bytes.
QByteArray EnOctets(const std::function<void(QTextStream&)>& ecrire);

}  // namespace Resultats
