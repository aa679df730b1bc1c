#pragma once
#include "noyau/deroulement/quiz_state.h"
#include "noyau/resultats/attente.h"

#include <QString>
#include <QTime>

// The results record of one attempt: 27 lines ended by CR LF, in the
// student's results file beside the questionnaire.
namespace Resultats {

// The fixed texts of a record, shared by its writer and its reader.
namespace Rubrique {
inline const QString Separation = QString(19, '=') + "(séparation)" + QString(21, '=');
inline const QString Essai = QStringLiteral("[Essai - numéro ");  // number, then "]"
inline const QString Binome = QStringLiteral("[Binôme]");
inline const QString Classe = QStringLiteral("[Classe]");
inline const QString Traitees = QStringLiteral("[Nombre de questions traitées]");
inline const QString Note = QStringLiteral("[Note]");
inline const QString DateHeure = QStringLiteral("[Date/Heure]");
inline const QString Sur = QStringLiteral(" sur ");
inline const QString SurVingt = QStringLiteral("/20     soit : ");
inline const QString SurQuatre = QStringLiteral("/4");
inline const QString NonEvaluable = QStringLiteral("Test non évaluable");
inline const QString Justes = QStringLiteral("Nbre de réponses justes = ");
inline const QString Fausses = QStringLiteral("Nbre de réponses fausses = ");
inline const QString Nulles = QStringLiteral("l'élève n'a pas répondu pour ");
inline const QString FormatHeure = QStringLiteral("hh:mm:ss");
}  // namespace Rubrique

// Line 17: the mark out of 20 and out of 4, or "Test non évaluable" when the
// attempt was abandoned.
QString LigneNote(const QuizState& s);

// The whole record, lines 1 to 27; `heure` is the time of writing.
QString TexteEnregistrement(const QuizState& s, const QTime& heure);

// Gathers a record and writes it to `CheminResultats` in one operation when
// it is closed, so that a failure never leaves half a record behind. The
// record is always appended: a file that another run created meanwhile is
// never emptied, and a file removed after the first attempt is created again.
class FichierResultats {
public:
    // Lines 1 to 3.
    void OuvrirFichierResultats(const QuizState& s);
    // Lines 4 to 27.
    void EcrireResultats(const QuizState& s, const QTime& heure);
    // Writes what was gathered; returns an empty text once the record is on
    // disk, else the reason in French. A record that could not be written
    // is handed to `attente` when there is one.
    QString FermerFichierResultats(FileAttente* attente = nullptr);

    const QString& chemin() const { return chemin_; }
    // Whether the queue took a record that could not be written.
    bool conserve() const { return conserve_; }

private:
    QString chemin_;
    QString dossier_;
    QString texte_;
    bool conserve_ = false;
};

// What became of a record.
struct Enregistrement {
    QString chemin;         // the results file
    QString raison;         // empty once the record is in it, else why not
    bool conserve = false;  // kept on this computer until the file answers
};

// Opens, writes and closes.
Enregistrement EnregistrerResultats(const QuizState& s, const QTime& heure,
                                    FileAttente* attente = nullptr);

// The critical warning of a record that could not be written; `conserve`
// when it is kept on this computer.
inline const QString TitreEchec = QStringLiteral("AVERTISSEMENT CRITIQUE");
QString MessageEchec(const QString& chemin, const QString& raison, bool conserve = false);

}  // namespace Resultats
