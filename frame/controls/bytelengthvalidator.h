#pragma once
// Length limits of the input boxes count code page 936 bytes, as the stored
// columns do: a Chinese character takes two of them. Text typed or pasted
// past the limit is cut at it, never inside a character.

#include <QValidator>

#include <functional>

namespace kx {

class TByteLengthValidator : public QValidator {
public:
    // maxBytes answers the current limit; 0 or less means none.
    TByteLengthValidator(QObject* parent, std::function<int()> maxBytes);

    State validate(QString& input, int& pos) const override;

private:
    std::function<int()> maxBytes_;
};

} // namespace kx
