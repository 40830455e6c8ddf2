#pragma once
// The SQL piece and the readable value of one find condition (field,
// relation, value), as both find dialogs build them from the window's field
// rules. Typed text reaches the SQL only as a quoted literal or as a checked
// number, so nothing typed can change the meaning of the statement.

#include "core/fieldsdata.h"

#include <QString>

namespace kx {

// Where the focus goes when a condition is refused.
enum class TFindFocus {
    None,
    FieldList,
    RelationList,
    TextBox,
    YearBox,
    MonthBox,
    DateBox,
    ChoiceBox
};

struct TFindInput {
    const TFieldsData* Field = nullptr;
    // The SQL operator of the chosen relation: "Like", "=", "<>", "<=", ">=".
    QString SqlRelation;
    TSqlType SqlType = urStandard;
    // The single-condition dialog: one blank on each side of the operator,
    // no ISNULL, and its own forms of "LS" and "D".
    bool Simple = false;
    QString Text;       // the text box
    QString Year;       // the year box
    QString Month;      // the month box
    QString DateText;   // the date box
    QString ChoiceText; // the choice box
    QString PickedValue;
    QString PickedId;
};

struct TFindResult {
    bool Accepted = false;
    QString Prompt;
    TFindFocus Focus = TFindFocus::None;
    QString Piece;
    // The value as the condition's line shows it.
    QString Value;
    // The relation became "等于" with its list disabled (a picked "@" ID).
    bool RelationFixed = false;
    // The relation list is enabled again (kind "BF" without "@").
    bool RelationFreed = false;
};

TFindResult BuildFindCondition(const TFindInput& input);

// The date key of a column, compared with 10000 x year + 100 x month + day.
QString FindDateKey(const QString& column, TSqlType sqlType);

// The readable line of a condition; logicWord is empty for the first one.
QString FindConditionLine(const QString& logicWord, const QString& fieldText,
                          const QString& relationText, bool relationFixed, const QString& value);
// A later line made to read like a first one, without its logic word.
QString AsFirstFindLine(const QString& line);

// The text box's clean-up on every change: blanks around the text go, and a
// pasted text keeps only its last part after separators.
QString CleanFindText(const QString& text, bool simple);

} // namespace kx
