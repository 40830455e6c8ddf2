#pragma once
// A link label: clicking it asks the desktop to open its target (a web page
// or a mail address); the text takes a colour while the button is held and,
// on request, while the mouse moves over it.

#include "platform/ui/colors.h"

#include <QLabel>

#include <functional>

namespace kx {

class TWebLabel : public QLabel {
    Q_OBJECT
public:
    explicit TWebLabel(QWidget* parent = nullptr);

    const QString& URLAdd() const { return urlAdd_; }
    void SetURLAdd(const QString& url) { urlAdd_ = url; }
    ui::TColor FontColor() const { return fontColor_; }
    void SetFontColor(ui::TColor color);
    ui::TColor ClickColor() const { return clickColor_; }
    void SetClickColor(ui::TColor color) { clickColor_ = color; }
    ui::TColor HoverColor() const { return hoverColor_; }
    void SetHoverColor(ui::TColor color) { hoverColor_ = color; }
    bool EnableHover() const { return enableHover_; }
    void SetEnableHover(bool enable) { enableHover_ = enable; }

    // Told when the desktop cannot open the target.
    std::function<void(QObject* sender, const QString& errorMessage)> OnErrorLoading;
    std::function<void(QObject* sender)> OnHover;

protected:
    virtual void ErrorLoading(const QString& message);
    virtual void Hover();

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QString urlAdd_;
    ui::TColor fontColor_ = ui::clBlue;
    ui::TColor clickColor_ = ui::clRed;
    ui::TColor hoverColor_ = 0x808000;
    ui::TColor savedColor_ = ui::clBlue;
    bool enableHover_ = false;
};

} // namespace kx
