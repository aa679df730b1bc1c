#pragma once
#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>
#include <QVector>

#include <optional>

// One line of a journal: a JSON object read straight from its bytes. A
// school's year has millions of lines, and a general JSON reader spent most
// of the report's time on them. Values are read as `QJsonValue` reads them:
// a text asked of a number is empty, a number asked of a text is 0, and so on.
namespace Journal {

// A value as it stands in the line: a text still quoted, a list still
// bracketed.
struct ValeurJson {
    char genre = 0;  // '"' text, '0' number, '[' list, anything else 'x'
    QByteArrayView brut;
};

class LigneJson {
public:
    // Nothing when the bytes are not one JSON object.
    static std::optional<LigneJson> Lire(QByteArrayView octets);

    bool contient(QLatin1StringView cle) const { return trouver(cle) != nullptr; }
    QString texte(QLatin1StringView cle) const;
    int entier(QLatin1StringView cle) const;
    double nombre(QLatin1StringView cle) const;
    QVector<int> entiers(QLatin1StringView cle) const;
    QStringList textes(QLatin1StringView cle) const;

    using Valeur = ValeurJson;

private:
    const Valeur* trouver(QLatin1StringView cle) const;

    QVarLengthArray<std::pair<QByteArrayView, Valeur>, 12> champs_;  // keys still quoted
};

}  // namespace Journal
