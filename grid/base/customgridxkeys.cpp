#include "grid/base/customgridx.h"

#include "grid/base/gridaxis.h"
#include "grid/base/inplaceedit.h"

#include <algorithm>

namespace kx {

using namespace ui;
using namespace gridaxis;

// Keys

bool TCustomGridX::CanGridAcceptKey(int, TShiftState) {
    return true;
}

bool TCustomGridX::CanEditAcceptKey(QChar) {
    return true;
}

// The cell Tab moves to: the next (previous) column that is a tab stop,
// wrapping over rows. Shift+Tab keeps going backwards past columns that are no
// tab stop rather than turning forward after the first step, and a walk that
// finds no tab stop ends after one round.
void TCustomGridX::TabTarget(TGridCoord& cell, bool backward) const {
    const int columns = colCount_ - fixedCols_;
    for (int steps = 0; steps < columns; ++steps) {
        if (backward) {
            if (--cell.X < fixedCols_) {
                cell.X = colCount_ - 1;
                if (--cell.Y < fixedRows_)
                    cell.Y = rowCount_ - 1;
            }
        } else if (++cell.X >= colCount_) {
            cell.X = fixedCols_;
            if (++cell.Y >= rowCount_)
                cell.Y = fixedRows_;
        }
        if (GetTabStops(cell.X) || cell.X == current_.X)
            return;
    }
}

void TCustomGridX::KeyDown(int& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (!CanGridAcceptKey(key, shift))
        key = 0;
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const int pageWidth = std::max(layout.Horz.LastFullVisibleCell - topLeft_.X, 1);
    const int pageHeight = std::max(layout.Vert.LastFullVisibleCell - topLeft_.Y, 1);
    const bool rowSelect = options_ & goRowSelect;
    TGridCoord newCurrent = current_;
    TGridCoord newTopLeft = topLeft_;
    bool moveAnchor = !(shift & ssShift);
    if (shift & ssCtrl) {
        switch (key) {
        case Qt::Key_Up:
            --newTopLeft.Y;
            break;
        case Qt::Key_Down:
            ++newTopLeft.Y;
            break;
        case Qt::Key_Left:
            if (!rowSelect) {
                newCurrent.X -= pageWidth;
                newTopLeft.X -= pageWidth;
            }
            break;
        case Qt::Key_Right:
            if (!rowSelect) {
                newCurrent.X += pageWidth;
                newTopLeft.X += pageWidth;
            }
            break;
        case Qt::Key_PageUp:
            newCurrent.Y = topLeft_.Y;
            break;
        case Qt::Key_PageDown:
            newCurrent.Y = layout.Vert.LastFullVisibleCell;
            break;
        case Qt::Key_Home:
            newCurrent = {fixedCols_, fixedRows_};
            break;
        case Qt::Key_End:
            newCurrent = {colCount_ - 1, rowCount_ - 1};
            break;
        default:
            break;
        }
    } else {
        switch (key) {
        case Qt::Key_Up:
            --newCurrent.Y;
            break;
        case Qt::Key_Down:
            ++newCurrent.Y;
            break;
        case Qt::Key_Left:
            (rowSelect ? newCurrent.Y : newCurrent.X) -= 1;
            break;
        case Qt::Key_Right:
            (rowSelect ? newCurrent.Y : newCurrent.X) += 1;
            break;
        case Qt::Key_PageDown:
            newCurrent.Y += pageHeight;
            newTopLeft.Y += pageHeight;
            break;
        case Qt::Key_PageUp:
            newCurrent.Y -= pageHeight;
            newTopLeft.Y -= pageHeight;
            break;
        case Qt::Key_Home:
            (rowSelect ? newCurrent.Y : newCurrent.X) = rowSelect ? fixedRows_ : fixedCols_;
            break;
        case Qt::Key_End:
            (rowSelect ? newCurrent.Y : newCurrent.X) = rowSelect ? rowCount_ - 1 : colCount_ - 1;
            break;
        case Qt::Key_Tab:
            if (!(shift & ssAlt)) {
                TabTarget(newCurrent, shift & ssShift);
                moveAnchor = true;
            }
            break;
        case Qt::Key_F2:
            SetEditorMode(true);
            break;
        default:
            break;
        }
    }
    const TGridCoord maxTopLeft = CalcMaxTopLeft({colCount_ - 1, rowCount_ - 1}, layout);
    newTopLeft.X = std::clamp(newTopLeft.X, fixedCols_, std::max(fixedCols_, maxTopLeft.X));
    newTopLeft.Y = std::clamp(newTopLeft.Y, fixedRows_, std::max(fixedRows_, maxTopLeft.Y));
    if (newTopLeft != topLeft_)
        MoveTopLeft(newTopLeft.X, newTopLeft.Y);
    newCurrent.X = std::clamp(newCurrent.X, fixedCols_ - frozenCols_, colCount_ - 1);
    newCurrent.Y = std::clamp(newCurrent.Y, fixedRows_ - frozenRows_, rowCount_ - 1);
    if (newCurrent != current_)
        MoveToCell(newCurrent.X, newCurrent.Y, moveAnchor);
}

void TCustomGridX::KeyPress(QChar& key) {
    TCustomControl::KeyPress(key);
    if (!(options_ & goAlwaysShowEditor) && key == QChar(13)) {
        if (editorMode_)
            HideEditor();
        else
            ShowEditor();
        key = QChar();
    }
}

void TCustomGridX::CharTyped(QChar ch) {
    if ((options_ & goEditing) && (ch == QChar(8) || ch.unicode() >= 32))
        ShowEditorChar(ch);
    else
        TCustomControl::CharTyped(ch);
}

unsigned TCustomGridX::DialogCode() {
    if (options_ & goRowSelect)
        return DLGC_WANTARROWS;
    unsigned code = DLGC_WANTARROWS;
    if (options_ & goTabs)
        code |= DLGC_WANTTAB;
    if (options_ & goEditing)
        code |= DLGC_WANTCHARS;
    return code;
}

bool TCustomGridX::WantSpecialKey(int key) {
    return (options_ & goEditing) && key == Qt::Key_Return;
}

// Focus, cursor, size and cancel mode

void TCustomGridX::DoExit() {
    TCustomControl::DoExit();
    if (!(options_ & goAlwaysShowEditor))
        HideEditor();
}

void TCustomGridX::FocusIn(QWidget* from) {
    if (editor_ && from == editor_)
        return;
    InvalidateRect(Selection());
    UpdateEdit();
}

void TCustomGridX::FocusOut(QWidget* to) {
    InvalidateRect(Selection());
    if (editor_ && to != editor_)
        HideEdit();
}

Qt::CursorShape TCustomGridX::CursorAt(int x, int y) {
    TGridStateX state = gridState_;
    if (state == gsNormal) {
        TGridLayoutX layout;
        CalcDrawInfo(layout);
        int index, pos, ofs;
        CalcSizingState(x, y, layout, state, index, pos, ofs);
    }
    if (state == gsColSizing)
        return Qt::SplitHCursor;
    if (state == gsRowSizing)
        return Qt::SplitVCursor;
    return Qt::ArrowCursor;
}

void TCustomGridX::Resized() {
    UpdateScrollRange();
    if (contraColCount_ > 0 || contraRowCount_ > 0)
        InvalidateGrid();
}

void TCustomGridX::ShowingChanged() {
    UpdateScrollRange();
}

void TCustomGridX::FontChanged() {
    if (editor_)
        editor_->setFont(font());
}

void TCustomGridX::ScrollAction(int bar, int code, int pos) {
    ModifyScrollBar(bar, code, pos);
}

void TCustomGridX::WMCancelMode() {
    TCustomControl::WMCancelMode();
    CancelMode();
}

void TCustomGridX::CMCancelMode(QWidget* sender) {
    if (editor_)
        editor_->CMCancelMode(sender);
    TCustomControl::CMCancelMode(sender);
    CancelMode();
}

} // namespace kx
