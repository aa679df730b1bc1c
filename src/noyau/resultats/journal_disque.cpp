#include "noyau/resultats/journal_disque.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

JournalDisque::JournalDisque() : fil_([this] { travailler(); }) {}

JournalDisque::~JournalDisque() {
    {
        std::lock_guard<std::mutex> garde(verrou_);
        arret_ = true;
    }
    reveil_.notify_one();
    fil_.join();
    if (descripteur_ >= 0) ::close(descripteur_);
}

void JournalDisque::commencer(const QString& chemin, const QByteArray& ligne) {
    confier({chemin, ligne});
}

void JournalDisque::ajouter(const QByteArray& ligne) { confier({{}, ligne}); }

void JournalDisque::confier(Ligne ligne) {
    {
        std::lock_guard<std::mutex> garde(verrou_);
        attente_.push_back(std::move(ligne));
    }
    reveil_.notify_one();
}

void JournalDisque::attendre() {
    std::unique_lock<std::mutex> garde(verrou_);
    vide_.wait(garde, [this] { return attente_.empty() && !occupe_; });
}

void JournalDisque::travailler() {
    std::unique_lock<std::mutex> garde(verrou_);
    for (;;) {
        reveil_.wait(garde, [this] { return arret_ || !attente_.empty(); });
        if (attente_.empty()) return;
        const Ligne ligne = std::move(attente_.front());
        attente_.pop_front();
        occupe_ = true;
        garde.unlock();
        ecrire(ligne);
        garde.lock();
        occupe_ = false;
        if (attente_.empty()) vide_.notify_all();
    }
}

void JournalDisque::ecrire(const Ligne& ligne) {
    if (!ligne.chemin.isEmpty()) {
        if (descripteur_ >= 0) ::close(descripteur_);
        QDir().mkpath(QFileInfo(ligne.chemin).path());
        descripteur_ = ::open(QFile::encodeName(ligne.chemin).constData(),
                              O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    }
    if (descripteur_ < 0) return;
    // One write call per line: the file holds whole lines, or the last one
    // cut by a power failure, which its reader leaves aside.
    const QByteArray texte = ligne.texte + '\n';
    if (::write(descripteur_, texte.constData(), static_cast<size_t>(texte.size())) !=
            texte.size() ||
        ::fdatasync(descripteur_) != 0) {
        ::close(descripteur_);
        descripteur_ = -1;
    }
}
