// A results file as a pupil's machine, a hand edit or a cut copy leaves it
// on the share: every record read, then gathered into the class report
// and the gradebook.
#include "entrees.h"
#include "noyau/resultats/eleves.h"
#include "noyau/resultats/lecture.h"
#include "noyau/resultats/rapport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const QString chemin = Fuzz::dossier() + "/QCM _B01_3A_.rst";
    Resultats::LectureResultats lu =
        Resultats::LireResultats(Fuzz::octets(donnees, taille), chemin);
    Resultats::Releve releve;
    releve.essais = std::move(lu.essais);
    releve.erreurs = std::move(lu.erreurs);
    releve.lignes = Resultats::LignesEssais(releve);
    const auto notes = Resultats::NotesEleves(releve, Resultats::RegleEssai::Meilleur, nullptr);
    Resultats::EnOctets([&](QTextStream& texte) {
        Resultats::EcrireCsv(texte, releve);
        Resultats::EcrireNotes(texte, notes);
        Resultats::EcrireRapportHtml(texte, releve, notes, Resultats::RegleEssai::Meilleur,
                                     nullptr);
    });
    return 0;
}
