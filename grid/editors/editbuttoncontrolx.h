#pragma once
// The visible button of an edit or a grid cell: a small speed button that an
// owner makes from a TEditButtonX's settings. It paints itself with the cell
// button kit, tells its owner of presses, and repeats the press of an
// up-down half while it is held (at once, after 400 ms, then every 100 ms).

#include "grid/editors/editbuttonx.h"
#include "platform/ui/canvas.h"
#include "platform/ui/customcontrol.h"

#include <QPixmap>
#include <QWidget>

#include <functional>
#include <memory>

namespace kx {

enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// The repeat timer of a held button. Tests drive one of their own on a fake
// clock; the control makes a QTimer-based one on first need.
class TButtonRepeatTimerX {
public:
    virtual ~TButtonRepeatTimerX() = default;
    // Starts anew with the interval, also when running.
    virtual void Start(int intervalMs) = 0;
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
    virtual int Interval() const = 0;
    std::function<void()> OnTimer;
};

class TEditButtonControlX : public QWidget {
    Q_OBJECT
public:
    explicit TEditButtonControlX(QWidget* parent = nullptr);
    ~TEditButtonControlX() override;

    TEditButtonStyleX Style() const { return style_; }
    void SetStyle(TEditButtonStyleX style);
    // The hot look.
    bool Active() const { return active_; }
    void SetActive(bool active);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);

    // A latched button (GroupIndex not 0) stays down after a click until
    // clicked again, unless AllowAllUp is off.
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int groupIndex) { groupIndex_ = groupIndex; }
    bool Down() const { return down_; }
    void SetDown(bool down);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allowAllUp) { allowAllUp_ = allowAllUp; }
    TButtonState State() const { return state_; }

    const QPixmap& Glyph() const { return glyph_; }
    void SetGlyph(const QPixmap& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int numGlyphs);
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    ui::TColor FontColor() const { return fontColor_; }
    void SetFontColor(ui::TColor color);
    // The owner's number for this button (its line in the owner's list).
    int Tag = 0;

    bool PressedLook() const { return pressedLook_; }
    // Shows the button held down while the owner's drop-down is open.
    void SetPressedLook(bool pressed);
    // 0 none, 1 the button (the upper half of an up-down pair), 2 the lower half.
    int PressedPart() const { return pressedPart_; }
    void UpdatePressedPart(int y);
    void StartRepeat(int intervalMs);
    void FireButtonDown(bool topButton, bool& autoRepeat);

    // The timer is owned by the control from then on.
    void SetRepeatTimer(std::unique_ptr<TButtonRepeatTimerX> timer);
    TButtonRepeatTimerX* RepeatTimer() const { return repeatTimer_.get(); }

    TButtonDownEventX OnButtonDown;
    std::function<void(QObject* sender)> OnClick;
    std::function<void(QObject* sender, ui::TShiftState shift, int x, int y)> OnMouseMove;
    std::function<void(QObject* sender, ui::TMouseButton button, ui::TShiftState shift, int x,
                       int y)>
        OnMouseUp;

    // The input handlers in client coordinates; the Qt events call them.
    virtual void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y);
    virtual void MouseMove(ui::TShiftState shift, int x, int y);
    virtual void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y);
    // The mouse is held on the button since a left press on it.
    bool Dragging() const { return dragging_; }
    // Lets go of a held press without a click (the owner lost the focus).
    void CancelDrag();

protected:
    virtual void Click();
    virtual void Paint(ui::TCanvas& canvas);
    void RepeatTick();
    // The colour of the surface around the button.
    ui::TColor ParentColor() const;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void PaintGlyphButton(ui::TCanvas& canvas);
    void PaintGlyphFace(ui::TCanvas& canvas, const ui::TRect& rect);
    bool InClient(int x, int y) const;
    void SetState(TButtonState state);

    TEditButtonStyleX style_ = ebsDropDownX;
    TButtonState state_ = TButtonState::bsUp;
    std::unique_ptr<TButtonRepeatTimerX> repeatTimer_;
    QPixmap glyph_;
    QString caption_;
    ui::TColor fontColor_ = ui::clBtnText;
    int numGlyphs_ = 1;
    int groupIndex_ = 0;
    int pressedPart_ = 0;
    bool active_ = false;
    bool flat_ = false;
    bool down_ = false;
    bool allowAllUp_ = false;
    bool pressedLook_ = false;
    bool dragging_ = false;
    bool suppressClick_ = false;
};

} // namespace kx
