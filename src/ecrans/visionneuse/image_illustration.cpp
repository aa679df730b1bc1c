#include "ecrans/visionneuse/image_illustration.h"

#include "images/images.h"
#include "images/vignette.h"
#include "noyau/deroulement/correction.h"
#include "noyau/fichiers/fichiers.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QPaintEvent>
#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>

namespace {

struct Decodage {
    QImage image;
    QVector<QImage> reductions;
};

// Halves down to about the size of a screen's worth of thumbnail.
QVector<QImage> Reductions(const QImage& image) {
    QVector<QImage> copies;
    const QImage* derniere = &image;
    while (derniere->width() >= 1024 && derniere->height() >= 768) {
        copies.append(derniere->scaled(derniere->width() / 2, derniere->height() / 2,
                                       Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        derniere = &copies.last();
    }
    return copies;
}

}  // namespace

ImageIllustration::ImageIllustration(QWidget* parent) : QWidget(parent) {
    // The picture box shows through where there is no picture, and where
    // the picture is transparent.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

bool ImageIllustration::charger(const QString& chemin) {
    if (chemin.isEmpty()) return false;
    const QString fichier = Fichiers::resoudre(chemin);
    const qint64 date = QFileInfo(fichier).lastModified().toMSecsSinceEpoch();
    if (explication_.isEmpty() && fichier == chemin_ && date == date_) return true;

    const Images::Lecture entete = Images::entete(fichier);
    ++lectures_;
    ++generation_;
    if (!entete.montrable()) {
        montrerEchec(Explication_image(entete.etat == Images::Etat::Introuvable));
        return false;
    }
    image_ = apercu_ = rendu_ = QImage();
    reductions_.clear();
    explication_.clear();
    vectorielle_ = entete.vectorielle();
    chemin_ = fichier;
    date_ = date;
    taille_ = entete.decodee;
    if (taille_.isValid()) {
        decoder(fichier, taille_);
    } else {
        // A format whose header gives no size: the size comes with the pixels.
        image_ = Images::lire(fichier).image;
        if (image_.isNull()) montrerEchec(Explication_image(false));
        taille_ = image_.size();
    }
    update();
    return explication_.isEmpty();
}

void ImageIllustration::decoder(const QString& fichier, QSize taille) {
    const int generation = generation_;
    const auto livrer = [this, generation](QFuture<Decodage> futur, bool apercu,
                                           std::function<void()> ensuite) {
        auto* veilleur = new QFutureWatcher<Decodage>(this);
        connect(veilleur, &QFutureWatcher<Decodage>::finished, this, [=, this] {
            veilleur->deleteLater();
            const Decodage d = veilleur->result();
            recevoir(generation, d.image, d.reductions, apercu);
            if (ensuite && generation == generation_) ensuite();
        });
        veilleur->setFuture(futur);
    };
    const auto entiere = [=] {
        livrer(
            QtConcurrent::run([fichier] {
                const Images::Lecture l = Images::lire(fichier);
                return Decodage{l.image, l.vectorielle() ? QVector<QImage>() : Reductions(l.image)};
            }),
            false, {});
    };
    // A large photo shows first from a decode at an eighth, a quarter or a
    // half of its size (what a JPEG decoder does fastest), then whole.
    int d = 8;
    while (d > 1 && (taille.width() / d < 640 || taille.height() / d < 480)) d /= 2;
    if (d == 1 || vectorielle_) {
        entiere();
        return;
    }
    const QSize petite((taille.width() + d - 1) / d, (taille.height() + d - 1) / d);
    livrer(QtConcurrent::run([fichier, petite] {
               return Decodage{Images::lire(fichier, [petite](QSize) { return petite; }).image, {}};
           }),
           true, entiere);
}

void ImageIllustration::recevoir(int generation, QImage image, QVector<QImage> reductions,
                                 bool apercu) {
    if (generation != generation_ || !image_.isNull()) return;
    if (apercu) {
        apercu_ = std::move(image);
    } else if (image.isNull()) {
        montrerEchec(Explication_image(false));
        return;
    } else {
        image_ = std::move(image);
        reductions_ = std::move(reductions);
        apercu_ = QImage();
    }
    update();
}

void ImageIllustration::montrerEchec(const QString& explication) {
    image_ = QImage(Bitmap::chemin(Bitmap::Vignette)).convertToFormat(QImage::Format_RGB32);
    apercu_ = rendu_ = QImage();
    reductions_.clear();
    taille_ = image_.size();
    explication_ = explication;
    vectorielle_ = false;
    chemin_.clear();
    update();
}

void ImageIllustration::vider() {
    ++generation_;
    image_ = apercu_ = rendu_ = QImage();
    reductions_.clear();
    taille_ = QSize();
    explication_.clear();
    chemin_.clear();
    update();
}

void ImageIllustration::setStretch(bool stretch) {
    if (stretch_ == stretch) return;
    stretch_ = stretch;
    update();
}

// What to draw the control's size from: the drawing rendered at that size,
// or the smallest copy at least as large (the preview until the whole is in).
const QImage& ImageIllustration::source() {
    if (image_.isNull()) return apercu_;
    if (vectorielle_ && size() != image_.size()) {
        if (rendu_.size() != size())
            rendu_ = Images::lire(chemin_, [this](QSize) { return size(); }).image;
        if (rendu_.size() == size()) return rendu_;
    }
    for (auto copie = reductions_.crbegin(); copie != reductions_.crend(); ++copie)
        if (copie->width() >= width() && copie->height() >= height()) return *copie;
    return image_;
}

void ImageIllustration::paintEvent(QPaintEvent* event) {
    if (!montrable() || width() <= 0 || height() <= 0) return;
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
    if (!stretch_ && !image_.isNull()) {
        p.drawImage(zone.topLeft(), image_, zone);
        return;
    }
    const QImage& image = source();
    if (image.size() == size()) {
        p.drawImage(zone.topLeft(), image, zone);
        return;
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const double sx = double(image.width()) / width();
    const double sy = double(image.height()) / height();
    const QRectF origine(zone.x() * sx, zone.y() * sy, zone.width() * sx, zone.height() * sy);
    p.drawImage(QRectF(zone), image, origine);
}
