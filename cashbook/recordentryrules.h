#pragma once
// What the record entry window decides without its widgets: the duplicate
// checks and automatic values it hands to the list's query, how a numbering
// scope reaches them, the checks a record passes before it is saved, and
// the colour of the status panel.

#include "cashbook/entrylayout.h"
#include "cashbook/numberingscope.h"
#include "core/fieldsdata.h"
#include "platform/ui/colors.h"

#include <QString>

namespace kx::cashbook {

// The record-number check (left out in numbering mode 3), then the
// internal-number check; both refuse a row the select finds.
TCheckDataArray EntryCheckData(int numberingMode);

// The automatic values of a new record: the generated record number (only
// when autoRecordNumber), the creator and dates of the day the window
// opened, the status "未审核" and the internal time stamp.
TInsertDataArray EntryInsertData(bool autoRecordNumber, const QString& userName,
                                 const QString& today);

// Writes the scope's conditions into the record-number check and the
// record-number counter of the arrays, which the list's query shares.
void ApplyNumberingScope(const TNumberingScope& scope, const TCheckDataArray& checks,
                         const TInsertDataArray& values);

// In modes 0 and 2 a record moved to another subject enters another
// numbering scope: its number is checked again even when it kept it.
void RecheckNumberInNewScope(int numberingMode, const TCheckDataArray& checks);

// The texts the save checks read: the three edits as shown and the
// record's internal number and subject.
struct TEntrySaveTexts {
    QString MoneyId;
    QString MoneyIdCaption; // caption of slot 1
    QString MoneyDate;
    QString AccountName;
    QString RecordId;
    QString SubjectId;
};

enum class TEntryFocus { None, MoneyId, MoneyDate };

struct TEntrySaveRefusal {
    QString Message; // empty: the record may go on to be saved
    TEntryFocus Focus = TEntryFocus::None;
};

// The first save check the record fails, in the order the user is told.
TEntrySaveRefusal EntrySaveRefusal(const TEntrySaveTexts& texts);

// The refusal of a typed amount, number or date that is none (a month 13,
// the 30th of February, letters pasted into an amount): the slot's caption
// and "是错误的数据", as the query's field rules say it; empty for an
// empty or valid text and for text inputs.
QString BadEntryMessage(TEntryInput input, const QString& caption, const QString& text);

// Light violet for an unverified record, pale khaki for anything else.
ui::TColor StatusPanelColor(const QString& status);

} // namespace kx::cashbook
