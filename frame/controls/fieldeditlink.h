#pragma once
// The link of a data-aware input box to one field of a data set: it finds
// the field by name whenever the data set opens or its fields change, tells
// the box when the value or the editing state changes, and asks the box for
// its pending text when the record is written.

#include "platform/db/datalink.h"

#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

namespace kx {

class TFieldEditLink : public db::TDataLink {
public:
    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& name);
    db::TField* Field() const { return field_; }
    // Bound to that field of that data set.
    bool Shows(const db::TDataSet* dataSet, const QString& fieldName) const {
        return DataSource() && DataSet() == dataSet && fieldName_ == fieldName;
    }
    // The field can take a value through this link.
    bool CanModify() const;
    // Puts the data set into edit state when the field can be modified;
    // true when the data set then edits.
    bool Edit();
    // The box's text differs from the field's value.
    void Modified() {
        modified_ = true;
        refusalShown_ = false;
    }
    // Writes the box's pending text into the record as the box is left; when
    // the field refuses it, the focus comes back to the box, the reason is
    // shown, and false is returned. A save that follows stops quietly on the
    // same refusal instead of showing it a second time.
    bool UpdateOnExit(QWidget* control);
    // Shows the field's value again, dropping what was typed.
    void Reset() { RecordChanged(nullptr); }

    std::function<void()> OnDataChange;
    std::function<void()> OnEditingChange;
    std::function<void()> OnUpdateData;

protected:
    void ActiveChanged() override { UpdateField(); }
    void LayoutChanged() override { UpdateField(); }
    void FieldListChanged() override { UpdateField(); }
    void RecordChanged(db::TField* field) override;
    void EditingChanged() override;
    void UpdateData() override;

private:
    void UpdateField();

    QString fieldName_;
    QPointer<db::TField> field_;
    bool modified_ = false;
    bool refusalShown_ = false;
};

} // namespace kx
