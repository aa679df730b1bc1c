#include "noyau/deroulement/identification.h"

#include "noyau/fichiers/fichiers.h"
#include "noyau/questionnaire/formats.h"
#include "noyau/services/dialogues.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace Identification {

namespace {

// Longest file name the usual Linux file systems accept, in bytes.
constexpr int LongueurNomMax = 255;

const QString CaracteresInterdits = QStringLiteral("/\\:*?\"<>|");

QString texteDejaEffectue() {
    return QStringLiteral(
        "Le test montre que le QUIZZ a déjà effectué. \r\n"
        "Il faut changer le nom (exemple nom001 pour cet essai puis nom002 "
        "à l'essai suivant, etc...\r\n"
        "pour pouvoir continuer. Le module de supervision associé à ce "
        "logiciel permettra de gérer les tests.");
}

QString texteNomInterdit(const QString& quoi, const QString& raison) {
    return quoi + QStringLiteral(" ne peut pas servir à nommer le fichier des résultats : ") +
           raison +
           QStringLiteral(
               ".\r\nLes caractères / \\ : * ? \" < > |, les caractères de "
               "contrôle, les caractères invisibles, ceux d'autres alphabets "
               "que le latin et les noms « . » et « .. » sont interdits.\r\n"
               "Merci de corriger la saisie.");
}

Decision refus(Issue issue, const QString& texte, const QString& titre, int style) {
    Decision d;
    d.issue = issue;
    d.texte = texte;
    d.titre = titre;
    d.style = style;
    return d;
}

QString codeDe(char32_t c) {
    return QStringLiteral("U+%1").arg(
        QString::number(uint(c), 16).toUpper().rightJustified(4, '0'));
}

}  // namespace

QString cheminResultats(const QString& cheminQuestionnaire, const QString& identifiant,
                        const QString& classe) {
    return cheminQuestionnaire.left(qMax<qsizetype>(0, cheminQuestionnaire.size() - 4)) +
           QStringLiteral(" _") + Formats::sansEspaces(identifiant).toUpper() + u'_' +
           Formats::sansEspaces(classe).toUpper() + QStringLiteral("_.rst");
}

QString questionnaireDesResultats(const QuizState& s) {
    if (s.DossierDepot.isEmpty()) return s.CheminQuestionnaire;
    return s.DossierDepot + u'/' + QFileInfo(s.CheminQuestionnaire).fileName();
}

QString defautNom(const QString& saisie) {
    for (const char32_t c : saisie.toUcs4()) {
        const QString texte = QString::fromUcs4(&c, 1);
        if (c < 0x80 && CaracteresInterdits.contains(texte))
            return QStringLiteral("il contient le caractère « %1 »").arg(texte);
        const auto categorie = QChar::category(c);
        if (categorie == QChar::Other_Control)
            return QStringLiteral("il contient un caractère de contrôle");
        if (categorie == QChar::Other_Format)
            return QStringLiteral("il contient un caractère invisible (%1)").arg(codeDe(c));
        if (!Fichiers::tientEnWindows1252(texte))
            return QStringLiteral(
                       "il contient le caractère « %1 » (%2), que le fichier des "
                       "résultats ne peut pas contenir")
                .arg(texte, codeDe(c));
    }
    const QString nom = Formats::sansEspaces(saisie);
    if (nom == u"." || nom == u"..") return QStringLiteral("il se réduit à « %1 »").arg(nom);
    return {};
}

Existence existence(const QString& chemin) {
    const QByteArray natif = QFile::encodeName(Fichiers::resoudre(chemin));
    struct stat infos;
    if (::lstat(natif.constData(), &infos) == 0) return Existence::Presente;
    return (errno == ENOENT || errno == ENOTDIR) ? Existence::Absente : Existence::Inverifiable;
}

QString essaiDossier(const QString& dossier) {
    // About the size of a record, so that a nearly full disk says so too.
    return Fichiers::essaiEcriture(dossier, 1024);
}

Decision valider(const QString& cheminQuestionnaire, const QString& identifiant,
                 const QString& classe, const TestExistence& test, const TestEcriture& ecriture) {
    if (const QString raison = defautNom(identifiant); !raison.isEmpty())
        return refus(Issue::NomInterdit, texteNomInterdit(QStringLiteral("L'identifiant"), raison),
                     QStringLiteral("ACCES REFUSE"), Style::OkExclamation);
    if (const QString raison = defautNom(classe); !raison.isEmpty())
        return refus(Issue::NomInterdit, texteNomInterdit(QStringLiteral("La classe"), raison),
                     QStringLiteral("ACCES REFUSE"), Style::OkExclamation);

    const QString chemin = cheminResultats(cheminQuestionnaire, identifiant, classe);
    const QString nomFichier = chemin.mid(chemin.lastIndexOf(u'/') + 1);
    if (QFile::encodeName(nomFichier).size() > LongueurNomMax)
        return refus(Issue::NomInterdit,
                     QStringLiteral("L'identifiant et la classe sont trop longs pour nommer le "
                                    "fichier des résultats.\r\nMerci de les raccourcir."),
                     QStringLiteral("ACCES REFUSE"), Style::OkExclamation);

    Decision d;
    d.CheminResultats = chemin;
    switch (test(chemin)) {
    case Existence::Presente:
        d.issue = Issue::DejaEffectue;
        d.texte = texteDejaEffectue();
        d.titre = QStringLiteral("AVERTISSEMENT");
        d.style = Style::Ok;
        return d;
    case Existence::Inverifiable:
        d.issue = Issue::Inverifiable;
        d.texte = QStringLiteral(
            "Impossible de vérifier si ce questionnaire a déjà été "
            "effectué : le dossier des résultats ne peut pas être "
            "consulté.\r\nMerci de prévenir le professeur.");
        d.titre = QStringLiteral("ACCES REFUSE");
        d.style = Style::OkExclamation;
        return d;
    case Existence::Absente: break;
    }
    if (identifiant.isEmpty() || classe.isEmpty()) {
        d.issue = Issue::Incomplet;
        d.texte = QStringLiteral(
            "La saisie de l'identifiant et de la classe est indispensable, "
            "merci.");
        d.titre = QStringLiteral("ACCES REFUSE");
        d.style = Style::OkExclamation;
        return d;
    }
    if (const QString raison = ecriture(QFileInfo(chemin).path()); !raison.isEmpty()) {
        d.issue = Issue::NonEnregistrable;
        d.texte = QStringLiteral(
                      "Le résultat de ce questionnaire ne pourrait pas être enregistré "
                      "dans son dossier (%1) : le questionnaire ne peut pas "
                      "commencer.\r\nMerci de prévenir le professeur.")
                      .arg(raison);
        d.titre = QStringLiteral("ACCES REFUSE");
        d.style = Style::OkExclamation;
    }
    return d;
}

}  // namespace Identification
