#pragma once
#include <QString>
#include <QStringList>

// What a teacher may configure for a classroom: where the library is, and
// whether the display is switched to 800 x 600. Read from the INI settings
// file korvane/korvane.ini (system-wide in /etc/xdg, per user in
// ~/.config, the user's file winning), the environment variable
// KORVANE_BIBLIOTHEQUE overriding the library and KORVANE_RESULTATS the
// drop folder of the results.
namespace Reglages {

struct Valeurs {
    QString bibliotheque;  // empty: none configured
    QString resultats;     // drop folder of the results; empty: beside each questionnaire
    bool changerResolution = true;
};

Valeurs lire();

// "oui"/"non" as a teacher writes them (also true/false, 1/0); anything
// else keeps `defaut`.
bool lireOuiNon(const QString& texte, bool defaut);

// The places a library can come from.
struct Emplacements {
    QString configuree;  // from the settings or the environment
    QString programme;   // folder of the executable
    QString donnees;     // the user's own library, in their data folder
    QString exemples;    // the installed sample library; empty when none
};

// The configured library; else the program's folder when it holds a
// questionnaire (a portable folder); else, for an installed program, the
// user's own library, filled with the installed examples when it does not
// exist yet, so that results can be written.
QString choisirBibliotheque(const Emplacements& emplacements);

// The questionnaire files (.dat, any case) of a folder.
QStringList fichiersQuestionnaire(const QString& dossier);

// Whether one of the folder's sub-folders holds a questionnaire file.
bool contientQuestionnaire(const QString& dossier);

// The emplacements of this program as installed or built.
Emplacements emplacements(const Valeurs& valeurs);

}  // namespace Reglages
