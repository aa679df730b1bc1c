#include "noyau/questionnaire/chargement.h"

#include "noyau/fichiers/fichiers.h"
#include "noyau/questionnaire/formats.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace {

constexpr qint64 TailleMaxFichier = 8 * 1024 * 1024;

void avertir(QVector<Avertissement>& liste, const QString& fichier, int ligne,
             const QString& message) {
    liste.push_back({fichier, ligne, message});
}

// `raison` completes "le fichier NAME ..." (or "le fichier compagnon NAME ...").
QString refus(const CheminsQuestionnaire& c, const QString& chemin, const ContenuFichier& contenu) {
    const QString quel = chemin == c.ini ? "le fichier compagnon" : "le fichier";
    return QString(
               "Le questionnaire « %1 » ne peut pas démarrer : %2 %3 %4.\r\n"
               "Prévenez le professeur.")
        .arg(c.nom(), quel, contenu.nom, contenu.erreur);
}

// A teacher's line, cut at the format's length; `coupee` tells it was longer.
struct LigneLue {
    QString texte;
    bool coupee = false;
};

std::optional<LigneLue> lireLigne(Fichiers::LignesTexte& lignes) {
    auto ligne = lignes.suivante(LongueurMaxLigne);
    if (!ligne) return std::nullopt;
    const bool coupee = ligne->size() > LongueurMaxLigne;
    if (coupee) ligne->truncate(LongueurMaxLigne);
    return LigneLue{std::move(*ligne), coupee};
}

QString messageLigneCoupee() {
    return QString("ligne de plus de %1 caractères : elle est coupée").arg(LongueurMaxLigne);
}

// A row that reads as a number, rounded to a whole one.
std::optional<long> nombreEntier(const QString& texte) {
    const auto valeur = Formats::lireNombre(texte);
    if (!valeur || std::abs(*valeur) > 1e9) return std::nullopt;
    return Formats::arrondiPair(*valeur);
}

// The picture or comment of question q: in the question once it is read,
// aside until then.
void poser(Questionnaire& e, QString Question::*champ, QMap<int, QString>& aPart, int q,
           const QString& valeur) {
    if (q >= 1 && q <= e.questions.size())
        e.questions[q - 1].*champ = valeur;
    else if (valeur.isEmpty())
        aPart.remove(q);
    else
        aPart.insert(q, valeur);
}

void rattacher(Questionnaire& e) {
    for (int q = 1; q <= e.questions.size(); ++q) {
        if (e.imagesOrphelines.contains(q)) e.questions[q - 1].image = e.imagesOrphelines.take(q);
        if (e.commentairesOrphelins.contains(q))
            e.questions[q - 1].commentaire = e.commentairesOrphelins.take(q);
    }
}

// The companion file's rows by section (0 pictures, 1 comments, 2 help) and row.
class LecteurCompagnon {
public:
    LecteurCompagnon(Lecture& l, const QString& fichier)
        : l_(l), e_(l.questionnaire), carte_(l.carte), fichier_(fichier) {}

    void remplir(const QByteArray& octets) {
        Fichiers::LignesTexte lignes(octets);
        int colonne = 0, rang = 0, numero = 0;
        bool averti = false;
        while (const auto ligne = lireLigne(lignes)) {
            ++numero;
            const QString texte = Formats::sansEspaces(ligne->texte);
            ++rang;
            if (ligne->coupee && !averti) {
                averti = true;
                avertir(l_.avertissements, fichier_, numero, messageLigneCoupee());
            }
            if (rang <= MaxLignesIni) {
                table_[rang][colonne] = texte;
                carte_.ini[rang][colonne] = numero;
            } else if (!averti && !texte.isEmpty()) {
                averti = true;
                avertir(l_.avertissements, fichier_, numero,
                        QString("la section dépasse %1 lignes : la suite est ignorée")
                            .arg(MaxLignesIni));
            }
            const int nouvelle = SectionDeLEnTete(texte);
            if (nouvelle >= 0) {
                colonne = nouvelle;
                rang = 0;
                table_[0][colonne] = texte;
                carte_.ini[0][colonne] = numero;
            }
        }
        e_.aide = table_[1][2];
    }

    // False when the picture mode is not a whole number.
    bool lireMode() {
        const auto mode = Formats::lireNombre(table_[1][0]);
        if (!mode || *mode != std::floor(*mode) || std::abs(*mode) > 32767) return false;
        e_.modeImages = static_cast<int>(*mode);
        return true;
    }

    void lireImagesEtMinuterie() {
        if (e_.modeImages != 0 && e_.modeImages != 1) return;
        const int apres = e_.modeImages == 0 ? lireImagesParQuestion() : lireImagesCycliques();
        carte_.rangMinuterie = apres + 3 <= MaxLignesIni ? apres + 3 : 0;
        l_.minuterieEcrite = ligne(apres + 3, 0);
        if (Formats::lireNombre(l_.minuterieEcrite)) e_.duree = l_.minuterieEcrite;
        // Only rows the picture section really holds: the next section's
        // header is also stored as its last row.
        for (int i = 0; i < 3 && carte_.rangMinuterie > 3; ++i) {
            const QString& rangee = table_[carte_.rangMinuterie - 3 + i][0];
            if (!EnTetesIni.contains(rangee)) e_.lignesNonLues[i] = rangee;
        }
    }

    void lireCommentaires() {
        for (int rang = 1; rang + 1 <= MaxLignesIni; rang += 2) {
            const auto q = nombreEntier(table_[rang][1]);
            if (!q) break;
            if (!numeroDeQuestionValide(*q)) {
                avertirHorsLimites(rang, 1, *q);
                continue;
            }
            poser(e_, &Question::commentaire, e_.commentairesOrphelins, int(*q),
                  table_[rang + 1][1]);
            carte_.commentaire[*q] = carte_.ini[rang + 1][1];
        }
    }

private:
    QString ligne(int rang, int colonne) const {
        return rang >= 0 && rang <= MaxLignesIni ? table_[rang][colonne] : QString();
    }

    void avertirHorsLimites(int rang, int colonne, long q) {
        avertir(l_.avertissements, fichier_, carte_.ini[rang][colonne],
                QString("numéro de question %1 hors de 0 à %2 : ligne ignorée")
                    .arg(q)
                    .arg(MaxQuestions));
    }

    // Returns the row just after the picture list.
    int lireImagesParQuestion() {
        int rang = 2;
        for (; rang <= 98; rang += 2) {
            const auto q = nombreEntier(table_[rang][0]);
            if (!q) break;
            if (!numeroDeQuestionValide(*q)) {
                avertirHorsLimites(rang, 0, *q);
                continue;
            }
            poser(e_, &Question::image, e_.imagesOrphelines, int(*q), table_[rang + 1][0]);
            carte_.image[*q] = carte_.ini[rang + 1][0];
        }
        return rang;
    }

    int lireImagesCycliques() {
        const long ecrit = nombreEntier(table_[2][0]).value_or(0);
        const long nombre = std::clamp<long>(ecrit, 0, MaxLignesIni);
        if (nombre > MaxQuestions) {
            avertir(l_.avertissements, fichier_, carte_.ini[2][0],
                    QString("%1 images annoncées : seules les %2 premières défilent")
                        .arg(ecrit)
                        .arg(MaxQuestions));
        }
        e_.imagesCycliques.clear();
        for (int i = 1; i <= std::min<long>(nombre, MaxQuestions); ++i)
            e_.imagesCycliques << ligne(i + 2, 0);
        return static_cast<int>(nombre) + 3;
    }

    Lecture& l_;
    Questionnaire& e_;
    CarteLignes& carte_;
    QString fichier_;
    std::array<std::array<QString, 3>, MaxLignesIni + 1> table_;
};

// Reading of the questionnaire file, line by line.
class LecteurQuestionnaire {
public:
    LecteurQuestionnaire(Lecture& l, const QString& fichier)
        : e_(l.questionnaire),
          avertissements_(l.avertissements),
          carte_(l.carte),
          fichier_(fichier) {}

    void lire(const QByteArray& octets) {
        Fichiers::LignesTexte lignes(octets);
        int numero = 0;
        while (!complet_) {
            const auto ligne = lireLigne(lignes);
            if (!ligne) break;
            if (ligne->coupee) signaler(numero + 1, messageLigneCoupee());
            traiter(ligne->texte, ++numero);
        }
        fermerQuestion();
    }

private:
    void signaler(int numero, const QString& message) {
        if (averti_) return;
        averti_ = true;
        avertir(avertissements_, fichier_, numero, message);
    }

    void traiter(const QString& ligne, int numero) {
        // Slots past the ninth are never stored: the count stops there, so
        // that no number of lines can take it round to a negative one.
        if (k_ <= MaxCreneaux) ++k_;
        const QString rangee = Formats::sansEspaces(ligne);
        const GenreLigne genre = GenreDeLigne(rangee);
        if (genre == GenreLigne::Question && q_ == MaxQuestions) {
            signaler(numero, QString("plus de %1 questions : la suite du fichier est ignorée")
                                 .arg(MaxQuestions));
            complet_ = true;
            return;
        }
        if (k_ > MaxCreneaux) {
            if (rangee.isEmpty()) return;
            if (q_ > 0)
                signaler(numero, QString("plus de %1 lignes après la question %2 : ligne ignorée")
                                     .arg(MaxCreneaux - 1)
                                     .arg(q_));
            if (genre == GenreLigne::Question)
                ouvrirQuestion(ligne, numero);
            else if (genre == GenreLigne::Titre)
                e_.titre = ContenuDeLigne(ligne);
            return;
        }
        creneaux_[k_] = rangee;
        if (genre == GenreLigne::Titre) {
            e_.titre = ContenuDeLigne(ligne);
        } else if (genre == GenreLigne::Question) {
            ouvrirQuestion(ligne, numero);
        } else if (genre == GenreLigne::Drapeaux) {
            creneaux_[k_].clear();
            drapeaux_ = ContenuDeLigne(ligne);
            carte_.drapeaux[q_] = numero;
        }
    }

    void ouvrirQuestion(const QString& ligne, int numero) {
        fermerQuestion();
        ++q_;
        k_ = 0;
        creneaux_.fill(QString());
        drapeaux_.clear();
        creneaux_[0] = ContenuDeLigne(ligne);
        carte_.question[q_] = numero;
    }

    // The answers are the slots before the first empty one.
    void fermerQuestion() {
        if (q_ == 0) return;
        int n = 0;
        while (n < MaxCreneaux && !creneaux_[n + 1].isEmpty()) ++n;
        Question& question = e_.questions.emplace_back();
        question.texte = std::move(creneaux_[0]);
        question.reponses.reserve(n);
        question.justes.reserve(n);
        for (int k = 0; k < n; ++k) {
            question.reponses << std::move(creneaux_[k + 1]);
            question.justes << (DrapeauEcrit(drapeaux_, k) == "1");
        }
        question.drapeaux = std::move(drapeaux_);
    }

    Questionnaire& e_;
    QVector<Avertissement>& avertissements_;
    CarteLignes& carte_;
    QString fichier_;
    std::array<QString, MaxCreneaux + 1> creneaux_;
    QString drapeaux_;
    int q_ = 0;
    int k_ = 0;
    bool averti_ = false;
    bool complet_ = false;
};

}  // namespace

ContenuFichier SourceFichiers::lire(const QString& chemin) const {
    const QString reel = Fichiers::resoudre(chemin);
    Fichiers::Contenu lu = Fichiers::LireEntier(reel, TailleMaxFichier);
    QString nom = QFileInfo(reel).fileName();
    if (nom.isEmpty()) nom = QFileInfo(chemin).fileName();
    return {std::move(lu.octets), nom, lu.erreur};
}

const SourceFichiers& SourceFichiers::disque() {
    static const SourceFichiers source;
    return source;
}

ContenuFichier SourceMemoire::lire(const QString& chemin) const {
    const auto trouve = contenus_.find(chemin);
    if (trouve == contenus_.end()) return {{}, QFileInfo(chemin).fileName(), "est introuvable"};
    return {*trouve, QFileInfo(chemin).fileName(), {}};
}

QString LireCompagnon(Lecture& l, const CheminsQuestionnaire& chemins,
                      const SourceFichiers& source) {
    ContenuFichier contenu = source.lire(chemins.ini);
    if (!contenu.erreur.isEmpty()) return refus(chemins, chemins.ini, contenu);
    LecteurCompagnon lecteur(l, contenu.nom);
    lecteur.remplir(contenu.octets);
    if (!lecteur.lireMode()) {
        contenu.erreur =
            "n'indique pas de mode d'images entier (première ligne de [Fichiers Images])";
        return refus(chemins, chemins.ini, contenu);
    }
    lecteur.lireImagesEtMinuterie();
    lecteur.lireCommentaires();
    return {};
}

QString LireQuestions(Lecture& l, const CheminsQuestionnaire& chemins,
                      const ContenuFichier& contenu) {
    if (!contenu.erreur.isEmpty()) return refus(chemins, chemins.dat, contenu);
    LecteurQuestionnaire(l, contenu.nom).lire(contenu.octets);
    rattacher(l.questionnaire);
    if (!l.questionnaire.questions.isEmpty()) return {};
    ContenuFichier vide = contenu;
    vide.erreur = "ne contient aucune question (ligne commençant par « 0 »)";
    return refus(chemins, chemins.dat, vide);
}

Lecture LireDossierQuestionnaire(const CheminsQuestionnaire& chemins,
                                 const SourceFichiers& source) {
    Lecture l;
    const ContenuFichier questionnaire = source.lire(chemins.dat);
    l.erreur = questionnaire.erreur.isEmpty() ? LireCompagnon(l, chemins, source)
                                              : refus(chemins, chemins.dat, questionnaire);
    if (l.erreur.isEmpty()) l.erreur = LireQuestions(l, chemins, questionnaire);
    return l;
}
