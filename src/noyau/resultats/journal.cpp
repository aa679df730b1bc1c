#include "noyau/resultats/journal.h"

#include "noyau/deroulement/correction.h"
#include "noyau/deroulement/duree.h"
#include "noyau/fichiers/fichiers.h"
#include "noyau/questionnaire/formats.h"
#include "noyau/resultats/ligne_json.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace Journal {

namespace {

// A hundred questions take about 20 KB.
constexpr qint64 MaxOctets = 4 << 20;
const QString FormatInstant = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

QByteArray texte(const QJsonObject& ligne) {
    return QJsonDocument(ligne).toJson(QJsonDocument::Compact);
}

QJsonArray numeros(const QVector<bool>& marques) {
    QJsonArray liste;
    for (int k = 0; k < marques.size(); ++k)
        if (marques[k]) liste.append(k + 1);
    return liste;
}

// The clock time of the pupil's machine as written, read without the time
// zone lookups of a general parser: thousands of journals are read at once.
QDateTime LireInstant(const QString& texte) {
    const QDate jour = QDate::fromString(texte.left(10), Qt::ISODate);
    const QTime heure = QTime::fromString(texte.mid(11), Qt::ISODate);
    if (texte.size() != 19 || texte[10] != 'T' || !jour.isValid() || !heure.isValid()) return {};
    return QDateTime(jour, heure, Qt::UTC);
}

QString questionnaire(const QuizState& s) {
    return QFileInfo(s.CheminQuestionnaire).completeBaseName();
}

}  // namespace

QString CheminJournal(const QuizState& s, const QDateTime& debut) {
    return DossierDesResultats(s) + '/' + DossierEssais + '/' +
           Formats::sansEspaces(s.Identifiant).toUpper() + '_' +
           Formats::sansEspaces(s.Classe).toUpper() + '_' +
           debut.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) + "_essai-" +
           QString::number(s.NumEssai + 1) + ".jsonl";
}

void Suivi::commencer(const QuizState& s, const QDateTime& instant) {
    if (!journal_ || commence_) return;
    commence_ = true;
    journal_->commencer(CheminJournal(s, instant),
                        texte({{"type", "debut"},
                               {"questionnaire", questionnaire(s)},
                               {"titre", s.TitreQuestionnaire},
                               {"identifiant", Formats::sansEspaces(s.Identifiant).toUpper()},
                               {"classe", Formats::sansEspaces(s.Classe).toUpper()},
                               {"essai", s.NumEssai + 1},
                               {"debut", instant.toString(FormatInstant)},
                               {"questions", s.NbQuestions}}));
}

void Suivi::questionAffichee(const QuizState& s, const QDateTime& instant) {
    if (s.RangQuestion == rangAffiche_) return;
    rangAffiche_ = s.RangQuestion;
    affichage_ = instant;
}

void Suivi::jugee(const QuizState& s, const QVector<bool>& cochees, const QString& verdict,
                  const QDateTime& instant) {
    if (!journal_ || !commence_ || termine_) return;
    const int q = s.NumQuestion;
    QVector<bool> justes(s.NbChoix);
    QJsonArray textes;
    for (int k = 0; k < s.NbChoix; ++k) {
        justes[k] = ReponseJuste(s, q, k);
        if (numeroDeQuestionValide(q) && k < MaxCreneaux) textes.append(s.TexteQCM[q][0][k + 1]);
    }
    journal_->ajouter(
        texte({{"type", "question"},
               {"numero", q},
               {"rang", s.RangQuestion},
               {"cochees", numeros(cochees.mid(0, s.NbChoix))},
               {"justes", numeros(justes)},
               {"choix", s.NbChoix},
               {"verdict", verdict},
               {"secondes", SecondesEcoulees(affichage_, instant)},
               {"intitule", numeroDeQuestionValide(q) ? s.TexteQCM[q][0][0] : QString()},
               {"reponses", textes}}));
}

void Suivi::terminer(const QuizState& s, bool resultatsAtteints, const QDateTime& instant) {
    if (!journal_ || termine_) return;
    commencer(s, instant);
    termine_ = true;
    QJsonObject fin{{"type", "fin"},
                    {"fin", resultatsAtteints ? "resultats" : "abandon"},
                    {"traitees", s.RangQuestion},
                    {"questions", s.NbQuestions},
                    {"justes", s.NbJustes},
                    {"fausses", s.NbFausses},
                    {"nulles", s.NbNulles},
                    {"secondes", s.TempsEcoule}};
    if (s.RangQuestion == s.NbQuestions) fin.insert("note", static_cast<double>(s.Note));
    journal_->ajouter(texte(fin));
}

Decompte Decompter(const JournalLu& j) {
    Decompte d;
    for (const ReponseLue& r : j.reponses)
        (r.verdict == "Vrai" ? d.justes : r.verdict == "Faux" ? d.fausses : d.nulles) += 1;
    return d;
}

void LecteurJournal::ajouter(QByteArrayView octets) {
    lus_ += octets.size();
    if (etranger_ || lus_ > MaxOctets) return;
    qsizetype debut = 0;
    for (qsizetype fin; (fin = octets.indexOf('\n', debut)) >= 0; debut = fin + 1) {
        if (reste_.isEmpty()) {
            ligne(octets.sliced(debut, fin - debut), false);
        } else {
            reste_ += octets.sliced(debut, fin - debut);
            ligne(reste_, false);
            reste_.clear();
        }
    }
    reste_ += octets.sliced(debut);
}

void LecteurJournal::finir() {
    if (!reste_.isEmpty() && !etranger_ && lus_ <= MaxOctets) ligne(reste_, true);
    reste_.clear();
}

void LecteurJournal::ligne(QByteArrayView brute, bool coupee) {
    ++lignes_;
    if (brute.trimmed().isEmpty()) return;
    const LigneJson ligne = LigneJson::Lire(brute).value_or(LigneJson());
    const QString type = ligne.texte("type"_L1);
    if (!journal_) {
        if (type != "debut") {
            etranger_ = true;
            return;
        }
        JournalLu& j = journal_.emplace();
        j.fichier = chemin_;
        j.questionnaire = ligne.texte("questionnaire"_L1);
        j.titre = ligne.texte("titre"_L1);
        j.identifiant = ligne.texte("identifiant"_L1);
        j.classe = ligne.texte("classe"_L1);
        j.essai = ligne.entier("essai"_L1);
        j.debut = LireInstant(ligne.texte("debut"_L1));
        j.questions = ligne.entier("questions"_L1);
        return;
    }
    JournalLu& j = *journal_;
    if (type == "question") {
        if (j.termine) return;
        const bool textes = textes_ == Textes::Lus;
        j.reponses.push_back(
            {ligne.entier("numero"_L1), ligne.entier("rang"_L1), ligne.entiers("cochees"_L1),
             ligne.entiers("justes"_L1), ligne.entier("choix"_L1), ligne.texte("verdict"_L1),
             textes ? ligne.texte("intitule"_L1) : QString(), ligne.entier("secondes"_L1),
             textes ? ligne.textes("reponses"_L1) : QStringList()});
    } else if (type == "fin") {
        j.termine = true;
        j.resultatsAtteints = ligne.texte("fin"_L1) == "resultats";
        if (ligne.contient("note"_L1)) j.note = ligne.nombre("note"_L1);
    } else if (!coupee) {
        // A last line cut by a crash leaves the attempt interrupted, which
        // the report shows; a damaged line before it is named.
        j.erreurs << QStringLiteral("%1 : ligne %2 illisible")
                         .arg(QDir::toNativeSeparators(chemin_))
                         .arg(lignes_);
    }
}

QString LecteurJournal::erreur() const {
    const QString raison =
        lus_ > MaxOctets ? QStringLiteral("trop volumineux pour un journal")
        : etranger_ ? QStringLiteral("ce n'est pas un journal d'essai (première ligne illisible)")
                    : QString();
    return raison.isEmpty() ? raison : QDir::toNativeSeparators(chemin_) + " : " + raison;
}

bool LecteurJournal::relire(QString* erreur) {
    QFile fichier(chemin_);
    if (!fichier.open(QIODevice::ReadOnly)) {
        if (erreur) *erreur = QDir::toNativeSeparators(chemin_) + " : " + fichier.errorString();
        return false;
    }
    const qint64 taille = fichier.size();
    if (taille < lus_) *this = LecteurJournal(chemin_);
    if (taille == lus_) return true;
    // Past the limit, the size alone is counted: the file is not read.
    if (taille > MaxOctets || !fichier.seek(lus_)) {
        lus_ = std::max(taille, lus_);
        return true;
    }
    const QByteArray octets = fichier.read(taille - lus_);
    ajouter(octets);
    return true;
}

std::optional<JournalLu> LireJournal(const QByteArray& octets, const QString& chemin,
                                     QString* erreur, Textes textes) {
    LecteurJournal lecteur(chemin, textes);
    lecteur.ajouter(octets);
    lecteur.finir();
    if (lecteur.journal() && lecteur.erreur().isEmpty()) return lecteur.journal();
    if (erreur)
        *erreur =
            lecteur.erreur().isEmpty()
                ? QStringLiteral("%1 : ce n'est pas un journal d'essai (première ligne illisible)")
                      .arg(QDir::toNativeSeparators(chemin))
                : lecteur.erreur();
    return std::nullopt;
}

std::optional<JournalLu> LireFichierJournal(const QString& chemin, QString* erreur, Textes textes) {
    const Fichiers::Contenu lu = Fichiers::LireEntier(chemin, MaxOctets);
    if (lu.erreur.isEmpty()) return LireJournal(lu.octets, chemin, erreur, textes);
    if (erreur) *erreur = QDir::toNativeSeparators(chemin) + " : le fichier " + lu.erreur;
    return std::nullopt;
}

}  // namespace Journal
