#include "noyau/questionnaire/edition.h"

#include "noyau/fichiers/fichiers.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Edition {

namespace {

constexpr int LongueurMaxNom = 60;

QByteArray empreinte(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(&f);
    return h.result();
}

QString sansAccents(const QString& texte) {
    QString resultat;
    for (const QChar c : texte.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing) resultat += c;
    return resultat;
}

}  // namespace

QString NomSur(const QString& nom) {
    const QFileInfo info(nom);
    auto nettoyer = [](const QString& texte) {
        QString propre;
        for (const QChar c : sansAccents(texte)) {
            const bool permis = (c.isLetterOrNumber() && c.unicode() < 128) || c == '-' || c == '_';
            propre += permis ? c : QChar('_');
        }
        return propre;
    };
    QString base = nettoyer(info.completeBaseName()).left(LongueurMaxNom);
    if (base.isEmpty()) base = "fichier";
    const QString extension = nettoyer(info.suffix()).toLower();
    return extension.isEmpty() ? base : base + "." + extension;
}

QString CopierDans(const QString& source, const QString& dossier, QString* erreur) {
    if (!QDir().mkpath(dossier)) {
        *erreur = QString("le dossier %1 ne peut pas être créé").arg(dossier);
        return {};
    }
    const QFileInfo sur(NomSur(QFileInfo(source).fileName()));
    const QByteArray contenu = empreinte(source);
    for (int n = 1; n < 1000; ++n) {
        const QString nom =
            n == 1 ? sur.fileName()
                   : QString("%1_%2.%3").arg(sur.completeBaseName()).arg(n).arg(sur.suffix());
        const QString cible = Fichiers::resoudre(dossier + "/" + nom);
        if (QFileInfo::exists(cible)) {
            if (empreinte(cible) == contenu) return QFileInfo(cible).fileName();
            continue;
        }
        if (QFile::copy(source, cible)) return nom;
        *erreur =
            QString("%1 ne peut pas être copié dans %2").arg(QFileInfo(source).fileName(), dossier);
        return {};
    }
    *erreur = QString("trop de fichiers nommés %1").arg(sur.fileName());
    return {};
}

int AjouterQuestion(Questionnaire& e, int apres) {
    const int index = std::clamp(apres + 1, 0, int(e.questions.size()));
    Question nouvelle;
    nouvelle.reponses = {QString(), QString()};
    nouvelle.justes = {false, false};
    e.questions.insert(index, nouvelle);
    return index;
}

int DupliquerQuestion(Questionnaire& e, int index) {
    if (index < 0 || index >= e.questions.size()) return index;
    e.questions.insert(index + 1, e.questions[index]);
    return index + 1;
}

int SupprimerQuestion(Questionnaire& e, int index) {
    if (index < 0 || index >= e.questions.size()) return index;
    e.questions.removeAt(index);
    return std::min(index, int(e.questions.size()) - 1);
}

int DeplacerQuestion(Questionnaire& e, int de, int vers) {
    const int n = e.questions.size();
    if (de < 0 || de >= n) return de;
    vers = std::clamp(vers, 0, n - 1);
    e.questions.move(de, vers);
    return vers;
}

CopieDeTravail::CopieDeTravail(const QString& dossierReel) {
    dossier_ = racine_.path() + "/" + CheminsDuDossier(dossierReel).nom();
    QDir().mkpath(dossier_);
    for (const QString& sous : {SousDossierImages, SousDossierAide})
        QFile::link(Fichiers::resoudre(dossierReel + "/" + sous), dossier_ + "/" + sous);
}

QString CopieDeTravail::ecrire(const Questionnaire& e) {
    if (!racine_.isValid()) return {};
    const CheminsQuestionnaire c = CheminsDuDossier(dossier_);
    for (const auto& [chemin, lignes] :
         {std::pair{c.dat, LignesDat(e)}, std::pair{c.ini, LignesIni(e)}}) {
        QFile f(chemin);
        const QByteArray octets = OctetsFichier(lignes);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(octets) != octets.size())
            return {};
    }
    return dossier_;
}

int QuestionDeRemarque(const Verification& v, const Avertissement& a) {
    if (a.ligne <= 0) return 0;
    const CarteLignes& c = v.carte;
    if (a.fichier.endsWith(".dat", Qt::CaseInsensitive)) {
        int trouvee = 0;
        for (int q = 1; q <= MaxQuestions; ++q)
            if (c.question[q] > 0 && c.question[q] <= a.ligne) trouvee = q;
        return trouvee;
    }
    // A picture or comment row, or the question number just before it.
    for (int q = 1; q <= v.questionnaire.questions.size(); ++q)
        for (const int ligne : {c.image[q], c.commentaire[q]})
            if (ligne > 0 && (a.ligne == ligne || a.ligne + 1 == ligne)) return q;
    return 0;
}

}  // namespace Edition
