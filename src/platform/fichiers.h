#pragma once
#include <QString>
#include <QStringList>
#include <optional>

// File and folder services. Teachers write their files on Windows: text is
// Windows-1252 with CR LF, and names are matched whatever their case.
namespace Fichiers {

// Folder of the executable, without a trailing separator.
QString dossierProgramme();

// Names of the direct sub-folders, in the file system's enumeration order.
QStringList sousDossiers(const QString& dossier);

// The path of an existing file or folder whose name matches `chemin` without
// regard to case, a backslash standing for a folder separator; `chemin`
// itself (with separators converted) when nothing matches.
QString resoudre(const QString& chemin);

bool existe(const QString& chemin);

// Bytes of a text file decoded: UTF-8 when the bytes are valid UTF-8 and
// hold non-ASCII characters (a byte-order mark dropped), UTF-16 when they
// start with its byte-order mark, Windows-1252 otherwise.
QString decoder(const QByteArray& octets);
QByteArray encoderWindows1252(const QString& texte);

// The lines of a text file without their terminators (CR LF, LF, or none on
// the last line); nothing when the file cannot be opened.
std::optional<QStringList> lireLignes(const QString& chemin);
QStringList decouperLignes(const QString& texte);

// Writes `texte` in Windows-1252 in one operation, flushed and synced to
// disk. `ajouter` appends to an existing file instead of replacing it.
// Returns an empty string on success, else the reason in French.
QString ecrire(const QString& chemin, const QString& texte, bool ajouter);

}  // namespace Fichiers
