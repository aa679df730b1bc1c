#include "noyau/deroulement/duree.h"

#include <algorithm>

namespace {
QString deuxChiffres(std::int64_t valeur) {
    return valeur < 10 ? "0" + QString::number(valeur) : QString::number(valeur);
}
}  // namespace

QString Formate_duree(std::int32_t secondes) {
    const std::int64_t t = std::max<std::int32_t>(secondes, 0);
    const std::int64_t h = t / 3600;
    const std::int64_t reste = t - 3600 * h;
    const std::int64_t m = reste / 60;
    const std::int64_t s = reste - 60 * m;
    const QString minutes = deuxChiffres(m) + " minutes " + deuxChiffres(s) + " secondes.";
    return h > 0 ? deuxChiffres(h) + " heures " + minutes : minutes;
}

qint64 SecondesEcoulees(const QDateTime& debut, const QDateTime& maintenant) {
    if (!debut.isValid() || !maintenant.isValid()) return 0;
    return std::max<qint64>(debut.msecsTo(maintenant) / 1000, 0);
}
