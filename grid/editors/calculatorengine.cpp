#include "grid/editors/calculatorengine.h"

#include "platform/sys/numberformat.h"

#include <cmath>

namespace kx {

namespace {

// The program's decimal separator; ',' is taken for it too.
constexpr QChar DecimalSeparator = u'.';

constexpr QChar CtrlC = QChar(3);
constexpr QChar BackspaceKey = QChar(8);
constexpr QChar EnterKey = QChar(13);
constexpr QChar CtrlV = QChar(22);
constexpr QChar EscKey = QChar(27);

bool IsOperatorKey(QChar key) {
    return key == EnterKey || QStringLiteral("%*+-/=").contains(key);
}

bool IsArithmetic(QChar op) {
    return QStringLiteral("*+-/").contains(op);
}

} // namespace

TCalculatorEngine::TCalculatorEngine() {
    ClearAll();
}

double TCalculatorEngine::DisplayValue() const {
    return status_ == csError ? 0 : sys::StrToFloat(display_.trimmed());
}

void TCalculatorEngine::SetDisplayValue(double value) {
    // Negated zero shows as 0.
    display_ = sys::FloatToStr(value + 0.0);
}

void TCalculatorEngine::ClearAll() {
    status_ = csFirst;
    SetDisplayValue(0);
    operator_ = u'=';
    operand_ = 0;
    UpdateEqualButton();
}

QString TCalculatorEngine::EqualCaption() const {
    return resultReady_ ? QStringLiteral("Ok") : QStringLiteral("=");
}

void TCalculatorEngine::BeginEntry() {
    if (status_ != csFirst)
        return;
    status_ = csValid;
    display_ = QStringLiteral("0");
}

void TCalculatorEngine::SetError() {
    status_ = csError;
    display_ = QStringLiteral("Error");
}

// A pending operation with its left operand waits for a typed right one. A
// left operand of 0 counts as well: 0 - 5 must not be taken as 5.
void TCalculatorEngine::UpdateEqualButton() {
    resultReady_ = !(status_ == csValid && IsArithmetic(operator_));
}

void TCalculatorEngine::AppendDigit(QChar digit) {
    BeginEntry();
    if (display_ == u"0")
        display_.clear();
    const int limit = MaxEntryLength + (display_.startsWith(u'-') ? 1 : 0);
    if (!display_.contains(u'E') && display_.size() < limit)
        display_ += digit;
}

void TCalculatorEngine::Backspace() {
    BeginEntry();
    if (display_.size() == 1 || (display_.size() == 2 && display_.startsWith(u'-')))
        display_ = QStringLiteral("0");
    else
        display_.chop(1);
}

void TCalculatorEngine::Operate(QChar key) {
    if (status_ == csValid) {
        status_ = csFirst;
        double x = DisplayValue();
        if (key == u'%') {
            if (operator_ == u'*' || operator_ == u'/')
                x = x / 100;
            else if (operator_ == u'+' || operator_ == u'-')
                x = operand_ * x / 100;
        }
        switch (operator_.unicode()) {
        case '*':
            SetDisplayValue(operand_ * x);
            break;
        case '+':
            SetDisplayValue(operand_ + x);
            break;
        case '-':
            SetDisplayValue(operand_ - x);
            break;
        case '/':
            if (x == 0)
                SetError();
            else
                SetDisplayValue(operand_ / x);
            break;
        default:
            break;
        }
    }
    operator_ = key;
    operand_ = DisplayValue();
}

void TCalculatorEngine::ProcessKey(QChar key) {
    key = key.toUpper();
    if (status_ == csError && key != u'C')
        key = QChar();
    if (key == DecimalSeparator || key == u',') {
        BeginEntry();
        if (!display_.contains(DecimalSeparator))
            display_ += DecimalSeparator;
        return;
    }
    if (key == CtrlC) {
        if (OnCopy)
            OnCopy(display_);
    } else if (key == CtrlV) {
        if (const std::optional<QString> text = OnPaste ? OnPaste() : std::nullopt)
            SetDisplayValue(sys::StrToFloat(text->trimmed()));
    } else if (key == BackspaceKey) {
        Backspace();
    } else if (key.isDigit() && key.unicode() < 128) {
        AppendDigit(key);
    } else if (key == u'I') {
        SetDisplayValue(-DisplayValue());
    } else if (key == u'R' && status_ != csError) {
        status_ = csFirst;
        const double value = DisplayValue();
        if (value == 0)
            SetError();
        else
            SetDisplayValue(1 / value);
    } else if (key == u'S' && status_ != csError) {
        status_ = csFirst;
        const double value = DisplayValue();
        if (value < 0)
            SetError();
        else
            SetDisplayValue(std::sqrt(value));
    } else if (key == EscKey || key == u'C') {
        ClearAll();
    } else if (IsOperatorKey(key)) {
        Operate(key);
    }
    UpdateEqualButton();
}

} // namespace kx
