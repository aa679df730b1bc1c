// The companion reader on any bytes.
#include "entrees.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    SourceMemoire source;
    source.poser(Fuzz::ini(), Fuzz::octets(donnees, taille));
    QVector<Avertissement> avertissements;
    LireFichierIni(Fuzz::etat(), &avertissements, source);
    return 0;
}
