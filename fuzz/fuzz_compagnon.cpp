// The companion reader on any bytes.
#include "entrees.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    SourceMemoire source;
    source.poser(Fuzz::ini(), Fuzz::octets(donnees, taille));
    QVector<Avertissement> avertissements;
    CarteLignes carte;
    LireFichierIni(Fuzz::etat(), &avertissements, &carte, source);
    return 0;
}
