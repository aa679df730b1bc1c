// Opening and zooming a 6000 x 4000 photograph in the illustration viewer:
// time to the first paint, time per zoom step (with its repaint), time of a
// fit, and the peak memory of the process.
#include "ecrans/commun/dialogues_qt.h"
#include "ecrans/commun/navigation.h"
#include "ecrans/visionneuse/frm_illustration.h"
#include "ecrans/visionneuse/image_illustration.h"
#include "noyau/services/services.h"
#include "systeme/affichage_fixe.h"
#include "systeme/documents_bureau.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

QTemporaryDir* dossier = nullptr;

// A photograph-like picture: gradients with noise, so that the JPEG is of a
// realistic size and decoding does real work.
QString photographie() {
    const QString chemin = dossier->path() + "/Images/photo.jpg";
    if (QFile::exists(chemin)) return chemin;
    QDir(dossier->path()).mkpath("Images");
    QImage image(6000, 4000, QImage::Format_RGB32);
    QRandomGenerator hasard(7);
    for (int y = 0; y < image.height(); ++y) {
        auto* ligne = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int bruit = int(hasard.bounded(24));
            ligne[x] =
                qRgb((x / 24 + bruit) & 0xFF, (y / 16 + bruit) & 0xFF, ((x + y) / 40) & 0xFF);
        }
    }
    image.save(chemin, "JPG", 90);
    return chemin;
}

// Counts the paintings of the picture, to be sure each measure includes one.
struct CompteurPeintures : QObject {
    int peintures = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++peintures;
        return false;
    }
};

// Shows the viewer and returns when its picture (at least its preview) has
// been painted once.
void montrerEtPeindre(frmIllustration& v, CompteurPeintures& compteur) {
    v.Image1->installEventFilter(&compteur);
    v.show();
    while (!v.Image1->montrable()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    compteur.peintures = 0;
    while (compteur.peintures == 0) {
        QCoreApplication::processEvents();
        v.repaint();
    }
}

// Returns when the whole picture and its reduced copies are decoded.
void attendreDecodage(frmIllustration& v) {
    while (!v.Image1->decodee()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

double picMemoireMo() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// The viewer uses none of the services; real ones stand in.
struct NavigationInerte : Navigation {
    void montrer(Ecran) override {}
    void decharger(Ecran) override {}
    QWidget* instance(Ecran) const override { return nullptr; }
    void quitter() override {}
};

struct Plateforme {
    DialoguesQt dialogues;
    HorlogeSysteme horloge;
    HasardSysteme hasard;
    AffichageFixe affichage;
    OuvreurBureau documents;
    NavigationInerte navigation;
    Services services{dialogues, horloge, hasard, affichage, documents};
};

struct Contexte {
    Plateforme p;
    QuizState s;
    Contexte() {
        s.CheminImage = photographie();
        s.DossierQuestionnaire = dossier->path();
    }
};

void BM_OuvertureJusquAuPremierAffichage(benchmark::State& state) {
    Contexte c;
    for (auto _ : state) {
        frmIllustration v(c.s, c.p.services, c.p.navigation);
        CompteurPeintures compteur;
        montrerEtPeindre(v, compteur);
        state.PauseTiming();
        attendreDecodage(v);
        v.close();
        state.ResumeTiming();
    }
    state.counters["pic_memoire_Mo"] = picMemoireMo();
}

// From the fitted view, where the whole photo is on screen.
void BM_PasDeZoomAvecAffichage(benchmark::State& state) {
    Contexte c;
    c.s.ModeImages = 1;  // fit the picture shown, whatever the question
    frmIllustration v(c.s, c.p.services, c.p.navigation);
    CompteurPeintures compteur;
    montrerEtPeindre(v, compteur);
    attendreDecodage(v);
    v.AjusterImage();
    v.repaint();
    compteur.peintures = 0;
    bool avant = true;
    for (auto _ : state) {
        if (avant)
            v.ZoomAvant();
        else
            v.ZoomArriere();
        avant = !avant;
        v.repaint();
    }
    if (v.Image1->lectures() != 1) state.SkipWithError("the picture was read again");
    if (compteur.peintures < state.iterations()) state.SkipWithError("a zoom step was not painted");
    state.counters["pic_memoire_Mo"] = picMemoireMo();
}

void BM_AjusterPuisRecharger(benchmark::State& state) {
    Contexte c;
    frmIllustration v(c.s, c.p.services, c.p.navigation);
    c.s.ModeImages = 1;  // fit the picture shown, whatever the question
    CompteurPeintures compteur;
    montrerEtPeindre(v, compteur);
    attendreDecodage(v);
    compteur.peintures = 0;
    for (auto _ : state) {
        v.AjusterImage();
        v.repaint();
        v.TailleOriginale();
        v.repaint();
    }
    if (v.Image1->lectures() != 1) state.SkipWithError("the picture was read again");
    if (compteur.peintures < 2 * state.iterations()) state.SkipWithError("a fit was not painted");
    state.counters["pic_memoire_Mo"] = picMemoireMo();
}

BENCHMARK(BM_OuvertureJusquAuPremierAffichage)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PasDeZoomAvecAffichage)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_AjusterPuisRecharger)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir temporaire;
    dossier = &temporaire;
    photographie();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
