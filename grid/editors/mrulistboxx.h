#pragma once
// The drop-down list of recently used texts: a popup list box whose scroll
// bar is a separate control at its right edge, so that the size grip can
// sit beside it rather than under it.
//
// An owner edit uses it so: fill the items (addItems), call ItemsChanged,
// SetRowCount(min(items, rows)) and resize to its width, then
// move(PlaceDropDownWindow(edit, list, ddaLeft)) and show(); hand it the
// navigation keys it should see with QCoreApplication::sendEvent; close it
// on Enter, Esc or a mouse release (watch it with an event filter), and read
// SizeChanged, RowsFit() and width() back to keep the size the user gave it.

#include "grid/editors/popuplistboxx.h"

#include <QRect>
#include <QSize>

class QScrollBar;

namespace kx {

// The scroll bar's place at the right edge of a client area: beside a grip
// in a right corner, else the whole height.
QRect MRUScrollBarRect(QSize clientSize, int barWidth, int gripCorner, int gripHeight);

class TMRUListboxX : public TPopupListboxX {
    Q_OBJECT
public:
    explicit TMRUListboxX(QWidget* owner);

    QScrollBar* ScrollBar() const { return scrollBar_; }
    // Places the bar and sets its range from the items and visible rows;
    // shows it only when not every item fits.
    void LayoutScrollBar();
    void MoveScrollBar();
    // The owner calls this after it changed the items.
    void ItemsChanged();

protected:
    void AfterSizeChange() override;
    void AfterSideChange() override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QScrollBar* scrollBar_;
    bool placing_ = false;
};

} // namespace kx
