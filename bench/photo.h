#pragma once
// A 24-megapixel camera photo (6000 x 4000 JPEG) made at bench time, in the
// Images folder of a temporary questionnaire folder.
#include "noyau/fichiers/fichiers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// A questionnaire of 99 questions and 99 copies of the photo: cycling
// pictures (all 99 named), or one picture per question on as many questions
// as the companion file can name (49), the countdown off.
struct Questionnaire99 {
    Photo photo;
    QString dossier;

    explicit Questionnaire99(bool cyclees) {
        dossier = photo.dossier.path();
        const QString nom = QFileInfo(dossier).fileName();
        QString dat,
            ini = cyclees ? "[Fichiers Images]\r\n1\r\n99\r\n" : "[Fichiers Images]\r\n0\r\n";
        for (int q = 1; q <= 99; ++q) {
            dat += QString("0 Question %1\r\noui\r\nnon\r\n=>1 0\r\n").arg(q);
            const QString image = QString("photo%1.jpg").arg(q);
            if (cyclees)
                ini += image + "\r\n";
            else if (q <= 49)
                ini += QString("%1\r\n%2\r\n").arg(q).arg(image);
            // Copies, not links: 99 files to read, as in a teacher's folder.
            QFile::copy(photo.chemin, dossier + "/Images/" + image);
        }
        Fichiers::ajouter(dossier + "/" + nom + ".dat", dat);
        Fichiers::ajouter(dossier + "/" + nom + ".ini",
                          ini + (cyclees ? "\r\n\r\n\r\n30\r\n" : "\r\n\r\n\r\n0\r\n"));
    }
};
