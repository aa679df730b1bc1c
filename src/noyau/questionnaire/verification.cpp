#include "noyau/questionnaire/verification.h"

#include "noyau/fichiers/fichiers.h"
#include "noyau/fichiers/reglages.h"
#include "noyau/questionnaire/formats.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QtConcurrent/QtConcurrentMap>

namespace {

// Each of the folder's files read once, however many checks look at it.
class SourceRetenue : public SourceFichiers {
public:
    explicit SourceRetenue(const SourceFichiers& source) : source_(source) {}
    ContenuFichier lire(const QString& chemin) const override {
        auto trouve = lus_.constFind(chemin);
        if (trouve == lus_.cend()) trouve = lus_.insert(chemin, source_.lire(chemin));
        return *trouve;
    }

private:
    const SourceFichiers& source_;
    mutable QHash<QString, ContenuFichier> lus_;
};

class Verificateur {
public:
    Verificateur(Verification& v, const QString& minuterieEcrite, const ExaminerImage& examiner,
                 const SourceFichiers& source)
        : v_(v),
          e_(v.questionnaire),
          c_(v.chemins),
          minuterieEcrite_(minuterieEcrite),
          examiner_(examiner),
          source_(source),
          dat_(source.lire(c_.dat).nom),
          ini_(source.lire(c_.ini).nom) {}

    void verifier() {
        verifierEncodage(c_.dat, dat_);
        verifierEncodage(c_.ini, ini_);
        verifierLignes();
        for (int q = 1; q <= e_.questions.size(); ++q) verifierQuestion(q);
        verifierImages();
        verifierCommentaires();
        verifierAide();
        verifierMinuterie();
        if (remarques_ > MaxRemarques)
            v_.avertissements.push_back(
                {dat_, 0,
                 QString("et %1 autres remarques, qui ne sont pas listées : corrigez "
                         "celles-ci puis vérifiez de nouveau")
                     .arg(Formats::francais().toString(remarques_ - MaxRemarques))});
    }

private:
    void dire(const QString& fichier, int ligne, const QString& message) {
        if (++remarques_ <= MaxRemarques) v_.avertissements.push_back({fichier, ligne, message});
    }

    void verifierQuestion(int q) {
        const Question& question = e_.questions[q - 1];
        const int choix = question.reponses.size();
        if (choix < 2 || choix > MaxDrapeaux)
            dire(dat_, v_.carte.question[q],
                 QString("la question %1 a %2 choix de réponse : elle ne sera jamais corrigée "
                         "(il en faut de 2 à 6)")
                     .arg(q)
                     .arg(choix));
        if (question.drapeaux.isEmpty()) {
            dire(dat_, v_.carte.question[q],
                 QString("la question %1 n'a pas de ligne de bonnes réponses (=>) : "
                         "aucune de ses réponses n'est juste")
                     .arg(q));
            return;
        }
        verifierDrapeaux(q, question.drapeaux, std::min(choix, MaxDrapeaux));
    }

    void verifierDrapeaux(int q, const QString& drapeaux, int choix) {
        const int ligne = v_.carte.drapeaux[q];
        bool juste = false;
        for (int a = 0; a < choix; ++a) {
            const QString drapeau = DrapeauEcrit(drapeaux, a);
            juste = juste || drapeau == "1";
            if (drapeau.isEmpty()) {
                dire(dat_, ligne,
                     QString("la ligne de bonnes réponses de la question %1 est plus "
                             "courte que ses %2 choix")
                         .arg(q)
                         .arg(choix));
                return;
            }
            if (drapeau != "0" && drapeau != "1")
                dire(dat_, ligne,
                     QString("question %1, réponse %2 : « %3 » au lieu de 0 ou 1 "
                             "(les drapeaux sont aux positions 1, 3, 5...)")
                         .arg(q)
                         .arg(a + 1)
                         .arg(drapeau));
        }
        if (!juste) dire(dat_, ligne, QString("la question %1 n'a aucune bonne réponse").arg(q));
        const QString reste = drapeaux.mid(2 * choix - 1).trimmed();
        if (!reste.isEmpty())
            dire(dat_, ligne,
                 QString("après les %1 drapeaux de la question %2, « %3 » n'est pas lu : "
                         "retirez-le (une explication s'écrit sur une ligne à part, "
                         "avant la première question)")
                     .arg(choix)
                     .arg(q)
                     .arg(reste));
    }

    // A file saved partly by an editor in UTF-8 and partly in Windows-1252
    // is read as Windows-1252: the UTF-8 lines would show garbled.
    void verifierEncodage(const QString& chemin, const QString& nom) {
        int utf8 = 0, ansi = 0;
        const QByteArray octets = source_.lire(chemin).octets;
        qsizetype position = 0;
        for (int n = 1; position < octets.size() && !(utf8 && ansi); ++n) {
            const QByteArrayView ligne = Fichiers::ligneOctets(octets, position);
            if (!contientNonAscii(ligne)) continue;
            QStringDecoder decodeur(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString lue = decodeur.decode(ligne);  // decoded only when converted
            int& premiere = decodeur.hasError() ? ansi : utf8;
            if (!premiere) premiere = n;
        }
        if (utf8 && ansi)
            dire(nom, utf8,
                 QString("le fichier mêle deux encodages : cette ligne est en UTF-8, la "
                         "ligne %1 en Windows-1252 ; il est lu en Windows-1252 et les "
                         "accents de cette ligne s'afficheront mal : enregistrez tout "
                         "le fichier dans un seul encodage")
                     .arg(ansi));
    }

    static bool contientNonAscii(QByteArrayView octets) {
        for (char c : octets)
            if (static_cast<unsigned char>(c) >= 0x80) return true;
        return false;
    }

    // What the loading takes silently but the teacher surely did not mean:
    // blank lines inside a question, lines after its => line, markers at
    // the start of an answer, explanations copied beside the text.
    void verifierLignes() {
        Fichiers::LignesTexte lignes(source_.lire(c_.dat).octets);
        static const QRegularExpression explication(QStringLiteral("\\S(\t| {3,})(\\S.*)$"));
        int n = 0, q = 0, debut = 0, vide = 0;
        bool drapeaux = false, videSignale = false;
        // Cut where the loading cuts: a line of megabytes is never decoded whole.
        while (const auto ligne = lignes.suivante(LongueurMaxLigne)) {
            ++n;
            const QString texte = Formats::sansEspaces(ligne->left(LongueurMaxLigne));
            const GenreLigne genre = GenreDeLigne(texte);
            const auto trouve = explication.match(texte);
            if (genre != GenreLigne::Drapeaux && trouve.hasMatch())
                dire(dat_, n,
                     QString("« %1 » suit une longue suite d'espaces : une explication "
                             "recopiée ? Elle s'affichera avec le texte ; retirez-la")
                         .arg(trouve.captured(2)));
            if (genre == GenreLigne::Question) {
                if (q > 0 && !drapeaux && !vide && n - debut <= MaxCreneaux)
                    dire(dat_, n,
                         QString("cette ligne commence par « 0 » juste après les réponses "
                                 "de la question %1, qui n'a pas de ligne => : elle ouvre "
                                 "une nouvelle question et s'affiche aussi comme réponse. "
                                 "Si c'est une réponse, ne la commencez pas par « 0 » "
                                 "(écrivez « zéro » ou « 0,0 »)")
                             .arg(q));
                ++q;
                debut = n;
                vide = 0;
                drapeaux = videSignale = false;
            } else if (q == 0) {
                continue;
            } else if (genre == GenreLigne::Titre) {
                dire(dat_, n,
                     QString("cette ligne de la question %1 commence par « </ » : elle "
                             "change le titre du questionnaire ; si c'est une réponse, "
                             "ne la commencez pas par « </ »")
                         .arg(q));
            } else if (genre == GenreLigne::Drapeaux) {
                if (drapeaux)
                    dire(dat_, n,
                         QString("deuxième ligne => pour la question %1 : seule la "
                                 "dernière compte ; si c'est une réponse, ne la commencez "
                                 "pas par « => »")
                             .arg(q));
                drapeaux = true;
            } else if (texte.isEmpty()) {
                if (!vide) vide = n;
            } else if (drapeaux) {
                dire(dat_, n,
                     QString("la ligne « %1 » suit la ligne => de la question %2 : elle "
                             "ne sera jamais montrée ; la ligne => se place après la "
                             "dernière réponse")
                         .arg(texte)
                         .arg(q));
            } else if (vide && !videSignale) {
                videSignale = true;
                dire(dat_, vide,
                     vide == debut + 1
                         ? QString("ligne vide entre la question %1 et ses réponses : la question "
                                   "s'afficherait avec une seule case vide et sans ses réponses ; "
                                   "supprimez cette ligne")
                               .arg(q)
                         : QString("ligne vide au milieu des réponses de la question %1 : les "
                                   "réponses suivantes ne seraient pas montrées ; supprimez cette "
                                   "ligne")
                               .arg(q));
            }
        }
    }

    // No file can bear a NUL, which a text editor shows as nothing at all.
    bool nomImpossible(const QString& nom, int ligne) {
        if (!nom.contains(QChar(0))) return false;
        dire(ini_, ligne,
             QString("le nom « %1 » contient un caractère nul (invisible) : aucun "
                     "fichier ne peut porter ce nom, retapez-le")
                 .arg(QString(nom).replace(QChar(0), "\\0")));
        return true;
    }

    // Pictures are decoded after the rest is checked, several at a time.
    void verifierImage(const QString& nom, int ligne) {
        if (!nomImpossible(nom, ligne)) images_.push_back({nom, ligne, {}});
    }

    void verifierImages() {
        if (e_.modeImages == 1) {
            for (int i = 1; i <= e_.imagesCycliques.size(); ++i)
                verifierImage(e_.imagesCycliques[i - 1], v_.carte.ini[i + 2][0]);
        } else if (e_.modeImages != 0) {
            dire(ini_, v_.carte.ini[1][0],
                 QString("mode d'images %1 inconnu (0 ou 1) : ni images "
                         "ni minuterie")
                     .arg(e_.modeImages));
        } else {
            for (int q = 0; q <= MaxQuestions; ++q) {
                const QString nom = e_.image(q);
                if (nom.isEmpty()) continue;
                if (q < 1 || q > e_.questions.size())
                    images_.push_back({nom, v_.carte.image[q],
                                       QString("image prévue pour la question %1, qui n'existe "
                                               "pas")
                                           .arg(q)});
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

    // Each picture is tried as the screens would read it, on every core:
    // a library of camera photos takes seconds to decode.
    void decoderImages() {
        const QString dossier = c_.dossier;
        const ExaminerImage& examiner = examiner_;
        const auto lire = [dossier, &examiner](const ImageNommee& image) {
            if (!image.remarque.isEmpty()) return std::make_pair(QString(), ExamenImage{});
            const QString fichier = Fichiers::resoudre(CheminImage(dossier, image.nom));
            return std::make_pair(fichier, examiner(fichier));
        };
        const auto examens =
            QtConcurrent::blockingMapped<QVector<std::pair<QString, ExamenImage>>>(images_, lire);
        for (qsizetype i = 0; i < images_.size(); ++i)
            rapporterImage(images_[i], examens[i].first, examens[i].second);
    }

    void rapporterImage(const ImageNommee& image, const QString& fichier,
                        const ExamenImage& examen) {
        if (!image.remarque.isEmpty()) {
            dire(ini_, image.ligne, image.remarque);
            return;
        }
        const auto signaler = [&](const QString& texte) {
            dire(ini_, image.ligne, QString("image « %1 » %2").arg(image.nom, texte));
        };
        if (examen.trouvee && !memeNomSurLeDisque(fichier, image.nom))
            signaler(
                "trouvée sous un nom écrit autrement sur le disque (accents d'un Mac ou "
                "d'une archive zip de Windows) : renommez le fichier en tapant son nom");
        for (const QString& probleme : examen.problemes) signaler(probleme);
    }

    // The name found only once accents were normalised, or read as
    // Windows-1252 (then through a link outside the folder).
    bool memeNomSurLeDisque(const QString& fichier, const QString& nom) const {
        return fichier.startsWith(QDir::cleanPath(c_.dossier) + '/') &&
               QFileInfo(fichier).fileName().compare(
                   QFileInfo(Fichiers::cheminEcrit("", nom)).fileName(), Qt::CaseInsensitive) == 0;
    }

    void verifierCommentaires() {
        for (int q = 0; q <= MaxQuestions; ++q)
            if (!e_.commentaire(q).isEmpty() && (q < 1 || q > e_.questions.size()))
                dire(ini_, v_.carte.commentaire[q],
                     QString("commentaire prévu pour la question %1, qui n'existe pas").arg(q));
    }

    void verifierAide() {
        if (e_.aide.isEmpty() || nomImpossible(e_.aide, v_.carte.ini[1][2]) ||
            Fichiers::existe(CheminAide(c_.dossier, e_.aide)))
            return;
        dire(ini_, v_.carte.ini[1][2], QString("document d'aide « %1 » introuvable").arg(e_.aide));
    }

    void verifierMinuterie() {
        if (e_.modeImages != 0 && e_.modeImages != 1) return;
        const int rang = v_.carte.rangMinuterie;
        const QString& texte = minuterieEcrite_;
        if (Formats::lireNombre(texte)) return;
        const int ligne = rang > 0 ? v_.carte.ini[rang][0] : 0;
        dire(ini_, ligne,
             texte.isEmpty() ? QString("durée de la minuterie absente : 30 secondes")
                             : QString("durée de la minuterie « %1 » qui n'est pas un nombre : "
                                       "30 secondes")
                                   .arg(texte));
    }

    Verification& v_;
    const Questionnaire& e_;
    const CheminsQuestionnaire& c_;
    QString minuterieEcrite_;
    const ExaminerImage& examiner_;
    const SourceFichiers& source_;
    QString dat_, ini_;
    int remarques_ = 0;  // the checks' own, listed or not
    QVector<ImageNommee> images_;
};

QJsonArray textes(const QStringList& liste) {
    QJsonArray tableau;
    for (const QString& t : liste) tableau.append(t);
    return tableau;
}

QJsonObject question(const Question& q) {
    QStringList drapeaux;
    for (int a = 0; a < MaxDrapeaux; ++a) drapeaux << DrapeauEcrit(q.drapeaux, a);
    return {{"text", q.texte},
            {"choices", textes(q.reponses)},
            {"flags", textes(drapeaux)},
            {"picture", q.image},
            {"comment", q.commentaire}};
}

// Whether a question has more than one right answer among its six first flags.
bool reponsesMultiples(const Questionnaire& e) {
    return std::any_of(e.questions.cbegin(), e.questions.cend(), [](const Question& q) {
        int justes = 0;
        for (int a = 0; a < MaxDrapeaux; ++a) justes += DrapeauEcrit(q.drapeaux, a) == "1";
        return justes > 1;
    });
}

}  // namespace

int Verification::codeSortie() const {
    if (!erreur.isEmpty()) return 2;
    return avertissements.isEmpty() ? 0 : 1;
}

namespace {
// Why the folder cannot even be read as a questionnaire; empty when its
// questionnaire file can be read, or when the loading says it best.
QString dossierIntrouvable(const CheminsQuestionnaire& c, const SourceFichiers& source) {
    if (source.lire(c.dat).erreur.isEmpty()) return {};
    const QString& dossier = c.dossier;
    if (!QFileInfo(dossier).isDir())
        return QString("le dossier « %1 » n'existe pas : vérifiez le chemin").arg(dossier);
    if (Fichiers::existe(c.dat)) return {};
    const QString nom = c.nom();
    const QStringList autres = Reglages::fichiersQuestionnaire(dossier);
    if (autres.isEmpty())
        return QString(
                   "le dossier « %1 » ne contient pas de fichier %1.dat : le fichier des "
                   "questions porte le nom du dossier")
            .arg(nom);
    return QString(
               "le dossier « %1 » contient « %2 » au lieu de %1.dat : le fichier des "
               "questions et le dossier doivent porter le même nom ; renommez l'un des deux")
        .arg(nom, autres.join(" », « "));
}
}  // namespace

bool EstBibliotheque(const QString& dossier) {
    return Reglages::fichiersQuestionnaire(dossier).isEmpty() &&
           Reglages::contientQuestionnaire(dossier);
}

QString LigneResume(const QString& nom, const Verification& v) {
    if (!v.erreur.isEmpty()) return QString("%1 : ne peut pas démarrer").arg(nom);
    if (v.avertissements.isEmpty()) return QString("%1 : prêt").arg(nom);
    return QString("%1 : %2 remarque(s)").arg(nom).arg(v.avertissements.size());
}

std::unique_ptr<Verification> VerifierDossier(const QString& dossier, const ExaminerImage& examiner,
                                              const SourceFichiers& origine) {
    const SourceRetenue source(origine);
    auto v = std::make_unique<Verification>();
    v->chemins = CheminsDuDossier(dossier);
    v->erreur = dossierIntrouvable(v->chemins, source);
    if (!v->erreur.isEmpty()) return v;
    Lecture l = LireDossierQuestionnaire(v->chemins, source);
    v->questionnaire = std::move(l.questionnaire);
    v->carte = l.carte;
    v->erreur = l.erreur;
    v->avertissements = std::move(l.avertissements);
    if (v->erreur.isEmpty()) Verificateur(*v, l.minuterieEcrite, examiner, source).verifier();
    return v;
}

QString TexteRemarque(const Avertissement& a) {
    return a.ligne > 0 ? QString("%1, ligne %2 : %3").arg(a.fichier).arg(a.ligne).arg(a.message)
                       : QString("%1 : %2").arg(a.fichier, a.message);
}

QString TexteErreur(const Verification& v) { return QString(v.erreur).replace("\r\n", " "); }

QString RapportTexte(const Verification& v) {
    const Questionnaire& e = v.questionnaire;
    QString rapport;
    if (!v.erreur.isEmpty())
        rapport += "ERREUR : " + TexteErreur(v) + "\n";
    else
        rapport += QString("Questionnaire « %1 » : %2 question(s).\n")
                       .arg(e.titre)
                       .arg(e.questions.size());
    for (const Avertissement& a : v.avertissements) rapport += TexteRemarque(a) + "\n";
    if (v.codeSortie() == 0) rapport += TexteSansRemarque + "\n";
    return rapport;
}

QByteArray RapportJson(const Verification& v) {
    const Questionnaire& e = v.questionnaire;
    QJsonArray questions, remarques;
    for (const Question& q : e.questions) questions.append(question(q));
    for (const Avertissement& a : v.avertissements)
        remarques.append(
            QJsonObject{{"file", a.fichier}, {"line", a.ligne}, {"message", a.message}});
    if (!v.erreur.isEmpty())
        remarques.append(QJsonObject{
            {"file", QFileInfo(v.chemins.dat).fileName()}, {"line", 0}, {"message", v.erreur}});
    const QJsonObject racine{
        {"title", e.titre},
        {"picture_mode", e.modeImages},
        {"countdown", e.modeImages == 0 || e.modeImages == 1 ? e.duree : ""},
        {"help", e.aide},
        {"multiple_answers", reponsesMultiples(e)},
        {"cycling_pictures", textes(e.modeImages == 1 ? e.imagesCycliques : QStringList())},
        {"questions", questions},
        {"warnings", remarques}};
    return QJsonDocument(racine).toJson(QJsonDocument::Indented);
}
