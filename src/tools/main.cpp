// korvane-check: lets a teacher check a questionnaire folder before a class.
#include "questionnaire/verification.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    const bool json = arguments.removeAll("--json") > 0;
    QTextStream sortie(stdout);
    if (arguments.size() != 1) {
        QTextStream(stderr) << "Usage : korvane-check [--json] DOSSIER_DU_QUESTIONNAIRE\n";
        return 2;
    }
    const auto verification = VerifierDossier(arguments.first());
    if (json)
        sortie << QString::fromUtf8(RapportJson(*verification));
    else
        sortie << RapportTexte(*verification);
    return verification->codeSortie();
}
