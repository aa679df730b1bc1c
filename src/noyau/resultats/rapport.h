#pragma once
#include "noyau/resultats/eleves.h"

#include <QString>
#include <QTextStream>

namespace Resultats {

// The class report: one self-contained page in French (inline style and
// pictures, no script, nothing fetched), readable in any browser and
// printable on A4, written to `sortie` as it is made: a school's year makes
// a page of hundreds of megabytes, never held whole. `notes` are those
// NotesEleves gives by `regle` and `liste`; with a class list, pupils are
// named and the list is checked against the attempts.
void EcrireRapportHtml(QTextStream& sortie, const Releve& r, const QVector<NoteEleve>& notes,
                       RegleEssai regle, const ListeClasse* liste);
// The same page whole, for a class.
QString RapportHtml(const Releve& r, RegleEssai regle = RegleEssai::Premier,
                    const ListeClasse* liste = nullptr);

}  // namespace Resultats
