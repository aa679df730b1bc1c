#include "systeme/documents_bureau.h"

#include "noyau/fichiers/fichiers.h"

#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

#include <optional>
#include <utility>

namespace {

using Groupes = QHash<QString, QHash<QString, QString>>;

// Keys of an ini-like freedesktop file by group; localized keys are dropped.
Groupes lireGroupes(const QString& chemin) {
    Groupes groupes;
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly | QIODevice::Text)) return groupes;
    QTextStream flux(&fichier);
    flux.setEncoding(QStringConverter::Utf8);
    QString groupe;
    while (!flux.atEnd()) {
        const QString ligne = flux.readLine().trimmed();
        if (ligne.isEmpty() || ligne.startsWith('#')) continue;
        if (ligne.startsWith('[') && ligne.endsWith(']')) {
            groupe = ligne.mid(1, ligne.size() - 2);
            continue;
        }
        const qsizetype egal = ligne.indexOf('=');
        if (egal <= 0) continue;
        const QString cle = ligne.left(egal).trimmed();
        if (cle.contains('[')) continue;
        groupes[groupe].insert(cle, ligne.mid(egal + 1).trimmed());
    }
    return groupes;
}

QStringList liste(const QString& valeur) { return valeur.split(';', Qt::SkipEmptyParts); }

// The installed desktop entries, by desktop file id; the first folder of
// the search path wins for an id found in several.
QHash<QString, QString> entreesInstallees(const QStringList& dossiers) {
    QHash<QString, QString> entrees;
    for (const QString& dossier : dossiers) {
        QDirIterator it(dossier, {"*.desktop"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString chemin = it.next();
            const QString id = QDir(dossier).relativeFilePath(chemin).replace('/', '-');
            if (!entrees.contains(id)) entrees.insert(id, chemin);
        }
    }
    return entrees;
}

// The types each installed entry declares in its MimeType= line, by id in
// alphabetical order.
QList<std::pair<QString, QStringList>> typesDeclares(const QHash<QString, QString>& entrees) {
    QStringList ids = entrees.keys();
    ids.sort();
    QList<std::pair<QString, QStringList>> types;
    for (const QString& id : ids) {
        const Groupes groupes = lireGroupes(entrees.value(id));
        types.append({id, liste(groupes.value("Desktop Entry").value("MimeType"))});
    }
    return types;
}

// An entry that can really open a document for a pupil: an application,
// not hidden, not needing a terminal, whose program is installed.
bool utilisable(const QString& chemin) {
    const Groupes groupes = lireGroupes(chemin);
    const auto entree = groupes.value("Desktop Entry");
    if (entree.value("Type") != "Application") return false;
    if (entree.value("Hidden") == "true" || entree.value("Terminal") == "true") return false;
    const QStringList commande = OuvreurBureau::commandeExec(entree.value("Exec"), "x");
    if (commande.isEmpty()) return false;
    const QString programme = commande.first();
    if (programme.startsWith('/')) return QFileInfo(programme).isExecutable();
    return !QStandardPaths::findExecutable(programme).isEmpty();
}

// mimeapps.list files in the order of precedence of the freedesktop
// association rules.
QStringList fichiersAssociations(const QStringList& dossiersConfig,
                                 const QStringList& dossiersApplications) {
    QStringList fichiers;
    for (const QString& dossier : dossiersConfig) fichiers << dossier + "/mimeapps.list";
    for (const QString& dossier : dossiersApplications) fichiers << dossier + "/mimeapps.list";
    return fichiers;
}

// Splits an Exec= value into arguments: blanks separate them, double quotes
// group them, a backslash inside quotes escapes the next character.
QStringList decouperExec(const QString& exec) {
    QStringList arguments;
    QString courant;
    bool guillemets = false, present = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (guillemets) {
            if (c == '\\' && i + 1 < exec.size())
                courant += exec[++i];
            else if (c == '"')
                guillemets = false;
            else
                courant += c;
        } else if (c == '"') {
            guillemets = present = true;
        } else if (c == ' ' || c == '\t') {
            if (present) arguments << courant;
            courant.clear();
            present = false;
        } else {
            courant += c;
            present = true;
        }
    }
    if (present) arguments << courant;
    return arguments;
}

}  // namespace

QStringList OuvreurBureau::commandeExec(const QString& exec, const QString& fichier) {
    // String escapes of desktop files come before the quoting rules.
    QString valeur;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (exec[i] == '\\' && i + 1 < exec.size()) {
            const QChar suivant = exec[i + 1];
            if (suivant == 's') {
                valeur += ' ';
                ++i;
                continue;
            }
            if (suivant == 't') {
                valeur += '\t';
                ++i;
                continue;
            }
            if (suivant == 'n' || suivant == 'r') {
                ++i;
                continue;
            }
        }
        valeur += exec[i];
    }
    QStringList commande;
    bool place = false;
    for (const QString& argument : decouperExec(valeur)) {
        if (argument == "%f" || argument == "%F" || argument == "%u" || argument == "%U") {
            if (!place) {
                commande << (argument.endsWith('u', Qt::CaseInsensitive)
                                 ? QUrl::fromLocalFile(fichier).toString()
                                 : fichier);
                place = true;
            }
            continue;
        }
        // Icon, name, entry path and deprecated codes stand alone and vanish.
        if (argument.size() == 2 && argument[0] == '%' && argument[1] != '%') continue;
        QString texte;
        for (qsizetype i = 0; i < argument.size(); ++i) {
            if (argument[i] == '%' && i + 1 < argument.size()) {
                if (argument[i + 1] == '%') texte += '%';
                ++i;
                continue;
            }
            texte += argument[i];
        }
        commande << texte;
    }
    if (!commande.isEmpty() && !place) commande << fichier;
    return commande;
}

QString OuvreurBureau::applicationAssociee(const QString& chemin) {
    return applicationAssociee(
        chemin, QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation),
        QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation));
}

QString OuvreurBureau::applicationAssociee(const QString& chemin, const QStringList& dossiersConfig,
                                           const QStringList& dossiersApplications) {
    const QMimeDatabase base;
    const QMimeType type = base.mimeTypeForFile(chemin);
    QStringList types{type.name()};
    types << type.allAncestors();
    // Every type descends from the generic binary type; an application that
    // claims it would claim every document.
    types.removeAll("application/octet-stream");
    if (types.isEmpty()) return {};

    const QHash<QString, QString> entrees = entreesInstallees(dossiersApplications);
    QList<Groupes> associations;
    for (const QString& fichier : fichiersAssociations(dossiersConfig, dossiersApplications))
        associations << lireGroupes(fichier);

    // Read at the first type the association files leave open, and kept for
    // the parent types.
    std::optional<QList<std::pair<QString, QStringList>>> declarations;

    for (const QString& mime : types) {
        QSet<QString> retirees;
        for (const Groupes& groupes : associations) {
            for (const QString& id : liste(groupes.value("Removed Associations").value(mime)))
                retirees.insert(id);
        }
        for (const char* groupe : {"Default Applications", "Added Associations"}) {
            for (const Groupes& groupes : associations)
                for (const QString& id : liste(groupes.value(groupe).value(mime)))
                    if (!retirees.contains(id) && entrees.contains(id) &&
                        utilisable(entrees.value(id)))
                        return entrees.value(id);
        }
        if (!declarations) declarations = typesDeclares(entrees);
        for (const auto& [id, mimes] : *declarations) {
            if (retirees.contains(id) || !mimes.contains(mime)) continue;
            const QString entree = entrees.value(id);
            if (utilisable(entree)) return entree;
        }
    }
    return {};
}

OuvreurDocuments::Resultat OuvreurBureau::ouvrir(const QString& chemin) {
    const QString fichier = QFileInfo(Fichiers::resoudre(chemin)).absoluteFilePath();
    if (!QFileInfo(fichier).isFile()) return Resultat::Echec;
    const QString entree = applicationAssociee(fichier);
    if (entree.isEmpty()) return Resultat::AucuneApplication;
    if (!QStandardPaths::findExecutable("xdg-open").isEmpty() &&
        QDesktopServices::openUrl(QUrl::fromLocalFile(fichier)))
        return Resultat::Ouvert;
    QStringList commande =
        commandeExec(lireGroupes(entree).value("Desktop Entry").value("Exec"), fichier);
    if (commande.isEmpty()) return Resultat::Echec;
    const QString programme = commande.takeFirst();
    return QProcess::startDetached(programme, commande, Fichiers::dossierProgramme())
               ? Resultat::Ouvert
               : Resultat::Echec;
}
