#pragma once
#include "images/vignette.h"

#include <QFuture>
#include <QList>
#include <QObject>

#include <functional>

// Thumbnails decoded in worker threads, so that no picture ever holds up
// the screen, and decoded ahead of the questions to come, so that the next
// question shows with its picture at once. A copy decoded ahead is used
// only while the file on disk is still the one that was read.
class ChargeurVignettes {
public:
    using Decodeur = std::function<Vignette(const QString& chemin)>;
    using Rappel = std::function<void(const Vignette&)>;

    // Results are handed over on the thread of `contexte`, never after it
    // is gone.
    ChargeurVignettes(QObject* contexte, Decodeur decodeur);

    // Starts decoding `chemin` unless it is decoded or decoding already.
    void anticiper(const QString& chemin);
    // Calls `rappel` once with the thumbnail of `chemin`: before returning
    // when a copy decoded ahead is still current (returns true), otherwise
    // when its decode ends (returns false). A newer request drops an older
    // one still waiting.
    bool demander(const QString& chemin, Rappel rappel);
    // The screen no longer waits for a thumbnail (its picture is missing):
    // a decode still running hands nothing over.
    void abandonner();
    bool enAttente() const { return static_cast<bool>(rappel_); }

private:
    struct Entree {
        QString chemin;
        QFuture<Vignette> futur;
    };
    Entree& lancer(const QString& chemin);
    Entree* trouver(const QString& chemin);
    void termine(const QString& chemin);

    QObject* contexte_;
    Decodeur decodeur_;
    QList<Entree> cache_;  // the most recent last
    QString attendu_;
    Rappel rappel_;
};
