#pragma once
#include <QString>
#include <QStringList>

// A class that played questionnaires, made with the quiz's own judgment, the
// results record's own text and the journal's own lines: for the report's
// tests, its benchmark and its screenshot.
struct ClasseFictive {
    QStringList questionnaires{"PLANETES", "VOLCANS"};
    int eleves = 25;
    int classes = 2;    // pupils shared out among 3A, 3B...
    int essaisMax = 2;  // attempts of a run, 1 to this
    unsigned graine = 2026;
};

// Writes into `bibliotheque` one folder per questionnaire (its .dat, the
// pupils' results files and their "Essais" journals). Returns how many
// records were written.
int GenererClasse(const QString& bibliotheque, const ClasseFictive& classe);
