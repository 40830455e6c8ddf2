#pragma once
// What a column's cell holds for the current record, apart from the column
// object: field texts through a column's display format, key lists that map
// stored values to shown ones, check-box states, and the stepping of cells
// through their lists.

#include "grid/editors/cellbuttons.h"

#include <QString>
#include <QStringList>

namespace kx {

namespace db {
class TField;
}

// The field's text through a number or date format; empty for a null field
// and for kinds the format cannot apply to. An empty format gives the
// field's display text.
QString FormatFieldText(const db::TField* field, const QString& format);

// True when one of the ';'-separated values, trimmed, equals value,
// ignoring letter case.
bool MatchesKeyValue(const QString& valueList, const QString& value);

// The field's lookup data set is open and the field holds a value.
bool LookupValueFound(const db::TField* field);

// The pick-list entry shown for a stored text found in the key list (its
// letter case ignored), else the not-in-list entry, else empty.
QString KeyToPickText(const QString& editText, const QStringList& keyList,
                      const QStringList& pickList, int notInKeyListIndex);

// cbChecked when the text matches the first key entry, cbUnchecked for the
// second, cbGrayed otherwise; boolean fields by their value, null as grayed.
TCheckBoxState CheckStateOf(const db::TField* field, const QStringList& keyList);
// The value a check box writes for a state: the first value of its key
// entry, empty when the list has no such entry.
QString CheckBoxKeyText(TCheckBoxState state, const QStringList& keyList);

// The list entry a step moves to: exactly +1 moves forward, wrapping from
// the last entry (or from none) to the first; any other step moves back,
// wrapping from the first (or none) to the last. -1 for an empty list,
// which has nothing to step to.
int SteppedListIndex(int current, int count, double step);

} // namespace kx
