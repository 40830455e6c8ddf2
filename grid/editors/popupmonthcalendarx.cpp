#include "grid/editors/popupmonthcalendarx.h"

#include "grid/editors/dropdownownerx.h"
#include "platform/ui/application.h"
#include "platform/ui/programlanguage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>
#include <qdrawutil.h>

namespace kx {

namespace {

// The calendar's own request to close without accepting, posted so that the
// focus change that caused it completes first.
const QEvent::Type CloseUpRequest = static_cast<QEvent::Type>(QEvent::registerEventType());

template <typename F> void Guarded(F&& body) {
    try {
        body();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

} // namespace

TPopupMonthCalendarX::TPopupMonthCalendarX(QWidget* owner)
    : QCalendarWidget(owner), owner_(dynamic_cast<IDropDownOwnerX*>(owner)) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setContentsMargins(borderWidth_, borderWidth_, borderWidth_, borderWidth_);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setLocale(ui::ProgramLocale());
    connect(this, &QCalendarWidget::clicked, this, ui::Guard([this] { CloseUp(true); }));
    connect(qApp, &QApplication::focusChanged, this,
            ui::Guard([this](QWidget* old, QWidget* now) { FocusChanged(old, now); }));
    WatchChildren();
    resize(MinimumCalendarSize());
}

TPopupMonthCalendarX::~TPopupMonthCalendarX() = default;

QSize TPopupMonthCalendarX::MinimumCalendarSize() const {
    // The layout's minimum already counts the border, which is the margin.
    return minimumSizeHint();
}

void TPopupMonthCalendarX::PostCloseUp() {
    QCoreApplication::postEvent(this, new QEvent(CloseUpRequest));
}

void TPopupMonthCalendarX::CloseUp(bool accept) {
    if (owner_ && isVisible())
        owner_->CloseUp(accept);
}

bool TPopupMonthCalendarX::Contains(const QObject* object) const {
    for (; object; object = object->parent()) {
        if (object == this)
            return true;
    }
    return false;
}

void TPopupMonthCalendarX::WatchChildren() {
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void TPopupMonthCalendarX::FocusChanged(QWidget* old, QWidget* now) {
    if (isVisible() && Contains(old) && !Contains(now))
        PostCloseUp();
}

bool TPopupMonthCalendarX::KeyPressed(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape)
        return false;
    CloseUp(key != Qt::Key_Escape);
    return true;
}

void TPopupMonthCalendarX::Wheel(int delta) {
    if (delta != 0)
        setSelectedDate(selectedDate().addDays(delta < 0 ? 1 : -1));
}

bool TPopupMonthCalendarX::event(QEvent* event) {
    if (event->type() == CloseUpRequest) {
        Guarded([&] { CloseUp(false); });
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        bool taken = false;
        Guarded([&] { taken = KeyPressed(static_cast<QKeyEvent*>(event)->key()); });
        if (taken)
            return true;
    }
    return QCalendarWidget::event(event);
}

bool TPopupMonthCalendarX::eventFilter(QObject* watched, QEvent* event) {
    bool taken = false;
    Guarded([&] {
        // The application's events arrive here too while the calendar shows.
        const bool inside = Contains(watched);
        switch (event->type()) {
        case QEvent::KeyPress:
            taken = inside && KeyPressed(static_cast<QKeyEvent*>(event)->key());
            break;
        case QEvent::Wheel:
            if (inside) {
                Wheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
                taken = true;
            }
            break;
        case QEvent::MouseButtonPress:
            // A press on any other widget ends the calendar; the press goes on.
            if (!inside && watched->isWidgetType())
                CloseUp(false);
            break;
        default:
            break;
        }
    });
    return taken || QCalendarWidget::eventFilter(watched, event);
}

void TPopupMonthCalendarX::paintEvent(QPaintEvent*) {
    Guarded([&] {
        QPainter painter(this);
        qDrawWinPanel(&painter, rect(), palette(), false);
    });
}

void TPopupMonthCalendarX::showEvent(QShowEvent* event) {
    QCalendarWidget::showEvent(event);
    qApp->installEventFilter(this);
}

void TPopupMonthCalendarX::hideEvent(QHideEvent* event) {
    qApp->removeEventFilter(this);
    QCalendarWidget::hideEvent(event);
}

} // namespace kx
