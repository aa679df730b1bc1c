#pragma once
#include <QString>

// Opens a document with the application the desktop associates with it.
class OuvreurDocuments {
public:
    enum class Resultat { Ouvert, AucuneApplication, Echec };
    virtual ~OuvreurDocuments() = default;
    virtual Resultat ouvrir(const QString& chemin) = 0;
};
