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
#include <tuple>
#include <type_traits>

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
// attempt and day) and the journals left without a record, by questionnaire, class, identifier and
// time; valid as long as `r` is not changed.
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

// Questionnaires, classes and identifiers in French order whatever their
// case. A school's year has a million attempts but far fewer names: each
// name is ranked once, and the attempts are sorted by ranks.
template <typename Ligne>
auto NomsDe(const Ligne& l) {
    return std::tie(l.questionnaire, l.classe, l.identifiant);
}
inline auto NomsDe(const LigneEssai& l) {
    return std::tie(l.questionnaire(), l.classe(), l.identifiant());
}

class OrdreFrancais {
public:
    template <typename Lignes>
    explicit OrdreFrancais(const Lignes& lignes) {
        for (const auto& l : lignes) {
            const auto [questionnaire, classe, identifiant] = NomsDe(l);
            for (const QString* nom : {&questionnaire, &classe, &identifiant})
                if (!rangs_.contains(Memoire(*nom))) rangs_.insert(Memoire(*nom), 0), noms_ << *nom;
        }
        classer();
    }

    int rang(const QString& nom) const { return rangs_.value(Memoire(nom)); }

private:
    void classer();

    // By the text's memory: the report keeps one copy of each name, so
    // names are told apart without reading them; two copies of a name
    // simply get the same rank.
    using Texte = std::pair<const QChar*, qsizetype>;
    static Texte Memoire(const QString& nom) { return {nom.constData(), nom.size()}; }
    QHash<Texte, int> rangs_;
    QStringList noms_;
};

// Sorts lines by questionnaire, class and identifier in French order, then
// by `suite`(line), a tuple; lines otherwise equal keep their order.
template <typename Ligne, typename Suite>
void TrierParEleve(QVector<Ligne>& lignes, Suite suite) {
    const OrdreFrancais ordre(lignes);
    using Cle = std::tuple<int, int, int, std::invoke_result_t<Suite, const Ligne&>, qsizetype>;
    QVector<Cle> cles;
    cles.reserve(lignes.size());
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const auto [questionnaire, classe, identifiant] = NomsDe(lignes[i]);
        cles.push_back({ordre.rang(questionnaire), ordre.rang(classe), ordre.rang(identifiant),
                        suite(lignes[i]), i});
    }
    std::sort(cles.begin(), cles.end());
    // Each line moved to its place along the cycles of the order: a
    // million attempts are not copied.
    QVector<bool> places(lignes.size());
    for (qsizetype debut = 0; debut < lignes.size(); ++debut) {
        if (places[debut]) continue;
        Ligne tenue = std::move(lignes[debut]);
        qsizetype place = debut;
        for (qsizetype venue; (venue = std::get<4>(cles[place])) != debut; place = venue) {
            lignes[place] = std::move(lignes[venue]);
            places[place] = true;
        }
        lignes[place] = std::move(tenue);
        places[place] = true;
    }
}

}  // namespace Resultats
