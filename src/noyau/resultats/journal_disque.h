#pragma once
#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// Where the quiz screen sends the lines of an attempt's journal. A screen
// given none keeps no journal.
class JournalEssai {
public:
    virtual ~JournalEssai() = default;
    // Starts the file `chemin` (its folder created if missing) with `ligne`.
    virtual void commencer(const QString& chemin, const QByteArray& ligne) = 0;
    // Appends `ligne` to the file last started.
    virtual void ajouter(const QByteArray& ligne) = 0;
};

// Writes the journal on a thread of its own, so that a slow disk or network
// share never holds up a question: each line is written whole and synced
// before the next one, the way a results record is. A file that cannot be
// written loses its lines quietly: the results record, not the journal, is
// the record of truth.
class JournalDisque : public JournalEssai {
public:
    JournalDisque();
    // Writes what is still waiting, then stops the thread.
    ~JournalDisque() override;
    JournalDisque(const JournalDisque&) = delete;
    JournalDisque& operator=(const JournalDisque&) = delete;

    void commencer(const QString& chemin, const QByteArray& ligne) override;
    void ajouter(const QByteArray& ligne) override;
    // Returns once every line handed over so far is on disk or given up.
    void attendre();

private:
    struct Ligne {
        QString chemin;  // empty: the file last started
        QByteArray texte;
    };
    void confier(Ligne ligne);
    void travailler();
    void ecrire(const Ligne& ligne);

    std::mutex verrou_;
    std::condition_variable reveil_;
    std::condition_variable vide_;
    std::deque<Ligne> attente_;
    bool occupe_ = false;
    bool arret_ = false;
    QString fichier_;  // the file being written, owned by the thread
    std::thread fil_;
};
