#include "noyau/deroulement/deroulement.h"

EtatQuiz Deroulement::etat() const {
    if (quitte_) return EtatQuiz::Quitte;
    if (termine_) return EtatQuiz::Termine;
    return s_.RangQuestion <= 0 ? EtatQuiz::Pret : EtatQuiz::Reponse;
}

bool Deroulement::commencer(const QDateTime& maintenant) {
    if (s_.RangQuestion > 0) return false;
    s_.HeureDebut = maintenant;
    return true;
}

bool Deroulement::finAtteinte() {
    if (s_.RangQuestion >= s_.NbQuestions) termine_ = true;
    return termine_;
}

bool Deroulement::avancer() {
    s_.ChronoActif = true;
    s_.TicsMinuterie = 0;
    ++s_.RangQuestion;
    if (s_.RangQuestion >= s_.NbQuestions + 1) {
        s_.RangQuestion = static_cast<std::int16_t>(s_.NbQuestions);
        return false;
    }
    const int position = s_.RangQuestion - 1;
    // The draw always fills the order; file order stands in if it did not.
    s_.NumQuestion =
        position < s_.OrdreQuestions.size() ? s_.OrdreQuestions[position] : s_.RangQuestion;
    return true;
}

void Deroulement::abandonner() {
    if (etat() == EtatQuiz::Reponse) --s_.RangQuestion;
    s_.SortieConfirmee = true;
    quitte_ = true;
}

void Deroulement::afficherResultats() {
    s_.SortieConfirmee = true;
    quitte_ = true;
}
