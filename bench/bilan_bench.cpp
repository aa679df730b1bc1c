// korvane-bilan's work on a school's year: 10,000 to 1,000,000 results records and
// their answer journals, read and counted once, then written as the
// spreadsheet and as the report page.
#include "noyau/resultats/rapport.h"
#include "noyau/resultats/releve.h"
#include "support/classe_fictive.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

// Generated once for all the benchmarks: it takes longer than they do. One
// pupil in 25 is cut off by a crash: 5,210 pupils give 10,004 records.
QString ecole(int eleves = 5210) {
    static std::map<int, std::unique_ptr<QTemporaryDir>> ecoles;
    auto& racine = ecoles[eleves];
    if (!racine) {
        racine = std::make_unique<QTemporaryDir>();
        ClasseFictive ecole;
        ecole.eleves = eleves;
        ecole.classes = 40;
        ecole.essaisMax = 1;
        GenererClasse(racine->path(), ecole);
        // On disk before the clock starts: its write-back is not the report's cost.
        ::sync();
    }
    return racine->path();
}

// Counts what the report writes, as a file would take it.
class Compteur : public QIODevice {
public:
    Compteur() { open(QIODevice::WriteOnly); }
    qint64 octets = 0;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 taille) override { return octets += taille, taille; }
};

// The spreadsheet, the page and the gradebook, as korvane-bilan writes them.
qint64 ecrireTout(const Resultats::Releve& r) {
    Compteur compteur;
    QTextStream texte(&compteur);
    Resultats::EcrireCsv(texte, r);
    const auto notes = Resultats::NotesEleves(r, Resultats::RegleEssai::Premier, nullptr);
    Resultats::EcrireRapportHtml(texte, r, notes, Resultats::RegleEssai::Premier, nullptr);
    Resultats::EcrireNotes(texte, notes);
    texte.flush();
    return compteur.octets;
}

// The whole run at 10,000, 100,000 and 1,000,000 records: the cost should
// grow in proportion.
void BM_Bilan(benchmark::State& etat) {
    const QString racine = ecole(static_cast<int>(etat.range(0)));
    qsizetype essais = 0;
    for (auto _ : etat) {
        const Resultats::Releve r = Resultats::Rassembler({racine});
        essais = r.essais.size();
        benchmark::DoNotOptimize(ecrireTout(r));
    }
    etat.SetLabel(QStringLiteral("%1 essais").arg(essais).toStdString());
}
BENCHMARK(BM_Bilan)
    ->Arg(5210)
    ->Arg(52100)
    ->Arg(521000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

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
                                      : Resultats::EnOctets([&](QTextStream& texte) {
                                            Resultats::EcrireCsv(texte, r);
                                        }).size());
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
