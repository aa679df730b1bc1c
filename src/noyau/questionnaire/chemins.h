#pragma once
#include <QString>

// Where a questionnaire's files lie. The folder NAME holds NAME.dat, its
// companion NAME.ini, the pictures in "Images" and the help documents in
// "Fichiers d'aide"; names written in the files use Windows separators.
inline const QString SousDossierImages = QStringLiteral("Images");
inline const QString SousDossierAide = QStringLiteral("Fichiers d'aide");

struct CheminsQuestionnaire {
    QString dossier;
    QString dat;
    QString ini;
    // NAME, the folder's name.
    QString nom() const;
};

// NAME.dat in `dossier`.
QString CheminDat(const QString& dossier, const QString& nom);
// The companion of a questionnaire file: its path less the last four characters, then ".ini".
QString CheminIni(const QString& dat);

// NAME/NAME.dat and NAME/NAME.ini for the folder NAME.
CheminsQuestionnaire CheminsDuDossier(const QString& dossier);
// The questionnaire file `dat` of `dossier`, its companion beside it.
CheminsQuestionnaire CheminsDuFichier(const QString& dossier, const QString& dat);

// A picture named in the companion file.
QString CheminImage(const QString& dossier, const QString& nom);
// The help document named in the companion file: a name starting with a
// drive (C:\ or D:\) is kept as written.
QString CheminAide(const QString& dossier, const QString& nom);
