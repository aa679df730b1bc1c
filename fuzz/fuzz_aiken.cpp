// The Aiken reader on any bytes.
#include "echange.h"
#include "noyau/echange/aiken.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    Fuzz::LireEtRelire(Echange::Aiken(), donnees, taille);
    return 0;
}
