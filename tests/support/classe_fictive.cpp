#include "support/classe_fictive.h"

#include "noyau/deroulement/chargement_quiz.h"
#include "noyau/deroulement/correction.h"
#include "noyau/deroulement/minuterie.h"
#include "noyau/fichiers/fichiers.h"
#include "noyau/resultats/enregistrement.h"
#include "noyau/resultats/journal.h"

#include <QDir>
#include <QFile>

#include <memory>
#include <random>

namespace {

constexpr int Questions = 12;

// The disk journal's files, without its sync per line.
class JournalSansSync : public JournalEssai {
public:
    void commencer(const QString& chemin, const QByteArray& ligne) override {
        QDir().mkpath(QFileInfo(chemin).path());
        fichier_.close();
        fichier_.setFileName(chemin);
        fichier_.open(QIODevice::WriteOnly);
        ajouter(ligne);
    }
    void ajouter(const QByteArray& ligne) override { fichier_.write(ligne + '\n'); }

private:
    QFile fichier_;
};

// Question 3 is too hard, 7 too easy, 10 misleads the best pupils, and the
// third answer of question 5 draws nobody.
const QStringList Planetes{"le Soleil", "la Lune", "Mercure",     "Vénus",
                           "la Terre",  "Mars",    "Jupiter",     "Saturne",
                           "Uranus",    "Neptune", "les comètes", "les éclipses"};
const QStringList Volcans{
    "le magma",    "la lave",     "les cendres",        "le cratère",
    "l'Etna",      "le Vésuve",   "le Stromboli",       "le Piton de la Fournaise",
    "les geysers", "les séismes", "les nuées ardentes", "les volcans éteints"};

const char* const Bonnes[] = {"=>0 0 0 1", "=>1 0 0 0", "=>0 1 0 0", "=>0 0 1 1"};

QStringList texteQuestionnaire(const QString& titre, const QStringList& sujets) {
    QStringList l{"</" + titre};
    for (int q = 1; q <= Questions; ++q) {
        l << "0 Quelle affirmation sur " + sujets[q - 1] + " est juste ?";
        l << "Première réponse"
          << "Deuxième réponse"
          << "Troisième réponse"
          << "Quatrième réponse";
        l << Bonnes[q % 4];
    }
    return l;
}

double chanceDeReussir(int q, double niveau) {
    if (q == 3) return 0.08;
    if (q == 7) return 0.995;
    if (q == 10) return niveau < 0.5 ? 0.9 : 0.15;
    return 0.15 + 0.8 * niveau - 0.03 * q;
}

QVector<bool> cocher(const QuizState& s, bool juste, bool nulle, std::mt19937& hasard) {
    const int q = s.NumQuestion;
    QVector<bool> cochees(s.NbChoix);
    if (nulle) return cochees;
    for (int k = 0; k < s.NbChoix; ++k) cochees[k] = ReponseJuste(s, q, k);
    if (juste) return cochees;
    QVector<int> fausses;
    for (int k = 0; k < s.NbChoix; ++k)
        if (!cochees[k] && !(q == 5 && k == 2)) fausses << k;
    cochees[fausses[std::uniform_int_distribution<int>(0, fausses.size() - 1)(hasard)]] = true;
    return cochees;
}

void ecrireRecord(const QuizState& s, const QTime& heure) {
    QFile f(s.CheminResultats);
    if (f.open(QIODevice::WriteOnly | QIODevice::Append))
        f.write(Fichiers::encoderWindows1252(Resultats::TexteEnregistrement(s, heure)));
}

}  // namespace

int GenererClasse(const QString& bibliotheque, const ClasseFictive& classe) {
    std::mt19937 hasard(classe.graine);
    std::uniform_real_distribution<double> tirage(0.0, 1.0);
    int records = 0;
    JournalSansSync journal;
    for (int n = 0; n < classe.questionnaires.size(); ++n) {
        const QString nom = classe.questionnaires[n];
        const QString dossier = bibliotheque + '/' + nom;
        QDir().mkpath(dossier);
        auto modele = std::make_unique<QuizState>();
        const CheminsQuestionnaire chemins = CheminsDuDossier(dossier);
        modele->CheminQuestionnaire = chemins.dat;
        modele->DossierQuestionnaire = dossier;
        const QStringList texte = n % 2 ? texteQuestionnaire("Les volcans", Volcans)
                                        : texteQuestionnaire("Le système solaire", Planetes);
        Fichiers::ajouter(modele->CheminQuestionnaire, texte.join("\r\n") + "\r\n");
        Lecture lue;
        LireQuestions(lue, chemins, SourceFichiers::disque().lire(chemins.dat));
        PoserQuestionnaire(*modele, lue.questionnaire);
        Lire_drapeaux(*modele);
        for (int e = 0; e < classe.eleves; ++e) {
            const double niveau = tirage(hasard);
            auto s = std::make_unique<QuizState>(*modele);
            s->Identifiant = QString("E%1").arg(e + 1, 4, 10, QChar('0'));
            s->Classe = QString("3%1").arg(QChar('A' + e % std::max(1, classe.classes)));
            s->CheminResultats =
                dossier + '/' + nom + " _" + s->Identifiant + '_' + s->Classe + "_.rst";
            const int essais =
                1 + static_cast<int>(tirage(hasard) * classe.essaisMax) % classe.essaisMax;
            QDateTime instant(QDate(2026, 11, 16 + n), QTime(9, 0).addSecs(e * 37));
            for (int essai = 0; essai < essais; ++essai) {
                Journal::Suivi suivi(&journal);
                s->NumEssai = static_cast<std::int16_t>(essai);
                s->RangQuestion = 0, s->NbJustes = s->NbFausses = s->NbNulles = 0;
                s->Penalite = 0, s->Note = 20;
                s->DateDuJour = TexteDate(instant.date());
                suivi.commencer(*s, instant);
                // One pupil in twelve stops half-way; one in twenty-five is cut off by a crash.
                const bool abandon = tirage(hasard) < 1.0 / 12, panne = e % 25 == 24;
                const int jusqua = abandon || panne ? Questions / 2 : Questions;
                for (int rang = 1; rang <= jusqua; ++rang) {
                    s->RangQuestion = static_cast<std::int16_t>(rang);
                    s->NumQuestion = static_cast<std::int16_t>((rang * 5 + e) % Questions + 1);
                    s->NbChoix = NombreReponses(*s, s->NumQuestion);
                    suivi.questionAffichee(*s, instant);
                    instant = instant.addSecs(8 + static_cast<int>(tirage(hasard) * 40));
                    const bool nulle = tirage(hasard) < 0.05;
                    const bool juste =
                        tirage(hasard) < chanceDeReussir(s->NumQuestion, niveau + 0.1 * essai);
                    const QVector<bool> cochees = cocher(*s, juste, nulle, hasard);
                    const Jugement j = Corrige_reponse(*s, cochees, [] { return true; });
                    suivi.jugee(*s, cochees, j.verdict, instant);
                }
                s->TempsEcoule = 0;
                if (panne) break;
                suivi.terminer(*s, !abandon, instant);
                ecrireRecord(*s, instant.time());
                ++records;
                s->Recommencer = true;
                instant = instant.addSecs(60);
            }
        }
    }
    return records;
}
