#pragma once
// The column order as a text of field names, which a settings store keeps:
// "ColumnsIndex" reads "\"A\",\"B\"" for columns A and B, and writing such a
// text moves the named columns to the positions the text gives.

#include <QString>
#include <QStringList>

#include <vector>

namespace kx {

// Items separated by commas or blanks; an item in double quotes may hold
// both, and two quotes inside stand for one.
QStringList SplitCommaText(const QString& text);

QString ColumnsIndexText(const QStringList& fieldNames);

// The columns' order after the text's items: item i moves the first column
// of that field name (letter case counts) to position i; items without a
// column are skipped. The result holds the columns' old positions in their
// new order.
std::vector<int> ColumnsIndexOrder(const QStringList& fieldNames, const QString& text);

} // namespace kx
