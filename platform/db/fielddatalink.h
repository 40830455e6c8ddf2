#pragma once
// The link of one data-aware control to one field: it finds the field by
// name, tells the control when to show the field's value again, when editing
// starts and stops, and asks it for its pending value before the record is
// posted.

#include "platform/db/datalink.h"

#include <QString>

#include <functional>

namespace kx::db {

class TField;

class TFieldDataLink : public TDataLink {
public:
    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& name);
    // The field, or none while the data set is closed or has no such field.
    TField* Field() const { return field_; }
    bool CanModify() const;
    // True while the data set edits and the field can be changed.
    bool FieldEditing() const { return fieldEditing_; }
    // Starts editing through the data source; true when the field can now be
    // changed.
    bool Edit();
    // The control changed its text; its value is asked for before posting.
    void Modified() { modified_ = true; }
    bool IsModified() const { return modified_; }
    // Drops the control's change and shows the field's value again.
    void Reset();

    std::function<void()> OnDataChange;
    std::function<void()> OnEditingChange;
    std::function<void()> OnUpdateData;
    std::function<void()> OnActiveChange;

protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void FieldListChanged() override;
    void LayoutChanged() override;
    void RecordChanged(TField* field) override;
    void UpdateData() override;

private:
    void UpdateField();
    void UpdateEditing();

    QString fieldName_;
    TField* field_ = nullptr;
    bool fieldEditing_ = false;
    bool modified_ = false;
};

} // namespace kx::db
