#pragma once
#include <QCursor>
#include <QIcon>
#include <QPixmap>

// The viewer's pointers and icons, drawn by the program itself.
namespace Dessins {

// A hand with a cuff, hot spot 16 across and 14 down: the picture box.
QCursor curseurMain();
// A white plus sign outlined in black, same hot spot: while dragging.
QCursor curseurGlisser();

// Toolbar icons (the image list of the viewer), by button key.
QIcon iconeOutil(const QString& cle);

// Arrows of the palette, 32 x 32 with a 16 x 16 variant; `sens` 0 left,
// 1 right, 2 down, 3 up.
QIcon iconeFleche(int sens);

// The comment screen's decorative picture: a sheet of notes with a pencil.
QPixmap imageCommentaire(int cote);

}  // namespace Dessins
