#pragma once
// The program's masked edit: the mask syntax of ui::TCustomMaskEdit, a focus
// colour that is always on, and the input method the user last used.

#include "frame/controls/kxinput.h"
#include "platform/ui/maskedit.h"

namespace kx {

// Not a TInputControl: the data source, the query and the input-method
// helpers leave the masked edit as the window set it up.
class TKXMEdit : public TKXInput<ui::TCustomMaskEdit> {
    Q_OBJECT
public:
    explicit TKXMEdit(QWidget* parent = nullptr);

    std::function<void(QObject* sender, bool& value)> OnSelect;
};

} // namespace kx
