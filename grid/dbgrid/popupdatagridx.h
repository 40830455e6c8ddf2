#pragma once
// The lookup grid as a drop-down window: a borderless tool window beside its
// owner that never takes the focus, whose selection follows the hovering
// pointer, that asks its owner to close it when a row is clicked (accepting)
// or the button is released outside it (not accepting), and that the user
// resizes with a size grip in one corner.
//
// The owner keeps the keyboard focus and hands the grid the keys it should
// see (KeyDown); it shows the grid with PlaceDropDownRect and reads KeyValue,
// DisplayText and the size back when the grid closes.

#include "grid/dbgrid/dblookupgridx.h"

#include <functional>

namespace kx {

class TSizeGripX;

// What a mouse release does to a drop-down grid.
enum class TPopupReleaseAction { Nothing, Accept, Cancel };
// normalBefore: the grid was not sizing or dragging when the button went
// up; pressedInside: the press began in the grid; onRow: the release is on a
// data cell or the special row.
TPopupReleaseAction PopupReleaseAction(bool normalBefore, bool pressedInside, bool insideWindow,
                                       bool onRow);

class TPopupDataGridX : public TDBLookupGridX {
public:
    using TCloseUpEvent = std::function<void(TPopupDataGridX* grid, bool accept)>;

    // owner: the control the grid drops down from; none for a grid its
    // column keeps.
    explicit TPopupDataGridX(QWidget* owner = nullptr);
    ~TPopupDataGridX() override;

    TSizeGripX* SizeGrip() const { return sizeGrip_; }
    // Raises a size to at least a scroll bar's width and height.
    static void ClampNewSize(int& width, int& height);

    // Called when a click picks a row (accept) or a release outside ends
    // the list; set by the owner.
    TCloseUpEvent OnCloseUp;
    // Fired after the key changed through the user's keys or mouse.
    std::function<void(TPopupDataGridX* grid)> OnOwnerNotify;
    // Set by every size change; the owner clears it after sizing the grid
    // itself, so that it can tell the user's resizing.
    bool Sized = false;

    void KeyDown(int& key, ui::TShiftState shift) override;

protected:
    void KeyValueChanged() override;
    void Resized() override;
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseMove(ui::TShiftState shift, int x, int y) override;
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    bool event(QEvent* event) override;

private:
    TSizeGripX* sizeGrip_;
    bool userInput_ = false;
    bool pressedInside_ = false;
    bool clamping_ = false;
};

} // namespace kx
