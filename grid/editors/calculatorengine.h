#pragma once
// The arithmetic of the pocket calculator: a display text, one pending
// operator and one stored operand. Each operator completes the pending one,
// so 2 + 3 * 4 = gives 20; percent takes a share of the operand for + and -
// and a fraction for * and /.

#include <QChar>
#include <QString>

#include <functional>
#include <optional>

namespace kx {

class TCalculatorEngine {
public:
    // 0: the display holds a result that the next digit replaces; 1: a number
    // is being entered; 2: an error is shown.
    enum TStatus : quint8 { csFirst, csValid, csError };

    static constexpr int MaxEntryLength = 15;

    TCalculatorEngine();

    // Digits, the decimal point, + - * / % =, Enter (#13), Backspace (#8),
    // Esc (#27) and C clear, I negate, R reciprocal, S square root, Ctrl+C
    // (#3) and Ctrl+V (#22) copy and paste. Pasting text that is not a
    // number raises EConvertError and leaves the display as it was.
    void ProcessKey(QChar key);
    void ClearAll();

    const QString& Display() const { return display_; }
    TStatus Status() const { return status_; }
    QChar PendingOperator() const { return operator_; }
    double Operand() const { return operand_; }
    // 0 in the error state.
    double DisplayValue() const;
    void SetDisplayValue(double value);
    // The caption of the key that finishes or accepts: "=" while a pending
    // operation waits for its right operand, else "Ok".
    QString EqualCaption() const;
    bool IsResultReady() const { return resultReady_; }

    std::function<void(const QString& text)> OnCopy;
    // The clipboard's text, none when it holds none.
    std::function<std::optional<QString>()> OnPaste;

private:
    void BeginEntry();
    void SetError();
    void UpdateEqualButton();
    void AppendDigit(QChar digit);
    void Backspace();
    void Operate(QChar key);

    QString display_;
    TStatus status_ = csFirst;
    QChar operator_ = u'=';
    double operand_ = 0;
    bool resultReady_ = true;
};

} // namespace kx
