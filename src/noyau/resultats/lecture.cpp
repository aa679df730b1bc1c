#include "noyau/resultats/lecture.h"

#include "noyau/fichiers/fichiers.h"
#include "noyau/questionnaire/formats.h"
#include "noyau/resultats/enregistrement.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace Resultats {

namespace {

// Ten attempts take about 8 KB: anything much larger is not a results file,
// and is not read into memory.
constexpr qint64 MaxOctets = 1 << 20;

QRegularExpression motif(const QString& debut, const QString& suite) {
    return QRegularExpression('^' + QRegularExpression::escape(debut) + suite);
}

// A mark as written, within what a float of the quiz can hold.
std::optional<double> nombre(QString texte) {
    texte.remove(' ').remove(QChar(0xA0)).remove(QChar(0x202F));
    const auto valeur = Formats::lireNombre(texte);
    if (!valeur || !(std::abs(*valeur) <= std::numeric_limits<float>::max())) return std::nullopt;
    return valeur;
}

// Walks one record, from its separator to the next one. Each value is the
// line after its heading; blank lines around them are not counted, so a
// record an editor reflowed still reads.
class LecteurEssai {
public:
    LecteurEssai(const QStringList& lignes, int debut, int fin)
        : l_(lignes), i_(debut + 1), fin_(fin) {}

    // An empty text when the record was read whole into `e`, else why not.
    QString lire(EssaiLu& e) {
        static const QRegularExpression essai = motif(Rubrique::Essai, R"((\d{1,4})\]$)");
        const auto numero = essai.match(i_ < fin_ ? l_[i_].trimmed() : QString());
        if (!numero.hasMatch()) return QStringLiteral("ligne « [Essai - numéro …] » absente");
        e.numero = numero.captured(1).toInt();
        const auto identifiant = valeur(Rubrique::Binome);
        const auto classe = valeur(Rubrique::Classe);
        const auto traitees = valeur(Rubrique::Traitees);
        const auto note = valeur(Rubrique::Note);
        const auto justes = suivante(), fausses = suivante(), nulles = suivante();
        const auto date = valeur(Rubrique::DateHeure);
        const auto heure = suivante();
        if (!heure)
            return QStringLiteral("enregistrement coupé avant sa fin (rubrique « %1 » absente)")
                .arg(manquante_);
        e.identifiant = Formats::sansEspaces(*identifiant);
        e.classe = Formats::sansEspaces(*classe);
        static const QRegularExpression sur(R"(^(\d{1,5}) sur (\d{1,5})$)");
        const auto rang = sur.match(traitees->trimmed());
        if (!rang.hasMatch()) return QStringLiteral("nombre de questions traitées illisible");
        e.traitees = rang.captured(1).toInt();
        e.questions = rang.captured(2).toInt();
        if (!lireNote(note->trimmed(), e))
            return QStringLiteral("note illisible : « %1 »").arg(*note);
        static const QString Compte = QStringLiteral(R"((\d{1,5}) sur \d{1,5} questions)");
        static const QRegularExpression Justes = motif(Rubrique::Justes, Compte),
                                        Fausses = motif(Rubrique::Fausses, Compte),
                                        Nulles = motif(Rubrique::Nulles, Compte);
        if (!lireCompte(*justes, Justes, e.justes) || !lireCompte(*fausses, Fausses, e.fausses) ||
            !lireCompte(*nulles, Nulles, e.nulles))
            return QStringLiteral("nombres de réponses illisibles");
        e.texteDate = date->trimmed();
        e.date = LireDate(e.texteDate);
        e.heure = QTime::fromString(heure->trimmed(), Rubrique::FormatHeure);
        if (!e.heure.isValid()) return QStringLiteral("heure illisible : « %1 »").arg(*heure);
        return {};
    }

private:
    // The line after the heading `rubrique`, searched from where the walk is.
    std::optional<QString> valeur(const QString& rubrique) {
        if (!manquante_.isEmpty()) return std::nullopt;
        while (i_ < fin_ && l_[i_].trimmed() != rubrique) ++i_;
        if (i_ + 1 >= fin_) {
            manquante_ = rubrique;
            return std::nullopt;
        }
        i_ += 2;
        return l_[i_ - 1];
    }

    // The next line that is not blank.
    std::optional<QString> suivante() {
        if (!manquante_.isEmpty()) return std::nullopt;
        while (i_ < fin_ && l_[i_].trimmed().isEmpty()) ++i_;
        if (i_ >= fin_) {
            manquante_ = QStringLiteral("fin de l'enregistrement");
            return std::nullopt;
        }
        return l_[i_++];
    }

    static bool lireNote(const QString& ligne, EssaiLu& e) {
        if (ligne == Rubrique::NonEvaluable) return true;
        static const QRegularExpression note(R"(^(.+?)/20\s+soit\s*:\s*(.+)/4$)");
        const auto m = note.match(ligne);
        if (!m.hasMatch()) return false;
        e.valeurNote = nombre(m.captured(1));
        if (!e.valeurNote || !nombre(m.captured(2))) return false;
        e.note = m.captured(1).trimmed();
        e.noteSurQuatre = m.captured(2).trimmed();
        return true;
    }

    static bool lireCompte(const QString& ligne, const QRegularExpression& compteur, int& compte) {
        const auto m = compteur.match(ligne.trimmed());
        if (m.hasMatch()) compte = m.captured(1).toInt();
        return m.hasMatch();
    }

    const QStringList& l_;
    int i_;
    int fin_;
    QString manquante_;
};

QString nomAffiche(const QString& chemin) { return QDir::toNativeSeparators(chemin); }

}  // namespace

QDate LireDate(const QString& texte) {
    // "samedi 5 décembre 2026": read by hand, as a general date parser costs
    // more than the rest of the record.
    static const QStringList mois = [] {
        QStringList noms;
        for (int m = 1; m <= 12; ++m) noms << Formats::francais().monthName(m).toLower();
        return noms;
    }();
    const QStringList mots = texte.trimmed().toLower().split(' ', Qt::SkipEmptyParts);
    if (mots.size() != 4) return {};
    const QDate date(mots[3].toInt(), int(mois.indexOf(mots[2])) + 1, mots[1].toInt());
    return Formats::francais().dayName(date.dayOfWeek()).toLower() == mots[0] ? date : QDate();
}

QString QuestionnaireDuFichier(const QString& chemin, const QString& identifiant,
                               const QString& classe) {
    const QFileInfo info(chemin);
    const QString fin = " _" + identifiant.toUpper() + '_' + classe.toUpper() + "_.rst";
    const QString nom = info.fileName();
    if (nom.size() > fin.size() && nom.endsWith(fin, Qt::CaseInsensitive))
        return nom.left(nom.size() - fin.size());
    return info.dir().dirName();
}

LectureResultats LireResultats(const QByteArray& octets, const QString& chemin) {
    LectureResultats lecture;
    QStringList lignes;
    Fichiers::LignesTexte texte(octets);
    while (const auto ligne = texte.suivante()) lignes << *ligne;
    QVector<int> separations;
    for (int i = 0; i < lignes.size(); ++i)
        if (lignes[i].trimmed() == Rubrique::Separation) separations << i;
    if (separations.isEmpty()) {
        lecture.erreurs << QStringLiteral("%1 : ce n'est pas un fichier de résultats (aucun essai)")
                               .arg(nomAffiche(chemin));
        return lecture;
    }
    separations << lignes.size();
    for (int k = 0; k + 1 < separations.size(); ++k) {
        EssaiLu e;
        const QString raison = LecteurEssai(lignes, separations[k], separations[k + 1]).lire(e);
        if (!raison.isEmpty()) {
            lecture.erreurs << QStringLiteral("%1 : essai %2 illisible, %3")
                                   .arg(nomAffiche(chemin))
                                   .arg(k + 1)
                                   .arg(raison);
            continue;
        }
        e.questionnaire = QuestionnaireDuFichier(chemin, e.identifiant, e.classe);
        lecture.essais << e;
    }
    return lecture;
}

LectureResultats LireFichierResultats(const QString& chemin) {
    const Fichiers::Contenu lu = Fichiers::LireEntier(chemin, MaxOctets);
    if (lu.erreur.isEmpty()) return LireResultats(lu.octets, chemin);
    return {{}, {nomAffiche(chemin) + " : le fichier " + lu.erreur}};
}

}  // namespace Resultats
