#include "noyau/questionnaire/chemins.h"

#include "noyau/fichiers/fichiers.h"

#include <QDir>
#include <QFileInfo>

QString CheminsQuestionnaire::nom() const { return QFileInfo(dossier).fileName(); }

QString CheminDat(const QString& dossier, const QString& nom) {
    return dossier + u'/' + nom + QStringLiteral(".dat");
}

QString CheminIni(const QString& dat) { return dat.left(dat.size() - 4) + QStringLiteral(".ini"); }

CheminsQuestionnaire CheminsDuDossier(const QString& dossier) {
    const QString propre = QDir::cleanPath(dossier);
    return CheminsDuFichier(propre, CheminDat(propre, QFileInfo(propre).fileName()));
}

CheminsQuestionnaire CheminsDuFichier(const QString& dossier, const QString& dat) {
    return {dossier, dat, CheminIni(dat)};
}

QString CheminImage(const QString& dossier, const QString& nom) {
    return Fichiers::cheminEcrit(dossier + u'/' + SousDossierImages, nom);
}

QString CheminAide(const QString& dossier, const QString& nom) {
    if (nom.isEmpty()) return {};
    const QString debut = nom.left(3).toUpper();
    if (debut == "C:\\" || debut == "D:\\") return nom;
    return Fichiers::cheminEcrit(dossier + u'/' + SousDossierAide, nom);
}
