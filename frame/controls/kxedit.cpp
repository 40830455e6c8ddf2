#include "frame/controls/kxedit.h"

namespace kx {

TKXEdit::TKXEdit(QWidget* parent) : TKXInputControl(parent, true, TImeEntry::ByEditType) {}

void TKXEdit::KeyPress(QChar& key) {
    FilterKey(key);
    if (!key.isNull())
        TKXInput::KeyPress(key);
}

} // namespace kx

#include "moc_kxedit.cpp"
