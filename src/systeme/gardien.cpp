#include "systeme/gardien.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The guardian's life: messages come as lines "T <width> <height>" (size
// to restore) and "L" (released); the end of the stream is the program's.
[[noreturn]] void garder(int prise, const Gardien::Restauration& restaurer) {
    // Signals meant for the program (Ctrl-C in its terminal, the terminal
    // closing) must not take its guardian with it.
    setpgid(0, 0);
    for (const int signal : {SIGINT, SIGQUIT, SIGHUP, SIGTSTP, SIGPIPE})
        std::signal(signal, SIG_IGN);

    int largeur = 0, hauteur = 0;
    bool confie = false;
    char ligne[64];
    int rempli = 0;
    for (;;) {
        const ssize_t lus = read(prise, ligne + rempli, sizeof ligne - 1 - std::size_t(rempli));
        if (lus < 0 && errno == EINTR) continue;
        if (lus <= 0) break;
        rempli += int(lus);
        ligne[rempli] = '\0';
        char* fin;
        while ((fin = std::strchr(ligne, '\n'))) {
            *fin = '\0';
            int l = 0, h = 0;
            if (std::sscanf(ligne, "T %d %d", &l, &h) == 2 && l > 0 && h > 0) {
                largeur = l;
                hauteur = h;
                confie = true;
            } else if (std::strcmp(ligne, "L") == 0) {
                confie = false;
            }
            const int reste = rempli - int(fin + 1 - ligne);
            std::memmove(ligne, fin + 1, std::size_t(reste) + 1);
            rempli = reste;
        }
        if (rempli == int(sizeof ligne) - 1) rempli = 0;  // not a message of ours
    }
    close(prise);
    if (confie && restaurer) restaurer(largeur, hauteur);
    _exit(0);
}

}  // namespace

Gardien::~Gardien() { fermer(); }

bool Gardien::lancer(Restauration restaurer) {
    if (prise_ >= 0) return true;
    int prises[2];
    // Close-on-exec: a program the run starts (a help document's viewer)
    // must not hold the program's end open after the program is gone.
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, prises) != 0) return false;
    const pid_t pid = fork();
    if (pid < 0) {
        close(prises[0]);
        close(prises[1]);
        return false;
    }
    if (pid == 0) {
        close(prises[0]);
        garder(prises[1], restaurer);
    }
    close(prises[1]);
    prise_ = prises[0];
    pid_ = pid;
    return true;
}

void Gardien::envoyer(const char* message, int longueur) {
    if (prise_ < 0) return;
    // MSG_NOSIGNAL: a guardian that is gone must not take the program along.
    while (send(prise_, message, std::size_t(longueur), MSG_NOSIGNAL) < 0 && errno == EINTR) {}
}

void Gardien::confier(QSize taille) {
    if (taille.width() <= 0 || taille.height() <= 0) return;
    char message[48];
    const int longueur =
        std::snprintf(message, sizeof message, "T %d %d\n", taille.width(), taille.height());
    envoyer(message, longueur);
}

void Gardien::liberer() { envoyer("L\n", 2); }

void Gardien::fermer() {
    if (prise_ < 0) return;
    close(prise_);
    prise_ = -1;
}
