// korvane-bilan: gathers a class's results files and answer journals into a
// spreadsheet and a report page.
#include "noyau/resultats/eleves.h"
#include "noyau/resultats/rapport.h"
#include "noyau/resultats/releve.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace {

const QString Usage = QStringLiteral(
    "Usage : korvane-bilan [--csv FICHIER] [--html FICHIER] [--notes FICHIER]\n"
    "                      [--liste FICHIER] [--essai premier|meilleur|dernier] DOSSIER...\n"
    "Rassemble les fichiers de résultats (.rst) et les journaux d'essais des dossiers\n"
    "donnés (bibliothèque, dossier d'un questionnaire ou copies de plusieurs postes).\n"
    "Sans --csv, --html ni --notes, écrit bilan.csv et bilan.html dans le dossier courant.\n"
    "--notes : une note par élève et questionnaire, pour le cahier de notes.\n"
    "--liste : la liste des élèves (identifiant;nom;prenom;classe) exportée par l'école.\n"
    "--essai : l'essai complet qui donne la note (par défaut, le premier).\n");

QString ecrire(const QString& chemin, const QByteArray& octets) {
    QSaveFile fichier(chemin);
    if (fichier.open(QIODevice::WriteOnly) && fichier.write(octets) == octets.size() &&
        fichier.commit())
        return {};
    return fichier.errorString();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTextStream sortie(stdout), erreurs(stderr);
    QHash<QString, QString> options;
    QStringList dossiers;
    const QStringList arguments = application.arguments().mid(1);
    const QStringList avecValeur{"--csv", "--html", "--notes", "--liste", "--essai"};
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (avecValeur.contains(a) && i + 1 < arguments.size())
            options[a] = arguments[++i];
        else if (a.startsWith("--") || a == "-h") {
            erreurs << Usage;
            return a == "--help" || a == "-h" ? 0 : 2;
        } else
            dossiers << a;
    }
    if (dossiers.isEmpty()) {
        erreurs << Usage;
        return 2;
    }
    QString csv = options.value("--csv"), html = options.value("--html"),
            notes = options.value("--notes");
    if (csv.isEmpty() && html.isEmpty() && notes.isEmpty()) csv = "bilan.csv", html = "bilan.html";
    const auto regle = Resultats::LireRegle(options.value("--essai", "premier"));
    if (!regle) {
        erreurs << QStringLiteral("--essai : « premier », « meilleur » ou « dernier »\n");
        return 2;
    }
    std::optional<Resultats::ListeClasse> liste;
    if (options.contains("--liste")) {
        const QString chemin = options.value("--liste");
        QFile fichier(chemin);
        QString raison;
        if (fichier.open(QIODevice::ReadOnly))
            liste = Resultats::LireListe(fichier.readAll(), &raison);
        else
            raison = fichier.errorString();
        if (!liste) {
            erreurs << QDir::toNativeSeparators(chemin) << " : " << raison << '\n';
            return 2;
        }
    }
    const Resultats::ListeClasse* inscrits = liste ? &*liste : nullptr;

    // A school's year takes a while: the teacher sees it is moving.
    QElapsedTimer chrono;
    chrono.start();
    bool progression = false;
    const Resultats::Releve releve =
        Resultats::Rassembler(dossiers, [&](qsizetype lus, qsizetype total) {
            if (chrono.elapsed() < 2000) return;
            progression = true;
            erreurs << QStringLiteral("\rLecture des fichiers : %1 / %2").arg(lus).arg(total);
            erreurs.flush();
        });
    if (progression) erreurs << QStringLiteral("\rLecture des fichiers : terminée.") << '\n';
    // Writing takes about twice as long as reading.
    if (chrono.elapsed() > 700)
        erreurs << QStringLiteral("Écriture du tableau et du bilan…") << Qt::endl;
    for (const QString& erreur : releve.erreurs) erreurs << erreur << '\n';
    if (releve.codeSortie() == 2) {
        erreurs << QStringLiteral("Rien n'a pu être lu : ni tableau ni bilan n'ont été écrits.\n");
        return 2;
    }
    const auto produire = [&](const QString& chemin, const QByteArray& octets,
                              const QString& quoi) {
        if (chemin.isEmpty()) return true;
        const QString raison = ecrire(chemin, octets);
        if (!raison.isEmpty())
            erreurs << QStringLiteral("%1 : écriture impossible (%2)\n")
                           .arg(QDir::toNativeSeparators(chemin), raison);
        else
            sortie << quoi << QDir::toNativeSeparators(QFileInfo(chemin).absoluteFilePath())
                   << '\n';
        return raison.isEmpty();
    };
    const bool ecrits =
        produire(csv, Resultats::TexteCsv(releve), QStringLiteral("Tableau des notes : ")) &
        produire(html, Resultats::RapportHtml(releve, *regle, inscrits).toUtf8(),
                 QStringLiteral("Bilan de la classe : ")) &
        produire(notes, Resultats::TexteNotes(Resultats::NotesEleves(releve, *regle, inscrits)),
                 QStringLiteral("Cahier de notes : "));
    erreurs << Resultats::Compte(Resultats::LignesEssais(releve).size(), "essai lu.", "essais lus.")
            << '\n';
    return ecrits ? releve.codeSortie() : 2;
}
