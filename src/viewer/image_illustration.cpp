#include "viewer/image_illustration.h"

#include "platform/fichiers.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
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
    if (!info.isFile()) return false;
    const qint64 date = info.lastModified().toMSecsSinceEpoch();
    if (!image_.isNull() && fichier == chemin_ && date == date_) return true;

    // A 6000 x 4000 photograph needs 96 MB once decoded; allow pictures of
    // that order and more.
    if (QImageReader::allocationLimit() < 512) QImageReader::setAllocationLimit(512);
    QImageReader lecteur(fichier);
    lecteur.setAutoTransform(true);
    QImage lue = lecteur.read();
    ++lectures_;
    if (lue.isNull()) return false;
    // Formats the painter draws without converting on every paint.
    if (lue.format() != QImage::Format_RGB32 &&
        lue.format() != QImage::Format_ARGB32_Premultiplied)
        lue.convertTo(lue.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                            : QImage::Format_RGB32);
    image_ = std::move(lue);
    chemin_ = fichier;
    date_ = date;
    reduite_ = QImage();
    update();
    return true;
}

void ImageIllustration::vider() {
    image_ = QImage();
    reduite_ = QImage();
    chemin_.clear();
    update();
}

void ImageIllustration::setStretch(bool stretch) {
    if (stretch_ == stretch) return;
    stretch_ = stretch;
    update();
}

const QImage& ImageIllustration::reduite() {
    if (reduite_.size() != size())
        reduite_ = image_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return reduite_;
}

void ImageIllustration::paintEvent(QPaintEvent* event) {
    if (image_.isNull() || width() <= 0 || height() <= 0) return;
    QPainter p(this);
    const QRect zone = event->rect();
    if (!stretch_ || size() == image_.size()) {
        p.drawImage(zone.topLeft(), image_, zone);
        return;
    }
    const qint64 surface = qint64(width()) * height();
    const qint64 surfaceImage = qint64(image_.width()) * image_.height();
    if (surface * 4 <= surfaceImage) {
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
