#pragma once
#include "noyau/echange/echange.h"

namespace Echange {

// GIFT, the plain-text format of online learning platforms' question banks.
class Gift : public Format {
public:
    QString nom() const override { return "gift"; }
    bool reconnait(const QString& texte) const override;
    LectureBanque lire(const QByteArray& octets, const QString& nomFichier) const override;
    bool ecrit() const override { return true; }
    QByteArray ecrire(const QVector<Banque>& banques, QStringList* remarques) const override;
};

}  // namespace Echange
