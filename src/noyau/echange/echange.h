#pragma once
#include "noyau/questionnaire/questionnaire.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>
#include <vector>

// Question banks of other tools, read into questionnaires and written from
// them. Each format is one `Format`; the one a file is in is recognised from
// its content, never from its name.
namespace Echange {

// One category of a bank: its questions and the pictures they name.
struct Banque {
    QString categorie;
    QVector<Question> questions;
    QMap<QString, QByteArray> images;  // name in Images/ -> bytes
};

// What a file gave. On `erreur` (a broken file) nothing is to be taken from it.
struct LectureBanque {
    QVector<Banque> banques;
    QStringList remarques;  // skipped questions and dropped partial credit, in French
    int ignorees = 0;
    QString erreur;
};

class Format {
public:
    virtual ~Format() = default;
    virtual QString nom() const = 0;
    virtual bool reconnait(const QString& texte) const = 0;
    virtual LectureBanque lire(const QByteArray& octets, const QString& nomFichier) const = 0;
    virtual bool ecrit() const { return false; }
    // UTF-8 bytes of a file holding every bank; only when `ecrit()`. What the
    // format cannot carry is said in `remarques`.
    virtual QByteArray ecrire(const QVector<Banque>& banques, QStringList* remarques) const;
};

const std::vector<std::unique_ptr<Format>>& FormatsConnus();
const Format* FormatNomme(const QString& nom);
const Format* Reconnaitre(const QByteArray& octets);

// Large enough for a bank with its pictures, small enough to be held whole.
constexpr qsizetype MaxOctetsFichier = 64 << 20;

// --- What the readers share ---

// UTF-8 when the bytes are UTF-8 (a byte-order mark dropped), else Windows-1252.
QString Decoder(const QByteArray& octets);
// Letters without their accents (œ as oe...), digits and '-' kept, any
// other character as '_': for names of files and folders.
QString Ascii(const QString& texte);
// Control characters and runs of blanks as one space, trimmed: texts are one line.
QString UneLigne(const QString& texte);
// Tags removed, <br> and <p> as spaces, entities decoded, spaces collapsed, trimmed.
QString TexteBrut(const QString& html);
// The name of a question in messages: its own, else its first words.
QString Designation(const QString& nom, const QString& texte);

// The right answers from the answers' weights in percent: the full-credit
// ones when there are any (`partielle` then says whether partial credit was
// dropped), else those with a positive weight.
QVector<bool> Justes(const QVector<double>& poids, bool* partielle);

// The weights in percent that give back `justes`: the right answers share
// 100, and when there are several the wrong ones share -100.
QVector<double> Poids(const QVector<bool>& justes);
// A weight as the banks write it: "50", "33.33333", "-25".
QString TextePoids(double poids);

// Adds the question to the bank, or notes why it is skipped. A picture's
// bytes go to the bank under a safe name made from `q.image`.
void Retenir(LectureBanque& l, Banque& b, Question q, const QString& designation,
             const QByteArray& image = {});
void Ignorer(LectureBanque& l, const QString& designation, const QString& raison);
// Notes that partial credit was dropped for this question.
void Partielle(LectureBanque& l, const QString& designation);

// The bank of this category in `l`, made when missing.
Banque& BanqueNommee(LectureBanque& l, const QString& categorie);

// The last part of a category path ("$course$/top/Chimie" -> "Chimie"); "//"
// stands for a slash inside a name.
QString DernierePartie(const QString& chemin);

}  // namespace Echange
