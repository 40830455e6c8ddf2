#include "grid/editors/popupcalculatorx.h"

#include "grid/editors/dropdownownerx.h"
#include "grid/editors/speedbuttonx.h"
#include "platform/sys/exception.h"
#include "platform/sys/numberformat.h"
#include "platform/ui/canvas.h"

#include <QPaintEvent>
#include <QPainter>

namespace kx {

TPopupCalculatorX::TPopupCalculatorX(QWidget* owner) : TCalculatorX(owner) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    SetFlat(true);
    UpdateSize();
}

QVariant TPopupCalculatorX::GetValue() const {
    if (Engine().Status() == TCalculatorEngine::csError)
        return QVariant();
    return Engine().DisplayValue();
}

void TPopupCalculatorX::SetFlat(bool flat) {
    flat_ = flat;
    for (TSpeedButtonX* button : Buttons())
        button->SetFlat(flat);
}

void TPopupCalculatorX::SetValue(const QVariant& value) {
    Engine().ClearAll();
    const bool isText = value.metaType() == QMetaType::fromType<QString>();
    bool converts = isText;
    const double number = isText ? sys::StrToFloat(value.toString()) : value.toDouble(&converts);
    if (!converts)
        throw EConvertError(QStringLiteral("Could not convert variant to type (Double)"));
    Engine().SetDisplayValue(number);
    ShowState();
}

void TPopupCalculatorX::CloseUp(bool accept) {
    if (auto* owner = dynamic_cast<IDropDownOwnerX*>(parentWidget()))
        owner->CloseUp(accept);
}

void TPopupCalculatorX::ProcessKey(QChar key) {
    if ((key == QChar(13) || key == u'=') && IsResultReady())
        CloseUp(true);
    else
        TCalculatorX::ProcessKey(key);
}

void TPopupCalculatorX::KeyDown(int& key, ui::TShiftState shift) {
    if (key == Qt::Key_Escape) {
        key = 0;
        CloseUp(false);
        return;
    }
    TCalculatorX::KeyDown(key, shift);
}

// A one-pixel dark-shadow frame around a raised inner edge.
void TPopupCalculatorX::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    ui::TCanvas canvas(painter, palette(), event->region());
    ui::TRect r{0, 0, width(), height()};
    canvas.SetBrushColor(ui::cl3DDkShadow);
    canvas.FillRect({r.Left, r.Top, r.Right, r.Top + 1});
    canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom});
    canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
    canvas.DrawEdge({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, ui::BDR_RAISEDINNER,
                    ui::BF_RECT);
}

} // namespace kx

#include "moc_popupcalculatorx.cpp"
