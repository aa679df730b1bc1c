#pragma once
#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include <optional>

// File and folder services. Teachers write their files on Windows: text is
// Windows-1252 with CR LF, and names are matched whatever their case.
namespace Fichiers {

// Folder of the executable, without a trailing separator.
QString dossierProgramme();

// Names of the direct sub-folders, in the file system's enumeration order.
QStringList sousDossiers(const QString& dossier);

// The path of an existing file or folder whose name matches `chemin`
// without regard to case, below the deepest folder of `chemin` that exists
// as written; `chemin` itself when nothing matches. Every character is part
// of a name: a folder may well be called "X\..\Y" on this system. Empty for
// a path holding a NUL character, which no file can bear.
QString resoudre(const QString& chemin);

// `dossier` joined with a name a teacher wrote in a file, where a backslash
// separates folders as it does on Windows.
QString cheminEcrit(const QString& dossier, const QString& nomEcrit);

bool existe(const QString& chemin);

// Whether `chemin`, once links and "." or ".." are resolved, names an entry
// directly inside `dossier`.
bool directementDans(const QString& chemin, const QString& dossier);

// The lines of a teacher's text file, decoded one at a time so that a large
// file never becomes a large list of strings. The encoding is chosen once
// for the whole file: UTF-8 when the bytes are valid UTF-8 and hold
// non-ASCII characters (a byte-order mark dropped), UTF-16 when they start
// with its byte-order mark, Windows-1252 otherwise. Lines end with CR LF, LF,
// or nothing on the last line.
class LignesTexte {
public:
    explicit LignesTexte(QByteArray octets);
    // The next line; when `limite` is not negative, at most `limite` + 1
    // characters of it, so that the caller knows it was longer. Nothing once
    // the last line has been read.
    std::optional<QString> suivante(qsizetype limite = -1);

private:
    enum class Codage { Windows1252, Utf8, Utf16 };
    QString decoder(QByteArrayView ligne, qsizetype limite);

    QByteArray octets_;
    QString texteUtf16_;
    Codage codage_ = Codage::Windows1252;
    qsizetype position_ = 0;
    QStringDecoder ansi_{"windows-1252"};
};

// The line of `octets` that starts at `position`, without its CR LF or LF;
// `position` moves to the next line.
QByteArrayView ligneOctets(QByteArrayView octets, qsizetype& position);

QByteArray encoderWindows1252(const QString& texte);
// Whether Windows-1252 holds the text as it is, every character.
bool tientEnWindows1252(const QString& texte);

// The whole of the file `chemin` when it holds at most `limite` bytes, read
// with one byte more so that a file growing meanwhile is caught as well.
// Otherwise no bytes, and why in French, completing "le fichier NAME ...".
struct Contenu {
    QByteArray octets;
    QString erreur;
};
Contenu LireEntier(const QString& chemin, qint64 limite);

// Appends `octets` at the end of the file in one write, synced to disk with
// the folder of a file it creates, and checks the file grew by as much. No
// O_APPEND, which some network shares refuse. Whole or absent: on a failure
// the file is cut back to the length it had, or removed if this call
// created it. A file created in a set-group-id folder is 0640, else 0644.
// An empty string on success, else the reason in French.
QString ajouterOctets(const QString& chemin, const QByteArray& octets);
// The same with `texte` in Windows-1252.
QString ajouter(const QString& chemin, const QString& texte);

// Names of the probes of `essaiEcriture`: hidden, never taken for a
// questionnaire or a result.
inline const QString PrefixeEssai = QStringLiteral(".korvane-essai-");

// Whether `dossier` accepts a new file of `octets` bytes: one is written the
// way a record is, then removed, even when the write failed. Probes that a
// crash left there over an hour ago are removed too. An empty string when
// it does, else the reason in French (read-only folder or medium, no
// permission, full disk).
QString essaiEcriture(const QString& dossier, qsizetype octets);

// The French reason of a system error number, for a teacher or a pupil.
QString raisonSysteme(int numero);

}  // namespace Fichiers
