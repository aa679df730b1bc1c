#include "ecrans/commun/application.h"

#include "ecrans/commun/placement.h"

#include <QApplication>
#include <QTimer>

Application::~Application() {
    finie_ = true;
    for (auto& [ecran, fenetre] : instances_) delete fenetre.data();
}

void Application::enregistrer(Ecran ecran, Fabrique fabrique) {
    fabriques_[ecran] = std::move(fabrique);
}

void Application::surFin(std::function<void()> fin) { fin_ = std::move(fin); }

bool Application::estPrincipal(Ecran ecran) {
    switch (ecran) {
    case Ecran::Illustration:
    case Ecran::Notes:
    case Ecran::Outils: return false;
    default: return true;
    }
}

void Application::montrer(Ecran ecran) {
    QPointer<QWidget>& fenetre = instances_[ecran];
    if (!fenetre) {
        const auto fabrique = fabriques_.find(ecran);
        if (fabrique == fabriques_.end()) return;
        fenetre = fabrique->second();
        if (!fenetre) return;
        fenetre->setAttribute(Qt::WA_DeleteOnClose);
        if (estPrincipal(ecran)) {
            Placement::centrer(*fenetre, principaleOuverte());
            // Checked one turn later: a screen that closes itself and then
            // shows the next one is not the end of the run.
            QObject::connect(fenetre, &QObject::destroyed, &contexte_, [this] {
                QTimer::singleShot(0, &contexte_, [this] { verifierFin(); });
            });
        }
    }
    QWidget* nouvelle = fenetre;
    nouvelle->show();
    nouvelle->raise();
    nouvelle->activateWindow();
    // The new screen is shown before the old one goes, so the program never
    // finds itself without a window in between.
    if (estPrincipal(ecran))
        for (const auto& [autre, ouverte] : instances_)
            if (autre != ecran && estPrincipal(autre) && ouverte) decharger(autre);
}

void Application::decharger(Ecran ecran) {
    const auto trouve = instances_.find(ecran);
    if (trouve == instances_.end() || !trouve->second) return;
    QWidget* fenetre = trouve->second;
    trouve->second = nullptr;
    // A screen's own windows (the viewer's palette) go at once with it.
    for (QWidget* enfant : fenetre->findChildren<QWidget*>())
        if (enfant->isWindow()) enfant->hide();
    fenetre->hide();
    fenetre->deleteLater();
    // The picture viewer and the comments belong to the main screen they
    // were opened from: they never stay behind the next one.
    if (estPrincipal(ecran))
        for (const auto& [autre, ouverte] : instances_)
            if (!estPrincipal(autre) && ouverte) decharger(autre);
}

QWidget* Application::principaleOuverte() const {
    for (const auto& [ecran, fenetre] : instances_)
        if (estPrincipal(ecran) && fenetre && fenetre->isVisible()) return fenetre;
    return nullptr;
}

QWidget* Application::instance(Ecran ecran) const {
    const auto trouve = instances_.find(ecran);
    return trouve == instances_.end() ? nullptr : trouve->second.data();
}

void Application::verifierFin() {
    if (finie_) return;
    for (const auto& [ecran, fenetre] : instances_)
        if (estPrincipal(ecran) && fenetre) return;
    if (fin_)
        fin_();
    else
        quitter();
}

void Application::quitter() {
    finie_ = true;
    for (const auto& [ecran, fenetre] : instances_)
        if (fenetre) fenetre->hide();
    QCoreApplication::exit(0);
}
