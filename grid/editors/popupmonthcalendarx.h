#pragma once
// The drop-down month calendar of date values: a window of its own beside
// its owner, with a raised border. It asks its owner to close it (through
// the owner's IDropDownOwnerX) when a day is clicked or Enter is pressed
// (accepting), and on Esc, a press outside it or the focus moving elsewhere
// (not accepting). Clicking the month arrows or the day names keeps it open.

#include <QCalendarWidget>

namespace kx {

class IDropDownOwnerX;

class TPopupMonthCalendarX : public QCalendarWidget {
    Q_OBJECT
public:
    // owner: the control the calendar drops down from; when it implements
    // IDropDownOwnerX it is asked to close the calendar.
    explicit TPopupMonthCalendarX(QWidget* owner);
    ~TPopupMonthCalendarX() override;

    int BorderWidth() const { return borderWidth_; }
    // The smallest size that shows a whole month, border included.
    QSize MinimumCalendarSize() const;
    // Asks for a close that is not accepted once the current event is done.
    void PostCloseUp();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void CloseUp(bool accept);
    bool Contains(const QObject* object) const;
    void WatchChildren();
    void FocusChanged(QWidget* old, QWidget* now);
    bool KeyPressed(int key);
    void Wheel(int delta);

    IDropDownOwnerX* owner_;
    int borderWidth_ = 2;
};

} // namespace kx
