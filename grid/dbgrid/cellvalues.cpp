#include "grid/dbgrid/cellvalues.h"

#include "grid/base/drawingshims.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/sys/dateformat.h"
#include "platform/sys/numberformat.h"

namespace kx {

namespace {

bool IsNumberField(db::TFieldType type) {
    switch (type) {
    case db::ftSmallint:
    case db::ftInteger:
    case db::ftWord:
    case db::ftAutoInc:
    case db::ftLargeint:
    case db::ftFloat:
    case db::ftCurrency:
    case db::ftBCD:
    case db::ftFMTBcd:
        return true;
    default:
        return false;
    }
}

bool IsDateTimeField(db::TFieldType type) {
    return type == db::ftDate || type == db::ftTime || type == db::ftDateTime ||
           type == db::ftTimeStamp;
}

int IndexOfText(const QStringList& list, const QString& text) {
    for (int i = 0; i < list.size(); ++i)
        if (CompareTextLocale(list.at(i), text) == 0)
            return i;
    return -1;
}

} // namespace

QString FormatFieldText(const db::TField* field, const QString& format) {
    if (format.isEmpty())
        return field->DisplayText();
    if (field->IsNull())
        return {};
    if (IsNumberField(field->DataType()))
        return sys::FormatFloat(format, field->AsFloat());
    if (IsDateTimeField(field->DataType()))
        return sys::FormatDateTime(format, field->AsDateTime());
    return {};
}

bool MatchesKeyValue(const QString& valueList, const QString& value) {
    const QStringList values = valueList.split(u';');
    return std::any_of(values.begin(), values.end(), [&value](const QString& candidate) {
        return CompareTextLocale(candidate.trimmed(), value) == 0;
    });
}

bool LookupValueFound(const db::TField* field) {
    const db::TDataSet* lookup = field->LookupDataSet();
    return lookup && lookup->Active() && !field->IsNull();
}

QString KeyToPickText(const QString& editText, const QStringList& keyList,
                      const QStringList& pickList, int notInKeyListIndex) {
    const int index = IndexOfText(keyList, editText);
    if (index >= 0 && index < pickList.size())
        return pickList.at(index);
    if (notInKeyListIndex >= 0 && notInKeyListIndex < pickList.size())
        return pickList.at(notInKeyListIndex);
    return {};
}

TCheckBoxState CheckStateOf(const db::TField* field, const QStringList& keyList) {
    if (!field)
        return cbUnchecked;
    if (field->IsNull())
        return cbGrayed;
    if (field->DataType() == db::ftBoolean)
        return field->Value().toBool() ? cbChecked : cbUnchecked;
    const QString text = field->EditText();
    if (!keyList.isEmpty() && MatchesKeyValue(keyList.at(0), text))
        return cbChecked;
    if (keyList.size() > 1 && MatchesKeyValue(keyList.at(1), text))
        return cbUnchecked;
    return cbGrayed;
}

QString CheckBoxKeyText(TCheckBoxState state, const QStringList& keyList) {
    const int entry = state == cbChecked ? 0 : 1;
    if (entry >= keyList.size())
        return {};
    return keyList.at(entry).section(u';', 0, 0).trimmed();
}

int SteppedListIndex(int current, int count, double step) {
    if (count <= 0)
        return -1;
    const bool found = current >= 0 && current < count;
    if (step == 1)
        return !found || current == count - 1 ? 0 : current + 1;
    return !found || current == 0 ? count - 1 : current - 1;
}

} // namespace kx
