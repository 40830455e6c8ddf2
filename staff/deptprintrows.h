#pragma once
// The rows of the printed department list: the tree below a node walked
// level by level, each name indented by two blanks per level and, when asked,
// numbered within its parent.

#include <QList>
#include <QString>

#include <optional>

namespace kx::staff {

struct TDeptPrintRow {
    int OrderId = 1;
    QString CompanyName; // the indented, optionally numbered line
    QString CompanyPhone;
    QString Note;
};

// The blanks after "n." that line up the names of a sibling group whose
// count has `width` digits.
QString PadOrderNumber(int width, int i);

// The list from the node `startCode` down. With a head (a department was
// selected) its own row comes first, unindented and unnumbered, and the
// rows below it start two blanks in. Lines are cut to the column's 40 bytes.
// The walk stops four levels below the start, as deep as the tree may grow,
// so a damaged table whose parents form a loop still ends.
QList<TDeptPrintRow> FillDeptPrintRows(const QString& startCode, bool numbering,
                                       const std::optional<TDeptPrintRow>& head);

} // namespace kx::staff
