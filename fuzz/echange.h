#pragma once
#include "noyau/echange/echange.h"

#include <cstddef>
#include <cstdint>

namespace Fuzz {

// A bank reader on any bytes; for a format that also writes, what it read
// is written and must read back the same.
inline void LireEtRelire(const Echange::Format& format, const std::uint8_t* donnees,
                         std::size_t taille) {
    const QByteArray octets(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    const Echange::LectureBanque l = format.lire(octets, "banque");
    if (!format.ecrit() || !l.erreur.isEmpty()) return;
    QStringList remarques;
    const Echange::LectureBanque relue =
        format.lire(format.ecrire(l.banques, &remarques), "banque");
    if (relue.banques.size() != l.banques.size()) __builtin_trap();
    for (qsizetype i = 0; i < l.banques.size(); ++i)
        if (relue.banques[i].questions != l.banques[i].questions) __builtin_trap();
}

}  // namespace Fuzz
