// korvane-check on a questionnaire of 99 questions cycling 99 camera photos
// of 24 megapixels: every picture is decoded at thumbnail size.
#include "photo.h"
#include "questionnaire/verification.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void BM_VerificationQuestionnaire99Photos(benchmark::State& etat) {
    static const auto q = std::make_unique<Questionnaire99>(true);
    for (auto _ : etat) {
        const auto v = VerifierDossier(q->dossier);
        if (!v->erreur.isEmpty()) etat.SkipWithError(v->erreur.toStdString().c_str());
        for (const Avertissement& a : v->avertissements)
            etat.SkipWithError(a.message.toStdString().c_str());
    }
}
BENCHMARK(BM_VerificationQuestionnaire99Photos)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
