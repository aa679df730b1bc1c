#pragma once
#include <QSize>

#include <functional>
#include <sys/types.h>

// Puts the display back when the program disappears without doing it
// itself (a crash, a kill). The work happens in a small child process,
// forked before the program opens any window or X connection: it holds the
// size to restore, watches its end of a socket, and when the program's end
// closes without the program having said it restored the display, it runs
// the restore in its own process, where X calls are safe.
class Gardien {
public:
    using Restauration = std::function<void(int largeur, int hauteur)>;

    Gardien() = default;
    Gardien(const Gardien&) = delete;
    Gardien& operator=(const Gardien&) = delete;
    // Closes the program's end: a guardian left without a size or already
    // released then ends without doing anything.
    ~Gardien();

    // Forks the guardian, which will call restaurer in the child; false when
    // it could not start (the program then runs without one).
    bool lancer(Restauration restaurer);
    // The size to put back should the program disappear.
    void confier(QSize taille);
    // The program has restored the display itself: nothing more to do.
    void liberer();
    // Closes the program's end now, as the program's death would.
    void fermer();

    pid_t pid() const { return pid_; }

private:
    void envoyer(const char* message, int longueur);
    int prise_ = -1;
    pid_t pid_ = -1;
};
