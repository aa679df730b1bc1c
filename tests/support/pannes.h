#pragma once
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

// Faults put in front of the writers: the kernel refuses every byte past a
// file size, as it would once a quota or a disk is full.
class LimiteDeTaille {
public:
    explicit LimiteDeTaille(rlim_t octets) : signal_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &avant_);
        rlimit limite = avant_;
        limite.rlim_cur = octets;
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteDeTaille() {
        setrlimit(RLIMIT_FSIZE, &avant_);
        std::signal(SIGXFSZ, signal_);
    }

private:
    void (*signal_)(int);
    rlimit avant_{};
};

// A small file system of its own (root only): full, or read-only.
class PetitDisque {
public:
    explicit PetitDisque(const char* options = "size=64k")
        : monte_(::mount("tmpfs", point_.constData(), "tmpfs", 0, options) == 0) {}
    ~PetitDisque() {
        if (monte_) ::umount2(point_.constData(), MNT_DETACH);
    }
    bool monte() const { return monte_; }
    QString chemin(const QString& nom) const { return racine_.path() + "/" + nom; }
    // Fills what is left with one file, so that the next byte has no room.
    void remplir() const {
        QFile plein(chemin(".plein"));
        if (!plein.open(QIODevice::WriteOnly)) return;
        const QByteArray page(4096, 'x');
        while (plein.write(page) == page.size() && plein.flush()) {}
        for (int octet = 0; octet < 4096 && plein.write("x", 1) == 1 && plein.flush(); ++octet) {}
    }
    void lectureSeule() const {
        ::mount(nullptr, point_.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
    }

private:
    QTemporaryDir racine_;
    const QByteArray point_ = QFile::encodeName(racine_.path());
    bool monte_;
};
