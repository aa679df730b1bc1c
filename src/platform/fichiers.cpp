#include "platform/fichiers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <QMutex>
#include <QTemporaryDir>

#include <dirent.h>
#include <memory>
#include <unistd.h>

namespace Fichiers {

QString dossierProgramme() {
    return QCoreApplication::applicationDirPath();
}

QStringList sousDossiers(const QString& dossier) {
    return QDir(dossier).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                   QDir::Unsorted);
}

namespace {
// Names compared as a teacher sees them: whatever the case, and whatever
// the Unicode form (a Mac writes "è" as "e" and a combining accent).
bool memeNom(const QString& candidat, const QString& nomNfc) {
    return candidat.normalized(QString::NormalizationForm_C)
               .compare(nomNfc, Qt::CaseInsensitive) == 0;
}

// A name unpacked from a Windows zip is Windows-1252 bytes, which is no
// valid UTF-8: the toolkit neither lists it nor opens it. It is reached
// through a link of this process, in a folder of its own, that carries the
// decoded name (and so its extension) and points at the real bytes.
QString alias(const QByteArray& dossier, const QByteArray& octets, const QString& nom) {
    static QTemporaryDir liens;
    static QMutex verrou;
    const QMutexLocker garde(&verrou);
    const QByteArray cible = dossier + '/' + octets;
    const QString lien = liens.path() + '/' + QString::number(qHash(cible), 16) + '/' + nom;
    if (!QFileInfo(lien).isSymLink() &&
        (!QDir().mkpath(QFileInfo(lien).path()) ||
         ::symlink(cible.constData(), QFile::encodeName(lien).constData()) != 0))
        return {};
    return lien;
}

QString chercherWindows1252(const QString& dossier, const QString& nomNfc) {
    const QByteArray octetsDossier = QFile::encodeName(dossier);
    const std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(octetsDossier.constData()), ::closedir);
    if (!d) return {};
    while (const dirent* entree = ::readdir(d.get())) {
        const QByteArray octets(entree->d_name);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString essai = utf8.decode(octets);
        if (!utf8.hasError()) continue;  // listed by the toolkit already
        const QString nom = QStringDecoder("windows-1252").decode(octets);
        if (memeNom(nom, nomNfc)) return alias(octetsDossier, octets, nom);
    }
    return {};
}

// The path in `dossier` of the entry named `nom`, empty when none matches.
QString chercherNom(const QString& dossier, const QString& nom) {
    const QString prefixe = dossier == "/" ? QString("/") : dossier + '/';
    if (QFileInfo::exists(prefixe + nom)) return prefixe + nom;
    const QString nomNfc = nom.normalized(QString::NormalizationForm_C);
    const QStringList noms =
        QDir(dossier).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& candidat : noms)
        if (memeNom(candidat, nomNfc)) return prefixe + candidat;
    return chercherWindows1252(dossier, nomNfc);
}
}  // namespace

QString resoudre(const QString& chemin) {
    const QString normal = QString(chemin).replace('\\', '/');
    if (normal.isEmpty() || QFileInfo::exists(normal)) return normal;
    const bool absolu = normal.startsWith('/');
    QString courant = absolu ? QString() : QString(".");
    for (const QString& partie : normal.split('/', Qt::SkipEmptyParts)) {
        const QString dossier = courant.isEmpty() ? QString("/") : courant;
        const bool special = partie == "." || partie == "..";
        const QString trouve = special ? courant + '/' + partie : chercherNom(dossier, partie);
        if (trouve.isEmpty()) return normal;
        courant = trouve;
    }
    return courant.startsWith("./") ? courant.mid(2) : courant;
}

bool existe(const QString& chemin) {
    return QFileInfo(resoudre(chemin)).isFile();
}

QString decoder(const QByteArray& octets) {
    if (octets.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(octets.mid(3));
    // Notepad's "Unicode" files: UTF-16 with its byte-order mark.
    if (octets.startsWith("\xFF\xFE") || octets.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16);
        return utf16.decode(octets);
    }
    bool ascii = true;
    for (char c : octets)
        if (static_cast<unsigned char>(c) >= 0x80) { ascii = false; break; }
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString texte = utf8.decode(octets);
        if (!utf8.hasError()) return texte;
    }
    QStringDecoder ansi("windows-1252");
    return ansi.decode(octets);
}

QByteArray encoderWindows1252(const QString& texte) {
    QStringEncoder ansi("windows-1252");
    return ansi.encode(texte);
}

QStringList decouperLignes(const QString& texte) {
    QStringList lignes = texte.split('\n');
    if (!lignes.isEmpty() && lignes.last().isEmpty()) lignes.removeLast();
    for (QString& ligne : lignes)
        if (ligne.endsWith('\r')) ligne.chop(1);
    return lignes;
}

std::optional<QStringList> lireLignes(const QString& chemin) {
    QFile fichier(resoudre(chemin));
    if (!QFileInfo(fichier).isFile() || !fichier.open(QIODevice::ReadOnly)) return std::nullopt;
    return decouperLignes(decoder(fichier.readAll()));
}

QString ecrire(const QString& chemin, const QString& texte, bool ajouter) {
    QFile fichier(chemin);
    const auto mode = QIODevice::WriteOnly | (ajouter ? QIODevice::Append : QIODevice::Truncate);
    if (!fichier.open(mode)) return QString("ouverture impossible (%1)").arg(fichier.errorString());
    const QByteArray octets = encoderWindows1252(texte);
    if (fichier.write(octets) != octets.size() || !fichier.flush())
        return QString("écriture impossible (%1)").arg(fichier.errorString());
    if (::fsync(fichier.handle()) != 0) return QString("écriture sur le disque impossible");
    fichier.close();
    if (fichier.error() != QFileDevice::NoError)
        return QString("fermeture impossible (%1)").arg(fichier.errorString());
    return {};
}

}  // namespace Fichiers
