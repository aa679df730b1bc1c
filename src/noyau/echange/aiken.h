#pragma once
#include "noyau/echange/echange.h"

namespace Echange {

// Aiken: a question, lettered answers, then the ANSWER line; read only.
class Aiken : public Format {
public:
    QString nom() const override { return "aiken"; }
    bool reconnait(const QString& texte) const override;
    LectureBanque lire(const QByteArray& octets, const QString& nomFichier) const override;
};

}  // namespace Echange
