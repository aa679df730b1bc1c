#include "ecrans/bibliotheque/icones.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace Icones {

namespace {
constexpr int Cote = 32;

QPixmap disque(const QColor& couleur) {
    QPixmap image(Cote, Cote);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(couleur.darker(140), 1.5));
    p.setBrush(couleur);
    p.drawEllipse(QRectF(1.5, 1.5, Cote - 3, Cote - 3));
    return image;
}
}  // namespace

QIcon lancer() {
    QPixmap image = disque(QColor(46, 160, 67));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath fleche;
    fleche.moveTo(12, 8.5);
    fleche.lineTo(24, 16);
    fleche.lineTo(12, 23.5);
    fleche.closeSubpath();
    p.fillPath(fleche, Qt::white);
    return QIcon(image);
}

QIcon quitter() {
    QPixmap image = disque(QColor(200, 55, 45));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A power sign: an open ring and its bar.
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(9, 9.5, 14, 14), 120 * 16, 300 * 16);
    p.drawLine(QPointF(16, 7.5), QPointF(16, 15.5));
    return QIcon(image);
}

}  // namespace Icones
