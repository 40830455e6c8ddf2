#pragma once
// The records through which a window describes its data to the query, the
// grids and the find dialogs: its fields, the SQL checks before a save, the
// automatic values of a new row and the values written on every edit.
//
// Each array is a shared handle: copies see the same elements, so a window
// that changes an element (a prefix, an extra condition) right before an add
// or a save is heard at once, and the query's own writes (widths,
// visibility, old values) reach the window and the grid.

#include "platform/db/dataset.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <initializer_list>
#include <memory>
#include <vector>

namespace kx {

// The SQL dialect of generated statements; the program runs urStandard.
enum TSqlType { urStandard, urSql_Server, urAccess };

template <class T> class TSharedArray {
public:
    TSharedArray() : items_(std::make_shared<std::vector<T>>()) {}
    TSharedArray(std::initializer_list<T> items)
        : items_(std::make_shared<std::vector<T>>(items)) {}

    int Count() const { return static_cast<int>(items_->size()); }
    bool IsEmpty() const { return items_->empty(); }
    T& operator[](int index) const { return items_->at(static_cast<std::size_t>(index)); }
    void Append(const T& item) const { items_->push_back(item); }
    void SetLength(int length) const { items_->resize(static_cast<std::size_t>(length)); }

    auto begin() const { return items_->begin(); }
    auto end() const { return items_->end(); }

private:
    std::shared_ptr<std::vector<T>> items_;
};

// One field of a window's data set.
struct TFieldsData {
    QString FieldName;
    // Column title and the name in messages and in the find dialog.
    QString DisplayLabel;
    // > 0 sets the width in characters, 0 keeps the field's own; -1 keeps
    // the field visible (for footers and sums) while the list grid hides its
    // column; -2 only hides the list grid's column.
    int DisplayWidth = 0;
    bool MoneyCell = false; // drawn in ledger digit cells
    int DigitCount = 0;     // digit cells of such a column
    QString FooterField;    // the field a sum footer adds up; empty: this one
    // "@Sum", "@Count", any other text shown as it is; empty: no footer.
    QString FooterValue;
    QString FooterFormat; // display format of a count footer
    QString Decimals;     // decimals a number cell is rounded to, as text
    QString RoundMode;    // rounding rule of FormatRoundNumber
    QString TypeCode;     // "N" number, "D" date, "C" text
    QString FindKey;      // a second name the find dialog matches
    QString TableAlias;   // written before the field name by the find dialog
    QString FindKind;
    QString SubTable;
    QString SubSelectColumn;
    QString SubWhereColumn;
    bool Required = false;
    QPointer<QWidget> Control; // the field's input control (not owned)
    bool Visible = false;
    QString Spare;
};

// One compared field of a check.
struct TCheckFieldsData {
    QString FieldName;
    QString ColumnName;
    QString OldValue;   // the field's text when editing began
    QString ConstValue; // compared instead of the field's value when given
    QString Kind;       // "N" unquoted, "C" text, "D" date
};

// One SQL check run before a save: a duplicate check (MustNotExist) fails
// when the SELECT finds a row, a link check when it finds none.
struct TCheckData {
    static constexpr int kLinkCount = 11;

    std::array<TCheckFieldsData, kLinkCount> Links;
    QString Message;
    // Fields that receive, in order, the columns of the row a link check
    // found (comma-separated).
    QString CopyFields;
    // The field the check is about; without it in the data set the links
    // are not used.
    QString NumberField;
    QString ExtraWhere; // appended as it is, with its own " AND "
    bool AlwaysCheck = false;
    QPointer<QWidget> Control; // focused when the check fails (not owned)
    QString BaseSelect;        // "SELECT ... WHERE "; empty skips the check
    bool MustNotExist = false;
    bool SkipWhenEmpty = false;
    bool AskInstead = false; // asks the message as a question instead of refusing
    bool NoRenumber = false; // a duplicate automatic number fails instead of renumbering
};

// One automatic value of a new row. Kind: "A" constant, "T" time stamp, "L"
// logical, "B" copy from Source, "C" counter, "Y"/"M"/"D" counter within the
// year, month or day.
struct TInsertData {
    QString FieldName;
    QString DisplayLabel;
    QString ExtraWhere; // condition added to the counter's SELECT
    // Width of a counter with its date part, zero-padded; 0 (kind C): the
    // largest value of the field plus 1.
    int Width = 0;
    QString Value;
    QPointer<db::TDataSet> Source; // not owned
    QString Kind;
    QString Prefix; // put in front of the number; also restricts the counter
};

// One value written into a field every time a record enters editing.
struct TEditData {
    QString FieldName;
    QString Caption;
    QString Value;
};

using TFieldsDataArray = TSharedArray<TFieldsData>;
using TCheckDataArray = TSharedArray<TCheckData>;
using TInsertDataArray = TSharedArray<TInsertData>;
using TEditDataArray = TSharedArray<TEditData>;

} // namespace kx
