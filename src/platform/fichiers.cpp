#include "platform/fichiers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

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
QString chercherNom(const QString& dossier, const QString& nom) {
    if (QFileInfo::exists(dossier + '/' + nom)) return nom;
    const QStringList noms =
        QDir(dossier).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& candidat : noms)
        if (candidat.compare(nom, Qt::CaseInsensitive) == 0) return candidat;
    return {};
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
        const QString trouve = special ? partie : chercherNom(dossier, partie);
        if (trouve.isEmpty()) return normal;
        courant += '/' + trouve;
    }
    return absolu ? courant : courant.mid(2);
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
