#include "grid/dbgrid/griddatalinkx.h"

#include "grid/base/invalidgridoperationx.h"
#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/customdbgridx.h"
#include "platform/db/field.h"

#include <QScopeGuard>

#include <algorithm>

namespace kx {

bool TGridDataLinkX::AddMapping(const QString& fieldName) {
    if (MapCount() >= MaxMapCount)
        throw EInvalidGridOperationX(
            QStringLiteral("Grid requested to display more than 256 columns"));
    db::TDataSet* dataSet = DataSet();
    db::TField* field = nullptr;
    if (dataSet)
        field = byColumnNames_ ? dataSet->FindField(fieldName) : dataSet->FieldByName(fieldName);
    fieldIndexMap_.push_back(field ? field->Index() : -1);
    return true;
}

void TGridDataLinkX::ClearFieldMap() {
    fieldIndexMap_.clear();
    fieldIndexMap_.shrink_to_fit();
}

db::TField* TGridDataLinkX::MappedField(int position) const {
    if (position < 0 || position >= MapCount())
        return nullptr;
    const int index = fieldIndexMap_[static_cast<std::size_t>(position)];
    db::TDataSet* dataSet = DataSet();
    if (index < 0 || !dataSet || index >= dataSet->FieldCount())
        return nullptr;
    return dataSet->Fields()[index];
}

bool TGridDataLinkX::UsesDefaultFields() const {
    const db::TDataSet* dataSet = DataSet();
    if (dataSet && !dataSet->DefaultFields())
        return false;
    if (!byColumnNames_)
        return true;
    return std::ranges::none_of(fieldIndexMap_, [](int index) { return index < 0; });
}

void TGridDataLinkX::Reset() {
    if (editorChanged_) {
        RecordChanged(nullptr);
        return;
    }
    if (db::TDataSet* dataSet = DataSet())
        dataSet->Cancel();
}

void TGridDataLinkX::ActiveChanged() {
    grid_->LinkActive(Active());
    editorChanged_ = false;
}

void TGridDataLinkX::DataEvent(db::TDataEvent event, db::TField* field) {
    db::TDataLink::DataEvent(event, field);
    if (event == db::deFieldListChange)
        grid_->Columns()->ForgetFields();
}

void TGridDataLinkX::DataSetChanged() {
    grid_->LinkDataSetChanged();
    editorChanged_ = false;
}

void TGridDataLinkX::DataSetScrolled(int distance) {
    grid_->DataChanged(distance);
}

void TGridDataLinkX::LayoutChanged() {
    const bool saved = grid_->layoutFromLink_;
    grid_->layoutFromLink_ = true;
    {
        const auto restore = qScopeGuard([&] { grid_->layoutFromLink_ = saved; });
        grid_->LayoutChanged();
    }
    db::TDataLink::LayoutChanged();
}

void TGridDataLinkX::FocusControl(db::TField* field) {
    if (!field)
        return;
    grid_->SelectColumnOfField(field);
    if (grid_->CurrentField() == field && grid_->AcquireFocus())
        grid_->ShowEditor();
}

void TGridDataLinkX::EditingChanged() {
    grid_->InvalidateIndicator();
}

void TGridDataLinkX::RecordChanged(db::TField* field) {
    grid_->RecordChanged(field);
    editorChanged_ = false;
}

void TGridDataLinkX::UpdateData() {
    if (inWriteBack_)
        return;
    inWriteBack_ = true;
    const auto release = qScopeGuard([this] {
        inWriteBack_ = false;
        editorChanged_ = false;
    });
    if (editorChanged_)
        grid_->UpdateData();
}

} // namespace kx
