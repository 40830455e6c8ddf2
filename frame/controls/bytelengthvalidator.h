#pragma once
// Length limits of the input boxes count code page 936 bytes, as the stored
// columns do: a Chinese character takes two of them. An edit that would grow
// past the limit is refused as a whole.

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
