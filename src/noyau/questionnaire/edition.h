#pragma once
#include "noyau/questionnaire/ecriture.h"
#include "noyau/questionnaire/verification.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

// What the editor does to a questionnaire besides typing, as plain functions
// the window calls and the tests drive.
namespace Edition {

// A file name the player finds on any file system: letters without accents,
// digits, dots, dashes and underscores, the extension kept in lower case.
QString NomSur(const QString& nom);

// Copies `source` into `dossier` under its safe name and returns that name.
// A file of the same name and other content gets a numbered name instead of
// being replaced; the same file is not copied twice. Empty on failure, with
// the reason in `erreur`.
QString CopierDans(const QString& source, const QString& dossier, QString* erreur);

// Question operations; each returns the index (from 0) to select afterwards.
int AjouterQuestion(Questionnaire& e, int apres);
int DupliquerQuestion(Questionnaire& e, int index);
int SupprimerQuestion(Questionnaire& e, int index);
int DeplacerQuestion(Questionnaire& e, int de, int vers);

// The questionnaire as typed, written with NAME's name into a folder of its
// own whose Images and "Fichiers d'aide" lead to those of the real folder:
// the checker and the practice run read it as they would the saved one.
class CopieDeTravail {
public:
    explicit CopieDeTravail(const QString& dossierReel);
    // The folder to hand to the checker or the player; empty on failure.
    QString ecrire(const Questionnaire& e);

private:
    QTemporaryDir racine_;
    QString dossier_;
};

// The question (from 1) a checker remark is about, 0 when none.
int QuestionDeRemarque(const Verification& v, const Avertissement& a);

}  // namespace Edition
