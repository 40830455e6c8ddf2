#include "platform/ui/customcontrol.h"

#include "platform/ui/application.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace kx::ui {

namespace {

template <typename F> void Guarded(F&& function) {
    try {
        function();
    } catch (...) {
        HandleCurrentException();
    }
}

bool Contains(const QWidget* outer, const QWidget* inner) {
    return inner && (outer == inner || outer->isAncestorOf(inner));
}

} // namespace

// Watches the whole application for what ends a drag (a popup or modal
// window opening, the window losing activation) and for focus moving between
// controls, which Qt reports per widget only.
class TCancelModeWatcher : public QObject {
public:
    static void Install() {
        static TCancelModeWatcher* watcher = nullptr;
        if (!watcher && QCoreApplication::instance()) {
            watcher = new TCancelModeWatcher(QCoreApplication::instance());
            QCoreApplication::instance()->installEventFilter(watcher);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::FocusOut:
            if (watched->isWidgetType())
                TCustomControl::lastFocusOut_ = static_cast<QWidget*>(watched);
            break;
        case QEvent::FocusIn:
            if (watched->isWidgetType())
                FocusMoved(static_cast<QWidget*>(watched),
                           static_cast<QFocusEvent*>(event)->reason());
            break;
        case QEvent::Show:
            if (watched->isWidgetType() && OpensOverDrag(static_cast<QWidget*>(watched)))
                CancelDrag();
            break;
        case QEvent::WindowDeactivate:
            if (TCustomControl::captureControl_ &&
                watched == TCustomControl::captureControl_->window())
                CancelDrag();
            break;
        default:
            break;
        }
        return false;
    }

private:
    using QObject::QObject;

    static bool OpensOverDrag(const QWidget* widget) {
        return widget->isWindow() && (widget->windowType() == Qt::Popup || widget->isModal()) &&
               TCustomControl::captureControl_;
    }

    static void CancelDrag() {
        TCustomControl* control = TCustomControl::captureControl_;
        TCustomControl::captureControl_ = nullptr;
        Guarded([control] { control->WMCancelMode(); });
    }

    // The form's focused control changed: controls the focus left get their
    // exit notice, controls it entered their enter notice.
    static void FocusMoved(QWidget* to, Qt::FocusReason reason) {
        QWidget* from = TCustomControl::lastFocusOut_;
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || !from ||
            from->window() != to->window())
            return;
        for (QWidget* w = from; w; w = w->parentWidget())
            if (auto* control = qobject_cast<TCustomControl*>(w); control && !Contains(control, to))
                Guarded([control] { control->DoExit(); });
        for (QWidget* w = to; w; w = w->parentWidget())
            if (auto* control = qobject_cast<TCustomControl*>(w);
                control && !Contains(control, from))
                Guarded([control] { control->DoEnter(); });
    }
};

// The canvas of one paint: made over the viewport, valid while Paint runs.
class TCustomControl::TPaintScope {
public:
    TPaintScope(TCustomControl& control, QPaintEvent* event)
        : control_(control), painter_(control.viewport()),
          canvas_(painter_, control.palette(), event->region()) {
        canvas_.SetFont(control.font());
        control_.canvas_ = &canvas_;
    }
    ~TPaintScope() { control_.canvas_ = nullptr; }
    TCanvas& Canvas() { return canvas_; }

private:
    TCustomControl& control_;
    QPainter painter_;
    TCanvas canvas_;
};

int KeyCode(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Backtab:
        return Qt::Key_Tab;
    case Qt::Key_Enter:
        return Qt::Key_Return;
    default:
        return event->key();
    }
}

TShiftState ShiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift = 0;
    shift |= (modifiers & Qt::ShiftModifier) ? ssShift : 0;
    shift |= (modifiers & Qt::AltModifier) ? ssAlt : 0;
    shift |= (modifiers & Qt::ControlModifier) ? ssCtrl : 0;
    shift |= (buttons & Qt::LeftButton) ? ssLeft : 0;
    shift |= (buttons & Qt::RightButton) ? ssRight : 0;
    shift |= (buttons & Qt::MiddleButton) ? ssMiddle : 0;
    return shift;
}

QChar TypedChar(const QKeyEvent* event) {
    const int key = event->key();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (key == Qt::Key_Backspace)
        return QChar(8);
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return QChar(9);
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return QChar(ctrl ? 10 : 13);
    if (key == Qt::Key_Escape)
        return QChar(27);
    if (ctrl && key >= Qt::Key_A && key <= Qt::Key_Z)
        return QChar(key - Qt::Key_A + 1);
    if (ctrl)
        return QChar();
    const QString text = event->text();
    return text.size() == 1 && text[0].isPrint() ? text[0] : QChar();
}

TCustomControl::TCustomControl(QWidget* parent) : QAbstractScrollArea(parent) {
    TCancelModeWatcher::Install();
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    ApplyFrame();
    ApplyScrollBarPolicies();
    for (int bar : {SB_HORZ, SB_VERT}) {
        Bar(bar)->setRange(0, 0);
        connect(Bar(bar), &QAbstractSlider::actionTriggered, this,
                [this, bar](int action) { BarAction(bar, action); });
        connect(Bar(bar), &QAbstractSlider::sliderReleased, this,
                [this, bar] { BarReleased(bar); });
    }
}

TCustomControl::~TCustomControl() {
    if (captureControl_ == this)
        captureControl_ = nullptr;
}

void TCustomControl::SetColor(TColor color) {
    if (color_ == color)
        return;
    color_ = color;
    Invalidate();
}

void TCustomControl::SetBorderStyle(TBorderStyle style) {
    if (borderStyle_ == style)
        return;
    borderStyle_ = style;
    ApplyFrame();
}

void TCustomControl::SetScrollBars(TScrollStyle style) {
    if (scrollBars_ == style)
        return;
    scrollBars_ = style;
    ApplyScrollBarPolicies();
}

void TCustomControl::ApplyFrame() {
    setFrameStyle(borderStyle_ == TBorderStyle::bsSingle ? (QFrame::StyledPanel | QFrame::Sunken)
                                                         : QFrame::NoFrame);
}

void TCustomControl::ApplyScrollBarPolicies() {
    const bool horz =
        scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth;
    const bool vert =
        scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth;
    setHorizontalScrollBarPolicy(horz ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vert ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

bool TCustomControl::HandleAllocated() const {
    return testAttribute(Qt::WA_WState_Created);
}

int TCustomControl::ClientWidth() const {
    return HandleAllocated() ? viewport()->width() : width();
}

int TCustomControl::ClientHeight() const {
    return HandleAllocated() ? viewport()->height() : height();
}

bool TCustomControl::CanFocus() const {
    return isEnabled() && isVisible() && focusPolicy() != Qt::NoFocus;
}

bool TCustomControl::IsFormFocusedControl() const {
    return Contains(this, window()->focusWidget());
}

void TCustomControl::Invalidate() {
    viewport()->update();
}

void TCustomControl::InvalidateWindowRect(const TRect& rect) {
    if (!rect.IsEmpty())
        viewport()->update(rect.ToQRect());
}

void TCustomControl::UpdateWindow() {
    if (isVisible())
        QCoreApplication::sendPostedEvents(window(), QEvent::UpdateRequest);
}

void TCustomControl::ScrollWindowArea(int dx, int dy, const TRect& rect) {
    if (!rect.IsEmpty())
        viewport()->scroll(dx, dy, rect.ToQRect());
}

void TCustomControl::SetMouseCapture(bool capture) {
    if (capture) {
        if (captureControl_ && captureControl_ != this) {
            TCustomControl* previous = captureControl_;
            captureControl_ = nullptr;
            Guarded([previous, this] { previous->CMCancelMode(this); });
        }
        captureControl_ = this;
    } else if (captureControl_ == this) {
        captureControl_ = nullptr;
    }
}

void TCustomControl::SendCancelMode(QWidget* sender) {
    TCustomControl* control = captureControl_;
    if (!control || control == sender)
        return;
    captureControl_ = nullptr;
    control->CMCancelMode(sender);
}

void TCustomControl::SetTimer(int id, int milliseconds) {
    timers_[id].start(milliseconds, this);
}

void TCustomControl::KillTimer(int id) {
    timers_.erase(id);
}

bool TCustomControl::TimerActive(int id) const {
    const auto it = timers_.find(id);
    return it != timers_.end() && it->second.isActive();
}

QScrollBar* TCustomControl::Bar(int bar) const {
    return bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
}

void TCustomControl::SetScrollRange(int bar, int min, int max) {
    QScrollBar* scrollBar = Bar(bar);
    if (scrollBar->minimum() == min && scrollBar->maximum() == max)
        return;
    scrollBar->setRange(min, max);
    scrollPos_[bar] = scrollBar->value();
    // Qt places the bars later; the control's size must be right at once.
    QEvent layout(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(this, &layout);
}

int TCustomControl::ScrollRangeMax(int bar) const {
    return Bar(bar)->maximum();
}

int TCustomControl::ScrollPos(int bar) const {
    return scrollPos_[bar];
}

void TCustomControl::SetScrollPos(int bar, int pos) {
    QScrollBar* scrollBar = Bar(bar);
    scrollPos_[bar] = qBound(scrollBar->minimum(), pos, scrollBar->maximum());
    scrollBar->setValue(scrollPos_[bar]);
}

bool TCustomControl::ScrollBarShown(int bar) const {
    const Qt::ScrollBarPolicy policy =
        bar == SB_HORZ ? horizontalScrollBarPolicy() : verticalScrollBarPolicy();
    return policy != Qt::ScrollBarAlwaysOff && Bar(bar)->maximum() > Bar(bar)->minimum();
}

void TCustomControl::SetThumbTracking(bool on) {
    horizontalScrollBar()->setTracking(on);
    verticalScrollBar()->setTracking(on);
}

int TCustomControl::ScrollBarThickness() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

QSize TCustomControl::ClientSizeWithoutBars() const {
    return HandleAllocated() ? maximumViewportSize() : size();
}

void TCustomControl::ToggleFeedbackBand(const TRect& band, bool dotted) {
    const auto it = std::find_if(feedback_.begin(), feedback_.end(), [&](const TFeedbackBand& b) {
        return b.band == band && b.dotted == dotted;
    });
    if (it != feedback_.end())
        feedback_.erase(it);
    else
        feedback_.push_back({band, dotted});
    InvalidateWindowRect(band);
}

TCanvas& TCustomControl::Canvas() {
    Q_ASSERT(canvas_);
    return *canvas_;
}

void TCustomControl::KeyDown(int& key, TShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TCustomControl::KeyPress(QChar& key) {
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TCustomControl::KeyUp(int& key, TShiftState shift) {
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TCustomControl::CharTyped(QChar ch) {
    KeyPress(ch);
}

void TCustomControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TCustomControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TCustomControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TCustomControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TCustomControl::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

bool TCustomControl::DoMouseWheelDown(TShiftState shift, QPoint pos) {
    bool handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(this, shift, pos, handled);
    return handled;
}

bool TCustomControl::DoMouseWheelUp(TShiftState shift, QPoint pos) {
    bool handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(this, shift, pos, handled);
    return handled;
}

void TCustomControl::DoEnter() {
    if (OnEnter)
        OnEnter(this);
}

void TCustomControl::DoExit() {
    if (OnExit)
        OnExit(this);
}

void TCustomControl::FocusIn(QWidget*) {}

void TCustomControl::FocusOut(QWidget*) {}

void TCustomControl::ScrollAction(int, int, int) {}

void TCustomControl::TimerFired(int) {}

void TCustomControl::Resized() {}

void TCustomControl::ShowingChanged() {}

void TCustomControl::FontChanged() {}

unsigned TCustomControl::DialogCode() {
    return 0;
}

bool TCustomControl::WantSpecialKey(int) {
    return false;
}

Qt::CursorShape TCustomControl::CursorAt(int, int) {
    return Qt::ArrowCursor;
}

void TCustomControl::WMCancelMode() {
    SetMouseCapture(false);
}

void TCustomControl::CMCancelMode(QWidget* sender) {
    if (sender != this)
        SetMouseCapture(false);
}

void TCustomControl::paintEvent(QPaintEvent* event) {
    Guarded([&] {
        TPaintScope scope(*this, event);
        Paint();
        for (const TFeedbackBand& b : feedback_)
            scope.Canvas().InvertBand(b.band, b.dotted);
    });
}

void TCustomControl::DispatchMouse(QMouseEvent* event, bool doubleClick) {
    messageTime_ = qint64(event->timestamp());
    TMouseButton button;
    switch (event->button()) {
    case Qt::LeftButton:
        button = TMouseButton::mbLeft;
        break;
    case Qt::RightButton:
        button = TMouseButton::mbRight;
        break;
    case Qt::MiddleButton:
        button = TMouseButton::mbMiddle;
        break;
    default:
        return;
    }
    const QPoint p = event->position().toPoint();
    const TShiftState shift =
        ShiftState(event->modifiers(), event->buttons()) | (doubleClick ? ssDouble : 0);
    if (captureControl_ != this)
        SetMouseCapture(true);
    Guarded([&] { MouseDown(button, shift, p.x(), p.y()); });
}

void TCustomControl::mousePressEvent(QMouseEvent* event) {
    DispatchMouse(event, false);
}

void TCustomControl::mouseDoubleClickEvent(QMouseEvent* event) {
    DispatchMouse(event, true);
}

void TCustomControl::mouseMoveEvent(QMouseEvent* event) {
    messageTime_ = qint64(event->timestamp());
    const QPoint p = event->position().toPoint();
    Guarded([&] {
        viewport()->setCursor(CursorAt(p.x(), p.y()));
        MouseMove(ShiftState(event->modifiers(), event->buttons()), p.x(), p.y());
    });
}

void TCustomControl::mouseReleaseEvent(QMouseEvent* event) {
    messageTime_ = qint64(event->timestamp());
    TMouseButton button = TMouseButton::mbLeft;
    if (event->button() == Qt::RightButton)
        button = TMouseButton::mbRight;
    else if (event->button() == Qt::MiddleButton)
        button = TMouseButton::mbMiddle;
    const QPoint p = event->position().toPoint();
    Guarded(
        [&] { MouseUp(button, ShiftState(event->modifiers(), event->buttons()), p.x(), p.y()); });
    if (event->buttons() == Qt::NoButton)
        SetMouseCapture(false);
}

void TCustomControl::wheelEvent(QWheelEvent* event) {
    event->accept();
    wheelDelta_ += event->angleDelta().y();
    const TShiftState shift = ShiftState(event->modifiers(), event->buttons());
    const QPoint pos = event->position().toPoint();
    Guarded([&] {
        while (wheelDelta_ >= 120 || wheelDelta_ <= -120) {
            const bool down = wheelDelta_ < 0;
            wheelDelta_ += down ? 120 : -120;
            if (down)
                DoMouseWheelDown(shift, pos);
            else
                DoMouseWheelUp(shift, pos);
        }
    });
}

bool TCustomControl::KeyWanted(int key, TShiftState shift) {
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return DialogCode() & DLGC_WANTARROWS;
    case Qt::Key_Tab:
        return (shift & ssCtrl) || (DialogCode() & (DLGC_WANTTAB | DLGC_WANTALLKEYS));
    case Qt::Key_Return:
    case Qt::Key_Escape:
        return WantSpecialKey(key) || (DialogCode() & DLGC_WANTALLKEYS);
    default:
        return true;
    }
}

void TCustomControl::keyPressEvent(QKeyEvent* event) {
    messageTime_ = qint64(event->timestamp());
    int key = KeyCode(event);
    const TShiftState shift = ShiftState(event->modifiers());
    if (!KeyWanted(key, shift)) {
        event->ignore();
        return;
    }
    event->accept();
    const QChar ch = TypedChar(event);
    QPointer<TCustomControl> alive(this);
    Guarded([&] { KeyDown(key, shift); });
    if (alive && !ch.isNull() && !(shift & ssAlt))
        Guarded([&] { CharTyped(ch); });
}

void TCustomControl::keyReleaseEvent(QKeyEvent* event) {
    messageTime_ = qint64(event->timestamp());
    int key = KeyCode(event);
    Guarded([&] { KeyUp(key, ShiftState(event->modifiers())); });
}

void TCustomControl::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    QWidget* from = lastFocusOut_;
    Guarded([&] { FocusIn(from); });
}

void TCustomControl::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    QWidget* to = QApplication::focusWidget();
    Guarded([&] { FocusOut(to); });
}

void TCustomControl::timerEvent(QTimerEvent* event) {
    for (auto& [id, timer] : timers_)
        if (timer.timerId() == event->timerId()) {
            const int timerId = id;
            Guarded([&] { TimerFired(timerId); });
            return;
        }
    QAbstractScrollArea::timerEvent(event);
}

void TCustomControl::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Guarded([&] { Resized(); });
}

void TCustomControl::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    Guarded([&] { ShowingChanged(); });
}

void TCustomControl::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        Guarded([&] { FontChanged(); });
}

bool TCustomControl::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QChar ch = TypedChar(key);
        if ((!ch.isNull() && ch.isPrint() && (DialogCode() & DLGC_WANTCHARS)) ||
            (KeyCode(key) == Qt::Key_Return && WantSpecialKey(Qt::Key_Return))) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

bool TCustomControl::focusNextPrevChild(bool next) {
    if (DialogCode() & (DLGC_WANTTAB | DLGC_WANTALLKEYS))
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void TCustomControl::scrollContentsBy(int, int) {}

int ScrollCodeForAction(int action, bool sliderDown) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        return SB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub:
        return SB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd:
        return SB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub:
        return SB_PAGEUP;
    case QAbstractSlider::SliderToMinimum:
        return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
        return SB_BOTTOM;
    case QAbstractSlider::SliderMove:
        return sliderDown ? SB_THUMBTRACK : SB_THUMBPOSITION;
    default:
        return -1;
    }
}

void TCustomControl::BarAction(int bar, int action) {
    const int code = ScrollCodeForAction(action, Bar(bar)->isSliderDown());
    if (code < 0)
        return;
    RunScrollAction(bar, code, Bar(bar)->sliderPosition());
    // Qt applies the slider position after this slot: make it the control's.
    Bar(bar)->setSliderPosition(scrollPos_[bar]);
}

void TCustomControl::BarReleased(int bar) {
    RunScrollAction(bar, SB_THUMBPOSITION, Bar(bar)->sliderPosition());
    Bar(bar)->setValue(scrollPos_[bar]);
}

void TCustomControl::RunScrollAction(int bar, int code, int pos) {
    Guarded([&] { ScrollAction(bar, code, pos); });
}

} // namespace kx::ui

#include "moc_customcontrol.cpp"
