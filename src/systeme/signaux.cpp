#include "systeme/signaux.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t ecriture = -1;

sigset_t ensemble(const std::vector<int>& signaux) {
    sigset_t masque;
    sigemptyset(&masque);
    for (const int signal : signaux) sigaddset(&masque, signal);
    return masque;
}

void surSignal(int signal) {
    const int sauve = errno;
    const unsigned char numero = static_cast<unsigned char>(signal);
    if (ecriture >= 0) [[maybe_unused]]
        const auto ecrit = write(ecriture, &numero, 1);
    errno = sauve;
}

}  // namespace

InterceptionSignaux::InterceptionSignaux(Reaction reaction, std::initializer_list<int> signaux)
    : reaction_(std::move(reaction)), signaux_(signaux) {
    int tube[2];
    if (pipe2(tube, O_CLOEXEC | O_NONBLOCK) != 0) return;
    lecture_ = tube[0];
    ecriture = tube[1];
    notificateur_ = new QSocketNotifier(lecture_, QSocketNotifier::Read, this);
    connect(notificateur_, &QSocketNotifier::activated, this, [this] { lire(); });

    struct sigaction action {};
    action.sa_handler = surSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : signaux_) sigaction(signal, &action, nullptr);
    const sigset_t masque = ensemble(signaux_);
    pthread_sigmask(SIG_UNBLOCK, &masque, nullptr);
}

void InterceptionSignaux::retenir(std::initializer_list<int> signaux) {
    const sigset_t masque = ensemble(signaux);
    pthread_sigmask(SIG_BLOCK, &masque, nullptr);
}

InterceptionSignaux::~InterceptionSignaux() {
    for (const int signal : signaux_) std::signal(signal, SIG_DFL);
    if (lecture_ < 0) return;
    const int e = ecriture;
    ecriture = -1;
    close(e);
    close(lecture_);
}

void InterceptionSignaux::lire() {
    unsigned char numeros[16];
    ssize_t lus;
    std::vector<int> recus;
    while ((lus = read(lecture_, numeros, sizeof numeros)) > 0)
        for (ssize_t n = 0; n < lus; ++n) recus.push_back(numeros[n]);
    for (const int signal : recus)
        if (reaction_) reaction_(signal);
}
