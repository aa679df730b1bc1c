// Showing a question's picture in the 256 x 192 thumbnail when the teacher
// dropped a 24-megapixel photo (6000 x 4000 JPEG) into the Images folder:
// the decode scaled as it reads against a full decode scaled afterwards.
#include "../tests/support/fakes.h"
#include "ecrans/quiz/frm_main.h"
#include "images/vignette.h"
#include "photo.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QImageReader>
#include <QPushButton>
#include <QThreadPool>

#include <algorithm>
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

// "Valider" to the next question painted with its thumbnail, 98 times in a
// row, half the questions with a 24-megapixel photo. `lecture`: the pupil reads each question long
// enough for the pictures to come to decode ahead; without it, every answer
// is given at once.
void BM_QuestionSuivante(benchmark::State& etat) {
    const bool lecture = etat.range(0) != 0;
    static const auto q = std::make_unique<Questionnaire99>(false);
    std::vector<double> durees;
    int montrees = 0;
    for (auto _ : etat) {
        PlateformeSimulee p;
        QuizState s;
        s.DossierQuestionnaire = q->dossier;
        s.CheminQuestionnaire = q->dossier + "/" + QFileInfo(q->dossier).fileName() + ".dat";
        frmMain f(s, p.services, p.navigation);
        f.show();
        f.cmdValider_Click();
        for (int i = 0; i < 98; ++i) {
            if (lecture) QThreadPool::globalInstance()->waitForDone();
            while (f.vignetteEnAttente())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            f.chkRéponse[0]->setChecked(true);
            QElapsedTimer chrono;
            chrono.start();
            f.cmdValider_Click();
            while (f.vignetteEnAttente())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            f.repaint();
            durees.push_back(chrono.nsecsElapsed() / 1e6);
            montrees += f.cmdPhoto->isVisible();
        }
    }
    etat.counters["vignettes"] = montrees;
    std::sort(durees.begin(), durees.end());
    etat.counters["mediane_ms"] = durees[durees.size() / 2];
    etat.counters["p95_ms"] = durees[durees.size() * 95 / 100];
}
BENCHMARK(BM_QuestionSuivante)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    photo();
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
