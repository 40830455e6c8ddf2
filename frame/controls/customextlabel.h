#pragma once
// A label whose text is drawn raised, inset or shadowed, sizing itself to
// its text. The windows' titles and the "查找条件：" line of the record
// windows use it (through TKX3DLabel).

#include "platform/ui/colors.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace kx {

enum TDrawType { dtNone, dtShadow, dtLightRaised, dtHeavyRaised, dtLightInsert, dtHeavyInsert };

class TCustomExtLabel : public QWidget {
    Q_OBJECT
public:
    explicit TCustomExtLabel(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    // Horizontal: Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter.
    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment alignment);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    // "&" marks the accelerator character.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool show);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    ui::TColor Color() const { return color_; }
    void SetColor(ui::TColor color);
    ui::TColor LightColor() const { return lightColor_; }
    void SetLightColor(ui::TColor color);
    ui::TColor DarkColor() const { return darkColor_; }
    void SetDarkColor(ui::TColor color);
    TDrawType DrawType() const { return drawType_; }
    void SetDrawType(TDrawType type);
    int ShadowIndent() const { return shadowIndent_; }
    // Values outside -50 to 50 are ignored.
    void SetShadowIndent(int indent);
    // Takes the focus when the accelerator is pressed.
    QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* control) { focusControl_ = control; }

    std::function<void(QObject* sender)> OnMouseEnter;
    std::function<void(QObject* sender)> OnMouseLeave;

protected:
    virtual void MouseEnter();
    virtual void MouseLeave();

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void AdjustBounds();
    void UpdateShortcut();
    unsigned TextFormat() const;

    QString caption_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    bool autoSize_ = true;
    bool showAccelChar_ = true;
    bool wordWrap_ = false;
    bool transparent_ = false;
    ui::TColor color_ = ui::clBtnFace;
    ui::TColor lightColor_ = ui::clWhite;
    ui::TColor darkColor_ = ui::clBlack;
    TDrawType drawType_ = dtLightRaised;
    int shadowIndent_ = 2;
    QPointer<QWidget> focusControl_;
    int shortcutId_ = 0;
};

} // namespace kx
