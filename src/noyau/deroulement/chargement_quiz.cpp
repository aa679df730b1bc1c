#include "noyau/deroulement/chargement_quiz.h"

#include "noyau/questionnaire/formats.h"
#include "noyau/services/hasard.h"

#include <cmath>
#include <limits>

namespace {

QString consigne(bool plusieurs) {
    return plusieurs
               ? "Consigne : certaines questions peuvent admettre plusieurs réponses possibles."
               : "Consigne : Pour chaque question, une seule réponse est attendue.";
}

// The countdown maximum in two-second ticks; 10 when the length is not a
// whole number that a 16-bit integer holds.
int maximumMinuterie(const QString& duree) {
    if (duree == "0") return 10;
    const auto valeur = Formats::lireNombre(duree);
    if (!valeur) return 10;
    const long secondes = Formats::arrondiPair(std::clamp(*valeur, -1e6, 1e6));
    if (secondes < std::numeric_limits<std::int16_t>::min() ||
        secondes > std::numeric_limits<std::int16_t>::max())
        return 10;
    return static_cast<int>(secondes / 2);
}

// What a failed loading would have set goes back to a first attempt's.
void oublierLesEssais(QuizState& s) {
    s.Recommencer = false;
    s.NumEssai = 0;
    s.NbQuestions = 0;
    s.TitreQuestionnaire.clear();
    s.OrdreQuestions.clear();
    s.ReserveTirage.clear();
}

void effacerCompagnon(QuizState& s) {
    for (auto& mode : s.TableImages) mode.fill(QString());
    s.Commentaires.fill(QString());
    s.ModeImages = 0;
    s.NbImages = 0;
    s.FichierAide.clear();
    s.DureeMinuterie.clear();
}

// The flags line as read; for a question typed or imported, one written
// from its right answers, none when it has none, as a file without one.
QString drapeaux(const Question& question) {
    if (!question.drapeaux.isEmpty() || !question.justes.contains(true)) return question.drapeaux;
    QStringList ecrits;
    for (const bool juste : question.justes) ecrits << (juste ? "1" : "0");
    return ecrits.join(' ');
}

CheminsQuestionnaire chemins(const QuizState& s) {
    return {s.DossierQuestionnaire, s.CheminQuestionnaire, s.CheminIni};
}

// The first attempt reads both files; a restart only the companion.
QString lireLesFichiers(QuizState& s, bool premier, QVector<Avertissement>& avertissements,
                        const SourceFichiers& source) {
    if (!premier) return LireFichierIni(s, &avertissements, source);
    Lecture l = LireDossierQuestionnaire(chemins(s), source);
    avertissements = std::move(l.avertissements);
    if (!l.erreur.isEmpty()) return l.erreur;
    PoserCompagnon(s, l.questionnaire);
    PoserQuestionnaire(s, l.questionnaire);
    Lire_drapeaux(s);
    Cherche_reponses_multiples(s);
    return {};
}

}  // namespace

void PoserQuestionnaire(QuizState& s, const Questionnaire& e) {
    for (auto& question : s.TexteQCM)
        for (auto& genre : question) genre.fill(QString());
    for (auto& drapeaux : s.BonnesReponses) drapeaux.fill(QString());
    s.TitreQuestionnaire = e.titre;
    s.NbQuestions = std::min<int>(e.questions.size(), MaxQuestions);
    for (int q = 1; q <= s.NbQuestions; ++q) {
        const Question& question = e.questions[q - 1];
        s.TexteQCM[q][0][0] = question.texte;
        for (int k = 1; k <= std::min<int>(question.reponses.size(), MaxCreneaux); ++k)
            s.TexteQCM[q][0][k] = question.reponses[k - 1];
        s.TexteQCM[q][1][0] = drapeaux(question);
    }
}

void PoserCompagnon(QuizState& s, const Questionnaire& e) {
    effacerCompagnon(s);
    s.ModeImages = static_cast<std::int16_t>(e.modeImages);
    for (int q = 0; q <= MaxQuestions; ++q) {
        if (e.modeImages == 0) s.TableImages[0][q] = e.image(q);
        s.Commentaires[q] = e.commentaire(q);
    }
    if (e.modeImages == 1) {
        s.NbImages = std::min<int>(e.imagesCycliques.size(), MaxQuestions);
        for (int i = 1; i <= s.NbImages; ++i) s.TableImages[1][i] = e.imagesCycliques[i - 1];
    }
    if (e.modeImages == 0 || e.modeImages == 1) s.DureeMinuterie = e.duree;
    s.FichierAide = CheminAide(s.DossierQuestionnaire, e.aide);
}

QString LireFichierIni(QuizState& s, QVector<Avertissement>* avertissements,
                       const SourceFichiers& source) {
    Lecture l;
    const QString erreur = LireCompagnon(l, chemins(s), source);
    if (avertissements) *avertissements << l.avertissements;
    if (erreur.isEmpty())
        PoserCompagnon(s, l.questionnaire);
    else
        effacerCompagnon(s);
    return erreur;
}

int NombreReponses(const QuizState& s, int q) {
    if (!numeroDeQuestionValide(q)) return 0;
    int nombre = 0;
    while (nombre < MaxCreneaux && !s.TexteQCM[q][0][nombre + 1].isEmpty()) ++nombre;
    return nombre;
}

void Lire_drapeaux(QuizState& s) {
    for (int q = 1; q <= s.NbQuestions && q <= MaxQuestions; ++q) {
        const QString& drapeaux = s.TexteQCM[q][1][0];
        if (drapeaux.isEmpty()) continue;
        for (int a = 0; a < MaxDrapeaux; ++a) s.BonnesReponses[q][a] = drapeaux.mid(2 * a, 1);
    }
}

void Cherche_reponses_multiples(QuizState& s) {
    s.ReponsesMultiples = false;
    for (int q = 1; q <= s.NbQuestions && q <= MaxQuestions; ++q) {
        int justes = 0;
        for (int a = 0; a < MaxDrapeaux; ++a)
            if (s.BonnesReponses[q][a] == "1") ++justes;
        if (justes > 1) {
            s.ReponsesMultiples = true;
            return;
        }
    }
}

QString TexteIntroduction(const QuizState& s) {
    const QString n = QString::number(s.NbQuestions);
    const QString essais = QString::number(10 - s.NumEssai);
    const QString crlf = "\r\n";
    if (s.FichierAide.isEmpty())
        return "Le questionnaire comprend " + n + " questions." + crlf +
               "ATTENTION ! Vous ne disposez que de " + essais +
               " essais pour valider ce questionnaire." + crlf +
               "Pour commencer, appuyer sur la commande Valider." + crlf + s.Consigne;
    return "Le questionnaire est auto-formatif et il comprend " + n + " questions." + crlf +
           " Vous disposez d'une aide en ligne en cliquant sur le bouton correspondant." + crlf +
           "ATTENTION ! Vous ne disposez que de " + essais +
           " essais pour valider ce questionnaire" + crlf +
           "Pour commencer, appuyer sur la commande Valider." + crlf + s.Consigne;
}

void TireIndex(QuizState& s, std::int16_t k, SourceAleatoire& hasard, std::uint64_t horloge) {
    hasard.reensemencer(horloge);
    const float r = hasard.suivant();
    const auto tirage = static_cast<std::int32_t>(std::nearbyint(1000.0f * r));
    const int restants = s.BorneTirage + 1 - k;
    if (restants <= 0) return;
    s.IndexTire = static_cast<std::int16_t>(tirage % restants);
}

void RetireDuTirage(QuizState& s, std::int16_t k) {
    const int taille = s.BorneTirage + 2 - k;
    if (taille < 0) return;
    while (s.ReserveTirage.size() < taille) s.ReserveTirage.append(QString());
    while (s.ReserveTirage.size() > taille) s.ReserveTirage.removeLast();
    for (int m = s.IndexTire; m <= s.BorneTirage - k && m + 1 < s.ReserveTirage.size(); ++m)
        s.ReserveTirage[m] = s.ReserveTirage[m + 1];
}

void TirerOrdre(QuizState& s, SourceAleatoire& hasard, std::uint64_t horloge) {
    s.BorneTirage = static_cast<std::int16_t>(s.NbQuestions - 1);
    s.OrdreQuestions.clear();
    s.ReserveTirage.clear();
    for (int n = 0; n <= s.BorneTirage; ++n) s.ReserveTirage.append(QString::number(n + 1));
    for (std::int16_t n = 0; n <= s.BorneTirage; ++n) {
        if (!s.Recommencer) {
            s.OrdreQuestions.append(static_cast<std::int16_t>(s.ReserveTirage[n].toInt()));
            continue;
        }
        TireIndex(s, n, hasard, horloge);
        s.OrdreQuestions.append(static_cast<std::int16_t>(s.ReserveTirage[s.IndexTire].toInt()));
        RetireDuTirage(s, n);
    }
}

Chargement ChargerQuiz(QuizState& s, SourceAleatoire& hasard, std::uint64_t horloge,
                       const SourceFichiers& source) {
    Chargement resultat;
    s.SortieConfirmee = false;
    s.ChronoActif = false;
    s.NumQuestion = s.RangQuestion = 0;
    s.NbJustes = s.NbFausses = s.NbNulles = 0;
    s.NumEssai = s.Recommencer ? static_cast<std::int16_t>(s.NumEssai + 1) : 0;
    s.ChoixNumerotes = false;
    s.CheminIni = CheminIni(s.CheminQuestionnaire);
    const bool premier = !s.Recommencer || s.NbQuestions == 0;
    resultat.erreur = lireLesFichiers(s, premier, resultat.avertissements, source);
    if (!resultat.erreur.isEmpty()) {
        oublierLesEssais(s);
        return resultat;
    }
    resultat.aideVisible = !s.FichierAide.isEmpty();
    resultat.maximumMinuterie = maximumMinuterie(s.DureeMinuterie);
    s.Consigne = consigne(s.ReponsesMultiples);
    resultat.introduction = TexteIntroduction(s);
    s.Penalite = 0.0f;
    TirerOrdre(s, hasard, horloge);
    return resultat;
}
