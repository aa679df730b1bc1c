#include "noyau/resultats/journal_disque.h"

#include "noyau/fichiers/fichiers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

// A folder a pupil made in a drop box (a sticky folder) would be theirs
// alone and shut the others out: there the teacher makes it.
void creerDossier(const QString& dossier) {
    if (QFileInfo::exists(dossier)) return;
    struct stat parent {};
    const QByteArray nom = QFile::encodeName(QFileInfo(dossier).path());
    if (::stat(nom.constData(), &parent) == 0 && (parent.st_mode & S_ISVTX)) return;
    QDir().mkpath(dossier);
}

}  // namespace

JournalDisque::JournalDisque() : fil_([this] { travailler(); }) {}

JournalDisque::~JournalDisque() {
    {
        std::lock_guard<std::mutex> garde(verrou_);
        arret_ = true;
    }
    reveil_.notify_one();
    fil_.join();
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
        fichier_ = ligne.chemin;
        creerDossier(QFileInfo(fichier_).path());
    }
    if (fichier_.isEmpty()) return;
    // Written as a record is, one whole line at a time. A line that fails
    // ends the file: later lines after a gap would tell a false story.
    if (!Fichiers::ajouterOctets(fichier_, ligne.texte + '\n').isEmpty()) fichier_.clear();
}
