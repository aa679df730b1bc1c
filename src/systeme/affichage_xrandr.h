#pragma once
#include "noyau/services/affichage.h"

#include <QString>

#include <memory>

struct _XDisplay;

// The display mode of an X11 display, through the RandR extension: the size
// is that of the primary output (the first lit output when none is marked
// primary); a change sets that output to a mode of the requested size and
// resizes the screen around the lit outputs. It holds its own connection,
// so it works without Qt too (the guardian process uses it).
class AffichageXrandr : public Affichage {
public:
    // Connects to the named display ($DISPLAY when empty); nullptr when the
    // display cannot be reached or lacks RandR 1.2.
    static std::unique_ptr<AffichageXrandr> ouvrir(const QString& nomAffichage = {});
    ~AffichageXrandr() override;

    QSize taille() const override;
    // A size that no mode of the output offers, or that the server refuses,
    // leaves the display as it is.
    void changer(int largeur, int hauteur) override;

private:
    explicit AffichageXrandr(_XDisplay* connexion) : connexion_(connexion) {}
    _XDisplay* connexion_;
};

// XRandR on an X11 display (Qt platform "xcb"), a fixed display elsewhere
// (Wayland, offscreen) or when the X display offers no RandR.
std::unique_ptr<Affichage> choisirAffichage(const QString& plateforme);
