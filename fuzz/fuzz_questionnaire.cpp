// The questionnaire reader on any bytes, then what reads its tables.
#include "entrees.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    SourceMemoire source;
    source.poser(Fuzz::dat(), Fuzz::octets(donnees, taille));
    Lecture l;
    const CheminsQuestionnaire chemins{Fuzz::dossier(), Fuzz::dat(), Fuzz::ini()};
    LireQuestions(l, chemins, source.lire(chemins.dat));
    QuizState& s = Fuzz::etat();
    PoserQuestionnaire(s, l.questionnaire);
    Lire_drapeaux(s);
    Cherche_reponses_multiples(s);
    for (int q = -1; q <= MaxQuestions + 1; ++q) NombreReponses(s, q);
    return 0;
}
