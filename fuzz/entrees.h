#pragma once
#include "noyau/deroulement/chargement_quiz.h"

#include <QByteArray>
#include <QDir>

#include <cstddef>
#include <cstdint>
#include <memory>

// What the fuzz targets share: the paths the loading is told about, and the
// sources that answer for them from memory.
namespace Fuzz {

// An empty questionnaire folder that exists, so that the look-ups of
// pictures and names by the checker stay cheap and never leave it.
inline QString dossier() {
    static const QString chemin = [] {
        const QString racine = QDir::tempPath() + "/korvane-fuzz";
        QDir().mkpath(racine + "/QCM/Images");
        return racine + "/QCM";
    }();
    return chemin;
}
inline QString dat() { return dossier() + "/QCM.dat"; }
inline QString ini() { return dossier() + "/QCM.ini"; }

inline QByteArray octets(const std::uint8_t* donnees, std::size_t taille) {
    return QByteArray(reinterpret_cast<const char*>(donnees), qsizetype(taille));
}

// One state for every run, as the program keeps one for its whole life:
// each reading must clear what the one before left.
inline QuizState& etat() {
    static const auto s = [] {
        auto nouveau = std::make_unique<QuizState>();
        nouveau->DossierQuestionnaire = dossier();
        nouveau->CheminQuestionnaire = dat();
        nouveau->CheminIni = ini();
        return nouveau;
    }();
    return *s;
}

// A whole folder in one input: the questionnaire file, this separator,
// then the companion file.
inline const QByteArray Separateur = QByteArrayLiteral("\n\x1E[KORVANE-INI]\x1E\n");

inline SourceMemoire dossierEntier(const QByteArray& entree) {
    SourceMemoire source;
    const qsizetype coupure = entree.indexOf(Separateur);
    source.poser(dat(), coupure < 0 ? entree : entree.left(coupure));
    if (coupure >= 0) source.poser(ini(), entree.mid(coupure + Separateur.size()));
    return source;
}

}  // namespace Fuzz
