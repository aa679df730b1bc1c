// korvane-check on a questionnaire of 99 questions, each with its own
// 24-megapixel camera photo: every picture is decoded at thumbnail size.
#include "photo.h"
#include "platform/fichiers.h"
#include "questionnaire/verification.h"

#include <QCoreApplication>
#include <QFile>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct Questionnaire99 {
    Photo photo;
    QString dossier;

    Questionnaire99() {
        dossier = photo.dossier.path();
        const QString nom = QFileInfo(dossier).fileName();
        QString dat, ini = "[Fichiers Images]\r\n0\r\n";
        for (int q = 1; q <= 99; ++q) {
            dat += QString("0 Question %1\r\noui\r\nnon\r\n=>1 0\r\n").arg(q);
            const QString image = QString("photo%1.jpg").arg(q);
            ini += QString("%1\r\n%2\r\n").arg(q).arg(image);
            // Copies, not links: 99 files to read, as in a teacher's folder.
            QFile::copy(photo.chemin, dossier + "/Images/" + image);
        }
        Fichiers::ajouter(dossier + "/" + nom + ".dat", dat);
        Fichiers::ajouter(dossier + "/" + nom + ".ini", ini + "[Minuterie]\r\n30\r\n");
    }
};

void BM_VerificationQuestionnaire99Photos(benchmark::State& etat) {
    static const auto q = std::make_unique<Questionnaire99>();
    for (auto _ : etat) {
        const auto v = VerifierDossier(q->dossier);
        if (!v->erreur.isEmpty()) etat.SkipWithError(v->erreur.toStdString().c_str());
        for (const Avertissement& a : v->avertissements)
            if (a.message.contains("image")) etat.SkipWithError(a.message.toStdString().c_str());
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
