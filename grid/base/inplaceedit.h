#pragma once
// The single-line editor the grid lays over its current cell. The grid makes
// it on first need, loads it from the cell, moves it with the cell, takes its
// text back and hides it; the editor hands navigation keys, double clicks and
// the wheel to the grid, so that editing and moving between cells feel like
// one control.

#include "platform/ui/maskedit.h"
#include "platform/ui/rect.h"

namespace kx {

class TCustomGridX;

class TInplaceEdit : public ui::TCustomMaskEdit {
    Q_OBJECT
public:
    explicit TInplaceEdit(QWidget* parent);

    TCustomGridX* Grid() const { return grid_; }
    void SetGrid(TCustomGridX* grid);
    bool GetVisible() const { return isVisible(); }
    void SetFocus();
    // Puts the caret after the last character and removes any selection.
    void SelectAll();
    void Invalidate();
    void Hide();
    void Move(const ui::TRect& rect) { InternalMove(rect, false); }
    void UpdateLoc(const ui::TRect& rect) { InternalMove(rect, true); }
    // The grid's cancel-mode notice, passed on before the grid's own.
    virtual void CMCancelMode(QWidget* sender);

protected:
    virtual void BoundsUpdated();
    virtual void LoadCellContents();
    void InternalMove(const ui::TRect& rect, bool redraw);

    bool EditCanModify() override;
    bool WantTabs() override;
    void KeyDown(int& key, ui::TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void KeyUp(int& key, ui::TShiftState shift) override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class TCustomGridX;

    bool CaretAtLeftSide() const;
    bool CaretAtRightSide() const;
    void SendToGrid(int& key, ui::TShiftState shift);
    void GridKeyDownEvent(int& key, ui::TShiftState shift);

    TCustomGridX* grid_ = nullptr;
    // When the last left press on the grid happened, for double clicks that
    // begin on the grid and end on the editor; 0 once used.
    qint64 clickTime_ = 0;
};

} // namespace kx
