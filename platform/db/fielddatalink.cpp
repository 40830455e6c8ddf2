#include "platform/db/fielddatalink.h"

#include "platform/db/field.h"

namespace kx::db {

void TFieldDataLink::SetFieldName(const QString& name) {
    if (name == fieldName_)
        return;
    fieldName_ = name;
    UpdateField();
}

bool TFieldDataLink::CanModify() const {
    return !ReadOnly() && field_ && field_->CanModify();
}

bool TFieldDataLink::Edit() {
    if (CanModify())
        TDataLink::Edit();
    return fieldEditing_;
}

void TFieldDataLink::Reset() {
    RecordChanged(nullptr);
}

void TFieldDataLink::ActiveChanged() {
    UpdateField();
    if (OnActiveChange)
        OnActiveChange();
}

void TFieldDataLink::EditingChanged() {
    UpdateEditing();
}

void TFieldDataLink::FieldListChanged() {
    UpdateField();
}

void TFieldDataLink::LayoutChanged() {
    UpdateField();
}

void TFieldDataLink::RecordChanged(TField* field) {
    if (field && field != field_)
        return;
    modified_ = false;
    if (OnDataChange)
        OnDataChange();
}

void TFieldDataLink::UpdateData() {
    if (!modified_)
        return;
    if (OnUpdateData)
        OnUpdateData();
    modified_ = false;
}

// Field pointers die with the data set's default fields, so the link looks
// the field up again whenever the list may have changed.
void TFieldDataLink::UpdateField() {
    TDataSet* dataSet = DataSet();
    TField* field =
        Active() && dataSet && !fieldName_.isEmpty() ? dataSet->FindField(fieldName_) : nullptr;
    if (field != field_) {
        field_ = field;
        RecordChanged(nullptr);
    }
    UpdateEditing();
}

void TFieldDataLink::UpdateEditing() {
    const bool editing = TDataLink::Editing() && CanModify();
    if (editing == fieldEditing_)
        return;
    fieldEditing_ = editing;
    if (OnEditingChange)
        OnEditingChange();
}

} // namespace kx::db
