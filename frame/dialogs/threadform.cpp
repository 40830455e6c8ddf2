#include "frame/dialogs/threadform.h"

#include "platform/ui/application.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtMath>

namespace kx {
namespace {

constexpr int kFrameCount = 20;
constexpr int kFrameMs = 60;

// The moving picture of the busy window, drawn from the time since it
// started, so that each repaint shows where the motion has got to however
// long the work kept the window from painting.
class AnimationView : public QWidget {
public:
    explicit AnimationView(QWidget* parent) : QWidget(parent), timer_(this) {
        setObjectName(QStringLiteral("Animate1"));
        timer_.setInterval(kFrameMs);
        connect(&timer_, &QTimer::timeout, this, ui::Guard([this] { update(); }));
        clock_.start();
        timer_.start();
    }

    void SetKind(TOptionKind kind) {
        kind_ = kind;
        update();
    }

    // Paints at once, without waiting for the event loop, when the picture
    // shown is no longer the one due.
    void PaintWhenDue() {
        if (FrameDue() != framePainted_)
            repaint();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        framePainted_ = FrameDue();
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const double phase = static_cast<double>(framePainted_ % kFrameCount) / kFrameCount;
        switch (kind_) {
        case TOptionKind::crCopy:
            DrawFolder(painter, QRectF(16, 12, 40, 28));
            DrawFolder(painter, QRectF(width() - 56, 12, 40, 28));
            DrawFlyingSheet(painter, phase);
            break;
        case TOptionKind::crDelete:
            DrawFolder(painter, QRectF(16, 12, 40, 28));
            DrawBin(painter, QRectF(width() - 50, 8, 30, 34));
            DrawFlyingSheet(painter, phase);
            break;
        case TOptionKind::crFind:
            DrawFolder(painter, QRectF(width() / 2.0 - 24, 10, 48, 32));
            DrawMagnifier(painter, phase);
            break;
        }
    }

private:
    static void DrawFolder(QPainter& painter, const QRectF& box) {
        painter.setPen(QPen(QColor(150, 110, 20), 1));
        painter.setBrush(QColor(240, 200, 80));
        QPainterPath path;
        path.moveTo(box.left(), box.top() + 4);
        path.lineTo(box.left() + box.width() * 0.4, box.top() + 4);
        path.lineTo(box.left() + box.width() * 0.5, box.top());
        path.lineTo(box.right(), box.top());
        path.lineTo(box.right(), box.bottom());
        path.lineTo(box.left(), box.bottom());
        path.closeSubpath();
        painter.drawPath(path);
    }

    static void DrawBin(QPainter& painter, const QRectF& box) {
        painter.setPen(QPen(QColor(70, 70, 70), 1));
        painter.setBrush(QColor(180, 180, 185));
        QPolygonF body;
        body << QPointF(box.left(), box.top() + 4) << QPointF(box.right(), box.top() + 4)
             << QPointF(box.right() - 4, box.bottom()) << QPointF(box.left() + 4, box.bottom());
        painter.drawPolygon(body);
        painter.drawRect(QRectF(box.left() - 2, box.top(), box.width() + 4, 4));
    }

    void DrawFlyingSheet(QPainter& painter, double phase) const {
        const double startX = 36;
        const double endX = width() - 36;
        const double x = startX + (endX - startX) * phase;
        const double y = 16 - 12 * qSin(phase * M_PI);
        const QRectF sheet(x - 7, y, 14, 18);
        painter.setPen(QPen(QColor(60, 60, 60), 1));
        painter.setBrush(Qt::white);
        painter.drawRect(sheet);
        for (int line = 1; line <= 3; ++line)
            painter.drawLine(QPointF(sheet.left() + 3, sheet.top() + 4 * line),
                             QPointF(sheet.right() - 3, sheet.top() + 4 * line));
    }

    void DrawMagnifier(QPainter& painter, double phase) const {
        const QPointF centre(width() / 2.0 + 28 * qCos(phase * 2 * M_PI),
                             22 + 8 * qSin(phase * 2 * M_PI));
        painter.setPen(QPen(QColor(60, 60, 60), 3));
        painter.drawLine(centre + QPointF(6, 6), centre + QPointF(14, 14));
        painter.setPen(QPen(QColor(60, 60, 60), 2));
        painter.setBrush(QColor(200, 230, 255, 160));
        painter.drawEllipse(centre, 8, 8);
    }

    qint64 FrameDue() const { return clock_.elapsed() / kFrameMs; }

    QTimer timer_;
    QElapsedTimer clock_;
    qint64 framePainted_ = -1;
    TOptionKind kind_ = TOptionKind::crCopy;
};

QProgressBar* MakeBar(QWidget* parent, int top) {
    auto* bar = new QProgressBar(parent);
    bar->setGeometry(8, top, 337, 18);
    bar->setTextVisible(false);
    bar->hide();
    return bar;
}

} // namespace

TThreadForm::TThreadForm()
    : QWidget(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("提示窗口"));
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    setFont(font);
    setFixedSize(355, 169);
    animate1_ = new AnimationView(this);
    animate1_->setGeometry(8, 12, 337, 45);
    progressBar3_ = MakeBar(this, 66);
    progressBar2_ = MakeBar(this, 86);
    progressBar1_ = MakeBar(this, 106);
    button_close_ = new QPushButton(QStringLiteral("停止"), this);
    button_close_->setGeometry(139, 129, 76, 27);
    button_close_->setCursor(Qt::PointingHandCursor);
    connect(button_close_, &QPushButton::clicked, this, ui::Guard([this] { button_closeClick(); }));
}

QProgressBar* TThreadForm::ProgressBar(int number) const {
    switch (number) {
    case 1:
        return progressBar1_;
    case 2:
        return progressBar2_;
    default:
        return progressBar3_;
    }
}

void TThreadForm::SetKind(TOptionKind kind) {
    kind_ = kind;
    static_cast<AnimationView*>(animate1_)->SetKind(kind);
}

void TThreadForm::KeepMoving() {
    static_cast<AnimationView*>(animate1_)->PaintWhenDue();
}

void TThreadForm::CutToBars() {
    setFixedHeight(button_close_->y());
}

void TThreadForm::showEvent(QShowEvent* event) {
    stopPressed_ = false;
    setCursor(Qt::ArrowCursor);
    if (const QScreen* current = screen())
        move(current->availableGeometry().center() - rect().center());
    QWidget::showEvent(event);
}

void TThreadForm::button_closeClick() {
    stopPressed_ = true;
}

} // namespace kx

#include "moc_threadform.cpp"
