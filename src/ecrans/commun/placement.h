#pragma once
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a main screen opens: centred on the screen it appears on, its title
// bar always in view.
namespace Placement {

// The screens are designed to fit 800 x 600 with a desktop panel of this
// height.
constexpr int Panneau = 30;
// A window manager's title bar and borders, counted before the window has
// been shown and its real frame is known.
constexpr QMargins CadreEstime{2, 28, 2, 2};

// Top-left corner of a frame of size `cadre` centred in `zone`; a frame
// larger than the zone starts at its top-left corner.
QPoint centrer(QSize cadre, const QRect& zone);

// Moves the window so that its frame is centred on the available part of
// the screen of `voisine` (the screen being left) or else the primary
// screen.
void centrer(QWidget& fenetre, const QWidget* voisine = nullptr);

}  // namespace Placement
