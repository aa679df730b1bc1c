#pragma once
#include "noyau/resultats/eleves.h"

#include <QString>

namespace Resultats {

// The class report: one self-contained page in French (inline style and
// pictures, no script, nothing fetched), readable in any browser and
// printable on A4. Each pupil's mark follows `regle`; with a class list,
// pupils are named and the list is checked against the attempts.
QString RapportHtml(const Releve& r, RegleEssai regle = RegleEssai::Premier,
                    const ListeClasse* liste = nullptr);

}  // namespace Resultats
