#pragma once
// The calculator as a drop-down window under a numeric cell. It never takes
// the focus: its owner keeps it and hands the keys on. Enter or "=" with no
// computation pending accepts the shown number; Esc closes without it.

#include "grid/editors/calculatorx.h"
#include "grid/editors/dropdowneditorx.h"

namespace kx {

class IDropDownOwnerX;

class TPopupCalculatorX : public TCalculatorX, public IDropDownEditorX {
    Q_OBJECT
public:
    // owner must offer IDropDownOwnerX.
    explicit TPopupCalculatorX(QWidget* owner);

    bool Flat() const { return flat_; }
    bool Ctl3D() const { return true; }

    bool IsResultReady() const override { return Engine().IsResultReady(); }
    bool GetFlat() const override { return flat_; }
    // Not valid in the error state.
    QVariant GetValue() const override;
    void SetFlat(bool flat) override;
    void SetValue(const QVariant& value) override;

    void ProcessKey(QChar key) override;
    void KeyDown(int& key, ui::TShiftState shift) override;

    static constexpr int BorderWidth = 2;

protected:
    int FrameWidth() const override { return BorderWidth; }
    void paintEvent(QPaintEvent* event) override;

private:
    void CloseUp(bool accept);

    bool flat_ = true;
};

} // namespace kx
