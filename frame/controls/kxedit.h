#pragma once
// The program's single-line edit: focus colour, typed key filter, byte-length
// cap and input-method name (see TKXInput).

#include "frame/controls/kxinput.h"
#include "platform/ui/maskedit.h"

namespace kx {

class TKXEdit : public TKXInputControl<ui::TCustomMaskEdit> {
    Q_OBJECT
public:
    explicit TKXEdit(QWidget* parent = nullptr);

    using TKXInput::SetFocusColorChange;

    // Read-only while browsing and for Tag 2.
    void FollowDataState(bool browsing, int tag) override { setReadOnly(browsing || tag == 2); }

    // Called by the window's Enter handling with false; a handler that sets
    // it to true keeps the focus in the edit.
    std::function<void(QObject* sender, bool& value)> OnSelect;

protected:
    void KeyPress(QChar& key) override;
};

} // namespace kx
