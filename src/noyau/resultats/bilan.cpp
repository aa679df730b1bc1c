#include "noyau/resultats/bilan.h"

#include "noyau/questionnaire/formats.h"

namespace Resultats {

namespace {
const QString FinDeLigne = QStringLiteral("\r\n");

QString lignePourcentage(const QString& debut, int nombre, int total, const QString& fin) {
    return debut + QString::number(nombre) + " questions sur " + QString::number(total) +
           " , soit : " + Formats::textePourcentage(Formats::pourcentage(nombre, total)) + fin;
}
}  // namespace

bool EssaiComplet(const QuizState& s) { return s.RangQuestion == s.NbQuestions; }

bool RecommencerPossible(const QuizState& s) { return s.NumEssai != DernierEssai; }

QString Appreciation(float note) {
    if (note >= 18.0f)
        return "Le test est concluant. C'est très bien ! " + FinDeLigne +
               "Appelez le professeur pour valider votre travail.";
    if (note > 12.0f)
        return QStringLiteral("Le test n'est pas réussi mais vous êtes en bonne voie ! ");
    return QStringLiteral("Le test n'est pas réussi. Des révisions s'imposent ! ");
}

TextesBilan ComposerBilan(const QuizState& s, const QString& duree) {
    TextesBilan t;
    t.titreFenetre = QStringLiteral("RESULTATS OBTENUS");
    t.test = "TEST CHOISI" + FinDeLigne + s.TitreQuestionnaire;
    t.binome = "Votre Identifiant est : " + s.Identifiant.toUpper() + FinDeLigne +
               "Votre classe est la " + s.Classe.toUpper();
    t.traitement = "Vous avez traité " + QString::number(s.RangQuestion) + " questions sur " +
                   QString::number(s.NbQuestions) + "." + FinDeLigne + "Vous avez mis " + duree +
                   " pour réaliser" + FinDeLigne + "ce questionnaire.";
    t.pourcentages = lignePourcentage("Vous avez répondu juste à ", s.NbJustes, s.NbQuestions,
                                      " % de réponses justes.") +
                     FinDeLigne +
                     lignePourcentage("Vous avez mal répondu à ", s.NbFausses, s.NbQuestions,
                                      " % de mauvaises réponses.") +
                     FinDeLigne +
                     lignePourcentage("Vous n'avez pas voulu répondre à ", s.NbNulles,
                                      s.NbQuestions, " % de réponses nulles.");
    t.noteVisible = EssaiComplet(s);
    if (t.noteVisible) {
        t.note = Formats::texteNote(s.Note) + "/20     ";
        t.appreciation = Appreciation(s.Note);
    } else {
        t.appreciation = "Le QCM n'a pas été traité dans son intégralité." + FinDeLigne +
                         "Cliquer sur Recommencer pour reprendre le questionnaire" + FinDeLigne +
                         "depuis le début ou sur Quitter pour sortir du logiciel.";
    }
    return t;
}

}  // namespace Resultats
