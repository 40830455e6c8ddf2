#pragma once
// The plain combo edit: the edit with a picker button of
// TKXCustomComboEdit, read-only on request.

#include "frame/controls/kxcustomcomboedit.h"

namespace kx {

class TKXComboEdit : public TKXCustomComboEdit {
    Q_OBJECT
public:
    explicit TKXComboEdit(QWidget* parent = nullptr);

    void SetReadOnly(bool readOnly) override;
};

} // namespace kx
