#pragma once
// The base of the owner-drawn controls: a scroll area whose viewport is the
// client area. It turns Qt's events into the calls the drawing and input code
// is written for (key-down with a key the handler may clear, then the typed
// character; mouse down, move and up in client coordinates with a shift
// state; timers by id; scroll-bar actions by code with the control choosing
// the final thumb position), keeps the scroll bars' own model (a range of 0 to
// 0 hides a bar), tracks mouse capture and cancel mode, and draws the drag
// feedback lines as an overlay at the end of each paint. No exception leaves
// an event handler towards Qt: each goes to the program's exception handler.

#include "platform/ui/canvas.h"
#include "platform/ui/colors.h"
#include "platform/ui/rect.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPointer>

#include <functional>
#include <map>
#include <vector>

namespace kx::ui {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TBorderStyle { bsNone, bsSingle };
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

using TShiftState = unsigned;
constexpr TShiftState ssShift = 0x1;
constexpr TShiftState ssAlt = 0x2;
constexpr TShiftState ssCtrl = 0x4;
constexpr TShiftState ssLeft = 0x8;
constexpr TShiftState ssRight = 0x10;
constexpr TShiftState ssMiddle = 0x20;
constexpr TShiftState ssDouble = 0x40;

// Scroll-bar actions and the bars they act on.
constexpr int SB_LINEUP = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;

// The scroll code of a slider action; -1 for an action that scrolls nothing.
int ScrollCodeForAction(int action, bool sliderDown);

// The keys a control wants before its form may use them for navigation.
constexpr unsigned DLGC_WANTARROWS = 0x1;
constexpr unsigned DLGC_WANTTAB = 0x2;
constexpr unsigned DLGC_WANTALLKEYS = 0x4;
constexpr unsigned DLGC_WANTCHARS = 0x80;

// The key code of a key event: Qt's key, with Backtab as Tab and the keypad's
// Enter as Return.
int KeyCode(const QKeyEvent* event);
TShiftState ShiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = {});
// The character a key event types, control characters included (Ctrl+V is
// #22, Backspace #8, Enter #13); a null character when it types none.
QChar TypedChar(const QKeyEvent* event);

class TCustomControl : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TCustomControl(QWidget* parent = nullptr);
    ~TCustomControl() override;

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle style);

    // The control's window exists (it has been shown once).
    bool HandleAllocated() const;
    int ClientWidth() const;
    int ClientHeight() const;
    TRect ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }
    bool Focused() const { return hasFocus(); }
    bool CanFocus() const;
    // The control is its form's focused control; focus in a child (an
    // in-place editor) counts as the control's own.
    bool IsFormFocusedControl() const;

    void Invalidate();
    void InvalidateWindowRect(const TRect& rect);
    // Paints what is pending now, before pixels are moved.
    void UpdateWindow();
    // Moves the pixels of rect by (dx, dy); the part left uncovered is repainted.
    void ScrollWindowArea(int dx, int dy, const TRect& rect);

    bool MouseCapture() const { return captureControl_ == this; }
    void SetMouseCapture(bool capture);
    // Tells the control that holds the mouse to stop its drag.
    static void SendCancelMode(QWidget* sender);

    void SetTimer(int id, int milliseconds);
    void KillTimer(int id);
    bool TimerActive(int id) const;

    // The scroll bars' model: a range of 0 to 0 hides a bar.
    void SetScrollRange(int bar, int min, int max);
    int ScrollRangeMax(int bar) const;
    int ScrollPos(int bar) const;
    void SetScrollPos(int bar, int pos);
    bool ScrollBarShown(int bar) const;
    void SetThumbTracking(bool on);
    int ScrollBarThickness() const;
    // The client size with no scroll bar shown.
    QSize ClientSizeWithoutBars() const;

    // Drag feedback: a band drawn inverted over the client area; toggling the
    // same band again removes it.
    void ToggleFeedbackBand(const TRect& band, bool dotted);
    bool HasFeedbackBands() const { return !feedback_.empty(); }

    // The time stamp of the input event being handled, in milliseconds.
    qint64 MessageTime() const { return messageTime_; }

    std::function<void(QObject* sender, int& key, TShiftState shift)> OnKeyDown;
    std::function<void(QObject* sender, QChar& key)> OnKeyPress;
    std::function<void(QObject* sender, int& key, TShiftState shift)> OnKeyUp;
    std::function<void(QObject* sender, TMouseButton button, TShiftState shift, int x, int y)>
        OnMouseDown;
    std::function<void(QObject* sender, TShiftState shift, int x, int y)> OnMouseMove;
    std::function<void(QObject* sender, TMouseButton button, TShiftState shift, int x, int y)>
        OnMouseUp;
    std::function<void(QObject* sender)> OnClick;
    std::function<void(QObject* sender)> OnDblClick;
    std::function<void(QObject* sender)> OnEnter;
    std::function<void(QObject* sender)> OnExit;
    std::function<void(QObject* sender, TShiftState shift, QPoint pos, bool& handled)>
        OnMouseWheelDown;
    std::function<void(QObject* sender, TShiftState shift, QPoint pos, bool& handled)>
        OnMouseWheelUp;

    // The input handlers, public so that a child editor can hand keys, clicks
    // and the wheel on to its control.
    virtual void KeyDown(int& key, TShiftState shift);
    virtual void KeyPress(QChar& key);
    virtual void KeyUp(int& key, TShiftState shift);
    virtual void DblClick();
    virtual bool DoMouseWheelDown(TShiftState shift, QPoint pos);
    virtual bool DoMouseWheelUp(TShiftState shift, QPoint pos);

protected:
    // Valid only while Paint runs.
    TCanvas& Canvas();
    virtual void Paint() = 0;

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Click();
    // A character typed on the control; the base passes it to KeyPress.
    virtual void CharTyped(QChar ch);
    virtual void DoEnter();
    virtual void DoExit();
    // Focus came from (went to) the widget given, or from nowhere.
    virtual void FocusIn(QWidget* from);
    virtual void FocusOut(QWidget* to);
    virtual void ScrollAction(int bar, int code, int pos);
    virtual void TimerFired(int id);
    virtual void Resized();
    virtual void ShowingChanged();
    virtual void FontChanged();
    virtual unsigned DialogCode();
    virtual bool WantSpecialKey(int key);
    virtual Qt::CursorShape CursorAt(int x, int y);
    // A drag must stop: the window lost activation or a menu or modal window
    // opened (WMCancelMode), or another control took the mouse (CMCancelMode).
    virtual void WMCancelMode();
    virtual void CMCancelMode(QWidget* sender);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    friend class TCancelModeWatcher;
    class TPaintScope;
    struct TFeedbackBand {
        TRect band;
        bool dotted;
    };

    QScrollBar* Bar(int bar) const;
    void BarAction(int bar, int action);
    void BarReleased(int bar);
    void RunScrollAction(int bar, int code, int pos);
    void ApplyScrollBarPolicies();
    void ApplyFrame();
    bool KeyWanted(int key, TShiftState shift);
    void DispatchMouse(QMouseEvent* event, bool doubleClick);

    static inline QPointer<TCustomControl> captureControl_;
    static inline QPointer<QWidget> lastFocusOut_;

    TColor color_ = clWindow;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
    TCanvas* canvas_ = nullptr;
    std::map<int, QBasicTimer> timers_;
    std::vector<TFeedbackBand> feedback_;
    int scrollPos_[2] = {0, 0};
    int wheelDelta_ = 0;
    qint64 messageTime_ = 0;
};

} // namespace kx::ui
