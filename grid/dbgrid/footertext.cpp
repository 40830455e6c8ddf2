#include "grid/dbgrid/footertext.h"

#include "platform/db/field.h"
#include "platform/sys/numberformat.h"

#include <cmath>
#include <limits>

namespace kx {

namespace {

QString FirstFormat(const QString& footerFormat, const db::TField& field) {
    return footerFormat.isEmpty() ? field.DisplayFormat() : footerFormat;
}

QString WholeNumberText(double value) {
    const double rounded = std::nearbyint(value); // halves to even
    // Beyond 64 bits the digits past the 15th say nothing anyway.
    if (std::abs(rounded) >= 9.2e18)
        return sys::FloatToStr(rounded);
    return QString::number(static_cast<qint64>(rounded));
}

// Amounts of currency fields in the program's notation with two decimals.
QString CurrencyText(double value) {
    return sys::FormatFloat(QStringLiteral("\"￥\"#,##0.00;\"￥\"-#,##0.00"), value);
}

} // namespace

QString FooterNumberText(const db::TField* field, double value, const QString& footerFormat) {
    if (!field)
        return QStringLiteral("0");
    const QString format = FirstFormat(footerFormat, *field);
    switch (field->DataType()) {
    case db::ftSmallint:
    case db::ftInteger:
    case db::ftWord:
    case db::ftAutoInc:
    case db::ftLargeint:
        return format.isEmpty() ? WholeNumberText(value) : sys::FormatFloat(format, value);
    case db::ftFloat:
    case db::ftCurrency:
        if (!format.isEmpty())
            return sys::FormatFloat(format, value);
        return field->DataType() == db::ftCurrency ? CurrencyText(value) : sys::FloatToStr(value);
    case db::ftBCD:
    case db::ftFMTBcd:
        return format.isEmpty() ? sys::FloatToStr(value) : sys::FormatFloat(format, value);
    default:
        return QStringLiteral("0");
    }
}

QString FooterCountText(double count, const QString& footerFormat) {
    return footerFormat.isEmpty() ? sys::FloatToStr(count) : sys::FormatFloat(footerFormat, count);
}

} // namespace kx
