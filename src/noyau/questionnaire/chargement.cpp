#include "noyau/questionnaire/chargement.h"

#include "noyau/fichiers/fichiers.h"
#include "noyau/questionnaire/formats.h"
#include "noyau/services/hasard.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <limits>

namespace {

constexpr qint64 TailleMaxFichier = 8 * 1024 * 1024;

QString nomDuQuestionnaire(const QuizState& s) {
    return QFileInfo(s.DossierQuestionnaire).fileName();
}

void avertir(QVector<Avertissement>* liste, const QString& fichier, int ligne,
             const QString& message) {
    if (liste) liste->push_back({fichier, ligne, message});
}

// `raison` completes "le fichier NAME ..." (or "le fichier compagnon NAME ...").
QString refus(const QuizState& s, const QString& chemin, const ContenuFichier& contenu) {
    const QString quel = chemin == s.CheminIni ? "le fichier compagnon" : "le fichier";
    return QString(
               "Le questionnaire « %1 » ne peut pas démarrer : %2 %3 %4.\r\n"
               "Prévenez le professeur.")
        .arg(nomDuQuestionnaire(s), quel, contenu.nom, contenu.erreur);
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

void effacerCompagnon(QuizState& s) {
    for (auto& rangee : s.TableIni) rangee.fill(QString());
    for (auto& mode : s.TableImages) mode.fill(QString());
    s.Commentaires.fill(QString());
    s.ModeImages = 0;
    s.NbImages = 0;
    s.FichierAide.clear();
    s.DureeMinuterie.clear();
}

int colonneDeLEnTete(const QString& texte) { return static_cast<int>(EnTetesIni.indexOf(texte)); }

void remplirTableIni(QuizState& s, const ContenuFichier& contenu, CarteLignes& sections,
                     QVector<Avertissement>* avertissements) {
    Fichiers::LignesTexte lignes(contenu.octets);
    int colonne = 0, rang = 0, numero = 0;
    bool averti = false;
    while (const auto ligne = lireLigne(lignes)) {
        ++numero;
        const QString texte = Formats::sansEspaces(ligne->texte);
        ++rang;
        if (ligne->coupee && !averti) {
            averti = true;
            avertir(avertissements, contenu.nom, numero, messageLigneCoupee());
        }
        if (rang <= MaxLignesIni) {
            s.TableIni[rang][colonne] = texte;
            sections.ini[rang][colonne] = numero;
        } else if (!averti && !texte.isEmpty()) {
            averti = true;
            avertir(
                avertissements, contenu.nom, numero,
                QString("la section dépasse %1 lignes : la suite est ignorée").arg(MaxLignesIni));
        }
        const int nouvelle = colonneDeLEnTete(texte);
        if (nouvelle >= 0) {
            colonne = nouvelle;
            rang = 0;
            s.TableIni[0][colonne] = texte;
            sections.ini[0][colonne] = numero;
        }
    }
}

QString ligneIni(const QuizState& s, int rang, int colonne) {
    return rang >= 0 && rang <= MaxLignesIni ? s.TableIni[rang][colonne] : QString();
}

void avertirQuestionHorsLimites(const QString& fichier, const CarteLignes& sections, int rang,
                                int colonne, long q, QVector<Avertissement>* avertissements) {
    avertir(
        avertissements, fichier, sections.ini[rang][colonne],
        QString("numéro de question %1 hors de 0 à %2 : ligne ignorée").arg(q).arg(MaxQuestions));
}

// Returns the row E just after the picture list.
int lireImagesParQuestion(QuizState& s, const QString& fichier, CarteLignes& sections,
                          QVector<Avertissement>* avertissements) {
    int rang = 2;
    for (; rang <= 98; rang += 2) {
        const auto q = nombreEntier(s.TableIni[rang][0]);
        if (!q) break;
        if (!numeroDeQuestionValide(*q)) {
            avertirQuestionHorsLimites(fichier, sections, rang, 0, *q, avertissements);
            continue;
        }
        s.TableImages[0][*q] = s.TableIni[rang + 1][0];
        sections.image[*q] = sections.ini[rang + 1][0];
    }
    return rang;
}

int lireImagesCycliques(QuizState& s, const QString& fichier, const CarteLignes& sections,
                        QVector<Avertissement>* avertissements) {
    const long ecrit = nombreEntier(s.TableIni[2][0]).value_or(0);
    const long nombre = std::clamp<long>(ecrit, 0, MaxLignesIni);
    if (nombre > MaxQuestions) {
        avertir(avertissements, fichier, sections.ini[2][0],
                QString("%1 images annoncées : seules les %2 premières défilent")
                    .arg(ecrit)
                    .arg(MaxQuestions));
    }
    s.NbImages = static_cast<int>(std::min<long>(nombre, MaxQuestions));
    for (int i = 1; i <= s.NbImages; ++i) s.TableImages[1][i] = ligneIni(s, i + 2, 0);
    return static_cast<int>(nombre) + 3;
}

void lireImagesEtMinuterie(QuizState& s, const QString& fichier, CarteLignes& sections,
                           QVector<Avertissement>* avertissements) {
    if (s.ModeImages != 0 && s.ModeImages != 1) return;
    const int apres = s.ModeImages == 0
                          ? lireImagesParQuestion(s, fichier, sections, avertissements)
                          : lireImagesCycliques(s, fichier, sections, avertissements);
    sections.rangMinuterie = apres + 3 <= MaxLignesIni ? apres + 3 : 0;
    const QString minuterie = ligneIni(s, apres + 3, 0);
    s.DureeMinuterie = Formats::lireNombre(minuterie) ? minuterie : QString("30");
}

void lireCommentaires(QuizState& s, const QString& fichier, CarteLignes& sections,
                      QVector<Avertissement>* avertissements) {
    for (int rang = 1; rang + 1 <= MaxLignesIni; rang += 2) {
        const auto q = nombreEntier(s.TableIni[rang][1]);
        if (!q) break;
        if (!numeroDeQuestionValide(*q)) {
            avertirQuestionHorsLimites(fichier, sections, rang, 1, *q, avertissements);
            continue;
        }
        s.Commentaires[*q] = s.TableIni[rang + 1][1];
        sections.commentaire[*q] = sections.ini[rang + 1][1];
    }
}

void lireAide(QuizState& s) {
    const QString nom = s.TableIni[1][2];
    if (nom.isEmpty()) return;
    const QString debut = nom.left(3).toUpper();
    const bool absolu = debut == "C:\\" || debut == "D:\\";
    s.FichierAide =
        absolu ? nom : Fichiers::cheminEcrit(s.DossierQuestionnaire + "/Fichiers d'aide", nom);
}

// Reading of the questionnaire file, line by line.
class LecteurQuestionnaire {
public:
    LecteurQuestionnaire(QuizState& s, QVector<Avertissement>* avertissements, CarteLignes& carte,
                         const QString& fichier)
        : s_(s), avertissements_(avertissements), carte_(carte), fichier_(fichier) {}

    void lire(const QByteArray& octets) {
        Fichiers::LignesTexte lignes(octets);
        int numero = 0;
        while (!complet_) {
            const auto ligne = lireLigne(lignes);
            if (!ligne) break;
            if (ligne->coupee) signaler(numero + 1, messageLigneCoupee());
            traiter(ligne->texte, ++numero);
        }
    }
    int questions() const { return q_; }

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
        const QStringView marqueur = QStringView(rangee).left(2);
        if (marqueur == u"0 " && q_ == MaxQuestions) {
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
            if (marqueur == u"0 ")
                ouvrirQuestion(ligne, numero);
            else if (marqueur == u"</")
                s_.TitreQuestionnaire = ligne.mid(2);
            return;
        }
        s_.TexteQCM[q_][0][k_] = rangee;
        if (marqueur == u"</") {
            s_.TitreQuestionnaire = ligne.mid(2);
        } else if (marqueur == u"0 ") {
            ouvrirQuestion(ligne, numero);
        } else if (marqueur == u"=>") {
            s_.TexteQCM[q_][0][k_].clear();
            s_.TexteQCM[q_][1][0] = ligne.mid(2);
            carte_.drapeaux[q_] = numero;
        }
    }

    void ouvrirQuestion(const QString& ligne, int numero) {
        ++q_;
        k_ = 0;
        s_.TexteQCM[q_][0][0] = ligne.mid(2);
        carte_.question[q_] = numero;
    }

    QuizState& s_;
    QVector<Avertissement>* avertissements_;
    CarteLignes& carte_;
    QString fichier_;
    int q_ = 0;
    int k_ = 0;
    bool averti_ = false;
    bool complet_ = false;
};

QString consigne(bool plusieurs) {
    return plusieurs
               ? "Consigne : certaines questions peuvent admettre plusieurs réponses possibles."
               : "Consigne : Pour chaque question, une seule réponse est attendue.";
}

// The countdown maximum in two-second ticks; 10 when the length is not a
// whole number that a 16-bit integer holds.
int maximumMinuterie(const QString& duree) {
    if (duree == "0") return 10;
    const auto valeur = Formats::lireNombre(duree);
    if (!valeur) return 10;
    const long secondes = Formats::arrondiPair(std::clamp(*valeur, -1e6, 1e6));
    if (secondes < std::numeric_limits<std::int16_t>::min() ||
        secondes > std::numeric_limits<std::int16_t>::max())
        return 10;
    return static_cast<int>(secondes / 2);
}

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

QString LireFichierIni(QuizState& s, QVector<Avertissement>* avertissements, CarteLignes* carte,
                       const SourceFichiers& source) {
    effacerCompagnon(s);
    ContenuFichier contenu = source.lire(s.CheminIni);
    if (!contenu.erreur.isEmpty()) return refus(s, s.CheminIni, contenu);
    CarteLignes locale;
    CarteLignes& sections = carte ? *carte : locale;
    remplirTableIni(s, contenu, sections, avertissements);
    const auto mode = Formats::lireNombre(s.TableIni[1][0]);
    if (!mode || *mode != std::floor(*mode) || std::abs(*mode) > 32767) {
        contenu.erreur =
            "n'indique pas de mode d'images entier (première ligne de [Fichiers Images])";
        return refus(s, s.CheminIni, contenu);
    }
    s.ModeImages = static_cast<std::int16_t>(*mode);
    lireImagesEtMinuterie(s, contenu.nom, sections, avertissements);
    lireCommentaires(s, contenu.nom, sections, avertissements);
    lireAide(s);
    return {};
}

namespace {

QString lireContenuQuestionnaire(QuizState& s, ContenuFichier contenu,
                                 QVector<Avertissement>* avertissements, CarteLignes* carte) {
    for (auto& question : s.TexteQCM)
        for (auto& genre : question) genre.fill(QString());
    for (auto& drapeaux : s.BonnesReponses) drapeaux.fill(QString());
    s.TitreQuestionnaire.clear();
    s.NbQuestions = 0;
    if (!contenu.erreur.isEmpty()) return refus(s, s.CheminQuestionnaire, contenu);
    CarteLignes sansCarte;
    LecteurQuestionnaire lecteur(s, avertissements, carte ? *carte : sansCarte, contenu.nom);
    lecteur.lire(contenu.octets);
    s.NbQuestions = lecteur.questions();
    if (s.NbQuestions > 0) return {};
    contenu.erreur = "ne contient aucune question (ligne commençant par « 0 »)";
    return refus(s, s.CheminQuestionnaire, contenu);
}

// What a failed loading would have set goes back to a first attempt's.
void oublierLesEssais(QuizState& s) {
    s.Recommencer = false;
    s.NumEssai = 0;
    s.NbQuestions = 0;
    s.TitreQuestionnaire.clear();
    s.OrdreQuestions.clear();
    s.ReserveTirage.clear();
}

}  // namespace

QString LireQuestionnaire(QuizState& s, QVector<Avertissement>* avertissements, CarteLignes* carte,
                          const SourceFichiers& source) {
    return lireContenuQuestionnaire(s, source.lire(s.CheminQuestionnaire), avertissements, carte);
}

int NombreReponses(const QuizState& s, int q) {
    if (!numeroDeQuestionValide(q)) return 0;
    int nombre = 0;
    while (nombre < MaxCreneaux && !s.TexteQCM[q][0][nombre + 1].isEmpty()) ++nombre;
    return nombre;
}

void Lire_drapeaux(QuizState& s) {
    for (int q = 1; q <= s.NbQuestions && q <= MaxQuestions; ++q) {
        const QString& drapeaux = s.TexteQCM[q][1][0];
        if (drapeaux.isEmpty()) continue;
        for (int a = 0; a < MaxDrapeaux; ++a) s.BonnesReponses[q][a] = drapeaux.mid(2 * a, 1);
    }
}

void Cherche_reponses_multiples(QuizState& s) {
    s.ReponsesMultiples = false;
    for (int q = 1; q <= s.NbQuestions && q <= MaxQuestions; ++q) {
        int justes = 0;
        for (int a = 0; a < MaxDrapeaux; ++a)
            if (s.BonnesReponses[q][a] == "1") ++justes;
        if (justes > 1) {
            s.ReponsesMultiples = true;
            return;
        }
    }
}

QString TexteIntroduction(const QuizState& s) {
    const QString n = QString::number(s.NbQuestions);
    const QString essais = QString::number(10 - s.NumEssai);
    const QString crlf = "\r\n";
    if (s.FichierAide.isEmpty())
        return "Le questionnaire comprend " + n + " questions." + crlf +
               "ATTENTION ! Vous ne disposez que de " + essais +
               " essais pour valider ce questionnaire." + crlf +
               "Pour commencer, appuyer sur la commande Valider." + crlf + s.Consigne;
    return "Le questionnaire est auto-formatif et il comprend " + n + " questions." + crlf +
           " Vous disposez d'une aide en ligne en cliquant sur le bouton correspondant." + crlf +
           "ATTENTION ! Vous ne disposez que de " + essais +
           " essais pour valider ce questionnaire" + crlf +
           "Pour commencer, appuyer sur la commande Valider." + crlf + s.Consigne;
}

void TireIndex(QuizState& s, std::int16_t k, SourceAleatoire& hasard, std::uint64_t horloge) {
    hasard.reensemencer(horloge);
    const float r = hasard.suivant();
    const auto tirage = static_cast<std::int32_t>(std::nearbyint(1000.0f * r));
    const int restants = s.BorneTirage + 1 - k;
    if (restants <= 0) return;
    s.IndexTire = static_cast<std::int16_t>(tirage % restants);
}

void RetireDuTirage(QuizState& s, std::int16_t k) {
    const int taille = s.BorneTirage + 2 - k;
    if (taille < 0) return;
    while (s.ReserveTirage.size() < taille) s.ReserveTirage.append(QString());
    while (s.ReserveTirage.size() > taille) s.ReserveTirage.removeLast();
    for (int m = s.IndexTire; m <= s.BorneTirage - k && m + 1 < s.ReserveTirage.size(); ++m)
        s.ReserveTirage[m] = s.ReserveTirage[m + 1];
}

void TirerOrdre(QuizState& s, SourceAleatoire& hasard, std::uint64_t horloge) {
    s.BorneTirage = static_cast<std::int16_t>(s.NbQuestions - 1);
    s.OrdreQuestions.clear();
    s.ReserveTirage.clear();
    for (int n = 0; n <= s.BorneTirage; ++n) s.ReserveTirage.append(QString::number(n + 1));
    for (std::int16_t n = 0; n <= s.BorneTirage; ++n) {
        if (!s.Recommencer) {
            s.OrdreQuestions.append(static_cast<std::int16_t>(s.ReserveTirage[n].toInt()));
            continue;
        }
        TireIndex(s, n, hasard, horloge);
        s.OrdreQuestions.append(static_cast<std::int16_t>(s.ReserveTirage[s.IndexTire].toInt()));
        RetireDuTirage(s, n);
    }
}

Chargement ChargerQuiz(QuizState& s, SourceAleatoire& hasard, std::uint64_t horloge,
                       CarteLignes* carte, const SourceFichiers& source) {
    Chargement resultat;
    s.SortieConfirmee = false;
    s.ChronoActif = false;
    s.NumQuestion = s.RangQuestion = 0;
    s.NbJustes = s.NbFausses = s.NbNulles = 0;
    s.NumEssai = s.Recommencer ? static_cast<std::int16_t>(s.NumEssai + 1) : 0;
    s.ChoixNumerotes = false;
    s.CheminIni = s.CheminQuestionnaire.left(s.CheminQuestionnaire.size() - 4) + ".ini";
    const bool premier = !s.Recommencer || s.NbQuestions == 0;
    // The questionnaire is looked at first, so that a folder without one is
    // not reported for its companion.
    const ContenuFichier questionnaire =
        premier ? source.lire(s.CheminQuestionnaire) : ContenuFichier{};
    resultat.erreur = questionnaire.erreur.isEmpty()
                          ? LireFichierIni(s, &resultat.avertissements, carte, source)
                          : refus(s, s.CheminQuestionnaire, questionnaire);
    if (resultat.erreur.isEmpty() && premier) {
        resultat.erreur =
            lireContenuQuestionnaire(s, questionnaire, &resultat.avertissements, carte);
        Lire_drapeaux(s);
        Cherche_reponses_multiples(s);
    }
    if (!resultat.erreur.isEmpty()) {
        oublierLesEssais(s);
        return resultat;
    }
    resultat.aideVisible = !s.FichierAide.isEmpty();
    resultat.maximumMinuterie = maximumMinuterie(s.DureeMinuterie);
    s.Consigne = consigne(s.ReponsesMultiples);
    resultat.introduction = TexteIntroduction(s);
    s.Penalite = 0.0f;
    TirerOrdre(s, hasard, horloge);
    return resultat;
}
