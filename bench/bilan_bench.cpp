// korvane-bilan's work on a school's year: about 10,000 results records and
// their answer journals, read and counted once, then written as the
// spreadsheet and as the report page.
#include "noyau/resultats/rapport.h"
#include "noyau/resultats/releve.h"
#include "support/classe_fictive.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Generated once for all the benchmarks: it takes longer than they do.
QString ecole() {
    static QTemporaryDir racine;
    static const bool generee = [] {
        ClasseFictive ecole;
        ecole.eleves = 5210;  // one in 25 cut off by a crash: 10,004 records
        ecole.classes = 40;
        ecole.essaisMax = 1;
        return GenererClasse(racine.path(), ecole) > 0;
    }();
    Q_UNUSED(generee);
    return racine.path();
}

void BM_Bilan10000Essais(benchmark::State& etat) {
    for (auto _ : etat) {
        const Resultats::Releve r = Resultats::Rassembler({ecole()});
        benchmark::DoNotOptimize(Resultats::TexteCsv(r).size() + Resultats::RapportHtml(r).size());
    }
}
BENCHMARK(BM_Bilan10000Essais)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Its parts: reading, then each of the two outputs.
void BM_Rassembler(benchmark::State& etat) {
    for (auto _ : etat) benchmark::DoNotOptimize(Resultats::Rassembler({ecole()}).essais.size());
}
BENCHMARK(BM_Rassembler)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_Sorties(benchmark::State& etat) {
    const Resultats::Releve r = Resultats::Rassembler({ecole()});
    const bool html = etat.range(0);
    for (auto _ : etat)
        benchmark::DoNotOptimize(html ? Resultats::RapportHtml(r).size()
                                      : Resultats::TexteCsv(r).size());
    etat.SetLabel(html ? "html" : "csv");
}
BENCHMARK(BM_Sorties)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    ecole();
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
