#pragma once
// One column, title or footer entry of a spreadsheet export, as the windows
// fill them.

#include <QList>
#include <QString>

namespace kx {

struct TExcelFieldName {
    // Columns: the field in the data set; titles and footers: the text.
    QString FieldName;
    QString Spare;
    // Columns: the caption row's text; titles and footers: a text above.
    QString Caption;
};

using TExcelFieldArray = QList<TExcelFieldName>;

} // namespace kx
