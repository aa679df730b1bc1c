#pragma once
// A 24-megapixel camera photo (6000 x 4000 JPEG) made at bench time, in the
// Images folder of a temporary questionnaire folder.
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

struct Photo {
    QTemporaryDir dossier;
    QString chemin;

    Photo() {
        QDir(dossier.path()).mkdir("Images");
        chemin = dossier.filePath("Images/grande.jpg");
        // Gradients and speckles, so the JPEG carries detail like a real photo.
        QImage image(6000, 4000, QImage::Format_RGB32);
        QPainter peintre(&image);
        QLinearGradient degrade(0, 0, 6000, 4000);
        degrade.setColorAt(0, QColor(40, 90, 160));
        degrade.setColorAt(1, QColor(210, 170, 80));
        peintre.fillRect(image.rect(), degrade);
        QRandomGenerator hasard(42);
        for (int i = 0; i < 200000; ++i)
            peintre.fillRect(hasard.bounded(6000), hasard.bounded(4000), 6, 6,
                             QColor::fromRgb(hasard.generate() | 0xff000000));
        peintre.end();
        image.save(chemin, "JPEG", 90);
    }
};

