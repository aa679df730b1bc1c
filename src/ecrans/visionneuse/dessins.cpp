#include "ecrans/visionneuse/dessins.h"

#include <QPainter>
#include <QPainterPath>

namespace Dessins {

namespace {
QPixmap toile(int cote) {
    QPixmap pixmap(cote, cote);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void preparer(QPainter& p, int cote) {
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(cote / 32.0, cote / 32.0);
}

// A magnifying glass, with a plus or a minus in its lens.
void loupe(QPainter& p, bool plus) {
    p.setPen(QPen(QColor(90, 60, 20), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 20), QPointF(28, 28));
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(210, 235, 255));
    p.drawEllipse(QPointF(13, 13), 10, 10);
    p.setPen(QPen(QColor(0, 0, 140), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 13), QPointF(18, 13));
    if (plus) p.drawLine(QPointF(13, 8), QPointF(13, 18));
}
}  // namespace

QCursor curseurMain() {
    QPixmap pixmap = toile(32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath main;
    // Four fingers, the thumb, then the palm joining them.
    main.addRoundedRect(QRectF(9, 5, 4, 13), 2, 2);
    main.addRoundedRect(QRectF(13, 3, 4, 15), 2, 2);
    main.addRoundedRect(QRectF(17, 4, 4, 14), 2, 2);
    main.addRoundedRect(QRectF(21, 7, 4, 11), 2, 2);
    QPainterPath pouce;
    pouce.moveTo(9, 18);
    pouce.lineTo(4, 12);
    pouce.quadTo(2, 10, 4, 9);
    pouce.quadTo(6, 8, 8, 11);
    pouce.lineTo(10, 14);
    pouce.closeSubpath();
    main.addPath(pouce);
    main.addRoundedRect(QRectF(8, 12, 17, 12), 4, 4);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(main.simplified());
    // The cuff.
    p.setBrush(QColor(0, 0, 160));
    p.drawRect(QRectF(9.5, 24, 14, 5));
    p.end();
    return QCursor(pixmap, 16, 14);
}

QCursor curseurGlisser() {
    QPixmap pixmap = toile(32);
    QPainter p(&pixmap);
    QPainterPath croix;
    croix.addRect(QRectF(14, 3, 4, 23));
    croix.addRect(QRectF(5, 12, 23, 4));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(croix.simplified());
    p.end();
    return QCursor(pixmap, 16, 14);
}

QIcon iconeOutil(const QString& cle) {
    QIcon icone;
    for (int cote : {16, 24, 32}) {
        QPixmap pixmap = toile(cote);
        QPainter p(&pixmap);
        preparer(p, cote);
        if (cle == "cmdQuitter") {
            // A door left open, with an arrow going back through it.
            p.setPen(QPen(QColor(60, 40, 20), 1.5));
            p.setBrush(QColor(170, 110, 60));
            p.drawRect(QRectF(16, 3, 12, 26));
            p.setPen(QPen(QColor(0, 110, 0), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(QPointF(21, 16), QPointF(5, 16));
            p.drawPolyline(QPolygonF({QPointF(11, 10), QPointF(5, 16), QPointF(11, 22)}));
        } else if (cle == "cmdImage") {
            // A picture frame with a circular arrow: back to the picture as it is.
            p.setPen(QPen(QColor(40, 40, 40), 1.5));
            p.setBrush(QColor(160, 210, 250));
            p.drawRect(QRectF(3, 6, 26, 20));
            p.setBrush(QColor(60, 150, 60));
            p.drawPolygon(QPolygonF({QPointF(4, 25), QPointF(12, 14), QPointF(19, 25)}));
            p.setPen(QPen(QColor(0, 0, 150), 3, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(15, 9, 11, 11), 90 * 16, 270 * 16);
            p.setBrush(QColor(0, 0, 150));
            p.drawPolygon(QPolygonF({QPointF(20, 6), QPointF(24, 9.5), QPointF(20, 12)}));
        } else if (cle == "cmdRéduire" || cle == "cmdZoom") {
            loupe(p, cle == "cmdZoom");
        } else if (cle == "cmdAjuster") {
            // Four arrows pointing to the corners of a frame.
            p.setPen(QPen(QColor(40, 40, 40), 1.5));
            p.setBrush(QColor(230, 230, 230));
            p.drawRect(QRectF(3, 3, 26, 26));
            p.setPen(QPen(QColor(0, 0, 150), 2.5, Qt::SolidLine, Qt::RoundCap));
            const QPointF coins[] = {{7, 7}, {25, 7}, {7, 25}, {25, 25}};
            for (const QPointF& coin : coins) {
                const QPointF centre(16, 16);
                const QPointF depart = centre + (coin - centre) * 0.25;
                p.drawLine(depart, coin);
                const QPointF dx((coin.x() > 16 ? -5 : 5), 0), dy(0, (coin.y() > 16 ? -5 : 5));
                p.drawLine(coin, coin + dx);
                p.drawLine(coin, coin + dy);
            }
        } else if (cle == "cmdOutils") {
            // The two guide lines crossing over a picture.
            p.setPen(QPen(QColor(40, 40, 40), 1.5));
            p.setBrush(QColor(255, 250, 220));
            p.drawRect(QRectF(3, 3, 26, 26));
            p.setPen(QPen(QColor(0, 0, 255), 3));
            p.drawLine(QPointF(11, 4), QPointF(11, 28));
            p.setPen(QPen(QColor(255, 0, 0), 3));
            p.drawLine(QPointF(4, 21), QPointF(28, 21));
        }
        p.end();
        icone.addPixmap(pixmap);
    }
    return icone;
}

QIcon iconeFleche(int sens) {
    QIcon icone;
    for (int cote : {16, 32}) {
        QPixmap pixmap = toile(cote);
        QPainter p(&pixmap);
        preparer(p, cote);
        p.translate(16, 16);
        // Drawn pointing right, then turned.
        const qreal angles[] = {180, 0, 90, 270};
        if (sens >= 0 && sens < 4) p.rotate(angles[sens]);
        const QPolygonF fleche({QPointF(-12, -4), QPointF(2, -4), QPointF(2, -11), QPointF(13, 0),
                                QPointF(2, 11), QPointF(2, 4), QPointF(-12, 4)});
        const QColor couleur = sens <= 1 ? QColor(0, 0, 255) : QColor(220, 0, 0);
        p.setPen(QPen(couleur.darker(170), 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(couleur);
        p.drawPolygon(fleche);
        p.end();
        icone.addPixmap(pixmap);
    }
    return icone;
}

QPixmap imageCommentaire(int cote) {
    QPixmap pixmap = toile(cote);
    QPainter p(&pixmap);
    preparer(p, cote);
    // A sheet with a folded corner and ruled lines.
    QPainterPath feuille;
    feuille.moveTo(5, 2);
    feuille.lineTo(21, 2);
    feuille.lineTo(27, 8);
    feuille.lineTo(27, 30);
    feuille.lineTo(5, 30);
    feuille.closeSubpath();
    p.setPen(QPen(QColor(80, 80, 80), 0.8));
    p.setBrush(QColor(255, 253, 225));
    p.drawPath(feuille);
    p.setBrush(QColor(225, 220, 180));
    p.drawPolygon(QPolygonF({QPointF(21, 2), QPointF(21, 8), QPointF(27, 8)}));
    p.setPen(QPen(QColor(120, 150, 210), 0.8));
    for (int y = 11; y <= 26; y += 3) p.drawLine(QPointF(8, y), QPointF(24, y));
    // A pencil across it.
    p.translate(17, 19);
    p.rotate(-45);
    p.setPen(QPen(QColor(60, 60, 60), 0.6));
    p.setBrush(QColor(250, 190, 30));
    p.drawRect(QRectF(-9, -2, 14, 4));
    p.setBrush(QColor(240, 150, 160));
    p.drawRect(QRectF(-12, -2, 3, 4));
    p.setBrush(QColor(235, 205, 160));
    p.drawPolygon(QPolygonF({QPointF(5, -2), QPointF(10, 0), QPointF(5, 2)}));
    p.end();
    return pixmap;
}

}  // namespace Dessins
