#include "noyau/deroulement/correction.h"

#include "noyau/questionnaire/formats.h"

// The pictures are compiled into the core library; a static library's
// resources register only when something asks for them.
static void enregistrerRessources() { Q_INIT_RESOURCE(korvane); }

QString Bitmap::chemin(int numero) {
    static const bool enregistrees = (enregistrerRessources(), true);
    Q_UNUSED(enregistrees);
    return ":/pictures/" + QString::number(numero) + ".png";
}

bool ReponseJuste(const QuizState& s, int q, int k) {
    if (!numeroDeQuestionValide(q) || k < 0 || k >= static_cast<int>(s.BonnesReponses[q].size()))
        return false;
    return s.BonnesReponses[q][k] == "1";
}

Jugement Corrige_reponse(QuizState& s, const QVector<bool>& cochees,
                         const std::function<bool()>& confirmerNulle) {
    Jugement jugement;
    const int n = s.NbChoix;
    if (n >= 2 && n <= MaxDrapeaux) {
        bool uneCochee = false, ecart = false;
        for (int k = 0; k < n; ++k) {
            const bool cochee = k < cochees.size() && cochees[k];
            uneCochee = uneCochee || cochee;
            ecart = ecart || cochee != ReponseJuste(s, s.NumQuestion, k);
        }
        if (!uneCochee) {
            if (confirmerNulle && confirmerNulle()) {
                jugement.verdict = "Nulle";
                jugement.bitmap = Bitmap::Nulle;
            } else {
                --s.RangQuestion;
            }
        } else if (ecart) {
            jugement.verdict = "Faux";
            jugement.bitmap = Bitmap::Faux;
        } else {
            jugement.verdict = "Vrai";
            jugement.bitmap = Bitmap::Vrai;
        }
    }
    if (jugement.verdict == "Faux") {
        s.Penalite -= PenaliteFausse;
        ++s.NbFausses;
        jugement.commentaire =
            numeroDeQuestionValide(s.NumQuestion) && !s.Commentaires[s.NumQuestion].isEmpty();
    } else if (jugement.verdict == "Vrai") {
        ++s.NbJustes;
    } else if (jugement.verdict == "Nulle") {
        s.Penalite -= PenaliteNulle;
        ++s.NbNulles;
    }
    if (!jugement.verdict.isEmpty()) s.Verdict = jugement.verdict;
    s.Note = 20.0f + s.Penalite;
    return jugement;
}

QString TexteVerdict(int bitmap) {
    switch (bitmap) {
    case Bitmap::Vrai: return "Réponse juste";
    case Bitmap::Faux: return "Réponse fausse";
    case Bitmap::Nulle: return "Pas de réponse";
    default: return {};
    }
}

QString TexteNote(float note) { return Formats::texteNote(note) + " /20"; }

QString TexteBilan(const QuizState& s) {
    const QString total = QString::number(s.NbQuestions);
    return QString::number(s.NbJustes) + " réponses justes sur " + total + "\r\n" +
           QString::number(s.NbFausses) + " réponses fausses sur " + total + "\r\n" +
           QString::number(s.NbNulles) + " réponses nulles sur " + total;
}
