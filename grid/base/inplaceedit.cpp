#include "grid/base/inplaceedit.h"

#include "grid/base/customgridx.h"
#include "platform/ui/application.h"

#include <QApplication>
#include <QMouseEvent>

namespace kx {

using namespace ui;

TInplaceEdit::TInplaceEdit(QWidget* parent) : TCustomMaskEdit(parent) {
    setFrame(false);
    setFocusPolicy(Qt::ClickFocus);
    hide();
    connect(this, &QLineEdit::textEdited, this, Guard([this] {
                if (grid_)
                    grid_->UpdateText();
            }));
}

void TInplaceEdit::SetGrid(TCustomGridX* grid) {
    grid_ = grid;
}

void TInplaceEdit::SetFocus() {
    if (GetVisible())
        setFocus(Qt::OtherFocusReason);
}

void TInplaceEdit::SelectAll() {
    SetSel(int(text().size()), -1);
}

void TInplaceEdit::Invalidate() {
    update();
    if (grid_)
        grid_->InvalidateWindowRect(TRect::FromQRect(geometry()));
}

void TInplaceEdit::Hide() {
    if (!GetVisible())
        return;
    Invalidate();
    // Give the focus back before hiding, or Qt would pass it to the next
    // control of the form.
    if (hasFocus() && grid_)
        grid_->setFocus(Qt::OtherFocusReason);
    hide();
}

void TInplaceEdit::InternalMove(const TRect& rect, bool redraw) {
    if (rect.IsEmpty()) {
        Hide();
        return;
    }
    redraw = redraw || !GetVisible();
    Invalidate();
    setGeometry(rect.ToQRect());
    show();
    raise();
    BoundsUpdated();
    if (redraw)
        Invalidate();
    if (grid_ && grid_->hasFocus())
        setFocus(Qt::OtherFocusReason);
}

void TInplaceEdit::BoundsUpdated() {
    setTextMargins(2, 2, 2, 0);
}

void TInplaceEdit::LoadCellContents() {
    SetText(QString());
    SetEditMask(grid_->GetEditMask(grid_->Col(), grid_->Row()));
    SetText(grid_->GetEditText(grid_->Col(), grid_->Row()));
    SetMaxLength(grid_->GetEditLimit());
}

void TInplaceEdit::CMCancelMode(QWidget*) {}

bool TInplaceEdit::EditCanModify() {
    return grid_->CanEditModify();
}

bool TInplaceEdit::WantTabs() {
    return grid_ && (grid_->Options() & goTabs);
}

bool TInplaceEdit::CaretAtLeftSide() const {
    int start, end;
    GetSel(start, end);
    return CaretPos() == 0 && start == 0 && (end == 0 || end == int(text().size()));
}

bool TInplaceEdit::CaretAtRightSide() const {
    int start, end;
    GetSel(start, end);
    const int length = int(text().size());
    return CaretPos() == length && (start == 0 || end == start) && end == length;
}

void TInplaceEdit::SendToGrid(int& key, TShiftState shift) {
    grid_->KeyDown(key, shift);
    key = 0;
}

void TInplaceEdit::GridKeyDownEvent(int& key, TShiftState shift) {
    if (grid_->OnKeyDown)
        grid_->OnKeyDown(grid_, key, shift);
}

void TInplaceEdit::KeyDown(int& key, TShiftState shift) {
    const bool forwardMovement = grid_->Options() & goAlwaysShowEditor;
    const bool ctrl = shift & ssCtrl;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Escape:
        SendToGrid(key, shift);
        break;
    case Qt::Key_Insert:
        if (shift == 0)
            SendToGrid(key, shift);
        else if (shift == ssShift && !grid_->CanEditModify())
            key = 0;
        break;
    case Qt::Key_Left:
    case Qt::Key_Home:
        if (forwardMovement && (ctrl || CaretAtLeftSide()))
            SendToGrid(key, shift);
        break;
    case Qt::Key_Right:
    case Qt::Key_End:
        if (forwardMovement && (ctrl || CaretAtRightSide()))
            SendToGrid(key, shift);
        break;
    case Qt::Key_Delete:
        if (ctrl)
            SendToGrid(key, shift);
        else if (!grid_->CanEditModify())
            key = 0;
        break;
    case Qt::Key_Tab:
        if (!(shift & ssAlt))
            SendToGrid(key, shift);
        break;
    case Qt::Key_F2:
        GridKeyDownEvent(key, shift);
        if (key == Qt::Key_F2) {
            SelectAll();
            key = 0;
            return;
        }
        break;
    default:
        break;
    }
    if (key != 0) {
        GridKeyDownEvent(key, shift);
        TCustomMaskEdit::KeyDown(key, shift);
    }
}

void TInplaceEdit::KeyPress(QChar& key) {
    grid_->KeyPress(key);
    if (key.unicode() >= 32 && !grid_->CanEditAcceptKey(key)) {
        key = QChar();
        QApplication::beep();
    }
    switch (key.unicode()) {
    case 9:
    case 27:
        key = QChar();
        break;
    case 13: {
        int start, end;
        GetSel(start, end);
        if (start == 0 && end == int(text().size()))
            SelectAll();
        else
            selectAll();
        key = QChar();
        break;
    }
    case 0:
        break;
    default:
        if ((key == QChar(8) || key == QChar(22) || key == QChar(24) || key.unicode() >= 32) &&
            !grid_->CanEditModify())
            key = QChar();
        break;
    }
    if (!key.isNull())
        TCustomMaskEdit::KeyPress(key);
}

void TInplaceEdit::KeyUp(int& key, TShiftState shift) {
    grid_->KeyUp(key, shift);
    key = 0;
}

void TInplaceEdit::mousePressEvent(QMouseEvent* event) {
    const bool second =
        event->button() == Qt::LeftButton &&
        qint64(event->timestamp()) - clickTime_ < QApplication::doubleClickInterval();
    clickTime_ = 0;
    if (second)
        mouseDoubleClickEvent(event);
    else
        TCustomMaskEdit::mousePressEvent(event);
}

void TInplaceEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    TCustomMaskEdit::mouseDoubleClickEvent(event);
    try {
        grid_->DblClick();
    } catch (...) {
        HandleCurrentException();
    }
}

void TInplaceEdit::wheelEvent(QWheelEvent* event) {
    QCoreApplication::sendEvent(grid_->viewport(), event);
}

} // namespace kx

#include "moc_inplaceedit.cpp"
