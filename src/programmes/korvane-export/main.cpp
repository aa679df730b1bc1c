// korvane-export: questionnaires written as a question bank (GIFT or
// Moodle XML) for other tools.
#include "noyau/echange/transfert.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {

const QString Usage = QStringLiteral(
    "Usage : korvane-export --format gift|moodle DOSSIER... [-o FICHIER]\n"
    "Écrit les questionnaires des DOSSIERs (un questionnaire ou une bibliothèque\n"
    "entière) en une banque de questions GIFT ou Moodle XML, une catégorie par\n"
    "questionnaire, dans FICHIER ou sur la sortie standard.\n");

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTextStream erreurs(stderr);
    QString format, sortie;
    QStringList chemins;
    const QStringList arguments = application.arguments().mid(1);
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == "--format" && i + 1 < arguments.size()) {
            format = arguments[++i];
        } else if (a == "-o" && i + 1 < arguments.size()) {
            sortie = arguments[++i];
        } else if (a.startsWith("-")) {
            erreurs << Usage;
            return a == "--help" || a == "-h" ? 0 : 2;
        } else {
            chemins << a;
        }
    }
    const Echange::Format* f = Echange::FormatNomme(format);
    if (!f || !f->ecrit() || chemins.isEmpty()) {
        erreurs << Usage;
        return 2;
    }
    const QStringList dossiers = Echange::DossiersQuestionnaires(chemins);
    if (dossiers.isEmpty()) {
        erreurs << QStringLiteral("Aucun dossier de questionnaire parmi les dossiers donnés.\n");
        return 2;
    }
    QVector<Echange::Banque> banques;
    QStringList remarques;
    for (const QString& d : dossiers) banques << Echange::BanqueDuDossier(d, &remarques);
    if (sortie.isEmpty()) {
        const QByteArray octets = f->ecrire(banques, &remarques);
        for (const QString& r : remarques) erreurs << r << '\n';
        QFile standard;
        if (!standard.open(stdout, QIODevice::WriteOnly) || standard.write(octets) != octets.size())
            return 2;
    } else {
        const QString raison = Echange::Exporter(banques, *f, sortie, &remarques);
        for (const QString& r : remarques) erreurs << r << '\n';
        if (!raison.isEmpty()) {
            erreurs << QDir::toNativeSeparators(sortie) << " : " << raison << '\n';
            return 2;
        }
    }
    erreurs << QStringLiteral("%1 questionnaires exportés.\n").arg(banques.size());
    return remarques.isEmpty() ? 0 : 1;
}
