// Loading a questionnaire: the largest sample one, and a generated one of
// 99 questions with long texts; checking one whose pictures are photos.
#include "images/images.h"
#include "noyau/deroulement/chargement_quiz.h"
#include "noyau/fichiers/fichiers.h"
#include "noyau/questionnaire/verification.h"
#include "noyau/services/hasard.h"
#include "photo.h"

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
        for (int k = 1; k <= 6; ++k)
            dat += QString("Réponse %1 de la question %2\r\n").arg(k).arg(q);
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

// korvane-check on a questionnaire of 99 questions cycling 99 camera photos
// of 24 megapixels: every picture is decoded at thumbnail size.
void BM_VerificationQuestionnaire99Photos(benchmark::State& etat) {
    static const auto q = std::make_unique<Questionnaire99>(true);
    for (auto _ : etat) {
        const auto v = VerifierDossier(q->dossier, Images::examiner);
        if (!v->erreur.isEmpty()) etat.SkipWithError(v->erreur.toStdString().c_str());
        for (const Avertissement& a : v->avertissements)
            etat.SkipWithError(a.message.toStdString().c_str());
    }
}
BENCHMARK(BM_VerificationQuestionnaire99Photos)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
