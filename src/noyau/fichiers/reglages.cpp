#include "noyau/fichiers/reglages.h"

#include "noyau/fichiers/fichiers.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace Reglages {

bool lireOuiNon(const QString& texte, bool defaut) {
    const QString mot = texte.trimmed().toLower();
    if (mot == "oui" || mot == "true" || mot == "1") return true;
    if (mot == "non" || mot == "false" || mot == "0") return false;
    return defaut;
}

namespace {
QString developper(const QString& chemin) {
    const QString propre = chemin.trimmed();
    if (propre == "~" || propre.startsWith("~/")) return QDir::homePath() + propre.mid(1);
    return propre;
}

// Copies what is missing of `source` into `cible`, leaving what is there.
void completer(const QString& source, const QString& cible) {
    QDirIterator parcours(source, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                          QDirIterator::Subdirectories);
    const QDir depart(source);
    while (parcours.hasNext()) {
        const QFileInfo element = parcours.nextFileInfo();
        const QString chemin = cible + '/' + depart.relativeFilePath(element.filePath());
        if (element.isDir())
            QDir().mkpath(chemin);
        else if (!QFileInfo::exists(chemin))
            QFile::copy(element.filePath(), chemin);
    }
}
}  // namespace

Valeurs lire() {
    QSettings fichier(QSettings::IniFormat, QSettings::UserScope, "korvane", "korvane");
    Valeurs valeurs;
    valeurs.bibliotheque = developper(fichier.value("Bibliotheque").toString());
    valeurs.changerResolution =
        lireOuiNon(fichier.value("ChangerResolution").toString(), valeurs.changerResolution);
    valeurs.resultats = developper(fichier.value("Resultats").toString());
    for (const auto& [variable, valeur] : {std::pair{"KORVANE_BIBLIOTHEQUE", &valeurs.bibliotheque},
                                           std::pair{"KORVANE_RESULTATS", &valeurs.resultats}}) {
        const QString environnement = developper(qEnvironmentVariable(variable));
        if (!environnement.isEmpty()) *valeur = environnement;
    }
    if (!valeurs.resultats.isEmpty()) valeurs.resultats = QDir::cleanPath(valeurs.resultats);
    return valeurs;
}

QStringList fichiersQuestionnaire(const QString& dossier) {
    QStringList dat;
    for (const QString& nom : QDir(dossier).entryList(QDir::Files | QDir::Hidden))
        if (nom.endsWith(".dat", Qt::CaseInsensitive)) dat << nom;
    return dat;
}

bool contientQuestionnaire(const QString& dossier) {
    for (const QString& nom : Fichiers::sousDossiers(dossier))
        if (!fichiersQuestionnaire(dossier + '/' + nom).isEmpty()) return true;
    return false;
}

QString choisirBibliotheque(const Emplacements& e) {
    if (!e.configuree.isEmpty()) return QDir::cleanPath(e.configuree);
    if (e.exemples.isEmpty() || contientQuestionnaire(e.programme)) return e.programme;
    if (!QFileInfo::exists(e.donnees)) completer(e.exemples, e.donnees);
    return e.donnees;
}

Emplacements emplacements(const Valeurs& valeurs) {
    Emplacements e;
    e.configuree = valeurs.bibliotheque;
    e.programme = Fichiers::dossierProgramme();
    e.donnees = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                "/korvane/bibliotheque";
    // Installed as bin/korvane beside share/korvane/exemples, wherever the
    // prefix is (a package extracted into a scratch folder too).
    const QString exemples = QDir::cleanPath(e.programme + "/../share/korvane/exemples");
    if (contientQuestionnaire(exemples)) e.exemples = exemples;
    return e;
}

}  // namespace Reglages
