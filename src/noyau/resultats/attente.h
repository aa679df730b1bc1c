#pragma once
#include <QByteArray>
#include <QString>

#include <chrono>
#include <memory>

// Records that could not reach their results file (share unreachable, full
// or read-only), kept whole on this computer, one file each, and appended
// to their results file once it answers again: exactly once, a record found
// there byte for byte counting as delivered.
class FileAttente {
public:
    // `dossier`: where the records wait, created when one must.
    explicit FileAttente(QString dossier);
    // Stops retrying; waits a moment for a delivery under way.
    ~FileAttente();
    FileAttente(const FileAttente&) = delete;
    FileAttente& operator=(const FileAttente&) = delete;

    // The user's own queue: $XDG_STATE_HOME (~/.local/state) /korvane/attente.
    static QString dossierUtilisateur();

    // Keeps `octets`, bound for `chemin` directly in `dossierResultats`.
    // Whether they are safe on this computer's disk.
    bool garder(const QString& chemin, const QString& dossierResultats, const QByteArray& octets);

    // Appends what it can to the results files; how many records still
    // wait. Another run delivering the same queue meanwhile: nothing done.
    int livrer();

    // Delivers now, then every `periode`, on a thread of its own: a share
    // that hangs never holds up a screen.
    void relancer(std::chrono::milliseconds periode);

private:
    struct Relance;
    QString dossier_;
    std::shared_ptr<Relance> relance_;
};
