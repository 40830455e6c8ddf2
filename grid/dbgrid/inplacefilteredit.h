#pragma once
// The drop-down edit box of the grid's filter row, over one filter cell at
// a time. Its keys, its list and the choice made from it are the grid's
// business: the editor asks its holding grid. Until the library's
// data-aware combo box exists it stands on Qt's editable combo box; every
// call the grid makes is one of the few below.

#include <QComboBox>
#include <QVariant>

namespace kx {

class TCustomDBGridX;

class TInplaceFilterEditX : public QComboBox {
public:
    explicit TInplaceFilterEditX(TCustomDBGridX* holder);

    // Entries carry a special code or 0 for a value of the column.
    void AddEntry(const QString& text, int code);
    int EntryCode(int index) const;
    // Replaces the list, keeping the text.
    void ClearEntries();
    // The list opens with a button and a size, or not at all.
    void SetDropDown(bool shown, int width, int rows);
    bool HasDropDown() const { return dropDown_; }
    int DropDownWidth() const;
    int DropDownRows() const { return maxVisibleItems(); }
    bool DroppedDown() const;
    // Key values that the text stands for; Null for none.
    QVariant Value;

    QString Text() const { return currentText(); }
    void SetText(const QString& text);
    void SelectAll();
    int CaretPosition() const;
    int SelStart() const;
    int SelLength() const;
    void SetCaretToEnd();
    // The choice from the list, as the list's closing reports it.
    void ChooseEntry(int index);
    // The grid fills the list first.
    void showPopup() override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TCustomDBGridX* holder_;
    bool dropDown_ = false;
    QString textBeforeChoice_;
};

// Up from the data cells: the editor opens over the current column, or with
// row select over the last filter column in view, else the first shown one.
void EnterFilterRow(TCustomDBGridX& grid);

} // namespace kx
