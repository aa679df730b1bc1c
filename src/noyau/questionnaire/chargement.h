#pragma once
#include "noyau/deroulement/quiz_state.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>

class SourceAleatoire;

// Longer lines of a teacher's file are cut to this many characters.
constexpr int LongueurMaxLigne = 4000;

// Section headers of the companion file, in the order of TableIni's columns.
inline const QStringList EnTetesIni = {"[Fichiers Images]", "[Commentaires]", "[Fichier d'aide]"};

// Something in a teacher's file that would surprise them; `ligne` counts
// from 1, 0 when the remark concerns the whole file.
struct Avertissement {
    QString fichier;
    int ligne = 0;
    QString message;
};

// Where each piece was read, for the teacher's checker: line numbers in the
// files, from 1; 0 where nothing was read.
struct CarteLignes {
    std::array<std::array<int, 3>, MaxLignesIni + 1> ini{};  // (row, section)
    std::array<int, MaxQuestions + 1> question{};            // question lines
    std::array<int, MaxQuestions + 1> drapeaux{};            // right-answers lines
    std::array<int, MaxQuestions + 1> image{};               // picture name of question q
    std::array<int, MaxQuestions + 1> commentaire{};         // comment of question q
    int rangMinuterie = 0;  // row of the countdown length in the picture section; 0: none
};

// The bytes of one of the teacher's files, with the name it has on disk.
struct ContenuFichier {
    QByteArray octets;
    QString nom;
    QString erreur;  // completes "le fichier NAME ..."; empty once read
};

// Where the loading finds the teacher's files: the disk, or memory for the
// fuzzers, which feed the readers thousands of files a second.
class SourceFichiers {
public:
    virtual ~SourceFichiers() = default;
    virtual ContenuFichier lire(const QString& chemin) const;
    static const SourceFichiers& disque();
};

class SourceMemoire : public SourceFichiers {
public:
    void poser(const QString& chemin, QByteArray octets) { contenus_[chemin] = std::move(octets); }
    ContenuFichier lire(const QString& chemin) const override;

private:
    QHash<QString, QByteArray> contenus_;
};

// Reads `CheminIni` into `TableIni` and derives the picture table, the
// comments, the help document and the countdown length. Returns a French
// message when the quiz cannot start (missing companion, picture mode not a
// whole number), empty otherwise.
QString LireFichierIni(QuizState& s, QVector<Avertissement>* avertissements = nullptr,
                       CarteLignes* carte = nullptr,
                       const SourceFichiers& source = SourceFichiers::disque());

// Reads the questionnaire file into `TexteQCM` and sets `TitreQuestionnaire`
// and `NbQuestions`. Returns a French message when the quiz cannot start
// (file missing or unreadable, no question line).
QString LireQuestionnaire(QuizState& s, QVector<Avertissement>* avertissements = nullptr,
                          CarteLignes* carte = nullptr,
                          const SourceFichiers& source = SourceFichiers::disque());

// Number of answer slots 1, 2, ... of question q before the first empty one.
int NombreReponses(const QuizState& s, int q);

void Lire_drapeaux(QuizState& s);
void Cherche_reponses_multiples(QuizState& s);
QString TexteIntroduction(const QuizState& s);

// The draw: k is the number of draws already made.
void TireIndex(QuizState& s, std::int16_t k, SourceAleatoire& hasard, std::uint64_t horloge);
void RetireDuTirage(QuizState& s, std::int16_t k);
void TirerOrdre(QuizState& s, SourceAleatoire& hasard, std::uint64_t horloge);

// What the quiz screen shows once its loading is done.
struct Chargement {
    QString erreur;  // not empty: the quiz cannot start; say it and go back
    QVector<Avertissement> avertissements;
    QString introduction;       // for txtQuestion
    int maximumMinuterie = 10;  // prgBar1's maximum, in two-second ticks
    bool aideVisible = false;   // cmdAide
};

// The loading of the quiz screen as logic: resets the counters, reads the
// companion, reads the questionnaire on the first run only, composes the
// introduction and draws the order. A loading that fails leaves no trace of
// an earlier attempt: the next one is a first attempt, read anew.
Chargement ChargerQuiz(QuizState& s, SourceAleatoire& hasard, std::uint64_t horloge,
                       CarteLignes* carte = nullptr,
                       const SourceFichiers& source = SourceFichiers::disque());
