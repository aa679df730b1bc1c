#pragma once
#include "noyau/resultats/releve.h"

#include <QHash>
#include <QStringList>
#include <QVector>

#include <tuple>
#include <type_traits>

// The report's order: questionnaires, classes and identifiers in French
// order whatever their case. A school's year has a million attempts but far
// fewer names: each name is ranked once, and the attempts sorted by ranks.
namespace Resultats {

// The names a line is sorted by.
template <typename Ligne>
auto NomsDe(const Ligne& l) {
    return std::tie(l.questionnaire, l.classe, l.identifiant);
}
inline auto NomsDe(const LigneEssai& l) {
    return std::tie(l.questionnaire(), l.classe(), l.identifiant());
}

class OrdreFrancais {
public:
    template <typename Lignes>
    explicit OrdreFrancais(const Lignes& lignes) {
        for (const auto& l : lignes) {
            const auto [questionnaire, classe, identifiant] = NomsDe(l);
            for (const QString* nom : {&questionnaire, &classe, &identifiant})
                if (!rangs_.contains(Memoire(*nom))) rangs_.insert(Memoire(*nom), 0), noms_ << *nom;
        }
        classer();
    }

    int rang(const QString& nom) const { return rangs_.value(Memoire(nom)); }

private:
    void classer();

    // By the text's memory: the report keeps one copy of each name, so
    // names are told apart without reading them; two copies of a name
    // simply get the same rank.
    using Texte = std::pair<const QChar*, qsizetype>;
    static Texte Memoire(const QString& nom) { return {nom.constData(), nom.size()}; }
    QHash<Texte, int> rangs_;
    QStringList noms_;
};

// Sorts lines by questionnaire, class and identifier in French order, then
// by `suite`(line), a tuple; lines otherwise equal keep their order.
template <typename Ligne, typename Suite>
void TrierParEleve(QVector<Ligne>& lignes, Suite suite) {
    const OrdreFrancais ordre(lignes);
    using Cle = std::tuple<int, int, int, std::invoke_result_t<Suite, const Ligne&>, qsizetype>;
    QVector<Cle> cles;
    cles.reserve(lignes.size());
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const auto [questionnaire, classe, identifiant] = NomsDe(lignes[i]);
        cles.push_back({ordre.rang(questionnaire), ordre.rang(classe), ordre.rang(identifiant),
                        suite(lignes[i]), i});
    }
    std::sort(cles.begin(), cles.end());
    // Each line moved to its place along the cycles of the order: a
    // million attempts are not copied.
    QVector<bool> places(lignes.size());
    for (qsizetype debut = 0; debut < lignes.size(); ++debut) {
        if (places[debut]) continue;
        Ligne tenue = std::move(lignes[debut]);
        qsizetype place = debut;
        for (qsizetype venue; (venue = std::get<4>(cles[place])) != debut; place = venue) {
            lignes[place] = std::move(lignes[venue]);
            places[place] = true;
        }
        lignes[place] = std::move(tenue);
        places[place] = true;
    }
}

}  // namespace Resultats
