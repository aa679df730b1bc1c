#pragma once
#include "questionnaire/chargement.h"

#include <QByteArray>
#include <QString>
#include <memory>

// A questionnaire folder loaded exactly as the quiz screen loads it, with
// everything that would surprise the teacher who wrote it.
struct Verification {
    QuizState etat;
    CarteLignes carte;
    QString erreur;  // not empty: the quiz cannot start
    QVector<Avertissement> avertissements;

    // 0 nothing to report, 1 warnings only, 2 the questionnaire cannot run.
    int codeSortie() const;
};

std::unique_ptr<Verification> VerifierDossier(
    const QString& dossier, const SourceFichiers& source = SourceFichiers::disque());

QString RapportTexte(const Verification& v);
QByteArray RapportJson(const Verification& v);
