#include "noyau/resultats/ordre.h"

#include "noyau/questionnaire/formats.h"

#include <QCollator>

#include <algorithm>

namespace Resultats {

void OrdreFrancais::classer() {
    QCollator collation{Formats::francais()};
    collation.setCaseSensitivity(Qt::CaseInsensitive);
    QVector<std::pair<QCollatorSortKey, QString>> cles;
    cles.reserve(noms_.size());
    for (const QString& nom : std::as_const(noms_)) cles.push_back({collation.sortKey(nom), nom});
    std::sort(cles.begin(), cles.end(),
              [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    int rang = 0;
    for (qsizetype i = 0; i < cles.size(); ++i) {
        if (i && cles[i - 1].first.compare(cles[i].first) != 0) ++rang;
        rangs_[Memoire(cles[i].second)] = rang;
    }
}

}  // namespace Resultats
