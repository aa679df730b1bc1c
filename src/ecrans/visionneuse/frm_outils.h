#pragma once
#include <QWidget>

#include <array>

class QToolButton;
class frmIllustration;

// The guide-line palette: a small borderless window with four arrows that
// move the viewer's vertical line left and right and its horizontal line
// up and down, in steps of 100 twips, within the picture. It belongs to
// the viewer, which closes it when it closes itself.
class frmOutils : public QWidget {
public:
    explicit frmOutils(frmIllustration& visionneuse);

    // Opening: placed on the screen, the lines put on the picture's left
    // and bottom edges and shown.
    void Form_Load();
    void Command1_Click(int index);
    // The keyboard goes back to the viewer; the palette stays open.
    void RendreFocus();

    // Index 0 left arm, 1 right, 2 bottom, 3 top.
    std::array<QToolButton*, 4> Command1{};

protected:
    void paintEvent(QPaintEvent* event) override;
    bool focusNextPrevChild(bool suivant) override;

private:
    frmIllustration& visionneuse_;
};
