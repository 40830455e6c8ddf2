#include "grid/editors/fielddatalinkx.h"

#include "platform/db/dberrors.h"
#include "platform/db/field.h"
#include "platform/db/variants.h"

namespace kx {

TFieldDataLinkX::TFieldDataLinkX(QWidget* control)
    : control_(control), dataIndependentValue_(db::NullVariant()) {}

void TFieldDataLinkX::SetFieldName(const QString& fieldName) {
    if (fieldName == fieldName_)
        return;
    fieldName_ = fieldName;
    UpdateField();
    UpdateDataIndependent();
}

void TFieldDataLinkX::SetDataSource(db::TDataSource* source) {
    if (source == DataSource())
        return;
    db::TDataLink::SetDataSource(source);
    UpdateDataIndependent();
}

bool TFieldDataLinkX::Edit() {
    if (dataIndependent_) {
        if (!editing_ && !ReadOnly()) {
            editing_ = true;
            modified_ = false;
            if (OnEditingChange)
                OnEditingChange(this);
        }
    } else if (CanModify()) {
        db::TDataLink::Edit();
    }
    return editing_;
}

bool TFieldDataLinkX::IsActive() const {
    return dataIndependent_ || (Active() && Field());
}

bool TFieldDataLinkX::CanModify() const {
    return dataIndependent_ || (Field() && Field()->CanModify());
}

void TFieldDataLinkX::SetText(const QString& text) {
    if (dataIndependent_) {
        dataIndependentValue_ = text;
        RecordChanged(nullptr);
    } else if (db::TField* field = Field()) {
        if (field->DataType() == db::ftMemo)
            field->SetAsString(text);
        else
            field->SetEditText(text);
    }
}

void TFieldDataLinkX::SetValue(const QVariant& value) {
    if (dataIndependent_) {
        dataIndependentValue_ = value;
        RecordChanged(nullptr);
        return;
    }
    if (FieldsCount() > 1) {
        if (db::VarIsNull(value)) {
            for (db::TField* field : fields_)
                field->SetValue(db::NullVariant());
            return;
        }
        const QVariantList values = value.toList();
        if (values.size() != fields_.size())
            db::DatabaseError(QStringLiteral("%1 values given for the fields %2")
                                  .arg(values.size())
                                  .arg(fieldName_));
        for (int i = 0; i < fields_.size(); ++i)
            fields_.at(i)->SetValue(values.at(i));
        return;
    }
    if (db::TField* field = Field())
        field->SetValue(value);
}

TFieldsArrX TFieldDataLinkX::ResolveFields() const {
    TFieldsArrX fields;
    if (!Active() || fieldName_.isEmpty())
        return fields;
    const db::TDataSet& dataSet = *DataSet();
    if (multiFields_) {
        FieldsByNameList(&fields, dataSet, control_, fieldName_);
        return fields;
    }
    db::TField* field = dataSet.FindField(fieldName_);
    if (!field) {
        QString message = QStringLiteral("Field '%1' not found").arg(fieldName_);
        if (control_ && !control_->objectName().isEmpty())
            message = control_->objectName() + QStringLiteral(": ") + message;
        db::DatabaseError(message);
    }
    fields.append(field);
    return fields;
}

void TFieldDataLinkX::UpdateField() {
    fields_ = ResolveFields();
    EditingChanged();
    RecordChanged(nullptr);
}

void TFieldDataLinkX::UpdateDataIndependent() {
    const bool independent = !DataSource() && fieldName_.isEmpty();
    if (independent == dataIndependent_)
        return;
    dataIndependent_ = independent;
    dataIndependentValue_ = db::NullVariant();
    LayoutChanged();
    if (independent)
        RecordChanged(nullptr);
}

void TFieldDataLinkX::SetEditing(bool editing) {
    if (editing == editing_)
        return;
    editing_ = editing;
    modified_ = false;
    if (OnEditingChange)
        OnEditingChange(this);
}

void TFieldDataLinkX::ActiveChanged() {
    UpdateField();
    if (OnActiveChange)
        OnActiveChange(this);
}

void TFieldDataLinkX::EditingChanged() {
    SetEditing(db::TDataLink::Editing() && CanModify());
}

void TFieldDataLinkX::FocusControl(db::TField* field) {
    if (field && FieldFound(field) && control_ && control_->focusPolicy() != Qt::NoFocus)
        control_->setFocus();
}

void TFieldDataLinkX::LayoutChanged() {
    UpdateField();
}

void TFieldDataLinkX::RecordChanged(db::TField* field) {
    if (field && !FieldFound(field))
        return;
    if (OnDataChange)
        OnDataChange(this);
    modified_ = false;
}

void TFieldDataLinkX::UpdateData() {
    if (dataIndependent_) {
        if (modified_ && OnUpdateData)
            OnUpdateData(this);
        editing_ = false;
    } else if (modified_ && Field() && OnUpdateData) {
        OnUpdateData(this);
    }
    modified_ = false;
}

} // namespace kx
