// korvane-bilan's work on a school's year: about 10,000 results records and
// their answer journals, read, counted once, and written as the
// spreadsheet and the report page.
#include "results/rapport.h"
#include "results/releve.h"
#include "support/classe_fictive.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_Bilan10000Essais(benchmark::State& etat) {
    QTemporaryDir racine;
    ClasseFictive ecole;
    ecole.eleves = 5210;  // one in 25 cut off by a crash: 10,000 records on two questionnaires
    ecole.classes = 40;
    ecole.essaisMax = 1;
    const int records = GenererClasse(racine.path(), ecole);
    qsizetype octets = 0;
    for (auto _ : etat) {
        const Resultats::Releve r = Resultats::Rassembler({racine.path()});
        octets = Resultats::TexteCsv(r).size() + Resultats::RapportHtml(r).size();
        benchmark::DoNotOptimize(octets);
    }
    etat.counters["records"] = records;
    etat.counters["octets"] = static_cast<double>(octets);
}
BENCHMARK(BM_Bilan10000Essais)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
