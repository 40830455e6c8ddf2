#include "frame/dialogs/selectitemqueryform.h"

#include "core/messages.h"
#include "frame/controls/radiogroup.h"
#include "platform/ui/application.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace kx {

TSelectItemQueryForm::TSelectItemQueryForm(QWidget* parent)
    : TSelectItemForm(parent, true), CloseButton(new QPushButton(QStringLiteral("关闭"), this)) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    Buttons->addWidget(CloseButton);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
}

int SelectOneOfTwo(const QString& item1, const QString& item2, const QString& caption) {
    TSelectItemQueryForm form;
    form.setWindowTitle(caption);
    form.RadioGroup->AddItem(item1);
    form.RadioGroup->AddItem(item2);
    ForceForegroundFocus(&form);
    return ui::ExecModal(form) == QDialog::Accepted ? form.ChosenItem : 0;
}

} // namespace kx

#include "moc_selectitemqueryform.cpp"
