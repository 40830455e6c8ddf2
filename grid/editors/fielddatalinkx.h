#pragma once
// The link of one data-aware control of the grid library to a field, to
// several fields at once, or to nothing: without a data source and a field
// name the link keeps the control's value itself, so the same control also
// works as a plain input. The control hands text or values to the link, and
// the link decides where they go.

#include "grid/editors/fieldnamelists.h"
#include "platform/db/datalink.h"
#include "platform/db/dataset.h"

#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <functional>

namespace kx {

class TFieldDataLinkX : public db::TDataLink {
public:
    explicit TFieldDataLinkX(QWidget* control = nullptr);

    QWidget* Control() const { return control_; }
    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& fieldName);
    void SetDataSource(db::TDataSource* source);
    // FieldName is a ';'-separated list.
    bool MultiFields() const { return multiFields_; }
    void SetMultiFields(bool multiFields) { multiFields_ = multiFields; }

    const TFieldsArrX& Fields() const { return fields_; }
    db::TField* Field() const { return fields_.isEmpty() ? nullptr : fields_.first(); }
    int FieldsCount() const { return static_cast<int>(fields_.size()); }
    bool FieldFound(const db::TField* field) const { return fields_.contains(field); }

    bool DataIndependent() const { return dataIndependent_; }
    const QVariant& DataIndependentValue() const { return dataIndependentValue_; }
    // The control's own editing state, not the data set's.
    bool Editing() const { return editing_; }
    bool IsModified() const { return modified_; }

    bool Edit();
    bool IsActive() const;
    bool CanModify() const;
    void Modified() { modified_ = true; }
    // Shows the stored value again.
    void Reset() { RecordChanged(nullptr); }
    void SetText(const QString& text);
    void SetValue(const QVariant& value);

    std::function<void(TFieldDataLinkX* sender)> OnDataChange;
    std::function<void(TFieldDataLinkX* sender)> OnEditingChange;
    std::function<void(TFieldDataLinkX* sender)> OnUpdateData;
    std::function<void(TFieldDataLinkX* sender)> OnActiveChange;

protected:
    virtual void UpdateField();
    void ActiveChanged() override;
    void EditingChanged() override;
    void FocusControl(db::TField* field) override;
    void LayoutChanged() override;
    void RecordChanged(db::TField* field) override;
    void UpdateData() override;

private:
    void SetEditing(bool editing);
    void UpdateDataIndependent();
    TFieldsArrX ResolveFields() const;

    QPointer<QWidget> control_;
    QString fieldName_;
    TFieldsArrX fields_;
    QVariant dataIndependentValue_;
    bool multiFields_ = false;
    bool dataIndependent_ = true;
    bool editing_ = false;
    bool modified_ = false;
};

} // namespace kx
