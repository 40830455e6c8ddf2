#pragma once
// A panel drawn as a flat face with a drop shadow, an optional one-pixel
// raised or lowered border and a caption with a raised or lowered look; the
// editing windows group their fields on such panels.

#include "platform/ui/colors.h"
#include "platform/ui/rect.h"

#include <QWidget>

namespace kx {

enum TBorderLine { blNone, blRaised, blLowered };
enum TTextStyle { txNone, txLowered, txRaised };

// The shadow and the face of a panel of that size and shadow width.
struct TPanelRects {
    ui::TRect Shadow;
    ui::TRect Face;
};
TPanelRects PanelRects(int width, int height, int shadowWidth);

class TKXPanel : public QWidget {
    Q_OBJECT
public:
    explicit TKXPanel(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment alignment);
    TBorderLine BorderLine() const { return borderLine_; }
    void SetBorderLine(TBorderLine line);
    ui::TColor Color_High() const { return colorHigh_; }
    void SetColor_High(ui::TColor color);
    ui::TColor Color_Low() const { return colorLow_; }
    void SetColor_Low(ui::TColor color);
    ui::TColor FaceColor() const { return faceColor_; }
    void SetFaceColor(ui::TColor color);
    ui::TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(ui::TColor color);
    int ShadowWidth() const { return shadowWidth_; }
    // Kept within 0 to 10.
    void SetShadowWidth(int width);
    TTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TTextStyle style);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    Qt::Alignment alignment_ = Qt::AlignHCenter;
    TBorderLine borderLine_ = blRaised;
    ui::TColor colorHigh_ = 0xE0E8E8;
    ui::TColor colorLow_ = 0x688DA2;
    ui::TColor faceColor_ = ui::clBtnFace;
    ui::TColor shadowColor_ = 0x808080;
    int shadowWidth_ = 2;
    TTextStyle textStyle_ = txRaised;
};

} // namespace kx
