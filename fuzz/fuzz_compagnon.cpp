// The companion reader on any bytes.
#include "entrees.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    SourceMemoire source;
    source.poser(Fuzz::ini(), Fuzz::octets(donnees, taille));
    // One state for every run, as the program keeps one for its whole life:
    // each reading must clear what the one before left.
    static const auto s = std::make_unique<QuizState>();
    s->DossierQuestionnaire = Fuzz::dossier();
    s->CheminIni = Fuzz::ini();
    QVector<Avertissement> avertissements;
    CarteLignes carte;
    LireFichierIni(*s, &avertissements, &carte, source);
    return 0;
}
