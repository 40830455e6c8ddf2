#pragma once
// What a grid offers the edit it uses as its in-place cell editor: the say
// on whether the cell may change, its last mouse press (so that a press on
// the grid and one on the editor make a double click), and the first look at
// every event and key of the editor.

#include "platform/ui/customcontrol.h"

#include <QPoint>

class QEvent;
class QWidget;

namespace kx {

class IInplaceEditHolderX {
public:
    virtual bool CanModify(QWidget* editor) = 0;
    // The last press in screen coordinates and its time; the holder forgets
    // the time once it is read.
    virtual void GetMouseDownInfo(QPoint& screenPoint, qint64& time) = 0;
    // True ends the event's handling.
    virtual bool EditorWndProc(QWidget* editor, QEvent* event) = 0;
    // Each may clear the key it takes.
    virtual void EditorKeyDown(QWidget* editor, int& key, ui::TShiftState shift) = 0;
    virtual void EditorKeyPress(QWidget* editor, QChar& key) = 0;
    virtual void EditorKeyUp(QWidget* editor, int& key, ui::TShiftState shift) = 0;

protected:
    ~IInplaceEditHolderX() = default;
};

} // namespace kx
