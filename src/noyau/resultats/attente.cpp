#include "noyau/resultats/attente.h"

#include "noyau/fichiers/fichiers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRandomGenerator>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <thread>

namespace {

const QString Extension = QStringLiteral(".attente");

struct Envoi {
    QString chemin, dossier;
    QByteArray octets;
};

// The destination and its folder on two UTF-8 lines, then the record's bytes.
QByteArray entree(const Envoi& e) {
    return e.chemin.toUtf8() + '\n' + e.dossier.toUtf8() + '\n' + e.octets;
}

std::optional<Envoi> lireEntree(const QString& fichier) {
    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray tout = f.readAll();
    const qsizetype un = tout.indexOf('\n');
    const qsizetype deux = un < 0 ? -1 : tout.indexOf('\n', un + 1);
    if (deux < 0) return std::nullopt;
    return Envoi{QString::fromUtf8(tout.left(un)),
                 QString::fromUtf8(tout.mid(un + 1, deux - un - 1)), tout.mid(deux + 1)};
}

// Whether the record reached its file, now or by an earlier attempt whose
// success went unseen (the share answered after the deadline).
bool remettre(const Envoi& e) {
    const QString cible = Fichiers::resoudre(e.chemin);
    if (!Fichiers::directementDans(cible, e.dossier)) return false;  // not there yet
    QFile present(cible);
    if (present.open(QIODevice::ReadOnly) && present.readAll().contains(e.octets)) return true;
    return Fichiers::ajouterOctets(cible, e.octets).isEmpty();
}

}  // namespace

struct FileAttente::Relance {
    std::mutex verrou;
    std::condition_variable reveil, repos;
    bool arret = false, occupe = false;
};

FileAttente::FileAttente(QString dossier) : dossier_(std::move(dossier)) {}

FileAttente::~FileAttente() {
    if (!relance_) return;
    std::unique_lock<std::mutex> garde(relance_->verrou);
    relance_->arret = true;
    relance_->reveil.notify_all();
    // A delivery stuck on a dead share is left to the end of the process.
    relance_->repos.wait_for(garde, std::chrono::seconds(2), [this] { return !relance_->occupe; });
}

QString FileAttente::dossierUtilisateur() {
    QString etat = qEnvironmentVariable("XDG_STATE_HOME");
    if (etat.isEmpty()) etat = QDir::homePath() + "/.local/state";
    return etat + "/korvane/attente";
}

bool FileAttente::garder(const QString& chemin, const QString& dossierResultats,
                         const QByteArray& octets) {
    // The pupil's own: no one else on this computer reads a waiting record.
    if (!QDir().mkpath(dossier_) ||
        !QFile::setPermissions(dossier_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return false;
    const QString nom = QDateTime::currentDateTimeUtc().toString("yyyyMMdd-HHmmss-zzz-") +
                        QString::number(QRandomGenerator::global()->generate64(), 36) + Extension;
    // Written under a hidden name, then renamed: the queue never holds half
    // a record.
    const QString provisoire = dossier_ + "/." + nom;
    if (!Fichiers::ajouterOctets(provisoire, entree({chemin, dossierResultats, octets})).isEmpty())
        return false;
    if (std::rename(QFile::encodeName(provisoire).constData(),
                    QFile::encodeName(dossier_ + '/' + nom).constData()) == 0)
        return true;
    QFile::remove(provisoire);
    return false;
}

int FileAttente::livrer() {
    const QStringList noms = QDir(dossier_).entryList({'*' + Extension}, QDir::Files, QDir::Name);
    if (noms.isEmpty()) return 0;
    QLockFile verrou(dossier_ + "/.livraison");
    if (!verrou.tryLock(0)) return int(noms.size());
    int restants = 0;
    for (const QString& nom : noms) {
        const QString fichier = dossier_ + '/' + nom;
        const std::optional<Envoi> e = lireEntree(fichier);
        if (e && remettre(*e))
            QFile::remove(fichier);
        else
            ++restants;
    }
    return restants;
}

void FileAttente::relancer(std::chrono::milliseconds periode) {
    if (relance_) return;
    relance_ = std::make_shared<Relance>();
    // The thread holds what it uses: it may outlive this object, stuck on a
    // share that no longer answers.
    std::thread([etat = relance_, dossier = dossier_, periode] {
        FileAttente file(dossier);
        std::unique_lock<std::mutex> garde(etat->verrou);
        while (!etat->arret) {
            etat->occupe = true;
            garde.unlock();
            file.livrer();
            garde.lock();
            etat->occupe = false;
            etat->repos.notify_all();
            etat->reveil.wait_for(garde, periode, [&] { return etat->arret; });
        }
    }).detach();
}
