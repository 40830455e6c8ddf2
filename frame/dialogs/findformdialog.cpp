#include "frame/dialogs/findformdialog.h"

#include "frame/dialogs/kxfindform.h"

#include <QListWidget>

namespace kx {

TFindFormDialog::TFindFormDialog(QObject* owner)
    : TFindDialog(owner, std::make_unique<TKXFindForm>()) {}

TKXFindForm* TFindFormDialog::Form() const {
    return static_cast<TKXFindForm*>(Window());
}

void TFindFormDialog::SetFieldsData(const TFieldsDataArray& fields) {
    Form()->SetFieldsData(fields);
    Form()->Reset();
}

bool TFindFormDialog::Execute() {
    return ShowWindow(false);
}

const QStringList& TFindFormDialog::GetConditionList() const {
    return Form()->ConditionList();
}

QString TFindFormDialog::GetConditionText() const {
    QString text;
    for (int i = 0; i < Form()->ListBox1->count(); ++i)
        text += Form()->ListBox1->item(i)->text();
    return text;
}

} // namespace kx

#include "moc_findformdialog.cpp"
