#include "frame/controls/lookuplist.h"

#include "platform/db/dataset.h"

namespace kx {

void TLookupList::SetKeyField(const QString& name) {
    keyField_ = name;
    Changed();
}

void TLookupList::SetListField(const QString& name) {
    listField_ = name;
    Changed();
}

QList<TLookupList::TItem> TLookupList::Items() {
    db::TDataSet* dataSet = DataSet();
    if (!Active() || !dataSet)
        return {};
    db::TField* key = dataSet->FindField(keyField_);
    db::TField* text = dataSet->FindField(listField_.isEmpty() ? keyField_ : listField_);
    if (!key || !text)
        return {};
    QList<TItem> items;
    reading_ = true;
    const db::TBookmark current = dataSet->Bookmark();
    dataSet->DisableControls();
    try {
        for (dataSet->First(); !dataSet->Eof(); dataSet->Next())
            items.append({key->Value(), text->DisplayText()});
        if (!current.isEmpty())
            dataSet->GotoBookmark(current);
    } catch (...) {
        dataSet->EnableControls();
        reading_ = false;
        throw;
    }
    dataSet->EnableControls();
    reading_ = false;
    return items;
}

void TLookupList::Changed() {
    if (!reading_ && OnChange)
        OnChange();
}

} // namespace kx
