#include "frame/controls/kxpanel.h"

#include "platform/ui/canvas.h"

#include <QPaintEvent>
#include <QPainter>

namespace kx {

TPanelRects PanelRects(int width, int height, int shadowWidth) {
    const int half = shadowWidth / 2;
    const ui::TRect shadow{2 * half, 2 * half, width, height};
    const ui::TRect face{shadow.Left - shadowWidth, shadow.Top - shadowWidth,
                         shadow.Right - shadowWidth, shadow.Bottom - shadowWidth};
    return {shadow, face};
}

TKXPanel::TKXPanel(QWidget* parent) : QWidget(parent) {
    resize(185, 41);
}

void TKXPanel::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void TKXPanel::SetAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void TKXPanel::SetBorderLine(TBorderLine line) {
    borderLine_ = line;
    update();
}

void TKXPanel::SetColor_High(ui::TColor color) {
    colorHigh_ = color;
    update();
}

void TKXPanel::SetColor_Low(ui::TColor color) {
    colorLow_ = color;
    update();
}

void TKXPanel::SetFaceColor(ui::TColor color) {
    faceColor_ = color;
    update();
}

void TKXPanel::SetShadowColor(ui::TColor color) {
    shadowColor_ = color;
    update();
}

void TKXPanel::SetShadowWidth(int width) {
    shadowWidth_ = std::clamp(width, 0, 10);
    update();
}

void TKXPanel::SetTextStyle(TTextStyle style) {
    textStyle_ = style;
    update();
}

void TKXPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    ui::TCanvas canvas(painter, palette(), event->region());
    const int w = width();
    const int h = height();
    const int s = shadowWidth_;
    const TPanelRects rects = PanelRects(w, h, s);
    canvas.SetBrushColor(shadowColor_);
    canvas.FillRect(rects.Shadow);
    canvas.SetBrushColor(faceColor_);
    canvas.FillRect(rects.Face);
    if (borderLine_ != blNone) {
        const bool raised = borderLine_ == blRaised;
        canvas.SetPenColor(raised ? colorHigh_ : colorLow_);
        canvas.MoveTo(0, h - s - 1);
        canvas.LineTo(0, 0);
        canvas.LineTo(w - s - 1, 0);
        canvas.SetPenColor(raised ? colorLow_ : colorHigh_);
        canvas.LineTo(w - s - 1, h - s - 1);
        canvas.LineTo(0, h - s - 1);
    }
    if (caption_.isEmpty())
        return;
    canvas.SetFont(font());
    const int textHeight = canvas.TextHeight(QStringLiteral("W"));
    ui::TRect text = rects.Face;
    text.Top = rects.Face.Top + (rects.Face.Height() - textHeight) / 2;
    text.Bottom = text.Top + textHeight;
    const unsigned format = ui::DT_SINGLELINE | ui::DT_VCENTER |
                            (alignment_ & Qt::AlignRight     ? ui::DT_RIGHT
                             : alignment_ & Qt::AlignHCenter ? ui::DT_CENTER
                                                             : ui::DT_LEFT);
    if (textStyle_ != txNone) {
        const int offset = textStyle_ == txRaised ? -1 : 1;
        ui::TRect copy{text.Left + offset, text.Top + offset, text.Right + offset,
                       text.Bottom + offset};
        canvas.SetFontColor(colorHigh_);
        canvas.DrawText(caption_, copy, format);
    }
    canvas.SetFontColor(ui::clWindowText);
    canvas.DrawText(caption_, text, format);
}

} // namespace kx

#include "moc_kxpanel.cpp"
