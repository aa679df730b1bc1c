#pragma once
#include <QString>
#include <QStringList>

// The library beside the program: one folder per questionnaire.
namespace Bibliotheque {

constexpr int MaxThemes = 100;

// The names a listing shows: hidden folders (names beginning with ".") left
// out, the rest in French order (case and accents compared as a reader
// would), at most MaxThemes of them.
QStringList ordonner(const QStringList& noms);

// The questionnaire folders of `dossier`, as `ordonner` gives them.
QStringList ListerThemes(const QString& dossier);

struct Choix {
    QString DossierQuestionnaire;
    QString CheminQuestionnaire;
};

// The folder and the questionnaire file of the theme `nom`.
Choix choisir(const QString& bibliotheque, const QString& nom);

QString texteInstructions();
// Said instead when the library folder is not there (a share not mounted).
QString texteIntrouvable(const QString& bibliotheque);
QString texteChoix(const QString& nom);

}  // namespace Bibliotheque
