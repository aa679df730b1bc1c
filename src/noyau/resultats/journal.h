#pragma once
#include "noyau/deroulement/quiz_state.h"
#include "noyau/resultats/journal_disque.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// The answer journal of an attempt: JSON Lines in the "Essais" folder of the
// questionnaire, a first line naming the attempt, one line per judged
// question, a last line telling how it ended. The report reads it for its
// per-question statistics; the results record stays the record of truth.
namespace Journal {

inline const QString DossierEssais = QStringLiteral("Essais");

// "Essais/B01_3A_2026-12-05_14-03-27_essai-1.jsonl" in the questionnaire's folder.
QString CheminJournal(const QuizState& s, const QDateTime& debut);

// Follows an attempt on the quiz screen and hands its lines to the journal;
// with no journal it does nothing.
class Suivi {
public:
    explicit Suivi(JournalEssai* journal) : journal_(journal) {}

    void commencer(const QuizState& s, const QDateTime& instant);
    // A question is on screen; its time counts from its first showing.
    void questionAffichee(const QuizState& s, const QDateTime& instant);
    // `cochees`(k) for answer k; `verdict` "Vrai", "Faux" or "Nulle".
    void jugee(const QuizState& s, const QVector<bool>& cochees, const QString& verdict,
               const QDateTime& instant);
    // The attempt hands over to the results, reached or abandoned.
    void terminer(const QuizState& s, bool resultatsAtteints, const QDateTime& instant);

private:
    JournalEssai* journal_;
    bool commence_ = false;
    bool termine_ = false;
    int rangAffiche_ = -1;
    QDateTime affichage_;
};

struct ReponseLue {
    int numero = 0;        // question number in the questionnaire file
    int rang = 0;          // its rank in the attempt's order
    QVector<int> cochees;  // answers ticked, from 1
    QVector<int> justes;   // right answers, from 1
    int choix = 0;         // answers offered
    QString verdict;       // "Vrai", "Faux", "Nulle"
    QString intitule;
    int secondes = 0;
    QStringList textes;  // of the answers offered, when the journal has them
};

struct JournalLu {
    QString fichier;
    QString questionnaire, titre, identifiant, classe;
    int essai = 0;
    QDateTime debut;
    int questions = 0;
    QVector<ReponseLue> reponses;
    bool termine = false;  // has its last line
    bool resultatsAtteints = false;
    std::optional<double> note;
    QStringList erreurs;  // the damaged lines, named by file and number, in French
};

// Its answers by verdict.
struct Decompte {
    int justes = 0, fausses = 0, nulles = 0;
};
Decompte Decompter(const JournalLu& j);

// Whether the texts of the questions and answers are read: a school's
// report needs them once per question, not in each of a million journals.
enum class Textes { Lus, Omis };

// Reads a journal as it grows, from bytes handed in any pieces: a line
// counts once its end has come. Whatever the bytes, it keeps what it can.
class LecteurJournal {
public:
    explicit LecteurJournal(const QString& chemin, Textes textes = Textes::Lus)
        : chemin_(chemin), textes_(textes) {}

    void ajouter(QByteArrayView octets);
    // No more bytes will come: a last line without its end is read if it
    // can be, and otherwise taken for a line cut by a crash.
    void finir();
    // Reads what the file gained since the last call, from where it left
    // off (a file that shrank was replaced: it is read again from the start).
    // False when the file cannot be read; the reason in `erreur`.
    bool relire(QString* erreur);

    // Nothing while the first line has not come, or when it is not a
    // journal's (then `erreur()` says so).
    const std::optional<JournalLu>& journal() const { return journal_; }
    QString erreur() const;
    qint64 octetsLus() const { return lus_; }

private:
    void ligne(QByteArrayView brute, bool coupee);

    QString chemin_;
    Textes textes_;
    std::optional<JournalLu> journal_;
    QByteArray reste_;  // the line whose end has not come yet
    qint64 lus_ = 0;
    int lignes_ = 0;
    bool etranger_ = false;  // the first line is not a journal's
};

// Nothing when the text is not a journal (the reason in `erreur`). A journal
// cut short (a crash, a power cut) keeps the lines before the cut.
std::optional<JournalLu> LireJournal(const QByteArray& octets, const QString& chemin,
                                     QString* erreur, Textes textes = Textes::Lus);
std::optional<JournalLu> LireFichierJournal(const QString& chemin, QString* erreur,
                                            Textes textes = Textes::Lus);

}  // namespace Journal
