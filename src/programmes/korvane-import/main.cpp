// korvane-import: question banks of other tools (GIFT, Moodle XML, Aiken)
// turned into questionnaire folders.
#include "noyau/echange/transfert.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace {

const QString Usage = QStringLiteral(
    "Usage : korvane-import [--vers DOSSIER] FICHIER...\n"
    "Lit des banques de questions (GIFT, Moodle XML, Aiken ; le format est reconnu\n"
    "d'après le contenu) et écrit un dossier de questionnaire par catégorie dans\n"
    "DOSSIER (par défaut le dossier courant), sans jamais remplacer un dossier existant.\n"
    "Sortie : 0 tout est importé, 1 des questions sont ignorées, 2 rien n'est importé.\n");

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTextStream sortie(stdout), erreurs(stderr);
    QString vers = ".";
    QStringList fichiers;
    const QStringList arguments = application.arguments().mid(1);
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == "--vers" && i + 1 < arguments.size()) {
            vers = arguments[++i];
        } else if (a.startsWith("-")) {
            erreurs << Usage;
            return a == "--help" || a == "-h" ? 0 : 2;
        } else {
            fichiers << a;
        }
    }
    if (fichiers.isEmpty()) {
        erreurs << Usage;
        return 2;
    }
    int importees = 0;
    bool manques = false;
    for (const QString& fichier : fichiers) {
        const QString nom = QDir::toNativeSeparators(fichier);
        const Echange::Import i = Echange::Importer(fichier, vers);
        for (const QString& r : i.remarques) erreurs << nom << " : " << r << '\n';
        manques = manques || i.ignorees > 0 || !i.erreur.isEmpty();
        if (!i.erreur.isEmpty())
            erreurs << nom << " : " << i.erreur << " ; rien n'est importé de ce fichier.\n";
        importees += i.importees;
        for (const QString& d : i.dossiers)
            sortie << QDir::toNativeSeparators(QDir(vers).filePath(d)) << '\n';
    }
    sortie.flush();
    erreurs << QStringLiteral("%1 questions importées.\n").arg(importees);
    if (importees == 0) return 2;
    return manques ? 1 : 0;
}
