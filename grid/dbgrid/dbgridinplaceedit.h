#pragma once
// The editor the data-aware grid lays over its current cell. Beyond the base
// editor it shows a strip of buttons at the cell's edge (the column's
// default button and its extra edit buttons), drops down the list the cell
// calls for (pick list, lookup grid, month calendar, calculator), completes
// typed and pasted text in lookup and key-list cells, offers the column's
// recently used texts, and marks required fields that are still empty.
//
// The grid makes one editor and reloads it for every cell; what the user
// chose waits in the grid (pending text and, for lookup cells, the pending
// key) until the grid writes the cell back.

#include "grid/base/inplaceedit.h"
#include "grid/dbgrid/dbgrideditstyle.h"
#include "grid/editors/dropdownownerx.h"
#include "grid/editors/mrulistx.h"

#include <QPointer>
#include <QVariant>

#include <vector>

class QPainter;

namespace kx {

class TColumnX;
class TCustomDBGridX;
class TEditButtonControlX;
class TMRUListboxX;
class TPopupCalculatorX;
class TPopupDataGridX;
class TPopupListboxX;
class TPopupMonthCalendarX;
namespace db {
class TDataSource;
}

class TDBGridInplaceEdit : public TInplaceEdit, public IDropDownOwnerX {
    Q_OBJECT
public:
    explicit TDBGridInplaceEdit(QWidget* parent);
    ~TDBGridInplaceEdit() override;

    TCustomDBGridX* Grid() const;
    // None when the grid has no columns or its column index is out of range.
    TColumnX* Column() const;

    TDBGridEditStyle EditStyle() const { return editStyle_; }
    void SetEditStyle(TDBGridEditStyle style);

    void OpenList();
    void CloseList(bool accept);
    void CloseUp(bool accept) override { CloseList(accept); }
    bool ListVisible() const { return listVisible_; }
    // The open list or the one the style would open; none for plain styles.
    QWidget* ActiveList() const { return activeList_; }
    TPopupListboxX* PickListBox() const { return pickList_; }
    TPopupMonthCalendarX* Calendar() const { return calendar_; }
    TPopupCalculatorX* Calculator() const { return calculator_; }
    TPopupDataGridX* LookupGrid() const { return lookupGrid_; }

    // Up-down buttons and double clicks step the field through its values.
    void StepValue(bool down);
    // The editor text becomes the grid's pending text (and pending key).
    void StorePendingText();

    void ShowMRUList();
    void CloseMRUList(bool accept);
    bool MRUListShown() const;
    TMRUListboxX* MRUListBox() const { return mruListBox_; }

    // Entry 0 is the default button, then the column's edit buttons.
    int ButtonCount() const { return int(buttons_.size()); }
    TEditButtonControlX* ButtonAt(int index) const { return buttons_.at(index); }
    int ButtonsWidth() const { return buttonsWidth_; }
    ui::TRect TextRect() const;
    // The column wraps its text and the grid's rows are tall enough: the
    // text is edited over several lines.
    bool WordWrap() const { return wordWrap_; }
    // The cell-parameter events changed the cell's read-only state.
    bool ReadOnlyOverridden() const { return readOnlyOverridden_; }
    int ImageIndex() const { return imageIndex_; }

    void CMCancelMode(QWidget* sender) override;

protected:
    void BoundsUpdated() override;
    void LoadCellContents() override;
    void KeyDown(int& key, ui::TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void KeyUp(int& key, ui::TShiftState shift) override;

    virtual void UpdateImageIndex();
    virtual void DefaultButtonPressed(bool down);
    // True when the typed character was taken by the completion.
    virtual bool FilterTypedText(QChar key);
    virtual void ButtonClicked(TEditButtonControlX* button);
    virtual void ButtonPressed(TEditButtonControlX* button, bool topButton, bool& autoRepeat,
                               bool& handled);
    // A drag from the default button into the open list goes on in the list.
    virtual void ButtonMouseMoved(TEditButtonControlX* button, ui::TShiftState shift, int x, int y);
    virtual void ButtonReleased(TEditButtonControlX* button, int x, int y);
    virtual bool MRUItemMatches(const QString& item) const;
    // Keeps the rows and width the user sized the recent-texts list to.
    virtual void MRUListResized();
    virtual bool RequiredMarkWanted() const;
    virtual void TextEdited();

    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool RouteListKey(QKeyEvent* event);
    bool RouteMRUKey(QKeyEvent* event);
    void ShowListText();
    void PasteCompleted();
    bool CompleteText(const QString& typed, bool paste);
    bool CompleteLookup(const QString& typed);
    bool CompleteKeyList(const QString& typed);
    bool DeleteInListCell();
    void BackspaceInListCell();
    void SetPendingText(const QString& text);
    void SetPendingKey(const QVariant& key);
    QVariant LookupKeyForText(const QString& text) const;
    bool LinkEditable() const;
    bool ListCell() const;
    bool KeyListColumn() const;
    void LayoutButtons();
    TEditButtonControlX* CreateButtonControl();
    int DefaultButtonWidth() const;
    void OpenLookupGrid();
    void OpenPickList();
    void OpenCalendar();
    void OpenCalculator();
    void AcceptLookup();
    void AcceptPickList();
    void AcceptCalendar();
    void AcceptCalculator();
    bool ListOwns(QWidget* widget) const;
    bool WrappedLineKey(int key, ui::TShiftState shift);
    int ImageStripWidth() const;
    void PaintImage(QPainter& painter);
    void SetPressedLook(bool pressed);

    TDBGridEditStyle editStyle_ = gesPlain;
    QPointer<QWidget> activeList_;
    TPopupListboxX* pickList_ = nullptr;
    TPopupMonthCalendarX* calendar_ = nullptr;
    TPopupCalculatorX* calculator_ = nullptr;
    TPopupDataGridX* lookupGrid_ = nullptr;
    db::TDataSource* lookupSource_;
    TMRUListboxX* mruListBox_ = nullptr;
    TMRUListX mruList_;
    QPointer<TColumnX> mruColumn_;
    std::vector<TEditButtonControlX*> buttons_;
    int buttonsWidth_ = 0;
    int imageIndex_ = -1;
    QStringList pickItems_;
    QVariant chosenValue_;
    bool listVisible_ = false;
    bool justOpened_ = false;
    bool closing_ = false;
    bool lookupColumnsMoved_ = false;
    bool wordWrap_ = false;
    // The key went to the edit button: its character is not typed.
    bool discardPendingChar_ = false;
    bool readOnlyOverridden_ = false;
};

} // namespace kx
