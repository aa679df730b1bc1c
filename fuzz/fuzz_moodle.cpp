// The Moodle XML reader on any bytes.
#include "echange.h"
#include "noyau/echange/moodle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    Fuzz::LireEtRelire(Echange::Moodle(), donnees, taille);
    return 0;
}
