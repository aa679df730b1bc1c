#pragma once
#include <QString>
#include <QStringList>

#include <ostream>

// Readable Qt strings in GoogleTest failure messages.
inline void PrintTo(const QString& texte, std::ostream* os) {
    *os << '"' << texte.toStdString() << '"';
}
inline void PrintTo(const QStringList& liste, std::ostream* os) {
    *os << '{' << liste.join("\", \"").prepend('"').append('"').toStdString() << '}';
}
