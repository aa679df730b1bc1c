// The questionnaire reader on any bytes, then what reads its tables.
#include "entrees.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    SourceMemoire source;
    source.poser(Fuzz::dat(), Fuzz::octets(donnees, taille));
    auto s = std::make_unique<QuizState>();
    s->DossierQuestionnaire = Fuzz::dossier();
    s->CheminQuestionnaire = Fuzz::dat();
    QVector<Avertissement> avertissements;
    CarteLignes carte;
    LireQuestionnaire(*s, &avertissements, &carte, source);
    Lire_drapeaux(*s);
    Cherche_reponses_multiples(*s);
    for (int q = -1; q <= MaxQuestions + 1; ++q) NombreReponses(*s, q);
    return 0;
}
