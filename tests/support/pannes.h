#pragma once
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

// Faults put in front of the writers: the kernel refuses every byte past a
// file size, as it would once a quota or a disk is full.
class LimiteDeTaille {
public:
    explicit LimiteDeTaille(rlim_t octets) {
        getrlimit(RLIMIT_FSIZE, &avant_);
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limite = avant_;
        limite.rlim_cur = octets;
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteDeTaille() {
        setrlimit(RLIMIT_FSIZE, &avant_);
        std::signal(SIGXFSZ, signal_);
    }

private:
    rlimit avant_{};
    void (*signal_)(int);
};

// A small file system of its own (root only): full, or read-only.
class PetitDisque {
public:
    explicit PetitDisque(const char* options = "size=64k") {
        monte_ = ::mount("tmpfs", QFile::encodeName(racine_.path()).constData(), "tmpfs", 0,
                         options) == 0;
    }
    ~PetitDisque() {
        if (monte_) ::umount2(QFile::encodeName(racine_.path()).constData(), MNT_DETACH);
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
        ::mount(nullptr, QFile::encodeName(racine_.path()).constData(), nullptr,
                MS_REMOUNT | MS_RDONLY, nullptr);
    }

private:
    QTemporaryDir racine_;
    bool monte_ = false;
};
