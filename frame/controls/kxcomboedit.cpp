#include "frame/controls/kxcomboedit.h"

namespace kx {

TKXComboEdit::TKXComboEdit(QWidget* parent) : TKXCustomComboEdit(parent) {}

void TKXComboEdit::SetReadOnly(bool readOnly) {
    if (readOnly != ReadOnly())
        SetFamilyReadOnly(readOnly);
}

} // namespace kx

#include "moc_kxcomboedit.cpp"
