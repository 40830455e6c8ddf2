#pragma once
// The drop-down list an edit shows its most-recently-used texts in, as the
// edit sees it. The list window itself is one of the drop-down windows; the
// edit makes it through TCustomDBEditX::CreateMRUListbox.

#include <QStringList>

class QKeyEvent;
class QWidget;

namespace kx {

class IMRUDropDownX {
public:
    virtual ~IMRUDropDownX() = default;
    virtual void SetItems(const QStringList& items) = 0;
    virtual int Count() const = 0;
    // Places the list under the edit (above it when there is no room), as
    // wide as the edit and rows high, in the edit's colour and font, with no
    // item selected, and shows it without taking the focus. An open list is
    // only moved.
    virtual void DropDownUnder(QWidget* edit, int rows) = 0;
    virtual void CloseUp() = 0;
    virtual bool IsVisible() const = 0;
    // Empty when no item is selected.
    virtual QString SelectedText() const = 0;
    // Page Up, Page Down, Up, Down and Ctrl+Home/End move in the list.
    virtual void HandleKey(QKeyEvent* event) = 0;
    // The list's rows and width after the user resized it.
    virtual int RowCount() const = 0;
    virtual int Width() const = 0;
    // The window, to tell focus moving into the list from focus leaving.
    virtual QWidget* Window() const = 0;
};

} // namespace kx
