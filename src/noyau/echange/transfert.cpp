#include "noyau/echange/transfert.h"

#include "noyau/fichiers/fichiers.h"
#include "noyau/questionnaire/ecriture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Echange {

namespace {

constexpr int MaxLongueurNom = 60;
constexpr int MaxLongueurTitre = 200;
constexpr qint64 MaxOctetsImage = 32 << 20;

// A name not taken in the library, whatever the case: NAME, NAME_2, NAME_3...
QString nomLibre(const QString& nom, const QString& bibliotheque, const QStringList& pris) {
    const QStringList presents =
        QDir(bibliotheque).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    auto libre = [&](const QString& n) {
        return !presents.contains(n, Qt::CaseInsensitive) && !pris.contains(n, Qt::CaseInsensitive);
    };
    QString candidat = nom;
    for (int i = 2; !libre(candidat); ++i) candidat = QString("%1_%2").arg(nom).arg(i);
    return candidat;
}

// A bank cut into questionnaires the player takes: 99 questions and 49
// pictures at most each.
QVector<Banque> parts(const Banque& b) {
    QVector<Banque> liste;
    int images = 0;
    for (const Question& q : b.questions) {
        const bool image = !q.image.isEmpty();
        if (liste.isEmpty() || liste.back().questions.size() == MaxQuestions ||
            (image && images == MaxImagesParQuestion)) {
            liste.push_back({b.categorie, {}, {}});
            images = 0;
        }
        liste.back().questions << q;
        if (image) {
            liste.back().images.insert(q.image, b.images.value(q.image));
            ++images;
        }
    }
    return liste;
}

QString ecrireFichier(const QString& chemin, const QByteArray& octets) {
    QSaveFile f(chemin);
    if (f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size() && f.commit()) return {};
    return QString("%1 ne peut pas être écrit (%2)")
        .arg(QFileInfo(chemin).fileName(), f.errorString());
}

QString installerUn(const Banque& b, const QString& dossier) {
    if (!QDir().mkpath(dossier + "/Images"))
        return QString("le dossier %1 ne peut pas être créé").arg(dossier);
    for (auto i = b.images.begin(); i != b.images.end(); ++i)
        if (QString r = ecrireFichier(dossier + "/Images/" + i.key(), i.value()); !r.isEmpty())
            return r;
    Questionnaire q;
    q.titre = b.categorie.left(MaxLongueurTitre);
    q.questions = b.questions;
    return EnregistrerQuestionnaire(q, dossier);
}

}  // namespace

LectureBanque LireFichier(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return {{}, {}, 0, QString("ce fichier ne peut pas être lu (%1)").arg(f.errorString())};
    if (f.size() > MaxOctetsFichier)
        return {{}, {}, 0, QString("ce fichier dépasse %1 Mo").arg(MaxOctetsFichier >> 20)};
    const QByteArray octets = f.read(MaxOctetsFichier + 1);
    if (octets.size() > MaxOctetsFichier)
        return {{}, {}, 0, QString("ce fichier dépasse %1 Mo").arg(MaxOctetsFichier >> 20)};
    const Format* format = Reconnaitre(octets);
    if (!format) return {{}, {}, 0, "format non reconnu : ni GIFT, ni Moodle XML, ni Aiken"};
    return format->lire(octets, QFileInfo(chemin).fileName());
}

QString NomDeDossier(const QString& titre) {
    const QString nom = Ascii(titre).toUpper().replace('-', '_').left(MaxLongueurNom);
    return nom.isEmpty() ? QString("QUESTIONNAIRE") : nom;
}

QString Installer(const QVector<Banque>& banques, const QString& bibliotheque,
                  QStringList* dossiers) {
    QStringList faits;
    QString raison;
    for (const Banque& b : banques) {
        for (const Banque& part : parts(b)) {
            const QString nom = nomLibre(NomDeDossier(b.categorie), bibliotheque, faits);
            faits << nom;
            raison = installerUn(part, bibliotheque + "/" + nom);
            if (!raison.isEmpty()) break;
        }
        if (!raison.isEmpty()) break;
    }
    if (raison.isEmpty()) {
        *dossiers = faits;
        return {};
    }
    for (const QString& nom : faits) QDir(bibliotheque + "/" + nom).removeRecursively();
    return raison;
}

QStringList DossiersQuestionnaires(const QStringList& chemins) {
    QStringList dossiers;
    for (const QString& chemin : chemins) {
        const QString propre = QDir::cleanPath(chemin);
        const QString nom = QFileInfo(propre).fileName();
        if (Fichiers::existe(propre + "/" + nom + ".dat")) {
            dossiers << propre;
            continue;
        }
        QStringList sous = Fichiers::sousDossiers(propre);
        sous.sort(Qt::CaseInsensitive);
        for (const QString& s : sous)
            if (Fichiers::existe(propre + "/" + s + "/" + s + ".dat")) dossiers << propre + "/" + s;
    }
    return dossiers;
}

Banque BanqueDuDossier(const QString& dossier, QStringList* remarques) {
    return BanqueDe(OuvrirPourEdition(dossier).questionnaire, dossier, remarques);
}

Banque BanqueDe(const Questionnaire& q, const QString& dossier, QStringList* remarques) {
    const QString nom = QFileInfo(QDir::cleanPath(dossier)).fileName();
    Banque b{q.titre.isEmpty() ? nom : q.titre, q.questions, {}};
    if (q.modeImages == 1 && !q.imagesCycliques.isEmpty())
        *remarques << QString("%1 : les images qui défilent ne sont pas exportées").arg(nom);
    for (Question& question : b.questions) {
        if (question.image.isEmpty() || b.images.contains(question.image)) continue;
        QFile f(Fichiers::resoudre(Fichiers::cheminEcrit(dossier + "/Images", question.image)));
        if (f.open(QIODevice::ReadOnly) && f.size() <= MaxOctetsImage) {
            b.images.insert(question.image, f.readAll());
        } else {
            *remarques << QString(
                              "%1 : l'image %2 est introuvable ou trop grande, la question "
                              "part sans elle")
                              .arg(nom, question.image);
            question.image.clear();
        }
    }
    return b;
}

Import Importer(const QString& fichier, const QString& bibliotheque) {
    const LectureBanque l = LireFichier(fichier);
    Import i{{}, l.remarques, 0, l.ignorees, l.erreur};
    if (i.erreur.isEmpty() && l.banques.isEmpty()) i.erreur = "aucune question à importer";
    if (i.erreur.isEmpty()) i.erreur = Installer(l.banques, bibliotheque, &i.dossiers);
    if (!i.erreur.isEmpty()) return i;
    for (const Banque& b : l.banques) i.importees += int(b.questions.size());
    return i;
}

QString Exporter(const QVector<Banque>& banques, const Format& format, const QString& chemin,
                 QStringList* remarques) {
    return ecrireFichier(chemin, format.ecrire(banques, remarques));
}

}  // namespace Echange
