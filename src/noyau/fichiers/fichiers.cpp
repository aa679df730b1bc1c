#include "noyau/fichiers/fichiers.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRandomGenerator>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <cerrno>
#include <condition_variable>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace Fichiers {

QString dossierProgramme() { return QCoreApplication::applicationDirPath(); }

QStringList sousDossiers(const QString& dossier) {
    return QDir(dossier).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                   QDir::Unsorted);
}

namespace {

// Names compared as a teacher sees them: whatever the case, and whatever
// the Unicode form (a Mac writes "è" as "e" and a combining accent).
bool memeNom(const QString& candidat, const QString& nomNfc) {
    return candidat.normalized(QString::NormalizationForm_C).compare(nomNfc, Qt::CaseInsensitive) ==
           0;
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

// The name in `dossier` of the entry named `nom`, or the path of a link to
// it; empty when none matches.
QString chercherNom(const QString& dossier, const QString& nom) {
    const QString nomNfc = nom.normalized(QString::NormalizationForm_C);
    const QStringList noms =
        QDir(dossier).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& candidat : noms)
        if (memeNom(candidat, nomNfc)) return candidat;
    return chercherWindows1252(dossier, nomNfc);
}

QByteArray natif(const QString& chemin) { return QFile::encodeName(chemin); }

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F: a line without
// those bytes decodes the same at a fraction of the converter's cost.
bool commeLatin1(QByteArrayView ligne) {
    for (const char c : ligne)
        if ((static_cast<unsigned char>(c) & 0xE0) == 0x80) return false;
    return true;
}

}  // namespace

QString resoudre(const QString& chemin) {
    if (chemin.contains(QChar(0))) return {};
    if (chemin.isEmpty() || QFileInfo::exists(chemin)) return chemin;
    // Down from the deepest folder that exists as written: the library's own
    // path is taken as it is, only the names below it are matched.
    QStringList manquants;
    QString existant = chemin;
    while (!QFileInfo::exists(existant)) {
        const qsizetype barre = existant.lastIndexOf('/');
        if (barre < 0) {
            manquants.prepend(existant);
            existant = ".";
            break;
        }
        manquants.prepend(existant.mid(barre + 1));
        existant = barre == 0 ? QString("/") : existant.left(barre);
    }
    QString courant = existant;
    for (const QString& partie : manquants) {
        if (partie.isEmpty() || partie == "." || partie == "..") return chemin;
        const QString trouve = chercherNom(courant, partie);
        if (trouve.isEmpty()) return chemin;
        courant =
            trouve.startsWith('/') ? trouve : (courant == "/" ? QString() : courant) + '/' + trouve;
    }
    return courant.startsWith("./") ? courant.mid(2) : courant;
}

QString cheminEcrit(const QString& dossier, const QString& nomEcrit) {
    return dossier + '/' + QString(nomEcrit).replace('\\', '/');
}

bool existe(const QString& chemin) {
    const QString reel = resoudre(chemin);
    return !reel.isEmpty() && QFileInfo(reel).isFile();
}

bool directementDans(const QString& chemin, const QString& dossier) {
    const QString parent = QFileInfo(chemin).absolutePath();
    const QString attendu = QFileInfo(dossier).canonicalFilePath();
    const QString nom = QFileInfo(chemin).fileName();
    return !attendu.isEmpty() && nom != "." && nom != ".." && !nom.isEmpty() &&
           QFileInfo(parent).canonicalFilePath() == attendu;
}

LignesTexte::LignesTexte(QByteArray octets) : octets_(std::move(octets)) {
    if (octets_.startsWith("\xEF\xBB\xBF")) {
        codage_ = Codage::Utf8;
        position_ = 3;
        return;
    }
    // Notepad's "Unicode" files: UTF-16 with its byte-order mark. Decoded
    // at once: such a file is no larger once decoded.
    if (octets_.startsWith("\xFF\xFE") || octets_.startsWith("\xFE\xFF")) {
        codage_ = Codage::Utf16;
        QStringDecoder utf16(QStringDecoder::Utf16);
        texteUtf16_ = utf16.decode(octets_);
        octets_.clear();
        return;
    }
    bool ascii = true;
    for (const char c : std::as_const(octets_))
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) return;
    // Checked piece by piece, never cut inside a character, without keeping
    // more than a piece of decoded text.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    constexpr qsizetype Morceau = 64 * 1024;
    for (qsizetype debut = 0; debut < octets_.size() && !utf8.hasError();) {
        qsizetype fin = std::min(debut + Morceau, octets_.size());
        while (fin < octets_.size() && fin > debut + 1 && (octets_.at(fin) & 0xC0) == 0x80) --fin;
        const QString morceau = utf8.decode(QByteArrayView(octets_).sliced(debut, fin - debut));
        debut = fin;
    }
    if (!utf8.hasError()) codage_ = Codage::Utf8;
}

QString LignesTexte::decoder(QByteArrayView ligne, qsizetype limite) {
    // At most four bytes a character: no need to decode a huge line whole.
    if (limite >= 0 && ligne.size() > 4 * (limite + 1)) ligne = ligne.first(4 * (limite + 1));
    QString texte = codage_ == Codage::Utf8 ? QString::fromUtf8(ligne)
                    : commeLatin1(ligne)    ? QString::fromLatin1(ligne)
                                            : QString(ansi_.decode(ligne));
    if (limite >= 0 && texte.size() > limite + 1) texte.truncate(limite + 1);
    return texte;
}

namespace {

// The line that starts at `position`, without its terminator; `position`
// moves to the next one.
template <typename Vue>
Vue prochaineLigne(Vue texte, qsizetype& position) {
    qsizetype fin = texte.indexOf('\n', position);
    if (fin < 0) fin = texte.size();
    Vue ligne = texte.sliced(position, fin - position);
    position = fin + 1;
    if (ligne.endsWith('\r')) ligne.chop(1);
    return ligne;
}

}  // namespace

QByteArrayView ligneOctets(QByteArrayView octets, qsizetype& position) {
    return prochaineLigne(octets, position);
}

std::optional<QString> LignesTexte::suivante(qsizetype limite) {
    if (codage_ == Codage::Utf16) {
        if (position_ >= texteUtf16_.size()) return std::nullopt;
        QStringView ligne = prochaineLigne(QStringView(texteUtf16_), position_);
        if (limite >= 0 && ligne.size() > limite + 1) ligne = ligne.first(limite + 1);
        return ligne.toString();
    }
    if (position_ >= octets_.size()) return std::nullopt;
    return decoder(prochaineLigne(QByteArrayView(octets_), position_), limite);
}

QByteArray encoderWindows1252(const QString& texte) {
    QStringEncoder ansi("windows-1252");
    return ansi.encode(texte);
}

bool tientEnWindows1252(const QString& texte) {
    QStringDecoder ansi("windows-1252");
    return QString(ansi.decode(encoderWindows1252(texte))) == texte;
}

namespace {

// The file's size as listed, then what it gained since, up to one byte past
// `limite`: a buffer of the limit's size for every small file would cost a
// school's year dearly.
QByteArray lireJusqua(QFile& fichier, qint64 taille, qint64 limite) {
    QByteArray octets = fichier.read(std::min(taille, limite) + 1);
    if (octets.size() > taille && octets.size() <= limite)
        octets += fichier.read(limite + 1 - octets.size());
    return octets;
}

}  // namespace

Contenu LireEntier(const QString& chemin, qint64 limite) {
    const QFileInfo info(chemin);
    QFile fichier(chemin);
    Contenu contenu;
    if (chemin.isEmpty() || !info.exists())
        contenu.erreur = "est introuvable";
    else if (!info.isFile())
        contenu.erreur = "n'est pas un fichier (un dossier ou un autre objet porte ce nom)";
    else if (info.size() > limite)
        contenu.erreur = "est trop volumineux";
    else if (!fichier.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        contenu.erreur = "ne peut pas être lu (accès refusé)";
    else if ((contenu.octets = lireJusqua(fichier, info.size(), limite)).size() > limite) {
        contenu.octets.clear();
        contenu.erreur = "est trop volumineux";
    }
    return contenu;
}

QString raisonSysteme(int numero) {
    switch (numero) {
    case ENOSPC: return QStringLiteral("le disque est plein");
    case EDQUOT: return QStringLiteral("le quota de place sur le disque est dépassé");
    case EFBIG: return QStringLiteral("le fichier a atteint la taille permise");
    case EACCES:
    case EPERM: return QStringLiteral("l'accès au dossier ou au fichier est refusé");
    case EROFS: return QStringLiteral("le disque ou le partage est en lecture seule");
    case EISDIR: return QStringLiteral("un dossier porte ce nom à la place du fichier");
    case ENOENT:
    case ENOTDIR: return QStringLiteral("le dossier n'existe plus");
    case ENAMETOOLONG: return QStringLiteral("le nom du fichier est trop long");
    case ENODEV: return QStringLiteral("ce nom désigne autre chose qu'un fichier ordinaire");
    case EIO: return QStringLiteral("erreur matérielle de lecture ou d'écriture");
    default: return QStringLiteral("erreur du système n° %1").arg(numero);
    }
}

namespace {

// A file descriptor closed however the function leaves.
struct Descripteur {
    int fd = -1;
    ~Descripteur() {
        if (fd >= 0) ::close(fd);
    }
};

bool toutEcrire(int fd, const QByteArray& octets) {
    qsizetype ecrits = 0;
    while (ecrits < octets.size()) {
        const ssize_t n = ::write(fd, octets.constData() + ecrits, size_t(octets.size() - ecrits));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        ecrits += n;
    }
    return true;
}

// A new name only lasts a power cut once its folder is on disk too. A drop
// box the pupil may not read cannot be opened for that: its server's own
// care has to do.
bool synchroniserDossier(const QString& chemin) {
    Descripteur dossier{::open(natif(QFileInfo(chemin).absolutePath()).constData(),
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dossier.fd < 0) return errno == EACCES;
    return ::fsync(dossier.fd) == 0;
}

// A folder with set-group-id is shared through its group (a drop box for
// results): what is created there is for that group alone.
mode_t droitsNouveauFichier(const QByteArray& nom) {
    const QByteArray dossier = natif(QFileInfo(QFile::decodeName(nom)).absolutePath());
    struct stat infos {};
    return ::stat(dossier.constData(), &infos) == 0 && (infos.st_mode & S_ISGID) ? 0640 : 0644;
}

// Opens for writing; `cree` tells whether this call made the file. Never
// with O_APPEND, which a FUSE SMB client refuses (EIO): the caller goes to
// the end itself. Never waits: a pipe put in the file's place is refused.
int ouvrir(const QByteArray& nom, bool& cree) {
    constexpr int Mode = O_WRONLY | O_CLOEXEC | O_NONBLOCK;
    const int fd = ::open(nom.constData(), Mode | O_CREAT | O_EXCL, droitsNouveauFichier(nom));
    cree = fd >= 0;
    if (fd >= 0) return fd;
    if (errno == EEXIST) return ::open(nom.constData(), Mode);
    // The name was free, yet a share may create it and then fail the
    // opening: an empty file left there would refuse the pupil a retake.
    const int erreur = errno;
    struct stat infos {};
    if (::lstat(nom.constData(), &infos) == 0 && S_ISREG(infos.st_mode) && infos.st_size == 0)
        ::unlink(nom.constData());
    errno = erreur;
    return fd;
}

// Two writers of this process (a record, the queue delivering an earlier
// one) never go to the end of one file at once: the second would write over
// the first, and its cut back would take the first away.
class ExclusifSurLeFichier {
public:
    explicit ExclusifSurLeFichier(const QString& chemin)
        : nom_(QFileInfo(chemin).absoluteFilePath()) {
        std::unique_lock<std::mutex> garde(verrou());
        libre().wait(garde, [this] { return !enCours().contains(nom_); });
        enCours().insert(nom_);
    }
    ~ExclusifSurLeFichier() {
        {
            const std::lock_guard<std::mutex> garde(verrou());
            enCours().remove(nom_);
        }
        libre().notify_all();
    }
    ExclusifSurLeFichier(const ExclusifSurLeFichier&) = delete;
    ExclusifSurLeFichier& operator=(const ExclusifSurLeFichier&) = delete;

private:
    static std::mutex& verrou() {
        static std::mutex m;
        return m;
    }
    static std::condition_variable& libre() {
        static std::condition_variable c;
        return c;
    }
    static QSet<QString>& enCours() {
        static QSet<QString> noms;
        return noms;
    }
    QString nom_;
};

QString nomEssai() {
    return PrefixeEssai + QString::number(QRandomGenerator::global()->generate64(), 36);
}

// Probes outlive their run only when it crashed; an hour later they are
// taken for left behind.
void retirerEssaisOublies(const QString& dossier) {
    const QDateTime limite = QDateTime::currentDateTimeUtc().addSecs(-3600);
    const QDir d(dossier);
    for (const QFileInfo& f : d.entryInfoList({PrefixeEssai + '*'}, QDir::Files | QDir::Hidden))
        if (f.lastModified().toUTC() < limite) ::unlink(natif(f.filePath()).constData());
}

}  // namespace

QString ajouterOctets(const QString& chemin, const QByteArray& octets) {
    if (chemin.isEmpty() || chemin.contains(QChar(0)))
        return QStringLiteral("le nom du fichier n'est pas valable");
    const QByteArray nom = natif(chemin);
    const ExclusifSurLeFichier exclusif(chemin);
    bool cree = false;
    Descripteur f{ouvrir(nom, cree)};
    if (f.fd < 0) return raisonSysteme(errno == ENXIO ? ENODEV : errno);
    struct stat infos {};
    if (::fstat(f.fd, &infos) != 0) return raisonSysteme(errno);
    if (!S_ISREG(infos.st_mode)) return raisonSysteme(ENODEV);
    const off_t avant = ::lseek(f.fd, 0, SEEK_END);
    if (avant >= 0 && toutEcrire(f.fd, octets) && ::fsync(f.fd) == 0 &&
        (!cree || synchroniserDossier(chemin))) {
        // A share may take the bytes and lose them: the size says.
        if (::fstat(f.fd, &infos) == 0 && infos.st_size == avant + octets.size()) return {};
        errno = EIO;
    }
    const int erreur = errno;
    // Whole or absent: the part of the text that reached the file goes.
    if (cree) {
        // Closed first: a share may refuse to remove an open file.
        ::close(f.fd);
        f.fd = -1;
        ::unlink(nom.constData());
        synchroniserDossier(chemin);
    } else if (avant >= 0 && ::ftruncate(f.fd, avant) == 0) {
        ::fsync(f.fd);
    }
    return raisonSysteme(erreur);
}

QString ajouter(const QString& chemin, const QString& texte) {
    return ajouterOctets(chemin, encoderWindows1252(texte));
}

QString essaiEcriture(const QString& dossier, qsizetype octets) {
    retirerEssaisOublies(dossier);
    const QString essai = dossier + '/' + nomEssai();
    const QString raison = ajouterOctets(essai, QByteArray(octets, ' '));
    // Whatever happened, the name is this call's own.
    ::unlink(natif(essai).constData());
    return raison;
}

}  // namespace Fichiers
