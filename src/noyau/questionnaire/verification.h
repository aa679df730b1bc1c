#pragma once
#include "noyau/questionnaire/chargement.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// A questionnaire folder loaded exactly as the quiz screen loads it, with
// everything that would surprise the teacher who wrote it.
// Remarks listed at most for one questionnaire: a file that repeats a slip
// on every line must not fill the memory with them.
constexpr int MaxRemarques = 200;

struct Verification {
    CheminsQuestionnaire chemins;
    Questionnaire questionnaire;
    CarteLignes carte;
    QString erreur;  // not empty: the quiz cannot start
    QVector<Avertissement> avertissements;

    // 0 nothing to report, 1 warnings only, 2 the questionnaire cannot run.
    int codeSortie() const;
};

// What decoding one picture file tells the teacher: whether the file was
// found, and every way it would not show as it is.
struct ExamenImage {
    bool trouvee = false;
    QStringList problemes;
};
// The picture decoders live above the core: the program that checks
// pictures hands its own (Images::examiner).
using ExaminerImage = std::function<ExamenImage(const QString& fichier)>;

std::unique_ptr<Verification> VerifierDossier(
    const QString& dossier, const ExaminerImage& examiner,
    const SourceFichiers& source = SourceFichiers::disque());

// A remark as the teacher reads it, in the report and in the editor alike.
QString TexteRemarque(const Avertissement& a);
// The loading's refusal on one line.
QString TexteErreur(const Verification& v);
inline const QString TexteSansRemarque =
    QStringLiteral("Aucune remarque : le questionnaire est prêt.");

QString RapportTexte(const Verification& v);
// One line for the summary of a whole library: ready, remarks, cannot run.
QString LigneResume(const QString& nom, const Verification& v);

// A folder of questionnaire folders rather than a questionnaire itself.
bool EstBibliotheque(const QString& dossier);
QByteArray RapportJson(const Verification& v);
