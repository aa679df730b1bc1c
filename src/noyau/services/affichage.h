#pragma once
#include <QSize>

#include <memory>

// The display mode: its size in pixels, and a switch to another size.
// A refused size leaves the display as it is.
class Affichage {
public:
    virtual ~Affichage() = default;
    virtual QSize taille() const = 0;
    virtual void changer(int largeur, int hauteur) = 0;
};
