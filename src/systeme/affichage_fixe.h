#pragma once
#include "noyau/services/affichage.h"

// Where the display cannot be switched (Wayland, offscreen): reports the
// screen's size and changes nothing.
class AffichageFixe : public Affichage {
public:
    QSize taille() const override;
    void changer(int, int) override {}
};
