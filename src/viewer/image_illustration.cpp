#include "viewer/image_illustration.h"

#include "platform/fichiers.h"
#include "platform/images.h"
#include "quiz/correction.h"
#include "quiz/vignette.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPaintEvent>
#include <QPainter>

ImageIllustration::ImageIllustration(QWidget* parent) : QWidget(parent) {
    // The picture box shows through where there is no picture.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

bool ImageIllustration::charger(const QString& chemin) {
    if (chemin.isEmpty()) return false;
    const QString fichier = Fichiers::resoudre(chemin);
    const QFileInfo info(fichier);
    const qint64 date = info.lastModified().toMSecsSinceEpoch();
    if (!image_.isNull() && explication_.isEmpty() && fichier == chemin_ && date == date_) return true;

    Images::Lecture lue = Images::lire(fichier);
    ++lectures_;
    if (!lue.montrable()) {
        montrerEchec(Explication_image(lue.etat == Images::Etat::Introuvable));
        return false;
    }
    image_ = Images::surBlanc(lue.image);
    explication_.clear();
    vectorielle_ = lue.vectorielle();
    chemin_ = fichier;
    date_ = date;
    reduite_ = QImage();
    update();
    return true;
}

void ImageIllustration::montrerEchec(const QString& explication) {
    image_ = QImage(Bitmap::chemin(Bitmap::Vignette)).convertToFormat(QImage::Format_RGB32);
    explication_ = explication;
    vectorielle_ = false;
    chemin_.clear();
    reduite_ = QImage();
    update();
}

void ImageIllustration::vider() {
    image_ = QImage();
    reduite_ = QImage();
    explication_.clear();
    chemin_.clear();
    update();
}

void ImageIllustration::setStretch(bool stretch) {
    if (stretch_ == stretch) return;
    stretch_ = stretch;
    update();
}

const QImage& ImageIllustration::reduite() {
    if (reduite_.size() == size()) return reduite_;
    if (vectorielle_)
        reduite_ = Images::surBlanc(Images::lire(chemin_, [this](QSize) { return size(); }).image);
    if (reduite_.size() != size())
        reduite_ = image_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return reduite_;
}

void ImageIllustration::paintEvent(QPaintEvent* event) {
    if (image_.isNull() || width() <= 0 || height() <= 0) return;
    QPainter p(this);
    const QRect zone = event->rect();
    if (!explication_.isEmpty()) {
        p.drawImage(QRect(QPoint(0, 0), size()), image_);
        const QRect bandeau(0, height() - 44, width(), 44);
        p.fillRect(bandeau, QColor(255, 255, 255, 225));
        p.setPen(QColor(128, 0, 0));
        QFont police = font();
        police.setBold(true);
        p.setFont(police);
        p.drawText(bandeau.adjusted(4, 0, -4, 0), Qt::AlignCenter | Qt::TextWordWrap, explication_);
        return;
    }
    if (!stretch_ || size() == image_.size()) {
        p.drawImage(zone.topLeft(), image_, zone);
        return;
    }
    const qint64 surface = qint64(width()) * height();
    const qint64 surfaceImage = qint64(image_.width()) * image_.height();
    if (vectorielle_ || surface * 4 <= surfaceImage) {
        p.drawImage(zone.topLeft(), reduite(), zone);
        return;
    }
    reduite_ = QImage();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const double sx = double(image_.width()) / width();
    const double sy = double(image_.height()) / height();
    const QRectF source(zone.x() * sx, zone.y() * sy, zone.width() * sx, zone.height() * sy);
    p.drawImage(QRectF(zone), image_, source);
}
