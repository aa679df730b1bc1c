#pragma once

class QWidget;

// Gives the keyboard to a control with its focus frame drawn at once, as
// when it is reached with Tab: the frame shows where the keys go from the
// moment a screen opens. A mouse click hides it again, as usual.
void DonnerFocus(QWidget* controle);
