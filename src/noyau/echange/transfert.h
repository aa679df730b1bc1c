#pragma once
#include "noyau/echange/echange.h"

// Question-bank files in and out of a library of questionnaire folders.
namespace Echange {

// A file read whole, its format recognised from its content; `erreur` when
// it cannot be read, is too large or is in no known format.
LectureBanque LireFichier(const QString& chemin);

// The folder of a questionnaire titled so: capitals without accents, any
// other character as '_'.
QString NomDeDossier(const QString& titre);

// Writes the banks of one file as new questionnaire folders of
// `bibliotheque`, 99 questions at most each, never over an existing folder;
// their names go to `dossiers`. Whole or nothing: on a failure the folders
// made are removed and the reason is returned, in French.
QString Installer(const QVector<Banque>& banques, const QString& bibliotheque,
                  QStringList* dossiers);

// The questionnaire folders among `chemins`: a questionnaire folder itself,
// or those a library holds.
QStringList DossiersQuestionnaires(const QStringList& chemins);

// A questionnaire folder as a bank named by its title, with its pictures;
// what cannot be carried over is said in `remarques`.
Banque BanqueDuDossier(const QString& dossier, QStringList* remarques);
// The same for a questionnaire held in memory, its pictures in `dossier`.
Banque BanqueDe(const Questionnaire& q, const QString& dossier, QStringList* remarques);

// One file imported into `bibliotheque`, whole or not at all.
struct Import {
    QStringList dossiers;   // the folders made
    QStringList remarques;  // skipped questions, dropped partial credit
    int importees = 0, ignorees = 0;
    QString erreur;  // why nothing was imported
};
Import Importer(const QString& fichier, const QString& bibliotheque);

// The banks written to `chemin` in `format` (a writing one), atomically; the
// reason in French on failure. What the format cannot carry is said in
// `remarques`.
QString Exporter(const QVector<Banque>& banques, const Format& format, const QString& chemin,
                 QStringList* remarques);

}  // namespace Echange
