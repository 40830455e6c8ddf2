#include "frame/controls/weblabel.h"

#include "platform/ui/application.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

namespace kx {

TWebLabel::TWebLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    SetFontColor(ui::clBlue);
}

void TWebLabel::SetFontColor(ui::TColor color) {
    fontColor_ = color;
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, ui::ToQColor(color, colors));
    setPalette(colors);
}

void TWebLabel::ErrorLoading(const QString& message) {
    if (OnErrorLoading)
        OnErrorLoading(this, message);
}

void TWebLabel::Hover() {
    if (OnHover)
        OnHover(this);
}

void TWebLabel::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    savedColor_ = fontColor_;
    if (event->button() == Qt::LeftButton)
        SetFontColor(clickColor_);
}

void TWebLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    SetFontColor(savedColor_);
    ui::Guard([this] {
        if (!QDesktopServices::openUrl(QUrl::fromUserInput(urlAdd_)))
            ErrorLoading(QStringLiteral("Unable to load browser"));
    })();
}

void TWebLabel::mouseMoveEvent(QMouseEvent* event) {
    QLabel::mouseMoveEvent(event);
    if (!enableHover_)
        return;
    SetFontColor(hoverColor_);
    ui::Guard([this] { Hover(); })();
}

} // namespace kx

#include "moc_weblabel.cpp"
