#include "noyau/questionnaire/bibliotheque.h"

#include "noyau/fichiers/fichiers.h"
#include "noyau/questionnaire/chemins.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace Bibliotheque {

QStringList ordonner(const QStringList& noms) {
    QStringList visibles;
    for (const QString& nom : noms)
        if (!nom.isEmpty() && !nom.startsWith(u'.')) visibles << nom;

    QCollator collation{QLocale(QLocale::French, QLocale::France)};
    collation.setCaseSensitivity(Qt::CaseInsensitive);
    collation.setNumericMode(false);
    // Names that only differ by case still come in a fixed order, whatever
    // order the file system enumerates them in.
    std::stable_sort(visibles.begin(), visibles.end(), [&](const QString& a, const QString& b) {
        const int ordre = collation.compare(a, b);
        return ordre != 0 ? ordre < 0 : a < b;
    });
    if (visibles.size() > MaxThemes) visibles.resize(MaxThemes);
    return visibles;
}

QStringList ListerThemes(const QString& dossier) {
    return ordonner(Fichiers::sousDossiers(dossier));
}

Choix choisir(const QString& bibliotheque, const QString& nom) {
    Choix choix;
    choix.DossierQuestionnaire = bibliotheque + u'/' + nom;
    choix.CheminQuestionnaire = CheminDat(choix.DossierQuestionnaire, nom);
    return choix;
}

QString texteInstructions() {
    return QStringLiteral("Sélectionner dans la bibliothèque ci-dessous\r\nle QCM à réaliser.");
}

QString texteIntrouvable(const QString& bibliotheque) {
    return QStringLiteral("La bibliothèque de questionnaires est introuvable :\r\n") +
           bibliotheque + QStringLiteral("\r\nPrévenez le professeur.");
}

QString texteChoix(const QString& nom) {
    return QStringLiteral("Questionnaire choisi : \r\n") + nom +
           QStringLiteral("\r\nPour continuer, cliquer sur Lancer le QCM");
}

}  // namespace Bibliotheque
