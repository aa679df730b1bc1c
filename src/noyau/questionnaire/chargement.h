#pragma once
#include "noyau/questionnaire/chemins.h"
#include "noyau/questionnaire/grammaire.h"
#include "noyau/questionnaire/questionnaire.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

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

// What reading a questionnaire's files gives.
struct Lecture {
    Questionnaire questionnaire;
    CarteLignes carte;
    QVector<Avertissement> avertissements;
    QString erreur;           // not empty: the quiz cannot start
    QString minuterieEcrite;  // the countdown row as written; empty when none
};

// Reads the companion file into the picture mode, the pictures, the
// comments, the countdown and the help document of `l.questionnaire`.
// Returns a French message when the quiz cannot start (missing companion,
// picture mode not a whole number), empty otherwise.
QString LireCompagnon(Lecture& l, const CheminsQuestionnaire& chemins,
                      const SourceFichiers& source = SourceFichiers::disque());

// Reads the title and the questions from the questionnaire file's bytes.
// Returns a French message when the quiz cannot start (file missing or
// unreadable, no question line).
QString LireQuestions(Lecture& l, const CheminsQuestionnaire& chemins,
                      const ContenuFichier& contenu);

// Both files as the quiz reads them: the questionnaire file is looked at
// first, so that a folder without one is not reported for its companion.
Lecture LireDossierQuestionnaire(const CheminsQuestionnaire& chemins,
                                 const SourceFichiers& source = SourceFichiers::disque());
