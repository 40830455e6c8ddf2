#pragma once
// Press on an owner's drop-down button, drag into the list it opened,
// release on an entry: the release picks the entry. While the button still
// holds the pressed mouse, a move that reaches the list's data area hands
// the drag over: the list's widget at that point takes the mouse and gets a
// left press there, so that the list's own press, move and release handling
// carries on as if the press had begun in it.

#include <QPoint>
#include <QRect>

class QWidget;

namespace kx {

// area is in the drop-down's coordinates; true when the drag was handed
// over (the point lay in an open drop-down's area).
bool HandDragToDropDown(QWidget* dropDown, const QRect& area, QPoint globalPos);

} // namespace kx
