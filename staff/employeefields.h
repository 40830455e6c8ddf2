#pragma once
// The employee field slots: which KX_EMPLOYEE_TABLE column each definition
// row of SYS_EMPLOYEE_FIELD_TABLE puts under which caption. Slot 1 holds
// the employee number, slot 2 the name, slot 21 the note; slots 3 to 20 hold
// any one of the 22 date, text and number columns, or nothing. The slot
// dialog offers the columns as 25 categories and writes each column with
// its defaults; an empty table is seeded with 14 rows.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kx {

namespace db {
class TDataSet;
}

namespace staff {

inline const QString kFreeSlotCaption = QStringLiteral("未定义");
inline const QString kEmployeeId = QStringLiteral("EMPLOYEE_ID");
inline const QString kEmployeeName = QStringLiteral("EMPLOYEE_NAME");
inline const QString kEmployeeNote = QStringLiteral("EMPLOYEE_TEXT_NOTE");
inline const QString kDeptNameColumn = QStringLiteral("COMPANY_DEPT_NAME");
inline const QString kSortFlagYes = QStringLiteral("是");
inline const QString kFieldSelect =
    QStringLiteral("SELECT  *  FROM  SYS_EMPLOYEE_FIELD_TABLE ORDER BY FIELD_ORDER");

constexpr int kIdSlot = 1;
constexpr int kNameSlot = 2;
constexpr int kNoteSlot = 21;

// One definition row. Numbers are read as MoneyTextToFloat reads them: a
// text that is empty or not a number gives 0.
struct TEmployeeFieldRow {
    QString FieldName;
    QString DisplayName;
    QString FieldType; // "String", "Date", "Float" ("Integer" is understood)
    QString FindType;  // "T" typed, "D" date, "DT" picked from the code list
    double FieldWidth = 0;
    double DisplayWidth = 0;
    double Order = 0;  // the slot number; orders the list's columns
    QString OrderType; // "是": offered as a sort key
};

using TEmployeeFieldRows = QList<TEmployeeFieldRow>;

// The rows of a data set over SYS_EMPLOYEE_FIELD_TABLE from its first row
// to its last, in the data set's order; the data set is left on its last
// row.
TEmployeeFieldRows ReadEmployeeFieldRows(db::TDataSet& rows);

// The 14 rows an empty table is seeded with, in their order.
const TEmployeeFieldRows& DefaultEmployeeFieldRows();
// Writes the 14 rows when the table has none: all of them or none.
// False when the table had rows or a row could not be written.
bool SeedDefaultEmployeeFields();

// The dialog's 25 categories: 12 text, 4 date, 6 number, then the number,
// name and note categories.
const QStringList& EmployeeFieldCategories();
// The column of a category; empty for any other text.
QString CategoryToColumn(const QString& category);
// The category of a column; empty for a column that has none.
QString ColumnToCategory(const QString& column);

bool IsKeyColumn(const QString& column);
// A date, text or number column that slots 3 to 20 may hold.
bool IsConfigurableColumn(const QString& column);
// The slot number of a key column: 1, 2 or 21; 0 for other columns.
int KeyColumnSlot(const QString& column);

struct TColumnDefaults {
    QString FieldType;
    QString FindType;
    int DisplayWidth = 0;
    int FieldWidth = 0;
};

// What the dialog writes with every definition of a column; none for a
// column without defaults.
std::optional<TColumnDefaults> GetColumnDefaults(const QString& column);

// "String" "C", "Integer" and "Float" "N", "Date" "D", anything else "C".
QString FieldTypeLetter(const QString& fieldType);

// The input mode a category sets: a date is always chosen, a number and the
// key columns always typed, a text category leaves the choice to the user.
enum class TInputModeRule { AlwaysChosen, AlwaysTyped, Free };
TInputModeRule InputModeRuleFor(const QString& category);

inline const QString kTypedInput = QStringLiteral("直接输入");
inline const QString kChosenInput = QStringLiteral("选择输入");

} // namespace staff
} // namespace kx
