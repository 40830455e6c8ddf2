#include "grid/dbgrid/dbgrideditstyle.h"

#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/griddatalinkx.h"

namespace kx {

TDBGridEditStyle ChooseEditStyle(const TEditStyleFacts& facts) {
    switch (facts.ButtonStyle) {
    case cbsEllipsis:
        return gesEllipsis;
    case cbsUpDown:
        return gesUpDown;
    case cbsDropDown:
        return gesDropDown;
    case cbsNone:
        return gesPlain;
    default:
        break;
    }
    if (!facts.HasField)
        return gesPlain;
    if (facts.LookupField) {
        const bool editable = facts.LookupKeysModifiable && !facts.ColumnReadOnly &&
                              !facts.GridReadOnly && facts.LinkActive && !facts.LinkReadOnly;
        return editable ? gesLookup : gesPlain;
    }
    if (facts.HasPickList && !facts.ColumnReadOnly)
        return gesPickList;
    if (facts.DateField && !facts.ColumnReadOnly)
        return gesDate;
    return gesPlain;
}

TEditStyleFacts ReadEditStyleFacts(const TColumnX* column) {
    TEditStyleFacts facts;
    facts.ButtonStyle = column->ButtonStyle();
    facts.ColumnReadOnly = column->ReadOnly();
    facts.HasPickList = !column->PickList().isEmpty();
    if (const TCustomDBGridX* grid = column->Grid()) {
        facts.GridReadOnly = grid->ReadOnly();
        facts.LinkActive = grid->DataLink()->Active();
        facts.LinkReadOnly = grid->DataLink()->ReadOnly();
    }
    const db::TField* field = column->Field();
    facts.HasField = field != nullptr;
    if (!field)
        return facts;
    facts.LookupField = field->Lookup();
    if (facts.LookupField && field->DataSet()) {
        const QList<db::TField*> keys = field->DataSet()->GetFieldList(field->KeyFields());
        facts.LookupKeysModifiable = !keys.isEmpty();
        for (const db::TField* key : keys)
            facts.LookupKeysModifiable = facts.LookupKeysModifiable && key->CanModify();
    }
    const db::TFieldType type = field->DataType();
    facts.DateField = type == db::ftDate || type == db::ftDateTime || type == db::ftTimeStamp;
    return facts;
}

TDBGridEditStyle ColumnEditStyle(const TColumnX* column) {
    return ChooseEditStyle(ReadEditStyleFacts(column));
}

int DropDownListRows(int count, int dropDownRows) {
    return count < dropDownRows ? count : dropDownRows;
}

int FindListPrefix(const QStringList& list, const QString& text) {
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].startsWith(text, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

TCompletion CompleteFromList(const QStringList& list, const QString& typed) {
    TCompletion completion;
    completion.Index = FindListPrefix(list, typed);
    completion.Found = completion.Index >= 0;
    if (!completion.Found)
        return completion;
    completion.Text = list[completion.Index];
    completion.SelStart = int(typed.size());
    completion.SelLength = int(completion.Text.size() - typed.size());
    return completion;
}

} // namespace kx
