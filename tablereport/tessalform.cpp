#include "tablereport/tessalform.h"

#include "platform/ui/application.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace kx {
namespace {

QSpinBox* MarginEdit(QWidget* parent) {
    auto* edit = new QSpinBox(parent);
    edit->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    return edit;
}

} // namespace

TTessalForm::TTessalForm(QWidget* owner)
    : QDialog(owner), LeftEdit(MarginEdit(this)), TopEdit(MarginEdit(this)),
      RightEdit(MarginEdit(this)), BottomEdit(MarginEdit(this)),
      OkButton(new QPushButton(QStringLiteral("确定"), this)),
      SetupButton(new QPushButton(QStringLiteral("Setup"), this)),
      CancelButton(new QPushButton(QStringLiteral("取消"), this)) {
    setWindowTitle(QStringLiteral("报表属性设置"));
    auto* edits = new QGridLayout;
    edits->addWidget(new QLabel(QStringLiteral("左边距:"), this), 0, 0);
    edits->addWidget(LeftEdit, 0, 1);
    edits->addWidget(new QLabel(QStringLiteral("上边距:"), this), 0, 2);
    edits->addWidget(TopEdit, 0, 3);
    edits->addWidget(new QLabel(QStringLiteral("右边距:"), this), 1, 0);
    edits->addWidget(RightEdit, 1, 1);
    edits->addWidget(new QLabel(QStringLiteral("下边距:"), this), 1, 2);
    edits->addWidget(BottomEdit, 1, 3);
    edits->addWidget(new QLabel(QStringLiteral("单位:毫米"), this), 2, 0, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(SetupButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(edits);
    layout->addLayout(buttons);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, ui::Guard([this] { OkClick(); }));
    connect(SetupButton, &QPushButton::clicked, this, ui::Guard([this] { SetupClick(); }));
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::array<int32_t, 4> TTessalForm::Margins() const {
    return {LeftEdit->value(), TopEdit->value(), RightEdit->value(), BottomEdit->value()};
}

void TTessalForm::SetMargins(const std::array<int32_t, 4>& margins) {
    LeftEdit->setValue(margins[0]);
    TopEdit->setValue(margins[1]);
    RightEdit->setValue(margins[2]);
    BottomEdit->setValue(margins[3]);
}

void TTessalForm::OkClick() {
    accept();
}

void TTessalForm::SetupClick() {}

} // namespace kx
