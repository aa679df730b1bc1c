// korvane-suivi's poll over a class of 30 pupils on a 99-question
// questionnaire: when no journal changed, and when every journal gained an
// answer. The window polls every 2 s, on a worker thread.
#include "noyau/resultats/direct.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Eleves = 30, Questions = 99;

QByteArray question(int numero) {
    return QStringLiteral(
               R"({"type":"question","numero":%1,"rang":%1,"cochees":[1],"justes":[2],"choix":4,"verdict":"%2","secondes":17,"intitule":"Question %1 ?","reponses":["un","deux","trois","quatre"]})")
               .arg(numero)
               .arg(numero % 3 ? "Vrai" : "Faux")
               .toUtf8() +
           '\n';
}

// A library with one questionnaire folder whose journals hold `deja` answers.
QStringList classe(QTemporaryDir& racine, int deja) {
    const QString essais = racine.filePath("QCM/Essais");
    QDir().mkpath(essais);
    for (int e = 0; e < Eleves; ++e) {
        QFile f(QStringLiteral("%1/E%2_3A.jsonl").arg(essais).arg(e));
        f.open(QIODevice::WriteOnly);
        f.write(
            QStringLiteral(
                R"({"type":"debut","questionnaire":"QCM","titre":"Q","identifiant":"E%1","classe":"3A","essai":1,"debut":"2026-12-07T10:00:00","questions":99})")
                .arg(e)
                .toUtf8() +
            '\n');
        for (int q = 1; q <= deja; ++q) f.write(question(q));
    }
    return {racine.path()};
}

void BM_SondageSansChangement(benchmark::State& etat) {
    QTemporaryDir racine;
    Resultats::ReleveEnDirect releve(classe(racine, Questions / 2));
    releve.sonder();
    for (auto _ : etat) benchmark::DoNotOptimize(releve.sonder());
}
BENCHMARK(BM_SondageSansChangement)->Unit(benchmark::kMillisecond);

// Each poll reads one new answer in each of the 30 journals and builds
// what the window shows.
void BM_SondageToutAGrandi(benchmark::State& etat) {
    QTemporaryDir racine;
    Resultats::ReleveEnDirect releve(classe(racine, Questions / 2));
    releve.sonder();
    int numero = Questions / 2;
    for (auto _ : etat) {
        etat.PauseTiming();
        numero = numero % Questions + 1;
        for (int e = 0; e < Eleves; ++e) {
            QFile f(QStringLiteral("%1/QCM/Essais/E%2_3A.jsonl").arg(racine.path()).arg(e));
            f.open(QIODevice::Append);
            f.write(question(numero));
        }
        etat.ResumeTiming();
        if (releve.sonder()) benchmark::DoNotOptimize(releve.classe().questionnaires.size());
    }
}
BENCHMARK(BM_SondageToutAGrandi)->Unit(benchmark::kMillisecond)->Iterations(Questions / 2);

}  // namespace
