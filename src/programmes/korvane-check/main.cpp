// korvane-check: lets a teacher check a questionnaire folder, or a whole
// library of them, before a class.
#include "images/images.h"
#include "noyau/questionnaire/bibliotheque.h"
#include "noyau/questionnaire/verification.h"

#include <QCoreApplication>
#include <QTextStream>

#include <algorithm>

namespace {
const char* const Usage =
    "Usage : korvane-check [--json] DOSSIER\n"
    "Vérifie un questionnaire (un dossier NOM qui contient NOM.dat et NOM.ini)\n"
    "ou toute une bibliothèque (un dossier de questionnaires).\n"
    "  --json   ce qui a été lu du questionnaire, en JSON\n"
    "  --help   cette aide\n"
    "Code de sortie : 0 rien à signaler, 1 des remarques, 2 un questionnaire ne peut pas "
    "démarrer.\n";

// Each questionnaire's remarks, then one summary line per questionnaire, in
// the order of the library screen.
int verifierBibliotheque(const QString& dossier, QTextStream& sortie) {
    int code = 0;
    QStringList resume;
    for (const QString& nom : Bibliotheque::ListerThemes(dossier)) {
        const auto v = VerifierDossier(dossier + '/' + nom, Images::examiner);
        if (v->codeSortie() != 0) sortie << "== " << nom << "\n" << RapportTexte(*v) << "\n";
        resume << LigneResume(nom, *v);
        code = std::max(code, v->codeSortie());
    }
    sortie << resume.join('\n') << '\n';
    return code;
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    QTextStream sortie(stdout);
    if (arguments.contains("--help") || arguments.contains("-h")) {
        sortie << QString::fromUtf8(Usage);
        return 0;
    }
    const bool json = arguments.removeAll("--json") > 0;
    if (arguments.size() != 1 || arguments.first().startsWith("--")) {
        QTextStream(stderr) << QString::fromUtf8(Usage);
        return 2;
    }
    const QString dossier = arguments.first();
    if (!json && EstBibliotheque(dossier)) return verifierBibliotheque(dossier, sortie);
    const auto verification = VerifierDossier(dossier, Images::examiner);
    if (json)
        sortie << QString::fromUtf8(RapportJson(*verification));
    else
        sortie << RapportTexte(*verification);
    return verification->codeSortie();
}
