#include "grid/editors/editbuttoncontrolx.h"

#include "platform/ui/application.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

#include <algorithm>

namespace kx {

namespace {

class TQtRepeatTimer : public TButtonRepeatTimerX {
public:
    TQtRepeatTimer() {
        QObject::connect(&timer_, &QTimer::timeout, ui::Guard([this] {
            if (OnTimer)
                OnTimer();
        }));
    }
    void Start(int intervalMs) override { timer_.start(intervalMs); }
    void Stop() override { timer_.stop(); }
    bool Running() const override { return timer_.isActive(); }
    int Interval() const override { return timer_.interval(); }

private:
    QTimer timer_;
};

ui::TMouseButton MouseButtonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::RightButton:
        return ui::TMouseButton::mbRight;
    case Qt::MiddleButton:
        return ui::TMouseButton::mbMiddle;
    default:
        return ui::TMouseButton::mbLeft;
    }
}

template <typename F> void Guarded(F&& function) {
    try {
        function();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

ui::TRect Inflated(const ui::TRect& r, int d) {
    return {r.Left - d, r.Top - d, r.Right + d, r.Bottom + d};
}

void FrameRect(ui::TCanvas& canvas, const ui::TRect& r, ui::TColor color) {
    canvas.SetBrushColor(color);
    canvas.FillRect({r.Left, r.Top, r.Right, r.Top + 1});
    canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom});
    canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
}

} // namespace

TEditButtonControlX::TEditButtonControlX(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
}

TEditButtonControlX::~TEditButtonControlX() = default;

void TEditButtonControlX::SetStyle(TEditButtonStyleX style) {
    if (style == style_)
        return;
    style_ = style;
    update();
}

void TEditButtonControlX::SetActive(bool active) {
    if (active == active_)
        return;
    active_ = active;
    update();
}

void TEditButtonControlX::SetFlat(bool flat) {
    if (flat == flat_)
        return;
    flat_ = flat;
    update();
}

void TEditButtonControlX::SetGlyph(const QPixmap& glyph) {
    glyph_ = glyph;
    update();
}

void TEditButtonControlX::SetNumGlyphs(int numGlyphs) {
    numGlyphs_ = std::clamp(numGlyphs, 1, 4);
    update();
}

void TEditButtonControlX::SetCaption(const QString& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    update();
}

void TEditButtonControlX::SetFontColor(ui::TColor color) {
    fontColor_ = color;
    update();
}

void TEditButtonControlX::SetState(TButtonState state) {
    if (state == state_)
        return;
    state_ = state;
    update();
}

void TEditButtonControlX::SetDown(bool down) {
    if (groupIndex_ == 0)
        down = false;
    if (down == down_ || (down_ && !allowAllUp_))
        return;
    down_ = down;
    SetState(down ? TButtonState::bsExclusive : TButtonState::bsUp);
}

void TEditButtonControlX::SetPressedLook(bool pressed) {
    if (pressed == pressedLook_)
        return;
    pressedLook_ = pressed;
    if (pressed) {
        SetGroupIndex(1);
        SetDown(true);
        SetAllowAllUp(false);
        pressedPart_ = bppButton;
    } else {
        SetAllowAllUp(true);
        SetDown(false);
        SetGroupIndex(0);
        pressedPart_ = bppNone;
    }
    update();
}

void TEditButtonControlX::UpdatePressedPart(int y) {
    int part = bppNone;
    if (state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive) {
        if (style_ != ebsUpDownX)
            part = bppButton;
        else if (y < height() / 2)
            part = bppButton;
        else if (y > height() - height() / 2)
            part = bppLowerHalf;
    }
    if (part == pressedPart_)
        return;
    pressedPart_ = part;
    update();
}

void TEditButtonControlX::SetRepeatTimer(std::unique_ptr<TButtonRepeatTimerX> timer) {
    repeatTimer_ = std::move(timer);
    repeatTimer_->OnTimer = [this] { RepeatTick(); };
}

void TEditButtonControlX::StartRepeat(int intervalMs) {
    if (!repeatTimer_)
        SetRepeatTimer(std::make_unique<TQtRepeatTimer>());
    if (repeatTimer_->Running() && repeatTimer_->Interval() == intervalMs)
        return;
    repeatTimer_->Stop();
    repeatTimer_->Start(intervalMs);
}

void TEditButtonControlX::FireButtonDown(bool topButton, bool& autoRepeat) {
    bool handled = false;
    if (OnButtonDown)
        OnButtonDown(this, topButton, autoRepeat, handled);
}

void TEditButtonControlX::RepeatTick() {
    bool autoRepeat = style_ == ebsUpDownX;
    if (state_ != TButtonState::bsDown)
        return;
    if (repeatTimer_->Interval() == 400)
        repeatTimer_->Start(100);
    FireButtonDown(pressedPart_ == bppButton, autoRepeat);
    if (!autoRepeat && repeatTimer_)
        repeatTimer_->Stop();
}

bool TEditButtonControlX::InClient(int x, int y) const {
    return x >= 0 && x < width() && y >= 0 && y <= height();
}

void TEditButtonControlX::MouseDown(ui::TMouseButton button, ui::TShiftState, int, int y) {
    if (button != ui::TMouseButton::mbLeft || !isEnabled())
        return;
    if (!down_)
        SetState(TButtonState::bsDown);
    dragging_ = true;
    UpdatePressedPart(y);
    if (pressedPart_ == bppNone)
        return;
    bool autoRepeat = style_ == ebsUpDownX;
    FireButtonDown(pressedPart_ == bppButton, autoRepeat);
    if (autoRepeat)
        StartRepeat(400);
}

void TEditButtonControlX::MouseMove(ui::TShiftState shift, int x, int y) {
    if (dragging_) {
        TButtonState state = down_ ? TButtonState::bsExclusive : TButtonState::bsUp;
        if (InClient(x, y))
            state = down_ ? TButtonState::bsExclusive : TButtonState::bsDown;
        SetState(state);
        // Leaving the pressed half of a pair lets it go: no steps, no click.
        const int half = height() / 2;
        if (style_ == ebsUpDownX && state_ == TButtonState::bsDown &&
            ((pressedPart_ == bppLowerHalf && y < half) ||
             (pressedPart_ == bppButton && y > height() - half)))
            SetState(TButtonState::bsUp);
    }
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TEditButtonControlX::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    suppressClick_ = style_ == ebsUpDownX && state_ != TButtonState::bsDown;
    bool doClick = false;
    if (dragging_) {
        dragging_ = false;
        doClick = InClient(x, y);
        if (groupIndex_ == 0)
            SetState(TButtonState::bsUp);
        else if (doClick)
            SetDown(!down_);
        else if (down_)
            SetState(TButtonState::bsExclusive);
    }
    try {
        if (doClick)
            Click();
        if (OnMouseUp)
            OnMouseUp(this, button, shift, x, y);
    } catch (...) {
        suppressClick_ = false;
        throw;
    }
    suppressClick_ = false;
    UpdatePressedPart(y);
    if (repeatTimer_ && repeatTimer_->Running())
        repeatTimer_->Stop();
}

void TEditButtonControlX::CancelDrag() {
    if (!dragging_)
        return;
    dragging_ = false;
    SetState(down_ ? TButtonState::bsExclusive : TButtonState::bsUp);
    pressedPart_ = down_ ? pressedPart_ : bppNone;
    if (repeatTimer_)
        repeatTimer_->Stop();
}

void TEditButtonControlX::Click() {
    if (!suppressClick_ && OnClick)
        OnClick(this);
}

ui::TColor TEditButtonControlX::ParentColor() const {
    const QWidget* parent = parentWidget();
    if (!parent)
        return ui::clBtnFace;
    if (const auto* control = qobject_cast<const ui::TCustomControl*>(parent))
        return control->Color();
    const QColor color = parent->palette().color(parent->backgroundRole());
    return ui::RGBColor(color.red(), color.green(), color.blue());
}

void TEditButtonControlX::Paint(ui::TCanvas& canvas) {
    if (style_ == ebsGlyphX) {
        PaintGlyphButton(canvas);
        return;
    }
    const bool pressed = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
    PaintCellButton(canvas, {0, 0, width(), height()}, ParentColor(), EditButtonPaintStyles[style_],
                    pressed ? pressedPart_ : bppNone, flat_, active_, isEnabled(), cbUnchecked);
}

void TEditButtonControlX::PaintGlyphButton(ui::TCanvas& canvas) {
    const ui::TRect client{0, 0, width(), height()};
    const bool pressed = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
    if (ButtonThemesEnabled() || !flat_) {
        PaintGlyphFace(canvas, client);
        return;
    }
    const ui::TClip clip = canvas.Clip();
    canvas.IntersectClipRect(Inflated(client, -1));
    PaintGlyphFace(canvas, client);
    canvas.SetClip(clip);
    if (active_)
        canvas.DrawEdge(client, pressed ? ui::BDR_SUNKENOUTER : ui::BDR_RAISEDINNER, ui::BF_RECT);
    else
        FrameRect(canvas, client, ParentColor());
}

// The speed button's own face: its frame, then the glyph image of its state
// with the caption beside it, pushed one pixel down and right while pressed.
void TEditButtonControlX::PaintGlyphFace(ui::TCanvas& canvas, const ui::TRect& rect) {
    const bool pressed = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
    canvas.SetBrushColor(ui::clBtnFace);
    canvas.FillRect(rect);
    if (ButtonThemesEnabled()) {
        if (!flat_ || active_ || pressed) {
            QStyleOption option;
            option.initFrom(this);
            option.rect = rect.ToQRect();
            option.state = QStyle::State_Enabled;
            if (!isEnabled())
                option.state = QStyle::State_None;
            option.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
            if (active_)
                option.state |= QStyle::State_MouseOver | QStyle::State_AutoRaise;
            style()->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &canvas.Painter(), this);
        }
    } else if (!flat_) {
        canvas.DrawEdge(rect,
                        pressed ? ui::BDR_SUNKENOUTER | ui::BDR_SUNKENINNER
                                : ui::BDR_RAISEDOUTER | ui::BDR_RAISEDINNER,
                        ui::BF_RECT);
    }
    const int shift = pressed ? 1 : 0;
    int glyphWidth = 0;
    QPixmap image;
    if (!glyph_.isNull()) {
        glyphWidth = glyph_.width() / numGlyphs_;
        int index = 0;
        if (!isEnabled() && numGlyphs_ > 1)
            index = 1;
        else if (state_ == TButtonState::bsDown && numGlyphs_ > 2)
            index = 2;
        else if (state_ == TButtonState::bsExclusive && numGlyphs_ > 3)
            index = 3;
        image = glyph_.copy(index * glyphWidth, 0, glyphWidth, glyph_.height());
    }
    const int textWidth = caption_.isEmpty() ? 0 : canvas.TextWidth(caption_);
    const int spacing = glyphWidth > 0 && textWidth > 0 ? 4 : 0;
    const int total = textWidth + spacing + glyphWidth;
    const int left = rect.Left + (rect.Width() - total + 1) / 2 + shift;
    if (textWidth > 0) {
        canvas.SetFontColor(isEnabled() ? fontColor_ : ui::clGrayText);
        const int top = rect.Top + (rect.Height() - canvas.TextHeight(caption_)) / 2 + shift;
        canvas.TextOut(left, top, caption_);
    }
    if (!image.isNull()) {
        const int top = rect.Top + (rect.Height() - image.height() + 1) / 2 + shift;
        canvas.Painter().drawPixmap(left + textWidth + spacing, top, image);
    }
}

void TEditButtonControlX::paintEvent(QPaintEvent* event) {
    Guarded([&] {
        QPainter painter(this);
        ui::TCanvas canvas(painter, palette(), event->region());
        canvas.SetFont(font());
        Paint(canvas);
    });
}

void TEditButtonControlX::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Guarded([&] {
        MouseDown(MouseButtonOf(event->button()),
                  ui::ShiftState(event->modifiers(), event->buttons()), p.x(), p.y());
    });
}

void TEditButtonControlX::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void TEditButtonControlX::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Guarded([&] { MouseMove(ui::ShiftState(event->modifiers(), event->buttons()), p.x(), p.y()); });
}

void TEditButtonControlX::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Guarded([&] {
        MouseUp(MouseButtonOf(event->button()),
                ui::ShiftState(event->modifiers(), event->buttons()), p.x(), p.y());
    });
}

void TEditButtonControlX::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            CancelDrag();
        update();
    }
    QWidget::changeEvent(event);
}

} // namespace kx

#include "moc_editbuttoncontrolx.cpp"
