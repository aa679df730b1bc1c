#include "noyau/questionnaire/formats.h"

#include <QRegularExpression>

#include <cfenv>
#include <cmath>

namespace Formats {

const QLocale& francais() {
    static const QLocale locale = [] {
        QLocale l(QLocale::French, QLocale::France);
        l.setNumberOptions(QLocale::OmitGroupSeparator);
        return l;
    }();
    return locale;
}

QString sansEspaces(const QString& texte) {
    qsizetype debut = 0, fin = texte.size();
    while (debut < fin && texte[debut] == ' ') ++debut;
    while (fin > debut && texte[fin - 1] == ' ') --fin;
    return texte.mid(debut, fin - debut);
}

long arrondiPair(double valeur) { return static_cast<long>(std::nearbyint(valeur)); }

std::optional<double> lireNombre(const QString& texte) {
    static const QRegularExpression nombre(R"(^\s*[+-]?(\d+([.,]\d*)?|[.,]\d+)\s*$)");
    if (!nombre.match(texte).hasMatch()) return std::nullopt;
    return QString(texte).replace(',', '.').trimmed().toDouble();
}

QString texteNote(float note) { return francais().toString(static_cast<double>(note), 'g', 7); }

namespace {
// Halves away from zero on the decimal value: the binary value is first
// brought back to the 15 digits it stands for (1/80 * 100 is 1.25).
double arrondiDixieme(double valeur) {
    const double decimal = QString::number(valeur, 'g', 15).toDouble();
    return std::round(decimal * 10.0) / 10.0;
}
}  // namespace

QString textePourcentage(double valeur) {
    return francais().toString(arrondiDixieme(valeur), 'f', 1);
}

QString texteQuartDeNote(float valeur) {
    const double exact = QString::number(static_cast<double>(valeur), 'g', 7).toDouble();
    // Windows-1252 has no narrow no-break space: group with a no-break space.
    return QLocale(QLocale::French, QLocale::France)
        .toString(arrondiDixieme(exact), 'f', 1)
        .replace(QChar(0x202F), QChar(0xA0));
}

double pourcentage(int nombre, int total) {
    return total == 0 ? 0.0 : static_cast<double>(nombre) / total * 100.0;
}

}  // namespace Formats
