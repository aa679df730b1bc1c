// The companion reader on any bytes.
#include "entrees.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    SourceMemoire source;
    source.poser(Fuzz::ini(), Fuzz::octets(donnees, taille));
    auto s = std::make_unique<QuizState>();
    s->DossierQuestionnaire = Fuzz::dossier();
    s->CheminIni = Fuzz::ini();
    QVector<Avertissement> avertissements;
    CarteLignes carte;
    LireFichierIni(*s, &avertissements, &carte, source);
    return 0;
}
