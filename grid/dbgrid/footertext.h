#pragma once
// The texts of sum, average and count footers: the aggregate of a field
// formatted by the footer's display format, else the field's own, else as
// the field's kind shows numbers.

#include <QString>

namespace kx {

namespace db {
class TField;
}

// "0" without a field or for a field that holds no numbers. Whole-number
// fields round halves to even and show any 64-bit value.
QString FooterNumberText(const db::TField* field, double value, const QString& footerFormat);
QString FooterCountText(double count, const QString& footerFormat);

} // namespace kx
