#pragma once
#include <QString>
#include <QStringList>

// A class that played questionnaires, judged, recorded and journalled by the
// program's own code: for the report's tests, its benchmark and its screenshot.
struct ClasseFictive {
    QStringList questionnaires{"PLANETES", "VOLCANS"};
    int eleves = 25;
    int classes = 2;    // pupils shared out among 3A, 3B...
    int essaisMax = 2;  // attempts of a run, 1 to this
    unsigned graine = 2026;
};

// One folder per questionnaire in `bibliotheque`: its .dat, the pupils'
// results files and "Essais" journals. Returns how many records were written.
int GenererClasse(const QString& bibliotheque, const ClasseFictive& classe);
