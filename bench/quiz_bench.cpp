// Showing a question's picture in the 256 x 192 thumbnail when the teacher
// dropped a 24-megapixel photo (6000 x 4000 JPEG) into the Images folder:
// the decode scaled as it reads against a full decode scaled afterwards.
#include "photo.h"
#include "quiz/vignette.h"

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Box 256 x 192 px, frame 272 px wide, in twips.
constexpr float HauteurBoite = 2880, LargeurBoite = 3840, LargeurCadre = 4080;

const Photo& photo() {
    static const auto p = std::make_unique<Photo>();
    return *p;
}

void BM_VignetteDecodageReduit(benchmark::State& etat) {
    const QString chemin = photo().chemin;
    for (auto _ : etat) {
        const Vignette v = Charger_vignette(chemin, HauteurBoite, LargeurBoite, LargeurCadre);
        if (v.etat != Vignette::Etat::Chargee) etat.SkipWithError("picture not loaded");
        benchmark::DoNotOptimize(v.image.constBits());
    }
}
BENCHMARK(BM_VignetteDecodageReduit)->Unit(benchmark::kMillisecond);

void BM_VignetteDecodageComplet(benchmark::State& etat) {
    const QString chemin = photo().chemin;
    for (auto _ : etat) {
        QImageReader lecteur(chemin);
        const QImage entiere = lecteur.read();
        if (entiere.isNull()) etat.SkipWithError("picture not loaded");
        const QImage vignette =
            entiere.scaled(272, 192, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(vignette.constBits());
    }
}
BENCHMARK(BM_VignetteDecodageComplet)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    photo();
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
