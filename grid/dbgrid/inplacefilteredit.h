#pragma once
// The drop-down edit box of the grid's filter row, over one filter cell at
// a time: the library's combo box, unbound, held by its grid. Its keys, its
// list and the choice made from it are the grid's business; the box only
// keeps what the grid put in it.

#include "grid/dbgrid/filterrowlist.h"
#include "grid/editors/dbcomboboxx.h"

#include <QList>
#include <QVariant>

namespace kx {

class TCustomDBGridX;

class TInplaceFilterEditX : public TDBComboBoxX {
public:
    explicit TInplaceFilterEditX(QWidget* parent = nullptr);

    // The list's entries; a special entry carries its code, a value 0.
    void SetEntries(const QList<TFilterListItem>& entries);
    int EntryCode(int index) const;
    int IndexOfEntry(const QString& text) const { return int(Items().indexOf(text)); }

    // A key value shown as a text of its own (a looked-up name, say). The
    // key stands only while that text is shown.
    void SetKeyAndText(const QVariant& value, const QString& text);
    QVariant KeyValue() const;

    // The list's button; without it the list does not open.
    bool HasDropDown() const { return EditButton().Visible(); }
    int DropDownWidth() { return DropDownBox().Width; }
    int DropDownRows() { return DropDownBox().Rows; }
    int CaretPosition() const { return cursorPosition(); }
    void SetCaretToEnd();

    ui::TRect TextAreaRect() const override;

protected:
    // Tab reaches the key handling, where the grid moves between cells.
    bool WantTabs() override { return true; }
    // The wheel scrolls the open list and never steps through the entries.
    void wheelEvent(QWheelEvent* event) override;

private:
    QList<int> codes_;
    QVariant keyValue_;
    QString keyText_;
};

// Up from the data cells: the editor opens over the current column, or with
// row select over the last filter column in view, else the first shown one.
void EnterFilterRow(TCustomDBGridX& grid);

} // namespace kx
