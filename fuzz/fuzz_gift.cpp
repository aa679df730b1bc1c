// The GIFT reader on any bytes.
#include "echange.h"
#include "noyau/echange/gift.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    Fuzz::LireEtRelire(Echange::Gift(), donnees, taille);
    return 0;
}
