// Loading a questionnaire: the largest sample one, and a generated one of
// 99 questions with long texts.
#include "platform/fichiers.h"
#include "platform/hasard.h"
#include "questionnaire/chargement.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void charger(benchmark::State& etat, const QString& dossier, const QString& nom) {
    auto s = std::make_unique<QuizState>();
    HasardSysteme hasard;
    for (auto _ : etat) {
        s->Recommencer = false;
        s->DossierQuestionnaire = dossier;
        s->CheminQuestionnaire = dossier + "/" + nom + ".dat";
        const Chargement c = ChargerQuiz(*s, hasard, 0);
        benchmark::DoNotOptimize(c.erreur);
    }
}

void BM_ChargerPlanetes(benchmark::State& etat) {
    charger(etat, KORVANE_SAMPLE_LIBRARY "/PLANETES", "PLANETES");
}
BENCHMARK(BM_ChargerPlanetes)->Unit(benchmark::kMicrosecond);

void BM_Charger99Questions(benchmark::State& etat) {
    QTemporaryDir racine;
    const QString dossier = racine.path() + "/GRAND";
    QDir().mkpath(dossier);
    QString dat = "</Quatre-vingt-dix-neuf questions\r\n";
    for (int q = 1; q <= 99; ++q) {
        dat += QString("0 Question numéro %1 : %2\r\n").arg(q).arg(QString(200, 'x'));
        for (int k = 1; k <= 6; ++k) dat += QString("Réponse %1 de la question %2\r\n").arg(k).arg(q);
        dat += "=>1 0 1 0 0 0\r\n";
    }
    QString ini = "[Fichiers Images]\r\n0\r\n";
    for (int q = 1; q <= 49; ++q) ini += QString("%1\r\nimage%1.jpg\r\n").arg(q);
    ini += "\r\n\r\n\r\n30\r\n[Commentaires]\r\n";
    for (int q = 1; q <= 99; ++q) ini += QString("%1\r\nCommentaire de la question %1\r\n").arg(q);
    Fichiers::ajouter(dossier + "/GRAND.dat", dat);
    Fichiers::ajouter(dossier + "/GRAND.ini", ini);
    charger(etat, dossier, "GRAND");
}
BENCHMARK(BM_Charger99Questions)->Unit(benchmark::kMicrosecond);

void BM_RepriseAvecTirage(benchmark::State& etat) {
    auto s = std::make_unique<QuizState>();
    HasardSysteme hasard;
    s->DossierQuestionnaire = KORVANE_SAMPLE_LIBRARY "/PLANETES";
    s->CheminQuestionnaire = s->DossierQuestionnaire + "/PLANETES.dat";
    ChargerQuiz(*s, hasard, 0);
    s->Recommencer = true;
    for (auto _ : etat) {
        s->NumEssai = 0;
        benchmark::DoNotOptimize(ChargerQuiz(*s, hasard, 0).erreur);
    }
}
BENCHMARK(BM_RepriseAvecTirage)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
