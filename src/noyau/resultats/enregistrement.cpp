#include "noyau/resultats/enregistrement.h"

#include "noyau/fichiers/fichiers.h"
#include "noyau/questionnaire/formats.h"
#include "noyau/resultats/bilan.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace Resultats {

namespace {
const QString FinDeLigne = QStringLiteral("\r\n");

QString ligne(const QString& texte) { return texte + FinDeLigne; }
QString lignesVides(int n) { return FinDeLigne.repeated(n); }

QString lignePourcentage(const QString& debut, int nombre, int total) {
    return debut + QString::number(nombre) + Rubrique::Sur + QString::number(total) +
           " questions posées, soit " +
           Formats::textePourcentage(Formats::pourcentage(nombre, total)) + " %";
}

// Lines 1 to 3.
QString entete(const QuizState& s) {
    return lignesVides(1) + ligne(Rubrique::Separation) +
           ligne(Rubrique::Essai + QString::number(s.NumEssai + 1) + "]");
}

// Lines 4 to 27.
QString corps(const QuizState& s, const QTime& heure) {
    QString texte;
    texte += ligne(Rubrique::Binome);
    texte += ligne(s.Identifiant.toUpper());
    texte += lignesVides(2);
    texte += ligne(Rubrique::Classe);
    texte += ligne(s.Classe.toUpper());
    texte += lignesVides(2);
    texte += ligne(Rubrique::Traitees);
    texte +=
        ligne(QString::number(s.RangQuestion) + Rubrique::Sur + QString::number(s.NbQuestions));
    texte += lignesVides(2);
    texte += ligne(Rubrique::Note);
    texte += ligne(LigneNote(s));
    texte += lignesVides(2);
    texte += ligne(lignePourcentage(Rubrique::Justes, s.NbJustes, s.NbQuestions));
    texte += ligne(lignePourcentage(Rubrique::Fausses, s.NbFausses, s.NbQuestions));
    texte += ligne(lignePourcentage(Rubrique::Nulles, s.NbNulles, s.NbQuestions));
    texte += lignesVides(2);
    texte += ligne(Rubrique::DateHeure);
    texte += ligne(s.DateDuJour + FinDeLigne + heure.toString(Rubrique::FormatHeure));
    return texte;
}
}  // namespace

QString LigneNote(const QuizState& s) {
    if (!EssaiComplet(s)) return Rubrique::NonEvaluable;
    const float surQuatre = s.Note / 5.0f;
    return Formats::texteNote(s.Note) + Rubrique::SurVingt + Formats::texteQuartDeNote(surQuatre) +
           Rubrique::SurQuatre;
}

QString TexteEnregistrement(const QuizState& s, const QTime& heure) {
    return entete(s) + corps(s, heure);
}

void FichierResultats::OuvrirFichierResultats(const QuizState& s) {
    // A file whose name differs only by case is the same file for the
    // teacher's Windows tools: append to it rather than start a second one.
    chemin_ = Fichiers::resoudre(s.CheminResultats);
    dossier_ = DossierDesResultats(s);
    texte_ = entete(s);
}

void FichierResultats::EcrireResultats(const QuizState& s, const QTime& heure) {
    texte_ += corps(s, heure);
}

QString FichierResultats::FermerFichierResultats(FileAttente* attente) {
    if (chemin_.isEmpty()) return QStringLiteral("aucun fichier de résultats n'est désigné");
    const QByteArray octets = Fichiers::encoderWindows1252(texte_);
    texte_.clear();
    // A folder out of reach (a share gone) proves nothing about the name:
    // the record waits for it. Otherwise, whatever the names hold, nothing
    // is ever written outside the folder.
    QString raison;
    struct stat infos {};
    if (::stat(QFile::encodeName(dossier_).constData(), &infos) != 0)
        raison = Fichiers::raisonSysteme(errno);
    else if (!Fichiers::directementDans(chemin_, dossier_))
        return QStringLiteral("ce fichier ne serait pas dans le dossier des résultats");
    else
        raison = Fichiers::ajouterOctets(chemin_, octets);
    if (!raison.isEmpty() && attente) conserve_ = attente->garder(chemin_, dossier_, octets);
    return raison;
}

Enregistrement EnregistrerResultats(const QuizState& s, const QTime& heure, FileAttente* attente) {
    FichierResultats fichier;
    fichier.OuvrirFichierResultats(s);
    fichier.EcrireResultats(s, heure);
    Enregistrement e;
    e.raison = fichier.FermerFichierResultats(attente);
    e.chemin = fichier.chemin();
    e.conserve = fichier.conserve();
    return e;
}

QString MessageEchec(const QString& chemin, const QString& raison, bool conserve) {
    return "Le résultat de cet essai n'a PAS été enregistré dans le fichier :\r\n" +
           QDir::toNativeSeparators(chemin) + "\r\n(" + raison + ")\r\n\r\n" +
           (conserve ? QStringLiteral("Il est conservé sur cet ordinateur et sera ajouté au "
                                      "fichier dès que le partage répondra de nouveau.\r\n")
                     : QString()) +
           "Notez la note et les résultats affichés avant de quitter cet écran, "
           "et prévenez le professeur.";
}

}  // namespace Resultats
