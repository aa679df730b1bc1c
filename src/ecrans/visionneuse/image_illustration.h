#pragma once
#include <QImage>
#include <QVector>
#include <QWidget>

// The image control of the viewer. Its size is known from the picture's
// header at once; the picture itself decodes in worker threads, a small
// preview first and then the whole picture with its reduced copies (halves,
// quarters...), all made once. Every size the viewer gives the control is
// drawn at paint time from the smallest copy at least as large, only over
// the part that needs painting, so no zoom or fit rescales the whole
// photograph and the file is never read again for it.
class ImageIllustration : public QWidget {
public:
    explicit ImageIllustration(QWidget* parent = nullptr);

    // Loads the picture of `chemin` (matched without regard to case). The
    // picture already held is kept, without reading anything, when it came
    // from the same file unchanged. A picture too large for the memory
    // policy is held at the largest size it allows. Returns false when the
    // file cannot be read: the control then shows the built-in picture and
    // says why.
    bool charger(const QString& chemin);

    // No picture: the control shows nothing.
    void vider();

    // Size of the picture in pixels (the built-in one after a failure);
    // empty when none was ever loaded.
    QSize tailleNaturelle() const { return taille_; }
    const QString& chemin() const { return chemin_; }
    int lectures() const { return lectures_; }
    // Something of the picture can be drawn; the whole of it is decoded.
    bool montrable() const { return !image_.isNull() || !apercu_.isNull(); }
    bool decodee() const { return !image_.isNull(); }

    // Stretch off: the picture at its natural size from the top-left
    // corner; on: scaled to the control's size.
    void setStretch(bool stretch);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void decoder(const QString& fichier, QSize taille);
    void recevoir(int generation, QImage image, QVector<QImage> reductions, bool apercu);
    const QImage& source();
    void montrerEchec(const QString& explication);

    QImage image_;
    QVector<QImage> reductions_;  // halves of image_, the largest first
    QImage apercu_;               // a small decode shown until image_ is ready
    QSize taille_;
    QString explication_;       // why the built-in picture shows instead
    bool vectorielle_ = false;  // drawn again at each size, never scaled
    QString chemin_;
    qint64 date_ = 0;
    int lectures_ = 0;
    int generation_ = 0;  // results of an older reading are dropped
    bool stretch_ = false;
    // A drawing rendered at the control's size; rebuilt for a new size only.
    QImage rendu_;
};
