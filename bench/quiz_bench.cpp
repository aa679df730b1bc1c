// Showing a question's picture in the 256 x 192 thumbnail when the teacher
// dropped a 24-megapixel photo (6000 x 4000 JPEG) into the Images folder:
// the decode scaled as it reads against a full decode scaled afterwards.
#include "quiz/vignette.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Box 256 x 192 px, frame 272 px wide, in twips.
constexpr float HauteurBoite = 2880, LargeurBoite = 3840, LargeurCadre = 4080;

struct Photo {
    QTemporaryDir dossier;
    QString chemin;

    Photo() {
        QDir(dossier.path()).mkdir("Images");
        chemin = dossier.filePath("Images/grande.jpg");
        // Gradients and speckles, so the JPEG carries detail like a real photo.
        QImage image(6000, 4000, QImage::Format_RGB32);
        QPainter peintre(&image);
        QLinearGradient degrade(0, 0, 6000, 4000);
        degrade.setColorAt(0, QColor(40, 90, 160));
        degrade.setColorAt(1, QColor(210, 170, 80));
        peintre.fillRect(image.rect(), degrade);
        QRandomGenerator hasard(42);
        for (int i = 0; i < 200000; ++i)
            peintre.fillRect(hasard.bounded(6000), hasard.bounded(4000), 6, 6,
                             QColor::fromRgb(hasard.generate() | 0xff000000));
        peintre.end();
        image.save(chemin, "JPEG", 90);
    }
};

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
