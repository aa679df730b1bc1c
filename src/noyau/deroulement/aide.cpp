#include "noyau/deroulement/aide.h"

#include "noyau/fichiers/fichiers.h"

#include <QFileInfo>

namespace {
const QString TitreAide = QStringLiteral("AVERTISSEMENT CRITIQUE");

QString nomDuFichier(const QString& document) {
    return QFileInfo(QString(document).replace('\\', '/')).fileName();
}
}  // namespace

void Ouvrir_aide(QuizState& s, Services& services, QWidget* parent) {
    const QString document = s.FichierAide;
    if (document.isEmpty()) return;
    const QString nom = nomDuFichier(document);
    // A platform help file has no viewer of its own here: it goes to
    // whatever application the desktop associates with it, like any document.
    const bool aideWindows = document.right(3).toLower() == "hlp";
    if (aideWindows) s.AideWinHelp = document;

    const QString chemin = Fichiers::resoudre(document);
    if (!QFileInfo(chemin).isFile()) {
        services.dialogues.afficher(
            QString("Le fichier d'aide « %1 » est introuvable. Prévenez le professeur.").arg(nom),
            TitreAide, Style::OkCritique, parent);
        return;
    }
    switch (services.documents.ouvrir(chemin)) {
    case OuvreurDocuments::Resultat::Ouvert: return;
    case OuvreurDocuments::Resultat::AucuneApplication:
        if (aideWindows)
            services.dialogues.afficher(
                QString("Le fichier d'aide « %1 » est au format de l'aide de Windows : aucune "
                        "application de cet ordinateur ne sait l'ouvrir. Prévenez le professeur.")
                    .arg(nom),
                TitreAide, Style::OkCritique, parent);
        else
            services.dialogues.afficher(
                "L'ouverture du fichier d'aide choisi a échouée. Prévenez le professeur.\r\n"
                "Fichier : " +
                    nom,
                TitreAide, Style::OkCritique, parent);
        return;
    case OuvreurDocuments::Resultat::Echec:
        services.dialogues.afficher(
            QString("Le fichier d'aide « %1 » n'a pas pu être ouvert. Prévenez le professeur.")
                .arg(nom),
            TitreAide, Style::OkCritique, parent);
        return;
    }
}
