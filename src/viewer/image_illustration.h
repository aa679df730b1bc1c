#pragma once
#include <QImage>
#include <QWidget>

// The image control of the viewer. The picture is decoded once and kept;
// every size the viewer gives the control is drawn from it at paint time,
// only over the part that needs painting, so zooming never reads the file
// again and a large photograph stays quick to move.
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
    QSize tailleNaturelle() const { return image_.size(); }
    const QString& chemin() const { return chemin_; }
    int lectures() const { return lectures_; }

    // Stretch off: the picture at its natural size from the top-left
    // corner; on: scaled to the control's size.
    void setStretch(bool stretch);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage& reduite();
    void montrerEchec(const QString& explication);

    QImage image_;
    QString explication_;  // why the built-in picture shows instead
    bool vectorielle_ = false;  // drawn again at each size, never scaled
    QString chemin_;
    qint64 date_ = 0;
    int lectures_ = 0;
    bool stretch_ = false;
    // A smooth reduction of the picture for strong reductions, where
    // sampling the full picture would shimmer, or a drawing rendered at the
    // control's size; rebuilt for a new size only.
    QImage reduite_;
};
