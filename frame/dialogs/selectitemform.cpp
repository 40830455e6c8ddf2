#include "frame/dialogs/selectitemform.h"

#include "core/messages.h"
#include "frame/controls/radiogroup.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kx {
namespace {

constexpr int kSortChoices = 12;

} // namespace

int RadioGroupHeight(int itemCount, int height) {
    switch (itemCount) {
    case 2:
        return 89;
    case 3:
        return 113;
    case 4:
        return 129;
    default:
        return height;
    }
}

TSelectItemForm::TSelectItemForm(QWidget* parent) : TSelectItemForm(parent, false) {}

TSelectItemForm::TSelectItemForm(QWidget* parent, bool closable)
    : QDialog(parent), RadioGroup(new TRadioGroup(this)),
      SureButton(new QPushButton(QStringLiteral("确定"), this)), Buttons(new QHBoxLayout) {
    setWindowTitle(QStringLiteral("打印选择窗口"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedWidth(396);
    RadioGroup->setFixedHeight(113);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup);
    layout->addStretch();
    layout->addLayout(Buttons);
    Buttons->addStretch();
    Buttons->addWidget(SureButton);
    SureButton->setDefault(true);
    connect(SureButton, &QPushButton::clicked, this, &TSelectItemForm::SureButtonClick);
    if (!closable) {
        ui::ClickOnEscape(this, SureButton);
    }
}

void TSelectItemForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The heights were made for a smaller font: the group never gets less
    // room than its items need to be read.
    RadioGroup->setFixedHeight(std::max(RadioGroupHeight(RadioGroup->Count(), RadioGroup->height()),
                                        RadioGroup->minimumSizeHint().height()));
    if (RadioGroup->Count() > 0 && RadioGroup->ItemIndex() < 0)
        RadioGroup->SetItemIndex(0);
    RadioGroup->setFocus();
}

void TSelectItemForm::SureButtonClick() {
    if (RadioGroup->ItemIndex() < 0) {
        ShowPromptMessage(QStringLiteral("必须选择一个选项"));
        return;
    }
    ChosenItem = RadioGroup->ItemIndex() + 1;
    accept();
}

QString SelectSortOrder(const QStringList& captions, const QStringList& fieldNames,
                        const QString& tablePrefix, const QString& windowCaption) {
    TSelectItemForm form;
    if (captions.size() > 8) {
        form.resize(form.width(), 252);
        form.RadioGroup->setFixedHeight(166);
    }
    for (const QString& caption : captions.mid(0, kSortChoices))
        form.RadioGroup->AddItem(QStringLiteral("按") + caption + QStringLiteral("排序"));
    form.setWindowTitle(windowCaption);
    ForceForegroundFocus(&form);
    if (ui::ExecModal(form) != QDialog::Accepted)
        return QString();
    const QString field = fieldNames.value(form.ChosenItem - 1);
    return QStringLiteral(" ORDER BY ") +
           (tablePrefix.isEmpty() ? field : tablePrefix + u'.' + field);
}

} // namespace kx

#include "moc_selectitemform.cpp"
