#include "frame/controls/fieldeditlink.h"

#include "platform/db/dataset.h"
#include "platform/sys/exception.h"
#include "platform/ui/application.h"

#include <QMetaObject>
#include <QWidget>

#include <exception>

namespace kx {
namespace {

// A box whose value the field refused on leaving: the focus comes back to it
// and the reason is shown, once the focus change under way has finished.
void ReturnFocusAndReport(QWidget* control, std::exception_ptr error) {
    QMetaObject::invokeMethod(
        control,
        [control, error] {
            control->setFocus(Qt::OtherFocusReason);
            try {
                std::rethrow_exception(error);
            } catch (...) {
                ui::HandleCurrentException();
            }
        },
        Qt::QueuedConnection);
}

} // namespace

void TFieldEditLink::SetFieldName(const QString& name) {
    if (name == fieldName_)
        return;
    fieldName_ = name;
    UpdateField();
}

bool TFieldEditLink::CanModify() const {
    return !ReadOnly() && field_ && field_->CanModify();
}

bool TFieldEditLink::Edit() {
    if (CanModify())
        TDataLink::Edit();
    return Editing();
}

void TFieldEditLink::RecordChanged(db::TField* field) {
    if (field && field != field_)
        return;
    if (OnDataChange)
        OnDataChange();
    modified_ = false;
    refusalShown_ = false;
}

void TFieldEditLink::EditingChanged() {
    if (OnEditingChange)
        OnEditingChange();
}

void TFieldEditLink::UpdateData() {
    if (!modified_)
        return;
    if (field_ && OnUpdateData) {
        try {
            OnUpdateData();
        } catch (...) {
            if (refusalShown_)
                Abort();
            throw;
        }
    }
    modified_ = false;
}

bool TFieldEditLink::UpdateOnExit(QWidget* control) {
    refusalShown_ = false;
    try {
        UpdateRecord();
        return true;
    } catch (...) {
        refusalShown_ = true;
        ReturnFocusAndReport(control, std::current_exception());
        return false;
    }
}

void TFieldEditLink::UpdateField() {
    db::TDataSet* dataSet = DataSet();
    field_ =
        Active() && dataSet && !fieldName_.isEmpty() ? dataSet->FindField(fieldName_) : nullptr;
    RecordChanged(nullptr);
}

} // namespace kx
