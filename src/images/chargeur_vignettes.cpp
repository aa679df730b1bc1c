#include "images/chargeur_vignettes.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

namespace {
// The question on screen, the two to come and a cycling picture or two.
constexpr int Capacite = 5;
}  // namespace

ChargeurVignettes::ChargeurVignettes(QObject* contexte, Decodeur decodeur)
    : contexte_(contexte), decodeur_(std::move(decodeur)) {}

ChargeurVignettes::Entree* ChargeurVignettes::trouver(const QString& chemin) {
    for (Entree& e : cache_)
        if (e.chemin == chemin) return &e;
    return nullptr;
}

ChargeurVignettes::Entree& ChargeurVignettes::lancer(const QString& chemin) {
    for (qsizetype i = 0; i < cache_.size(); ++i)
        if (cache_[i].chemin == chemin) cache_.removeAt(i--);
    while (cache_.size() >= Capacite) cache_.removeFirst();
    cache_.append({chemin, QtConcurrent::run([d = decodeur_, chemin] { return d(chemin); })});
    auto* veilleur = new QFutureWatcher<Vignette>(contexte_);
    QObject::connect(veilleur, &QFutureWatcher<Vignette>::finished, contexte_,
                     [this, veilleur, chemin] {
                         veilleur->deleteLater();
                         termine(chemin);
                     });
    veilleur->setFuture(cache_.last().futur);
    return cache_.last();
}

void ChargeurVignettes::anticiper(const QString& chemin) {
    if (!trouver(chemin)) lancer(chemin);
}

bool ChargeurVignettes::demander(const QString& chemin, Rappel rappel) {
    attendu_ = chemin;
    rappel_ = std::move(rappel);
    Entree* e = trouver(chemin);
    if (e && e->futur.isFinished() && e->futur.result().aJour()) {
        // The request may come from a rappel: hand it over last.
        const Rappel r = std::exchange(rappel_, {});
        r(e->futur.result());
        return true;
    }
    if (!e || e->futur.isFinished()) lancer(chemin);
    return false;
}

void ChargeurVignettes::abandonner() {
    rappel_ = {};
    attendu_.clear();
}

void ChargeurVignettes::termine(const QString& chemin) {
    if (!rappel_ || chemin != attendu_) return;
    Entree* e = trouver(chemin);
    if (!e || !e->futur.isFinished()) return;
    // The file changed while it was read: read it again.
    if (!e->futur.result().aJour()) {
        lancer(chemin);
        return;
    }
    std::exchange(rappel_, {})(e->futur.result());
}
