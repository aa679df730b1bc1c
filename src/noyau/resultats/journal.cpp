#include "noyau/resultats/journal.h"

#include "noyau/deroulement/correction.h"
#include "noyau/deroulement/duree.h"
#include "noyau/fichiers/fichiers.h"
#include "noyau/questionnaire/formats.h"

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

QVector<int> entiers(const QJsonValue& valeur) {
    QVector<int> liste;
    for (const QJsonValue& v : valeur.toArray()) liste << v.toInt();
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
    for (int k = 0; k < s.NbChoix; ++k) justes[k] = ReponseJuste(s, q, k);
    journal_->ajouter(
        texte({{"type", "question"},
               {"numero", q},
               {"rang", s.RangQuestion},
               {"cochees", numeros(cochees.mid(0, s.NbChoix))},
               {"justes", numeros(justes)},
               {"choix", s.NbChoix},
               {"verdict", verdict},
               {"secondes", SecondesEcoulees(affichage_, instant)},
               {"intitule", numeroDeQuestionValide(q) ? s.TexteQCM[q][0][0] : QString()}}));
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

std::optional<JournalLu> LireJournal(const QByteArray& octets, const QString& chemin,
                                     QString* erreur) {
    JournalLu j;
    j.fichier = chemin;
    bool debut = false;
    for (const QByteArray& brute : octets.split('\n')) {
        // A line cut by a crash is not JSON: what came before it still counts.
        const QJsonObject ligne = QJsonDocument::fromJson(brute).object();
        const QString type = ligne.value("type"_L1).toString();
        if (!debut) {
            if (type != "debut") break;
            debut = true;
            j.questionnaire = ligne.value("questionnaire"_L1).toString();
            j.titre = ligne.value("titre"_L1).toString();
            j.identifiant = ligne.value("identifiant"_L1).toString();
            j.classe = ligne.value("classe"_L1).toString();
            j.essai = ligne.value("essai"_L1).toInt();
            j.debut = LireInstant(ligne.value("debut"_L1).toString());
            j.questions = ligne.value("questions"_L1).toInt();
        } else if (type == "question" && !j.termine) {
            j.reponses.push_back(
                {ligne.value("numero"_L1).toInt(), ligne.value("rang"_L1).toInt(),
                 entiers(ligne.value("cochees"_L1)), entiers(ligne.value("justes"_L1)),
                 ligne.value("choix"_L1).toInt(), ligne.value("verdict"_L1).toString(),
                 ligne.value("intitule"_L1).toString(), ligne.value("secondes"_L1).toInt()});
        } else if (type == "fin") {
            j.termine = true;
            j.resultatsAtteints = ligne.value("fin"_L1).toString() == "resultats";
            if (ligne.contains("note"_L1)) j.note = ligne.value("note"_L1).toDouble();
        }
    }
    if (debut) return j;
    if (erreur)
        *erreur = QStringLiteral("%1 : ce n'est pas un journal d'essai (première ligne illisible)")
                      .arg(QDir::toNativeSeparators(chemin));
    return std::nullopt;
}

std::optional<JournalLu> LireFichierJournal(const QString& chemin, QString* erreur) {
    const Fichiers::Contenu lu = Fichiers::LireEntier(chemin, MaxOctets);
    if (lu.erreur.isEmpty()) return LireJournal(lu.octets, chemin, erreur);
    if (erreur) *erreur = QDir::toNativeSeparators(chemin) + " : le fichier " + lu.erreur;
    return std::nullopt;
}

}  // namespace Journal
