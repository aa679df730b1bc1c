#include "noyau/questionnaire/ecriture.h"

#include "noyau/fichiers/fichiers.h"
#include "noyau/questionnaire/formats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

int nombreDeReponses(const Question& q) {
    int n = q.reponses.size();
    while (n > 0 && q.reponses[n - 1].isEmpty()) --n;
    return n;
}

// The player trims companion rows: so does the file.
QString commentaire(const Questionnaire& e, int q) {
    return Formats::sansEspaces(e.commentaire(q));
}

QString refusCommun(const QString& texte) {
    if (texte.contains('\r') || texte.contains('\n'))
        return "un texte tient sur une seule ligne : pas de retour à la ligne";
    if (texte.size() > MaxLongueurTexte)
        return QString("un texte ne peut pas dépasser %1 caractères").arg(MaxLongueurTexte);
    return {};
}

QString refusReponse(const QString& texte) {
    switch (GenreDeLigne(Formats::sansEspaces(texte))) {
    case GenreLigne::Question:
        return "une réponse qui commence par « 0 » suivi d'une espace serait lue comme une "
               "nouvelle question";
    case GenreLigne::Drapeaux:
        return "une réponse qui commence par « => » serait lue comme la ligne des bonnes réponses";
    case GenreLigne::Titre: return "une réponse qui commence par « </ » serait lue comme le titre";
    case GenreLigne::Texte: return {};
    }
    return {};
}

// The lines as the player decodes them.
QStringList lignesLues(const QByteArray& octets) {
    QStringList lignes;
    Fichiers::LignesTexte lecteur(octets);
    while (const auto ligne = lecteur.suivante()) lignes << *ligne;
    return lignes;
}

QString citer(const QString& ligne) {
    return ligne.isEmpty() ? QString("la ligne vide") : QString("« %1 »").arg(ligne);
}

// Line-by-line differences, for the teacher, as "what saving will change".
QStringList differences(const QString& fichier, const QStringList& avant,
                        const QStringList& apres) {
    constexpr qint64 MaxCellules = 4'000'000;
    constexpr int MaxRemarques = 20;
    const int n = avant.size(), m = apres.size();
    if (qint64(n + 1) * (m + 1) > MaxCellules)
        return {QString("%1 sera entièrement réécrit (%2 lignes lues, %3 écrites)")
                    .arg(fichier)
                    .arg(n)
                    .arg(m)};
    // Longest common subsequence, from the ends, so the walk goes forward.
    std::vector<std::vector<int>> l(n + 1, std::vector<int>(m + 1, 0));
    for (int i = n - 1; i >= 0; --i)
        for (int j = m - 1; j >= 0; --j)
            l[i][j] =
                avant[i] == apres[j] ? l[i + 1][j + 1] + 1 : std::max(l[i + 1][j], l[i][j + 1]);
    QStringList remarques;
    int i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && avant[i] == apres[j]) {
            ++i, ++j;
        } else if (j < m && (i == n || l[i][j + 1] >= l[i + 1][j])) {
            remarques << QString("%1 : %2 sera ajoutée avant la ligne %3")
                             .arg(fichier, citer(apres[j]))
                             .arg(i + 1);
            ++j;
        } else {
            remarques << QString("%1, ligne %2 : %3 sera supprimée")
                             .arg(fichier)
                             .arg(i + 1)
                             .arg(citer(avant[i]));
            ++i;
        }
    }
    if (remarques.size() > MaxRemarques) {
        const qsizetype reste = remarques.size() - MaxRemarques;
        remarques = remarques.mid(0, MaxRemarques);
        remarques << QString("%1 : et %2 autres changements").arg(fichier).arg(reste);
    }
    return remarques;
}

QStringList changements(const QString& chemin, const QStringList& nouvelles) {
    const QString reel = Fichiers::resoudre(chemin);
    QFile fichier(reel);
    if (!fichier.open(QIODevice::ReadOnly)) return {};
    const QByteArray octets = fichier.readAll();
    if (octets == OctetsFichier(nouvelles)) return {};
    const QString nom = QFileInfo(reel).fileName();
    QStringList remarques = differences(nom, lignesLues(octets), nouvelles);
    if (remarques.isEmpty())
        remarques
            << QString("%1 sera réécrit en Windows-1252 avec des fins de ligne CR LF").arg(nom);
    return remarques;
}

// A file written but not yet put in place, so that both files are ready
// before either replaces its previous version.
struct Ecriture {
    QString chemin;
    std::unique_ptr<QSaveFile> fichier;
};

QString preparer(Ecriture& e, const QByteArray& octets) {
    e.fichier = std::make_unique<QSaveFile>(e.chemin);
    if (!e.fichier->open(QIODevice::WriteOnly) || e.fichier->write(octets) != octets.size())
        return QString("%1 ne peut pas être écrit (%2)")
            .arg(QFileInfo(e.chemin).fileName(), e.fichier->errorString());
    return {};
}

QString garderCopie(const QString& chemin) {
    if (!QFileInfo(chemin).isFile()) return {};
    const QString copie = chemin + ".bak";
    QFile::remove(copie);
    if (!QFile::copy(chemin, copie))
        return QString("la copie de sauvegarde %1 ne peut pas être écrite")
            .arg(QFileInfo(copie).fileName());
    return {};
}

}  // namespace

QStringList LignesDat(const Questionnaire& e) {
    QStringList lignes;
    if (!e.titre.isEmpty()) lignes << LigneDe(GenreLigne::Titre, e.titre);
    for (int i = 0; i < e.questions.size(); ++i) {
        const Question& question = e.questions[i];
        lignes << LigneDe(GenreLigne::Question, question.texte);
        const int n = nombreDeReponses(question);
        // The player trims its answers: so does the file.
        for (int k = 0; k < n; ++k) lignes << Formats::sansEspaces(question.reponses[k]);
        // The next question line takes slot 9 at the latest, the end of the file slot 10.
        const bool derniere = i == e.questions.size() - 1;
        if (n + 1 > (derniere ? MaxCreneaux : MaxCreneaux - 1)) continue;
        QStringList drapeaux;
        for (int k = 0; k < n; ++k)
            drapeaux << (k < question.justes.size() && question.justes[k] ? "1" : "0");
        lignes << LigneDe(GenreLigne::Drapeaux, drapeaux.join(' '));
    }
    return lignes;
}

QStringList LignesIni(const Questionnaire& e) {
    QStringList lignes{EnTetesIni[0], QString::number(e.modeImages)};
    auto finDeListe = [&] {
        // In mode 0 the row after the list must not read as a question number.
        const bool nombre = e.modeImages == 0 && Formats::lireNombre(e.lignesNonLues[0]);
        lignes << (nombre ? QString() : e.lignesNonLues[0]) << e.lignesNonLues[1]
               << e.lignesNonLues[2] << e.duree;
    };
    if (e.modeImages == 0) {
        for (int q = 0; q <= MaxQuestions; ++q)
            if (!e.image(q).isEmpty()) lignes << QString::number(q) << e.image(q);
        finDeListe();
    } else if (e.modeImages == 1) {
        lignes << QString::number(e.imagesCycliques.size()) << e.imagesCycliques;
        finDeListe();
    }
    QStringList commentaires;
    for (int q = 0; q <= MaxQuestions; ++q)
        if (!commentaire(e, q).isEmpty()) commentaires << QString::number(q) << commentaire(e, q);
    if (!commentaires.isEmpty()) lignes << EnTetesIni[1] << commentaires;
    if (!e.aide.isEmpty()) lignes << EnTetesIni[2] << e.aide;
    return lignes;
}

QByteArray OctetsFichier(const QStringList& lignes) {
    QString texte;
    for (const QString& ligne : lignes) texte += ligne + "\r\n";
    if (!EnUtf8(lignes)) return Fichiers::encoderWindows1252(texte);
    return texte.toUtf8();
}

bool EnUtf8(const QStringList& lignes) {
    QString texte;
    for (const QString& ligne : lignes) texte += ligne + "\r\n";
    if (!Fichiers::tientEnWindows1252(texte)) return true;
    // Windows-1252 bytes that happen to be valid UTF-8 would be read as UTF-8.
    return lignesLues(Fichiers::encoderWindows1252(texte)) != lignes;
}

QString RefusTexte(GenreTexte genre, const QString& texte) {
    QString raison = refusCommun(texte);
    if (!raison.isEmpty()) return raison;
    const QString rangee = Formats::sansEspaces(texte);
    switch (genre) {
    case GenreTexte::Reponse: return refusReponse(texte);
    case GenreTexte::Commentaire:
    case GenreTexte::NomDeFichier:
        if (EnTetesIni.contains(rangee))
            return QString("« %1 » serait lu comme un début de section du fichier .ini")
                .arg(rangee);
        return {};
    case GenreTexte::Titre:
    case GenreTexte::Question: return {};
    }
    return {};
}

QVector<Probleme> Problemes(const Questionnaire& e) {
    QVector<Probleme> problemes;
    if (e.questions.size() > MaxQuestions)
        problemes.push_back({0, QString("plus de %1 questions").arg(MaxQuestions)});
    if (const QString r = RefusTexte(GenreTexte::Titre, e.titre); !r.isEmpty())
        problemes.push_back({0, "titre : " + r});
    int images = 0;
    for (int i = 0; i < e.questions.size(); ++i) {
        const Question& question = e.questions[i];
        const int q = i + 1;
        auto dire = [&](const QString& message) {
            problemes.push_back({q, QString("question %1 : %2").arg(q).arg(message)});
        };
        if (Formats::sansEspaces(question.texte).isEmpty())
            dire("le texte de la question est vide");
        else if (const QString r = RefusTexte(GenreTexte::Question, question.texte); !r.isEmpty())
            dire(r);
        const int n = nombreDeReponses(question);
        if (n > MaxCreneaux) dire(QString("plus de %1 réponses").arg(MaxCreneaux));
        if (n == MaxCreneaux && i + 1 < e.questions.size())
            dire(QString("seule la dernière question peut avoir %1 réponses").arg(MaxCreneaux));
        for (int k = 0; k < n; ++k) {
            if (Formats::sansEspaces(question.reponses[k]).isEmpty())
                dire(QString("la réponse %1 est vide alors que d'autres la suivent").arg(k + 1));
            else if (const QString r = RefusTexte(GenreTexte::Reponse, question.reponses[k]);
                     !r.isEmpty())
                dire(QString("réponse %1 : %2").arg(k + 1).arg(r));
        }
        if (const QString r = RefusTexte(GenreTexte::Commentaire, question.commentaire);
            !r.isEmpty())
            dire("commentaire : " + r);
        if (!question.image.isEmpty()) ++images;
    }
    if (e.modeImages == 0 && images + e.imagesOrphelines.size() > MaxImagesParQuestion)
        problemes.push_back(
            {0, QString("au plus %1 questions peuvent avoir une image").arg(MaxImagesParQuestion)});
    // The player reads a file as UTF-8 when all its bytes happen to be valid UTF-8.
    for (const QStringList& lignes : {LignesDat(e), LignesIni(e)}) {
        if (lignesLues(OctetsFichier(lignes)) != lignes)
            problemes.push_back({0, "un caractère de ce questionnaire ne peut pas être enregistré"});
    }
    return problemes;
}

Ouverture OuvrirPourEdition(const QString& dossier) {
    Ouverture o;
    const CheminsQuestionnaire c = CheminsDuDossier(dossier);
    o.nom = c.nom();
    Lecture l;
    const bool dat = Fichiers::existe(c.dat);
    const bool ini = Fichiers::existe(c.ini);
    if (dat) LireQuestions(l, c, SourceFichiers::disque().lire(c.dat));
    if (ini && !LireCompagnon(l, c).isEmpty())
        o.changements << "le mode d'images du fichier .ini n'est pas un nombre entier : "
                         "il deviendra 0 (une image par question)";
    o.questionnaire = std::move(l.questionnaire);
    // The editor's ticks say the right answers from now on.
    for (Question& question : o.questionnaire.questions) question.drapeaux.clear();
    if (dat) o.changements << changements(c.dat, LignesDat(o.questionnaire));
    if (ini) o.changements << changements(c.ini, LignesIni(o.questionnaire));
    return o;
}

QString EnregistrerQuestionnaire(const Questionnaire& e, const QString& dossier) {
    const QVector<Probleme> problemes = Problemes(e);
    if (!problemes.isEmpty()) return problemes.first().message;
    const CheminsQuestionnaire c = CheminsDuDossier(dossier);
    if (!QDir().mkpath(c.dossier))
        return QString("le dossier %1 ne peut pas être créé").arg(c.dossier);
    Ecriture fichiers[2] = {{Fichiers::resoudre(c.dat), nullptr},
                            {Fichiers::resoudre(c.ini), nullptr}};
    const QByteArray octets[2] = {OctetsFichier(LignesDat(e)), OctetsFichier(LignesIni(e))};
    for (int i = 0; i < 2; ++i)
        if (QString raison = preparer(fichiers[i], octets[i]); !raison.isEmpty()) return raison;
    for (const Ecriture& f : fichiers)
        if (QString raison = garderCopie(f.chemin); !raison.isEmpty()) return raison;
    for (const Ecriture& f : fichiers)
        if (!f.fichier->commit())
            return QString("%1 ne peut pas être enregistré (%2)")
                .arg(QFileInfo(f.chemin).fileName(), f.fichier->errorString());
    return {};
}
