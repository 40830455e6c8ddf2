#pragma once
// What the picture viewer decides without a window: which decoder a picture
// gets, where it starts and where a drag moves it.

#include <QByteArray>
#include <QPoint>
#include <QString>

namespace kx {

// The decoder named by the extension of the picture's name ("BMP" or
// "JPEG"); empty for any other type, which the viewer does not load.
QByteArray PictureFormatOf(const QString& typeName);

// The offset that centres a picture in the room: half the spare room, a half
// pixel going to the even neighbour; 0 when the picture does not fit.
int CentredOffset(int room, int size);

// The picture's top left while dragging: it keeps the distance to the mouse
// it had when the drag started.
QPoint DraggedTopLeft(QPoint mouse, QPoint pressedAt, QPoint topLeftAtPress);

} // namespace kx
