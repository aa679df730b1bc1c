// A journal as any pupil can write it on the share, read whole as the
// report reads it and in pieces as the live window reads a growing file:
// both readings must agree, whatever the bytes and wherever they are cut.
#include "entrees.h"
#include "noyau/resultats/journal.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    if (taille < 1) return 0;
    const QByteArray octets = Fuzz::octets(donnees + 1, taille - 1);
    const QString chemin = Fuzz::dossier() + "/Essais/B01.jsonl";
    QString erreur;
    const auto entier = Journal::LireJournal(octets, chemin, &erreur);

    // The first byte draws where the pieces end.
    std::uint32_t tirage = donnees[0] * 2654435761u + 1;
    Journal::LecteurJournal lecteur(chemin);
    for (qsizetype debut = 0; debut < octets.size();) {
        tirage = tirage * 1103515245u + 12345u;
        const qsizetype piece = std::min<qsizetype>(1 + (tirage >> 16) % 64, octets.size() - debut);
        lecteur.ajouter(QByteArrayView(octets).sliced(debut, piece));
        debut += piece;
    }
    lecteur.finir();
    const auto& morceaux = lecteur.journal();
    if (entier.has_value() != (morceaux.has_value() && lecteur.erreur().isEmpty())) std::abort();
    if (entier && (entier->reponses.size() != morceaux->reponses.size() ||
                   entier->termine != morceaux->termine || entier->erreurs != morceaux->erreurs))
        std::abort();
    if (entier) Journal::Decompter(*entier);
    return 0;
}
