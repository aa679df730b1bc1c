// The editor's work while a teacher types in a questionnaire of 99 questions:
// each keystroke copies and compares the questionnaire (one undo step), and
// each pause in the typing runs the checker on a working copy.
#include "images/images.h"
#include "noyau/questionnaire/edition.h"


#include <benchmark/benchmark.h>

namespace {

Questionnaire grand() {
    Questionnaire e;
    e.titre = "Quatre-vingt-dix-neuf questions";
    for (int q = 1; q <= MaxQuestions; ++q) {
        Question question;
        question.texte = QString("Question numéro %1 : %2").arg(q).arg(QString(200, 'x'));
        for (int k = 1; k <= 6; ++k)
            question.reponses << QString("Réponse %1 de la question %2").arg(k).arg(q);
        question.justes = {true, false, false, true, false, false};
        question.commentaire = QString("Commentaire de la question %1").arg(q);
        e.questions << question;
    }
    return e;
}

void BM_FrappeDansUneReponse(benchmark::State& etat) {
    Questionnaire e = grand();
    int n = 0;
    for (auto _ : etat) {
        Questionnaire apres = e;
        apres.questions[50].reponses[2] += QChar('a' + (n++ % 26));
        benchmark::DoNotOptimize(apres == e);
        e = apres;
    }
}
BENCHMARK(BM_FrappeDansUneReponse)->Unit(benchmark::kMicrosecond);

void BM_VerificationApresUnePause(benchmark::State& etat) {
    const Questionnaire e = grand();
    QTemporaryDir reel;
    Edition::CopieDeTravail copie(reel.path() + "/GRAND");
    for (auto _ : etat) {
        benchmark::DoNotOptimize(Problemes(e).size());
        const auto v = VerifierDossier(copie.ecrire(e), Images::examiner);
        benchmark::DoNotOptimize(v->avertissements.size());
    }
}
BENCHMARK(BM_VerificationApresUnePause)->Unit(benchmark::kMillisecond);

}  // namespace
