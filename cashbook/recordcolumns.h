#pragma once
// The columns of an in/out record as the slot rows of SYS_MONEY_FIELD_TABLE
// lay them out: the field rules and print entries of the records list, the
// drill-down and the statistics windows, and the order of the record data
// set's fields while a user has no stored column layout.

#include "core/fieldsdata.h"
#include "tablereport/printfields.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kx {

namespace db {
class TDataSet;
}

// One slot row: the record column a slot puts under its caption. Numbers
// stay as stored text; the builders read them with MoneyTextToFloat.
struct TMoneyFieldSlot {
    QString FieldName;
    QString DisplayName;
    QString FieldType; // "String", "Date", "Float" or "Integer"
    QString FindType;  // "T" typed, "D" date, "DT" picked from a list
    QString OrderType; // "是": the list may be sorted by this column
    QString FieldWidth;
    QString DisplayWidth;
    QString Order; // the slot number
};

using TMoneyFieldSlots = QList<TMoneyFieldSlot>;

// The slot rows of a data set over SYS_MONEY_FIELD_TABLE, from its first
// row to its last, in the data set's order.
TMoneyFieldSlots ReadFieldSlots(db::TDataSet& slotRows);

// The fields of a record data set as it is designed, before any slot moves
// them.
QStringList RecordFieldDesignOrder();

// "String" "C", "Integer" and "Float" "N", "Date" "D", anything else "C".
QString FieldTypeCode(const QString& fieldType);

// The statistics window also keeps the amounts' captions, for its print
// fields.
enum class TCaptionScope { FreeColumns, FreeColumnsAndAmounts };

// Keeps the caption of a free date, number or text column (and, in the
// wider scope, of an amount) in AppFieldCaptions, where the code-list
// pickers and print fields find it; other columns leave it unchanged.
void RememberFieldCaptions(const QString& column, const QString& caption, TCaptionScope scope);

// The columns a list may be sorted by, in slot order.
struct TSortChoices {
    QStringList Captions;
    QStringList Fields;
};

// The records list: the status column, one rule per slot, then the subject
// name and the six audit columns; print entries alongside (38 of each); the
// sort choices of slots flagged "是". financialFormat draws the amounts in
// digit cells.
void BuildListColumns(const TMoneyFieldSlots& slotRows, bool financialFormat,
                      const TFieldsDataArray& fields, TPrintFieldsArray& printFields,
                      TSortChoices& sort);

// The drill-down windows: as the list, with the balance after the amount
// out; 38 rules and 48 print entries, all offered as detail fields.
void BuildDrillDownColumns(const TMoneyFieldSlots& slotRows, bool financialFormat,
                           const TFieldsDataArray& fields, TPrintFieldsArray& printFields);

// The statistics window: the slot rules serve its find dialog, the subject
// name and the balance follow the amount out; 38 rules and 10 print
// entries of which the first four are the result columns.
void BuildStatisticsColumns(const TMoneyFieldSlots& slotRows, bool financialFormat,
                            const TFieldsDataArray& fields, TPrintFieldsArray& printFields);

// The record data set's fields reordered by the slots: the field of the
// k-th slot row (k from 1) goes to position k + 1 (STATUS stays at 0, a
// position past the end is the last), then the balance goes right after the
// amount out. Slots naming no field of the list are passed over.
QStringList OrderFieldsByLayout(const QStringList& fieldOrder, const TMoneyFieldSlots& slotRows);

} // namespace kx
