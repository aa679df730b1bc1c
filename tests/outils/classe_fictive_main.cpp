// Fills a folder with a class that played questionnaires, for the report's
// end-to-end test and its screenshot.
#include "support/classe_fictive.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.isEmpty()) {
        QTextStream(stderr) << "Usage : classe_fictive DOSSIER [ELEVES]\n";
        return 2;
    }
    ClasseFictive classe;
    if (arguments.size() > 1) classe.eleves = arguments[1].toInt();
    QTextStream(stdout) << GenererClasse(arguments[0], classe) << " essais\n";
    return 0;
}
