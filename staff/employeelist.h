#pragma once
// The employee list's columns and its SELECT: the field rules, print
// entries and sort choices that the definition rows give, the statement of
// the selected department's subtree under a find condition, and the next
// order number of a new employee.

#include "core/fieldsdata.h"
#include "staff/employeefields.h"
#include "tablereport/printfields.h"

#include <QStringList>

namespace kx::staff {

// The rules, print entries and Excel entries have room for this many.
constexpr int kListFieldCount = 38;

struct TSortChoices {
    QStringList Captions;
    QStringList Fields;
};

struct TEmployeeColumns {
    TFieldsDataArray Fields;
    TPrintFieldsArray PrintFields;
    TSortChoices Sort;
};

// One rule per definition row (the default rows when there are none), then
// the audit, record, department and order columns; the print entries of
// the definitions; "排列序号" and the columns flagged "是" as sort choices.
// Each definition's caption becomes the column's AppFieldCaptions entry.
TEmployeeColumns BuildEmployeeColumns(const TEmployeeFieldRows& rows);

// The stored columns of KX_EMPLOYEE_TABLE in the table's order, and the
// type letter of one ("C", "N" or "D").
const QStringList& EmployeeTableColumns();
QChar EmployeeColumnType(const QString& column);

// The list's data-set fields in the order the definitions give them, the
// others after them in the table's order.
QStringList EmployeeFieldOrder(const TEmployeeFieldRows& rows);

// "SELECT * FROM KX_EMPLOYEE_TABLE " with the find condition and the
// subtree condition (either may be empty) and the ORDER BY text.
QString EmployeeListSelect(const QString& findCondition, const QString& subtreeCondition,
                           const QString& orderBy);

// The sort order when none is chosen.
inline const QString kDefaultEmployeeOrder = QStringLiteral(" ORDER BY EMPLOYEE_ID,EMPLOYEE_NAME");

// The order number of the next employee: the largest in use plus 1, the
// numbers compared as numbers (a text comparison would stall at 10).
QString NextEmployeeOrderId();

} // namespace kx::staff
