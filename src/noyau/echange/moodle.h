#pragma once
#include "noyau/echange/echange.h"

namespace Echange {

// Moodle XML, the XML export of online learning platforms' question banks.
class Moodle : public Format {
public:
    QString nom() const override { return "moodle"; }
    bool reconnait(const QString& texte) const override;
    LectureBanque lire(const QByteArray& octets, const QString& nomFichier) const override;
    bool ecrit() const override { return true; }
    QByteArray ecrire(const QVector<Banque>& banques, QStringList* remarques) const override;
};

}  // namespace Echange
