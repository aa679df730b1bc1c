#pragma once
#include "noyau/resultats/releve.h"

#include <QString>

namespace Resultats {

// The class report: one self-contained page in French (inline style and
// pictures, no script, nothing fetched), readable in any browser and
// printable on A4.
QString RapportHtml(const Releve& r);

}  // namespace Resultats
