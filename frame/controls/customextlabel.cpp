#include "frame/controls/customextlabel.h"

#include "platform/ui/application.h"
#include "platform/ui/canvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <QShortcutEvent>

namespace kx {
namespace {

// The offsets of the copies drawn before the text, in drawing order.
struct TCopy {
    int dx;
    int dy;
    bool light;
};

QList<TCopy> Copies(TDrawType type) {
    switch (type) {
    case dtLightRaised:
        return {{-1, -1, true}};
    case dtHeavyRaised:
        return {{-1, -1, true}, {1, 1, false}};
    case dtLightInsert:
        return {{1, 1, true}};
    case dtHeavyInsert:
        return {{1, 1, true}, {-1, -1, false}};
    default:
        return {};
    }
}

ui::TRect Shifted(const ui::TRect& r, int dx, int dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

} // namespace

TCustomExtLabel::TCustomExtLabel(QWidget* parent) : QWidget(parent) {
    resize(66, 18);
}

void TCustomExtLabel::SetCaption(const QString& caption) {
    caption_ = caption;
    UpdateShortcut();
    AdjustBounds();
    update();
}

void TCustomExtLabel::SetAlignment(Qt::Alignment alignment) {
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    update();
}

void TCustomExtLabel::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustBounds();
}

void TCustomExtLabel::SetShowAccelChar(bool show) {
    showAccelChar_ = show;
    UpdateShortcut();
    AdjustBounds();
    update();
}

void TCustomExtLabel::SetWordWrap(bool wrap) {
    wordWrap_ = wrap;
    AdjustBounds();
    update();
}

void TCustomExtLabel::SetTransparent(bool transparent) {
    transparent_ = transparent;
    update();
}

void TCustomExtLabel::SetColor(ui::TColor color) {
    color_ = color;
    update();
}

void TCustomExtLabel::SetLightColor(ui::TColor color) {
    lightColor_ = color;
    update();
}

void TCustomExtLabel::SetDarkColor(ui::TColor color) {
    darkColor_ = color;
    update();
}

void TCustomExtLabel::SetDrawType(TDrawType type) {
    drawType_ = type;
    AdjustBounds();
    update();
}

void TCustomExtLabel::SetShadowIndent(int indent) {
    if (indent < -50 || indent > 50)
        return;
    shadowIndent_ = indent;
    if (drawType_ == dtShadow)
        AdjustBounds();
    update();
}

unsigned TCustomExtLabel::TextFormat() const {
    unsigned format = ui::DT_WORDBREAK;
    if (alignment_ & Qt::AlignRight)
        format |= ui::DT_RIGHT;
    else if (alignment_ & Qt::AlignHCenter)
        format |= ui::DT_CENTER;
    if (!showAccelChar_)
        format |= ui::DT_NOPREFIX;
    return format;
}

void TCustomExtLabel::AdjustBounds() {
    if (!autoSize_)
        return;
    QString text = caption_;
    if (text.isEmpty() || (showAccelChar_ && text == u"&"))
        text = QStringLiteral(" ");
    int flags = showAccelChar_ ? Qt::TextShowMnemonic : 0;
    if (wordWrap_)
        flags |= Qt::TextWordWrap;
    const QRect bounds = fontMetrics().boundingRect(
        QRect(0, 0, wordWrap_ ? std::max(width(), 1) : 1 << 20, 1 << 20), flags, text);
    const int extra = drawType_ == dtShadow ? std::abs(shadowIndent_) : 2;
    const int newWidth = bounds.width() + extra;
    const int left = alignment_ & Qt::AlignRight ? x() + width() - newWidth : x();
    setGeometry(left, y(), newWidth, bounds.height() + extra);
}

void TCustomExtLabel::UpdateShortcut() {
    if (shortcutId_ != 0)
        releaseShortcut(shortcutId_);
    const QKeySequence key = showAccelChar_ ? QKeySequence::mnemonic(caption_) : QKeySequence();
    shortcutId_ = key.isEmpty() ? 0 : grabShortcut(key);
}

void TCustomExtLabel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    ui::TCanvas canvas(painter, palette(), event->region());
    const ui::TRect client{0, 0, width(), height()};
    if (!transparent_) {
        canvas.SetBrushColor(color_);
        canvas.FillRect(client);
    }
    canvas.SetFont(font());
    const unsigned format = TextFormat();
    ui::TRect text = client;
    if (!isEnabled()) {
        canvas.SetFontColor(ui::clGrayText);
        canvas.DrawText(caption_, text, format);
        return;
    }
    if (drawType_ == dtShadow) {
        ui::TRect shadow = client;
        if (shadowIndent_ > 0)
            shadow = Shifted(client, shadowIndent_, shadowIndent_);
        else
            text = Shifted(client, -shadowIndent_, -shadowIndent_);
        canvas.SetFontColor(darkColor_);
        canvas.DrawText(caption_, shadow, format);
    }
    for (const TCopy& copy : Copies(drawType_)) {
        ui::TRect r = Shifted(client, copy.dx, copy.dy);
        canvas.SetFontColor(copy.light ? lightColor_ : darkColor_);
        canvas.DrawText(caption_, r, format);
    }
    canvas.SetFontColor(ui::clWindowText);
    canvas.DrawText(caption_, text, format);
}

void TCustomExtLabel::MouseEnter() {
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TCustomExtLabel::MouseLeave() {
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TCustomExtLabel::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    ui::Guard([this] { MouseEnter(); })();
}

void TCustomExtLabel::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    ui::Guard([this] { MouseLeave(); })();
}

bool TCustomExtLabel::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut &&
        static_cast<QShortcutEvent*>(event)->shortcutId() == shortcutId_) {
        if (focusControl_ && focusControl_->isEnabled() && isEnabled())
            focusControl_->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return QWidget::event(event);
}

void TCustomExtLabel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        AdjustBounds();
}

} // namespace kx

#include "moc_customextlabel.cpp"
