#pragma once
#include "noyau/resultats/journal.h"

#include <QDateTime>
#include <QFutureWatcher>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <functional>
#include <map>
#include <memory>

// The class followed live from the answer journals as the pupils' machines
// write them on the share. Network shares give no change notification:
// the folders are polled, and each journal is read only for the bytes it
// gained since the last poll.
namespace Resultats {

enum class Case : char { PasEncore, Juste, Fausse, Nulle };
enum class EtatEleve { EnCours, Termine, Interrompu };

struct EleveEnDirect {
    QString identifiant, classe;
    int essai = 0;
    QVector<Case> cases;  // (q - 1) question q
    int traitees = 0, questions = 0;
    Journal::Decompte decompte;
    double note = 20;    // so far, or the final one
    QDateTime derniere;  // when its journal last grew
    EtatEleve etat = EtatEleve::EnCours;
};

struct QuestionnaireEnDirect {
    QString questionnaire, titre;
    int questions = 0;
    QVector<EleveEnDirect> eleves;  // the last attempt of each, by class and identifier
    QVector<int> reponses, justes;  // (q - 1) answers to question q so far, right ones
};

struct ClasseEnDirect {
    QVector<QuestionnaireEnDirect> questionnaires;  // by questionnaire
    QStringList erreurs;                            // in French, journals not read
};

// Polls the folders. One thread at a time uses it.
class ReleveEnDirect {
public:
    explicit ReleveEnDirect(const QStringList& dossiers) : racines_(dossiers) {}

    // Reads what the journals gained; whether anything changed.
    bool sonder();
    ClasseEnDirect classe() const;

private:
    void decouvrir();

    QStringList racines_;
    QStringList dossiers_;  // every folder that may hold journals
    int sondages_ = 0;
    std::map<QString, Journal::LecteurJournal> lecteurs_;  // by path
    QHash<QString, std::pair<qint64, QDateTime>> vus_;     // size and time by path
    QHash<QString, QString> erreurs_;                      // by path
};

// Polls a ReleveEnDirect on a worker thread every `intervalle` ms and hands
// each change to `recevoir` on the thread that made it; the event loop
// never waits on a disk.
class SuiviEnDirect {
public:
    SuiviEnDirect(const QStringList& dossiers, std::function<void(const ClasseEnDirect&)> recevoir,
                  int intervalle = 2000);
    ~SuiviEnDirect();

    // Polls now, unless a poll is already under way.
    void sonder();

private:
    std::shared_ptr<ReleveEnDirect> releve_;
    std::function<void(const ClasseEnDirect&)> recevoir_;
    QTimer minuterie_;
    QFutureWatcher<std::optional<ClasseEnDirect>> veille_;
    int sondages_ = 0;
};

// The idle time past which a pupil still at work stands out, by default.
constexpr int MinutesInactif = 3;

}  // namespace Resultats
