#include "noyau/deroulement/presentation.h"

#include "noyau/deroulement/chargement_quiz.h"
#include "noyau/questionnaire/formats.h"

bool ChoixDejaNumerotes(const QString& premiereReponse) {
    const QString c1 = premiereReponse.mid(0, 1);
    const QString c2 = premiereReponse.mid(1, 1);
    return c1 == "1" || c2 == "1" || c1.toLower() == "a" || c2.toLower() == "a";
}

QuestionAffichee Charge_questionnaire(QuizState& s) {
    QuestionAffichee question;
    s.ChoixNumerotes = false;
    if (s.RangQuestion < 1) return question;
    const int q = s.NumQuestion;
    const bool valide = numeroDeQuestionValide(q);
    const auto creneau = [&](int k) { return valide ? s.TexteQCM[q][0][k] : QString(); };

    question.affichee = true;
    question.entete = "Question n° " + QString::number(s.RangQuestion) + " sur " +
                      QString::number(s.NbQuestions) + " :  " + creneau(0);
    s.ChoixNumerotes = ChoixDejaNumerotes(creneau(1));
    const int nombre = valide ? NombreReponses(s, q) : 0;
    s.NbChoix = std::max(nombre, 1);
    for (int i = 0; i < s.NbChoix; ++i) {
        const QString prefixe = s.ChoixNumerotes ? QString() : QString::number(i + 1) + ")  ";
        question.libelles << prefixe + creneau(i + 1);
    }
    return question;
}

float HautChoix(int i, float haut0, float hauteur) {
    return haut0 + static_cast<float>(i) * (hauteur + EcartChoix);
}

int EnPixels(float twips) { return static_cast<int>(Formats::arrondiPair(twips / TwipsParPixel)); }
