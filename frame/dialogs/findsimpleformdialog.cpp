#include "frame/dialogs/findsimpleformdialog.h"

#include "frame/dialogs/kxfindsimpleform.h"

namespace kx {

TFindSimpleFormDialog::TFindSimpleFormDialog(QObject* owner)
    : TFindDialog(owner, std::make_unique<TKXFindSimpleForm>()) {}

TKXFindSimpleForm* TFindSimpleFormDialog::Form() const {
    return static_cast<TKXFindSimpleForm*>(Window());
}

void TFindSimpleFormDialog::SetFieldsData(const TFieldsDataArray& fields) {
    Form()->SetFieldsData(fields);
}

bool TFindSimpleFormDialog::Execute() {
    Form()->setFont(LanguageFont(Language));
    Form()->PickerFont = LanguageFont(Language);
    return ShowWindow(true);
}

QString TFindSimpleFormDialog::GetFindText() const {
    return Form()->FindText();
}

} // namespace kx

#include "moc_findsimpleformdialog.cpp"
