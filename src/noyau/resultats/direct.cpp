#include "noyau/resultats/direct.h"

#include "noyau/deroulement/correction.h"
#include "noyau/questionnaire/formats.h"

#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace Resultats {

namespace {

// New "Essais" folders are looked for every this many polls: a whole
// library is walked then, while a poll only lists the folders known.
constexpr int SondagesParDecouverte = 5;
// The times since the last answer move on even when no journal grows.
constexpr int SondagesParRafraichissement = 15;

Case caseDe(const QString& verdict) {
    return verdict == "Vrai" ? Case::Juste : verdict == "Faux" ? Case::Fausse : Case::Nulle;
}

EleveEnDirect eleve(const Journal::JournalLu& j, const QDateTime& derniere) {
    EleveEnDirect e{j.identifiant, j.classe, j.essai};
    e.questions = std::clamp(j.questions, 0, MaxQuestions);
    e.cases.fill(Case::PasEncore, e.questions);
    for (const Journal::ReponseLue& r : j.reponses)
        if (r.numero >= 1 && r.numero <= e.questions) e.cases[r.numero - 1] = caseDe(r.verdict);
    e.traitees = static_cast<int>(j.reponses.size());
    e.decompte = Journal::Decompter(j);
    e.note = j.termine && j.note
                 ? *j.note
                 : 20.0 - PenaliteFausse * e.decompte.fausses - PenaliteNulle * e.decompte.nulles;
    e.derniere = derniere;
    e.etat = !j.termine            ? EtatEleve::EnCours
             : j.resultatsAtteints ? EtatEleve::Termine
                                   : EtatEleve::Interrompu;
    return e;
}

}  // namespace

void ReleveEnDirect::decouvrir() {
    dossiers_.clear();
    for (const QString& racine : racines_) {
        dossiers_ << racine;
        QDirIterator i(racine, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (i.hasNext())
            if (i.next(), i.fileName().compare(Journal::DossierEssais, Qt::CaseInsensitive) == 0)
                dossiers_ << i.filePath();
    }
}

bool ReleveEnDirect::sonder() {
    if (sondages_++ % SondagesParDecouverte == 0) decouvrir();
    bool change = false;
    for (const QString& dossier : std::as_const(dossiers_))
        for (const QFileInfo& f :
             QDir(dossier).entryInfoList({QStringLiteral("*.jsonl")}, QDir::Files)) {
            const QString chemin = f.filePath();
            const std::pair etat{f.size(), f.lastModified()};
            auto vu = vus_.find(chemin);
            if (vu != vus_.end() && *vu == etat) continue;
            vus_.insert(chemin, etat);
            auto& lecteur = lecteurs_.try_emplace(chemin, chemin).first->second;
            QString erreur;
            if (lecteur.relire(&erreur)) {
                erreurs_.remove(chemin);
            } else {
                erreurs_.insert(chemin, erreur);
                vus_.remove(chemin);  // tried again at the next poll
            }
            change = true;
        }
    return change;
}

ClasseEnDirect ReleveEnDirect::classe() const {
    ClasseEnDirect c;
    QMap<QString, QuestionnaireEnDirect> parQuestionnaire;
    QHash<QString, std::pair<QDateTime, int>> derniers;  // the last attempt of each pupil
    QHash<QString, int> rangs;
    for (const auto& [chemin, lecteur] : lecteurs_) {
        if (!lecteur.erreur().isEmpty()) c.erreurs << lecteur.erreur();
        const auto& j = lecteur.journal();
        if (!j) continue;
        c.erreurs << j->erreurs;
        const QString cleQ = j->questionnaire.toUpper();
        QuestionnaireEnDirect& q = parQuestionnaire[cleQ];
        if (q.questionnaire.isEmpty()) q.questionnaire = j->questionnaire, q.titre = j->titre;
        const QString cle = cleQ + '\n' + j->identifiant.toUpper() + '\n' + j->classe.toUpper();
        const std::pair moment{j->debut, j->essai};
        if (derniers.contains(cle) && derniers.value(cle) >= moment) continue;
        derniers.insert(cle, moment);
        const EleveEnDirect e = eleve(*j, vus_.value(chemin).second);
        if (rangs.contains(cle))
            q.eleves[rangs.value(cle)] = e;
        else
            rangs.insert(cle, static_cast<int>(q.eleves.size())), q.eleves << e;
    }
    QCollator collation{Formats::francais()};
    collation.setCaseSensitivity(Qt::CaseInsensitive);
    collation.setNumericMode(true);
    for (QuestionnaireEnDirect& q : parQuestionnaire) {
        std::sort(q.eleves.begin(), q.eleves.end(), [&](const auto& a, const auto& b) {
            const int ordre = collation.compare(a.classe, b.classe);
            return ordre ? ordre < 0 : collation.compare(a.identifiant, b.identifiant) < 0;
        });
        for (const EleveEnDirect& e : q.eleves) q.questions = std::max(q.questions, e.questions);
        q.reponses.fill(0, q.questions), q.justes.fill(0, q.questions);
        for (const EleveEnDirect& e : q.eleves)
            for (int k = 0; k < e.cases.size(); ++k) {
                q.reponses[k] += e.cases[k] != Case::PasEncore;
                q.justes[k] += e.cases[k] == Case::Juste;
            }
        c.questionnaires << q;
    }
    for (const QString& erreur : erreurs_) c.erreurs << erreur;
    return c;
}

SuiviEnDirect::SuiviEnDirect(const QStringList& dossiers,
                             std::function<void(const ClasseEnDirect&)> recevoir, int intervalle)
    : releve_(std::make_shared<ReleveEnDirect>(dossiers)), recevoir_(std::move(recevoir)) {
    QObject::connect(&minuterie_, &QTimer::timeout, [this] { sonder(); });
    QObject::connect(&veille_, &QFutureWatcher<std::optional<ClasseEnDirect>>::finished, [this] {
        if (const auto& classe = veille_.result()) recevoir_(*classe);
    });
    minuterie_.start(intervalle);
    sonder();
}

SuiviEnDirect::~SuiviEnDirect() {
    minuterie_.stop();
    veille_.waitForFinished();
}

void SuiviEnDirect::sonder() {
    if (veille_.isRunning()) return;
    veille_.setFuture(QtConcurrent::run([releve = releve_, n = sondages_++]() {
        const bool change = releve->sonder();
        return change || n % SondagesParRafraichissement == 0
                   ? std::optional<ClasseEnDirect>(releve->classe())
                   : std::nullopt;
    }));
}

}  // namespace Resultats
