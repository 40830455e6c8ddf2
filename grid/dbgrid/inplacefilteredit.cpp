#include "grid/dbgrid/inplacefilteredit.h"

#include "grid/dbgrid/customdbgridx.h"
#include "platform/ui/application.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

namespace kx {

namespace {

ui::TShiftState ShiftOf(Qt::KeyboardModifiers modifiers) {
    ui::TShiftState shift = 0;
    shift |= (modifiers & Qt::ShiftModifier) ? ui::ssShift : 0;
    shift |= (modifiers & Qt::ControlModifier) ? ui::ssCtrl : 0;
    shift |= (modifiers & Qt::AltModifier) ? ui::ssAlt : 0;
    return shift;
}

} // namespace

TInplaceFilterEditX::TInplaceFilterEditX(TCustomDBGridX* holder)
    : QComboBox(holder), holder_(holder) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setFrame(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, QOverload<int>::of(&QComboBox::activated), this,
            ui::Guard([this](int index) { ChooseEntry(index); }));
    hide();
}

void TInplaceFilterEditX::AddEntry(const QString& text, int code) {
    addItem(text, code);
}

int TInplaceFilterEditX::EntryCode(int index) const {
    return itemData(index).toInt();
}

void TInplaceFilterEditX::ClearEntries() {
    const QString text = currentText();
    clear();
    setEditText(text);
}

void TInplaceFilterEditX::SetDropDown(bool shown, int width, int rows) {
    dropDown_ = shown;
    if (!shown)
        return;
    view()->setMinimumWidth(width);
    setMaxVisibleItems(rows);
}

int TInplaceFilterEditX::DropDownWidth() const {
    return view()->minimumWidth();
}

bool TInplaceFilterEditX::DroppedDown() const {
    return view() && view()->isVisible();
}

void TInplaceFilterEditX::SetText(const QString& text) {
    setEditText(text);
}

void TInplaceFilterEditX::SelectAll() {
    lineEdit()->selectAll();
}

int TInplaceFilterEditX::CaretPosition() const {
    return lineEdit()->cursorPosition();
}

int TInplaceFilterEditX::SelStart() const {
    return lineEdit()->hasSelectedText() ? lineEdit()->selectionStart() : CaretPosition();
}

int TInplaceFilterEditX::SelLength() const {
    return lineEdit()->selectedText().size();
}

void TInplaceFilterEditX::SetCaretToEnd() {
    lineEdit()->deselect();
    lineEdit()->end(false);
}

// A value becomes the text; a special entry leaves the text as it was
// before the list opened, and the grid carries out the entry's action.
void TInplaceFilterEditX::ChooseEntry(int index) {
    setEditText(EntryCode(index) != 0 ? textBeforeChoice_ : itemText(index));
    bool accept = true;
    holder_->FilterEditorClosingUp(index, accept);
    holder_->FilterEditorClosedUp(accept);
}

bool TInplaceFilterEditX::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QComboBox::event(event);
}

void TInplaceFilterEditX::keyPressEvent(QKeyEvent* event) {
    int key = event->key() == Qt::Key_Backtab ? Qt::Key_Tab : event->key();
    const ui::TShiftState shift = ShiftOf(event->modifiers());
    if (!DroppedDown()) {
        bool taken = false;
        ui::Guard([&] { taken = holder_->FilterEditorKeyDown(key, shift); })();
        if (taken) {
            event->accept();
            return;
        }
    }
    if (key == Qt::Key_Tab) {
        event->accept();
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        QChar typed(13);
        ui::Guard([&] { holder_->FilterEditorKeyPress(typed); })();
        if (typed.isNull()) {
            event->accept();
            return;
        }
    }
    QComboBox::keyPressEvent(event);
}

void TInplaceFilterEditX::showPopup() {
    if (!dropDown_)
        return;
    textBeforeChoice_ = currentText();
    ui::Guard([this] { holder_->FilterEditorDropDown(); })();
    QComboBox::showPopup();
}

} // namespace kx
