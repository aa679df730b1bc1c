#include "ecrans/commun/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace Placement {

QPoint centrer(QSize cadre, const QRect& zone) {
    const int x = zone.x() + std::max(0, (zone.width() - cadre.width()) / 2);
    const int y = zone.y() + std::max(0, (zone.height() - cadre.height()) / 2);
    return {x, y};
}

void centrer(QWidget& fenetre, const QWidget* voisine) {
    QScreen* ecran = voisine ? voisine->screen() : QGuiApplication::primaryScreen();
    if (!ecran) return;
    const QSize interieur = fenetre.size();
    const QSize cadre =
        fenetre.isVisible() ? fenetre.frameGeometry().size() : interieur.grownBy(CadreEstime);
    fenetre.setScreen(ecran);
    // move() places the frame's corner, title bar included.
    fenetre.move(centrer(cadre, ecran->availableGeometry()));
}

}  // namespace Placement
