#pragma once
// A small calculator control: a one-line display over a block of keys. It
// takes typed keys, clicks on its keys and the mouse wheel (which steps the
// shown number by one).

#include "grid/editors/calculatorengine.h"
#include "platform/ui/customcontrol.h"

#include <QFrame>

#include <vector>

class QLabel;

namespace kx {

class TSpeedButtonX;

class TCalculatorX : public QFrame {
    Q_OBJECT
public:
    explicit TCalculatorX(QWidget* parent = nullptr);

    ui::TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(ui::TBorderStyle style);

    TCalculatorEngine& Engine() { return engine_; }
    const TCalculatorEngine& Engine() const { return engine_; }
    // The calculator's only input; the display and the equal key follow.
    virtual void ProcessKey(QChar key);
    // Keys as a focused calculator gets them; an owner that keeps the focus
    // hands them on. Delete clears.
    virtual void KeyDown(int& key, ui::TShiftState shift);
    void KeyPress(QChar& key);

    QLabel* TextBox() const { return textBox_; }
    TSpeedButtonX* EqualButton() const { return spEqual_; }
    const std::vector<TSpeedButtonX*>& Buttons() const { return buttons_; }

    static constexpr QSize StoredClientSize{184, 127};

protected:
    // The frame around the client area, on each side.
    virtual int FrameWidth() const;
    void UpdateSize();
    void ShowState();

    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void CreateKeys();
    void SpeedButtonClick(QObject* sender);

    TCalculatorEngine engine_;
    ui::TBorderStyle borderStyle_ = ui::TBorderStyle::bsNone;
    QFrame* panel1_ = nullptr;
    QLabel* textBox_ = nullptr;
    TSpeedButtonX* spEqual_ = nullptr;
    std::vector<TSpeedButtonX*> buttons_;
};

} // namespace kx
