#include "questionnaire/verification.h"

#include "platform/fichiers.h"
#include "platform/hasard.h"
#include "platform/images.h"
#include "questionnaire/formats.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtConcurrent/QtConcurrentMap>

namespace {

class Verificateur {
public:
    explicit Verificateur(Verification& v)
        : v_(v), s_(v.etat),
          dat_(QFileInfo(Fichiers::resoudre(s_.CheminQuestionnaire)).fileName()),
          ini_(QFileInfo(Fichiers::resoudre(s_.CheminIni)).fileName()) {}

    void verifier() {
        for (int q = 1; q <= s_.NbQuestions; ++q) verifierQuestion(q);
        verifierImages();
        verifierCommentaires();
        verifierAide();
        verifierMinuterie();
    }

private:
    void dire(const QString& fichier, int ligne, const QString& message) {
        v_.avertissements.push_back({fichier, ligne, message});
    }

    void verifierQuestion(int q) {
        const int choix = NombreReponses(s_, q);
        if (choix < 2 || choix > MaxDrapeaux)
            dire(dat_, v_.carte.question[q],
                 QString("la question %1 a %2 choix de réponse : elle ne sera jamais corrigée "
                         "(il en faut de 2 à 6)").arg(q).arg(choix));
        if (s_.TexteQCM[q][1][0].isEmpty()) {
            dire(dat_, v_.carte.question[q],
                 QString("la question %1 n'a pas de ligne de bonnes réponses (=>) : "
                         "aucune de ses réponses n'est juste").arg(q));
            return;
        }
        verifierDrapeaux(q, std::min(choix, MaxDrapeaux));
    }

    void verifierDrapeaux(int q, int choix) {
        const int ligne = v_.carte.drapeaux[q];
        bool juste = false;
        for (int a = 0; a < choix; ++a) {
            const QString& drapeau = s_.BonnesReponses[q][a];
            juste = juste || drapeau == "1";
            if (drapeau.isEmpty()) {
                dire(dat_, ligne, QString("la ligne de bonnes réponses de la question %1 est plus "
                                          "courte que ses %2 choix").arg(q).arg(choix));
                return;
            }
            if (drapeau != "0" && drapeau != "1")
                dire(dat_, ligne, QString("question %1, réponse %2 : « %3 » au lieu de 0 ou 1 "
                                          "(les drapeaux sont aux positions 1, 3, 5...)")
                                      .arg(q).arg(a + 1).arg(drapeau));
        }
        if (!juste) dire(dat_, ligne, QString("la question %1 n'a aucune bonne réponse").arg(q));
    }

    // No file can bear a NUL, which a text editor shows as nothing at all.
    bool nomImpossible(const QString& nom, int ligne) {
        if (!nom.contains(QChar(0))) return false;
        dire(ini_, ligne, QString("le nom « %1 » contient un caractère nul (invisible) : aucun "
                                  "fichier ne peut porter ce nom, retapez-le")
                              .arg(QString(nom).replace(QChar(0), "\\0")));
        return true;
    }

    // Pictures are decoded after the rest is checked, several at a time.
    void verifierImage(const QString& nom, int ligne) {
        if (!nomImpossible(nom, ligne)) images_.push_back({nom, ligne, {}});
    }

    void verifierImages() {
        if (s_.ModeImages == 1) {
            for (int i = 1; i <= s_.NbImages; ++i)
                verifierImage(s_.TableImages[1][i], v_.carte.ini[i + 2][0]);
        } else if (s_.ModeImages != 0) {
            dire(ini_, v_.carte.ini[1][0], QString("mode d'images %1 inconnu (0 ou 1) : ni images "
                                                   "ni minuterie").arg(s_.ModeImages));
        } else {
            for (int q = 0; q <= MaxQuestions; ++q) {
                const QString& nom = s_.TableImages[0][q];
                if (nom.isEmpty()) continue;
                if (q < 1 || q > s_.NbQuestions)
                    images_.push_back({nom, v_.carte.image[q],
                                       QString("image prévue pour la question %1, qui n'existe "
                                               "pas").arg(q)});
                else
                    verifierImage(nom, v_.carte.image[q]);
            }
        }
        decoderImages();
    }

    struct ImageNommee {
        QString nom;
        int ligne;
        QString remarque;  // not empty: said as it is, the picture not read
    };

    // Each picture is tried as the screens would read it: its header and a
    // decode at thumbnail size.
    void decoderImages() {
        const QString images = s_.DossierQuestionnaire + "/Images";
        const auto lire = [images](const ImageNommee& image) {
            if (!image.remarque.isEmpty()) return std::make_pair(QString(), Images::Lecture{});
            const QString fichier = Fichiers::resoudre(Fichiers::cheminEcrit(images, image.nom));
            return std::make_pair(fichier, Images::lire(fichier, [](QSize naturelle) {
                return naturelle.scaled(256, 192, Qt::KeepAspectRatio).expandedTo({1, 1});
            }));
        };
        const auto lectures = QtConcurrent::blockingMapped<QVector<std::pair<QString, Images::Lecture>>>(images_, lire);
        for (qsizetype i = 0; i < images_.size(); ++i)
            rapporterImage(images_[i], lectures[i].first, lectures[i].second);
    }

    void rapporterImage(const ImageNommee& image, const QString& fichier, const Images::Lecture& l) {
        if (!image.remarque.isEmpty()) {
            dire(ini_, image.ligne, image.remarque);
            return;
        }
        const auto signaler = [&](const QString& texte) {
            dire(ini_, image.ligne, QString("image « %1 » %2").arg(image.nom, texte));
        };
        if (l.etat != Images::Etat::Introuvable && !memeNomSurLeDisque(fichier, image.nom))
            signaler("trouvée sous un nom écrit autrement sur le disque (accents d'un Mac ou "
                     "d'une archive zip de Windows) : renommez le fichier en tapant son nom");
        const QString probleme = Images::probleme(l);
        if (!probleme.isEmpty()) signaler(probleme);
        if (l.montrable() && Images::transparente(l.image))
            signaler("a un fond transparent : elle s'affiche sur du blanc");
    }

    // The name found only once accents were normalised, or read as
    // Windows-1252 (then through a link outside the folder).
    bool memeNomSurLeDisque(const QString& fichier, const QString& nom) const {
        return fichier.startsWith(QDir::cleanPath(s_.DossierQuestionnaire) + '/') &&
               QFileInfo(fichier).fileName().compare(QFileInfo(Fichiers::cheminEcrit("", nom)).fileName(),
                                                     Qt::CaseInsensitive) == 0;
    }

    void verifierCommentaires() {
        for (int q = 0; q <= MaxQuestions; ++q)
            if (!s_.Commentaires[q].isEmpty() && (q < 1 || q > s_.NbQuestions))
                dire(ini_, v_.carte.commentaire[q],
                     QString("commentaire prévu pour la question %1, qui n'existe pas").arg(q));
    }

    void verifierAide() {
        if (s_.FichierAide.isEmpty() || nomImpossible(s_.TableIni[1][2], v_.carte.ini[1][2]) ||
            Fichiers::existe(s_.FichierAide))
            return;
        dire(ini_, v_.carte.ini[1][2],
             QString("document d'aide « %1 » introuvable").arg(s_.TableIni[1][2]));
    }

    void verifierMinuterie() {
        if (s_.ModeImages != 0 && s_.ModeImages != 1) return;
        const int rang = v_.carte.rangMinuterie;
        const QString texte = rang > 0 ? s_.TableIni[rang][0] : QString();
        if (Formats::lireNombre(texte)) return;
        const int ligne = rang > 0 ? v_.carte.ini[rang][0] : 0;
        dire(ini_, ligne, texte.isEmpty()
                              ? QString("durée de la minuterie absente : 30 secondes")
                              : QString("durée de la minuterie « %1 » qui n'est pas un nombre : "
                                        "30 secondes").arg(texte));
    }

    Verification& v_;
    const QuizState& s_;
    QString dat_, ini_;
    QVector<ImageNommee> images_;
};

QJsonArray textes(const QStringList& liste) {
    QJsonArray tableau;
    for (const QString& t : liste) tableau.append(t);
    return tableau;
}

QJsonObject question(const QuizState& s, int q) {
    QStringList choix, drapeaux;
    for (int k = 1; k <= NombreReponses(s, q); ++k) choix << s.TexteQCM[q][0][k];
    for (int a = 0; a < MaxDrapeaux; ++a) drapeaux << s.BonnesReponses[q][a];
    return {{"text", s.TexteQCM[q][0][0]},
            {"choices", textes(choix)},
            {"flags", textes(drapeaux)},
            {"picture", s.TableImages[0][q]},
            {"comment", s.Commentaires[q]}};
}

}  // namespace

int Verification::codeSortie() const {
    if (!erreur.isEmpty()) return 2;
    return avertissements.isEmpty() ? 0 : 1;
}

std::unique_ptr<Verification> VerifierDossier(const QString& dossier) {
    auto v = std::make_unique<Verification>();
    QuizState& s = v->etat;
    s.DossierQuestionnaire = QDir::cleanPath(dossier);
    const QString nom = QFileInfo(s.DossierQuestionnaire).fileName();
    s.CheminQuestionnaire = s.DossierQuestionnaire + "/" + nom + ".dat";
    HasardSysteme hasard;
    const Chargement chargement = ChargerQuiz(s, hasard, 0, &v->carte);
    v->erreur = chargement.erreur;
    v->avertissements = chargement.avertissements;
    if (v->erreur.isEmpty()) Verificateur(*v).verifier();
    return v;
}

QString RapportTexte(const Verification& v) {
    const QuizState& s = v.etat;
    QString rapport;
    if (!v.erreur.isEmpty())
        rapport += "ERREUR : " + QString(v.erreur).replace("\r\n", " ") + "\n";
    else
        rapport += QString("Questionnaire « %1 » : %2 question(s).\n")
                       .arg(s.TitreQuestionnaire).arg(s.NbQuestions);
    for (const Avertissement& a : v.avertissements)
        rapport += a.ligne > 0 ? QString("%1:%2: %3\n").arg(a.fichier).arg(a.ligne).arg(a.message)
                               : QString("%1: %2\n").arg(a.fichier, a.message);
    if (v.codeSortie() == 0) rapport += "Aucune remarque : le questionnaire est prêt.\n";
    return rapport;
}

QByteArray RapportJson(const Verification& v) {
    const QuizState& s = v.etat;
    QStringList cycliques;
    for (int i = 1; i <= s.NbImages; ++i) cycliques << s.TableImages[1][i];
    QJsonArray questions, remarques;
    for (int q = 1; q <= s.NbQuestions; ++q) questions.append(question(s, q));
    for (const Avertissement& a : v.avertissements)
        remarques.append(QJsonObject{{"file", a.fichier}, {"line", a.ligne}, {"message", a.message}});
    if (!v.erreur.isEmpty())
        remarques.append(QJsonObject{{"file", QFileInfo(s.CheminQuestionnaire).fileName()},
                                     {"line", 0}, {"message", v.erreur}});
    const QJsonObject racine{{"title", s.TitreQuestionnaire},
                             {"picture_mode", s.ModeImages},
                             {"countdown", s.DureeMinuterie},
                             {"help", s.TableIni[1][2]},
                             {"multiple_answers", s.ReponsesMultiples},
                             {"cycling_pictures", textes(cycliques)},
                             {"questions", questions},
                             {"warnings", remarques}};
    return QJsonDocument(racine).toJson(QJsonDocument::Indented);
}
