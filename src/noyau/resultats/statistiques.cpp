#include "noyau/resultats/statistiques.h"

#include "noyau/questionnaire/questionnaire.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace Resultats {

namespace {

// The mark of an attempt for ranking the class: its record's, or its
// journal's when the record is missing.
std::optional<double> noteDe(const LigneEssai& l) {
    if (l.essai) return l.essai->complet() ? l.essai->valeurNote : std::nullopt;
    return l.journal && l.journal->termine ? l.journal->note : std::nullopt;
}

void compter(QMap<int, StatQuestion>& questions, const JournalGarde& j) {
    for (const ReponseGardee& reponse : j.reponses) {
        StatQuestion& q = questions[reponse.numero];
        q.numero = reponse.numero;
        ++q.reponses;
        q.justes += reponse.verdict == 'V';
        q.fausses += reponse.verdict == 'F';
        q.nulles += reponse.verdict == 'N';
        const int choix = std::min<int>(reponse.choix, MaxCreneaux);
        if (q.bonnes.size() < choix) q.bonnes.resize(choix), q.cochees.resize(choix);
        for (int k = 0; k < choix; ++k) {
            if (reponse.justes & (1u << k)) q.bonnes[k] = true;
            if (reponse.cochees & (1u << k)) ++q.cochees[k];
        }
    }
}

void discriminer(StatQuestionnaire& stat, QMap<int, StatQuestion>& questions) {
    QVector<std::pair<double, const JournalGarde*>> classes;
    for (const auto& lignes : std::as_const(stat.classes))
        for (const LigneEssai* l : lignes)
            if (const auto note = noteDe(*l); note && l->journal)
                classes.push_back({*note, l->journal});
    if (classes.size() < MinimumDiscrimination) return;
    std::stable_sort(classes.begin(), classes.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    const int taille = std::max(1, static_cast<int>(std::lround(0.27 * classes.size())));
    // Each question's share of right answers among the weakest and the
    // strongest attempts.
    QMap<int, StatQuestion> faibles, forts;
    for (int i = 0; i < taille; ++i) {
        compter(faibles, *classes[i].second);
        compter(forts, *classes[classes.size() - 1 - i].second);
    }
    for (StatQuestion& q : questions)
        if (forts.contains(q.numero) && faibles.contains(q.numero))
            q.discrimination = forts[q.numero].facilite() - faibles[q.numero].facilite();
}

void signaler(StatQuestion& q) {
    if (q.reponses < MinimumAlertes) return;
    if (q.facilite() < 0.2) q.alertes << QStringLiteral("presque personne n'y répond juste");
    if (q.facilite() > 0.9) q.alertes << QStringLiteral("presque tout le monde y répond juste");
    if (q.discrimination && *q.discrimination <= DiscriminationInverse)
        q.alertes << QStringLiteral("les meilleurs élèves y échouent plus que les plus faibles");
    // With hardly any wrong answer, an unpicked one says nothing.
    for (int k = 0; k < q.bonnes.size() && q.fausses >= MinimumAlertes; ++k)
        if (!q.bonnes[k] && q.cochees[k] == 0)
            q.alertes << QStringLiteral("la réponse fausse n° %1 n'est jamais choisie").arg(k + 1);
}

void completer(StatQuestionnaire& stat, const QMap<int, TextesQuestion>& textes) {
    QSet<QString> eleves;
    QMap<int, StatQuestion> questions;
    for (const auto& lignes : std::as_const(stat.classes))
        for (const LigneEssai* ligne : lignes) {
            const LigneEssai& l = *ligne;
            eleves.insert(l.identifiant().toUpper() + '\n' + l.classe().toUpper());
            ++stat.essais;
            if (!l.journal)
                ++stat.sansJournal;
            else
                compter(questions, *l.journal);
            if (l.journal && !l.journal->termine) ++stat.interrompus;
            if (l.essai && l.essai->complet()) stat.notes << *l.essai->valeurNote;
        }
    stat.eleves = eleves.size();
    std::sort(stat.notes.begin(), stat.notes.end());
    discriminer(stat, questions);
    for (StatQuestion& q : questions) {
        const TextesQuestion t = textes.value(q.numero);
        q.intitule = t.intitule, q.textes = t.reponses;
        signaler(q);
    }
    stat.questions = questions.values().toVector();
}

}  // namespace

double StatQuestionnaire::moyenne() const {
    double somme = 0;
    for (double n : notes) somme += n;
    return notes.isEmpty() ? 0.0 : somme / notes.size();
}

double StatQuestionnaire::mediane() const {
    if (notes.isEmpty()) return 0.0;
    const qsizetype m = notes.size() / 2;
    return notes.size() % 2 ? notes[m] : (notes[m - 1] + notes[m]) / 2;
}

QVector<StatQuestionnaire> Statistiques(const Releve& r) {
    QVector<StatQuestionnaire> stats;
    QHash<QString, int> index;
    const auto stat = [&](const QString& questionnaire) -> StatQuestionnaire& {
        const QString cle = questionnaire.toUpper();
        if (!index.contains(cle)) {
            index.insert(cle, stats.size());
            stats.push_back({});
            stats.back().questionnaire = questionnaire;
            stats.back().titre = r.titre(questionnaire);
        }
        return stats[index.value(cle)];
    };
    for (const LigneEssai& l : r.lignes) stat(l.questionnaire()).classes[l.classe()] << &l;
    for (StatQuestionnaire& s : stats) completer(s, r.textes.value(s.questionnaire.toUpper()));
    return stats;
}

}  // namespace Resultats
