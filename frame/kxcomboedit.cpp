#include "frame/kxcomboedit.h"

namespace kx {

TKXComboEdit::TKXComboEdit(QWidget* parent) : TKXCustomComboEdit(parent) {}

void TKXComboEdit::SetReadOnly(bool readOnly) {
    if (readOnly != ReadOnly())
        SetFamilyReadOnly(readOnly);
}

} // namespace kx
