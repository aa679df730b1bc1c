#pragma once
#include "noyau/echange/echange.h"

// Question-bank files in and out of a library of questionnaire folders.
namespace Echange {

// A file read whole, its format recognised from its content; `erreur` when
// it cannot be read, is too large or is in no known format.
Lecture LireFichier(const QString& chemin);

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

}  // namespace Echange
