#include "frame/app/showform.h"

#include "core/appstate.h"
#include "platform/ui/application.h"

#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace kx {
namespace {

void DrawRaisedText(QPainter& painter, const QRect& box, int flags, const QString& text) {
    painter.setPen(Qt::black);
    painter.drawText(box.translated(2, 2), flags, text);
    painter.setPen(Qt::white);
    painter.drawText(box, flags, text);
}

} // namespace

TShowForm::TShowForm(QWidget* owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint), tmMainTimer(new QTimer(this)) {
    setObjectName(QStringLiteral("ShowForm"));
    setFixedSize(370, 229);
    move(QGuiApplication::primaryScreen()->geometry().center() - rect().center());
    tmMainTimer->setObjectName(QStringLiteral("tmMainTimer"));
    tmMainTimer->setInterval(3000);
    tmMainTimer->setSingleShot(true);
    // A coarse timer may fire a little early; the splash promises its time.
    tmMainTimer->setTimerType(Qt::PreciseTimer);
    connect(tmMainTimer, &QTimer::timeout, this, ui::Guard([this] { tmMainTimerTimer(); }));
    FormCreate();
}

void TShowForm::FormCreate() {
    AppProgramFolder = QDir::currentPath();
    AppToday = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

void TShowForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TShowForm::FormShow() {
    tmMainTimer->start();
}

void TShowForm::tmMainTimerTimer() {
    tmMainTimer->stop();
}

void TShowForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(0, 64, 128));
    sky.setColorAt(1, QColor(0, 128, 192));
    painter.fillRect(rect(), sky);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));

    QFont title = font();
    title.setPixelSize(28);
    title.setBold(true);
    painter.setFont(title);
    DrawRaisedText(painter, QRect(0, 50, width(), 50), Qt::AlignCenter,
                   QStringLiteral("岚衡出纳记账管理系统"));

    QFont lines = font();
    lines.setPixelSize(12);
    painter.setFont(lines);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 150, width(), 20), Qt::AlignCenter,
                     QStringLiteral("岚衡软件有限公司 版权所有"));
    painter.drawText(QRect(0, 175, width(), 20), Qt::AlignCenter,
                     QStringLiteral("V1.02 单机版 (Linux)"));
}

} // namespace kx

#include "moc_showform.cpp"
