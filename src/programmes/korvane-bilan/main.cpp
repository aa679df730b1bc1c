// korvane-bilan: gathers a class's results files and answer journals into a
// spreadsheet and a report page.
#include "noyau/fichiers/fichiers.h"
#include "noyau/resultats/eleves.h"
#include "noyau/resultats/rapport.h"
#include "noyau/resultats/releve.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSaveFile>
#include <QTextStream>
#include <QtConcurrent/QtConcurrentMap>

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

using Ecriture = std::function<void(QTextStream&)>;

// Written as it is made, then put in place whole.
QString ecrire(const QString& chemin, const Ecriture& ecriture) {
    QSaveFile fichier(chemin);
    if (fichier.open(QIODevice::WriteOnly)) {
        QTextStream texte(&fichier);
        ecriture(texte);
        texte.flush();
        if (texte.status() == QTextStream::Ok && fichier.commit()) return {};
    }
    return fichier.errorString();
}

// The command line: the folders and the options that take a value. An exit
// code when the program is to stop there.
struct Appel {
    QHash<QString, QString> options;
    QStringList dossiers;
    std::optional<int> sortie;
};

Appel lireAppel(const QStringList& arguments, QTextStream& erreurs) {
    Appel appel;
    const QStringList avecValeur{"--csv", "--html", "--notes", "--liste", "--essai"};
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (avecValeur.contains(a) && i + 1 < arguments.size())
            appel.options[a] = arguments[++i];
        else if (a.startsWith("--") || a == "-h") {
            erreurs << Usage;
            appel.sortie = a == "--help" || a == "-h" ? 0 : 2;
            return appel;
        } else
            appel.dossiers << a;
    }
    if (appel.dossiers.isEmpty()) erreurs << Usage, appel.sortie = 2;
    return appel;
}

// The class list at `chemin`, or why it cannot be read.
std::optional<Resultats::ListeClasse> lireListe(const QString& chemin, QTextStream& erreurs) {
    constexpr qint64 MaxOctetsListe = 16 << 20;  // a whole school, many times over
    const Fichiers::Contenu lu = Fichiers::LireEntier(chemin, MaxOctetsListe);
    QString raison = "le fichier " + lu.erreur;
    std::optional<Resultats::ListeClasse> liste;
    if (lu.erreur.isEmpty()) liste = Resultats::LireListe(lu.octets, &raison);
    if (!liste) erreurs << QDir::toNativeSeparators(chemin) << " : " << raison << '\n';
    return liste;
}

// A school's year takes a while: the teacher sees it is moving.
Resultats::Releve rassembler(const QStringList& dossiers, QTextStream& erreurs) {
    QElapsedTimer chrono;
    chrono.start();
    bool progression = false;
    Resultats::Releve releve = Resultats::Rassembler(dossiers, [&](qsizetype lus, qsizetype total) {
        if (chrono.elapsed() < 2000) return;
        progression = true;
        erreurs << QStringLiteral("\rLecture des fichiers : %1 / %2").arg(lus).arg(total);
        erreurs.flush();
    });
    if (progression) erreurs << QStringLiteral("\rLecture des fichiers : terminée.") << '\n';
    // Writing takes about twice as long as reading.
    if (chrono.elapsed() > 700)
        erreurs << QStringLiteral("Écriture du tableau et du bilan…") << Qt::endl;
    return releve;
}

struct Produit {
    QString chemin;  // empty when not asked for
    Ecriture ecriture;
    QString quoi;
};

// Writes the outputs asked for side by side, a year's page taking a while,
// then says where each went or why not.
bool produire(const QVector<Produit>& produits, QTextStream& sortie, QTextStream& erreurs) {
    const QStringList raisons =
        QtConcurrent::blockingMapped<QStringList>(produits, [](const Produit& p) {
            return p.chemin.isEmpty() ? QString() : ecrire(p.chemin, p.ecriture);
        });
    bool ecrits = true;
    for (qsizetype i = 0; i < produits.size(); ++i) {
        const QString& chemin = produits[i].chemin;
        if (chemin.isEmpty()) continue;
        if (!raisons[i].isEmpty())
            erreurs << QStringLiteral("%1 : écriture impossible (%2)\n")
                           .arg(QDir::toNativeSeparators(chemin), raisons[i]);
        else
            sortie << produits[i].quoi
                   << QDir::toNativeSeparators(QFileInfo(chemin).absoluteFilePath()) << '\n';
        ecrits = ecrits && raisons[i].isEmpty();
    }
    return ecrits;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTextStream sortie(stdout), erreurs(stderr);
    const Appel appel = lireAppel(application.arguments().mid(1), erreurs);
    if (appel.sortie) return *appel.sortie;
    QString csv = appel.options.value("--csv"), html = appel.options.value("--html"),
            notes = appel.options.value("--notes");
    if (csv.isEmpty() && html.isEmpty() && notes.isEmpty()) csv = "bilan.csv", html = "bilan.html";
    const auto regle = Resultats::LireRegle(appel.options.value("--essai", "premier"));
    if (!regle) {
        erreurs << QStringLiteral("--essai : « premier », « meilleur » ou « dernier »\n");
        return 2;
    }
    std::optional<Resultats::ListeClasse> liste;
    if (appel.options.contains("--liste")) {
        liste = lireListe(appel.options.value("--liste"), erreurs);
        if (!liste) return 2;
    }
    const Resultats::ListeClasse* inscrits = liste ? &*liste : nullptr;

    const Resultats::Releve releve = rassembler(appel.dossiers, erreurs);
    for (const QString& erreur : releve.erreurs) erreurs << erreur << '\n';
    if (releve.codeSortie() == 2) {
        erreurs << QStringLiteral("Rien n'a pu être lu : ni tableau ni bilan n'ont été écrits.\n");
        return 2;
    }
    const QVector<Resultats::NoteEleve> parEleve = Resultats::NotesEleves(releve, *regle, inscrits);
    const bool ecrits =
        produire({{csv, [&](QTextStream& texte) { Resultats::EcrireCsv(texte, releve); },
                   QStringLiteral("Tableau des notes : ")},
                  {html,
                   [&](QTextStream& texte) {
                       Resultats::EcrireRapportHtml(texte, releve, parEleve, *regle, inscrits);
                   },
                   QStringLiteral("Bilan de la classe : ")},
                  {notes, [&](QTextStream& texte) { Resultats::EcrireNotes(texte, parEleve); },
                   QStringLiteral("Cahier de notes : ")}},
                 sortie, erreurs);
    erreurs << Resultats::Compte(releve.lignes.size(), "essai lu.", "essais lus.") << '\n';
    return ecrits ? releve.codeSortie() : 2;
}
