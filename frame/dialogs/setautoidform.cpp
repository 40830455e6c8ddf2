#include "frame/dialogs/setautoidform.h"

#include "core/appstate.h"
#include "core/options.h"
#include "platform/ui/application.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kx {
namespace {

// The mode a data folder without the option numbers by, "统一账款编号".
constexpr int kDefaultNumberingMode = 1;

const QString kYes = QStringLiteral("是");
const QString kNo = QStringLiteral("否");

QString YesNo(bool yes) {
    return yes ? kYes : kNo;
}

} // namespace

TSetAutoIDForm::TSetAutoIDForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      numberingMode_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("SetAutoIDForm"));
    setWindowTitle(QStringLiteral("编号方式设置窗口"));
    setFixedSize(344, 229);

    auto* modes = new QGroupBox(QStringLiteral("账款收支编号方式设置"), this);
    modes->setObjectName(QStringLiteral("RadioGroup1"));
    auto* modeGrid = new QGridLayout(modes);
    const QStringList modeNames = {QStringLiteral("按一级账款类别编号"),
                                   QStringLiteral("统一账款编号"), QStringLiteral("按账款类别编号"),
                                   QStringLiteral("不检查重复编号")};
    for (int i = 0; i < modeNames.size(); ++i) {
        auto* mode = new QRadioButton(modeNames[i], modes);
        numberingMode_->addButton(mode, i);
        modeGrid->addWidget(mode, i / 2, i % 2);
    }
    numberingMode_->button(kDefaultNumberingMode)->setChecked(true);

    fillMoneyId_ = new QCheckBox(QStringLiteral("系统自动填写资金借贷编号"), this);
    financialFormat_ = new QCheckBox(QStringLiteral("系统按财务记账格式显示金额"), this);
    fillEmployeeId_ = new QCheckBox(QStringLiteral("系统自动填写员工编号"), this);
    autoBackup_ = new QCheckBox(QStringLiteral("系统自动备份数据"), this);
    fillMoneyId_->setObjectName(QStringLiteral("CheckBox1"));
    financialFormat_->setObjectName(QStringLiteral("CheckBox2"));
    fillEmployeeId_->setObjectName(QStringLiteral("CheckBox3"));
    autoBackup_->setObjectName(QStringLiteral("CheckBox4"));

    auto* bottom = new QFrame(this);
    bottom->setFrameShape(QFrame::StyledPanel);
    okButton_ = new QPushButton(QStringLiteral("确定"), bottom);
    okButton_->setObjectName(QStringLiteral("Button_Ok"));
    okButton_->setDefault(true);
    auto* bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(4, 4, 4, 4);
    bottomLayout->addStretch();
    bottomLayout->addWidget(okButton_);
    bottomLayout->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(2);
    layout->addWidget(modes);
    for (QCheckBox* box : {fillMoneyId_, financialFormat_, fillEmployeeId_, autoBackup_})
        layout->addWidget(box);
    layout->addStretch();
    layout->addWidget(bottom);

    setTabOrder(fillMoneyId_, fillEmployeeId_);
    setTabOrder(fillEmployeeId_, financialFormat_);
    setTabOrder(financialFormat_, numberingMode_->button(0));
    setTabOrder(numberingMode_->button(0), autoBackup_);
    setTabOrder(autoBackup_, okButton_);

    connect(okButton_, &QPushButton::clicked, this, ui::Guard([this] { ButtonOkClick(); }));
}

void TSetAutoIDForm::reject() {
    try {
        ButtonOkClick();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TSetAutoIDForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* current = screen())
        move(current->availableGeometry().center() - rect().center());
    try {
        FormShow();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TSetAutoIDForm::FormShow() {
    fillEmployeeId_->setChecked(IsOptionYes(QStringLiteral("员工编号")));
    fillMoneyId_->setChecked(IsOptionYes(QStringLiteral("借贷编号")));
    autoBackup_->setChecked(!IsOptionYes(QStringLiteral("不自动数据备份")));
    financialFormat_->setChecked(!IsOptionYes(QStringLiteral("非财务格式")));
    LoadNumberingMode();
    // A stored mode that names no item shows the default one, so that "确定"
    // always writes a mode the record windows know.
    QAbstractButton* mode = numberingMode_->button(AppNumberingMode);
    (mode ? mode : numberingMode_->button(kDefaultNumberingMode))->setChecked(true);
}

void TSetAutoIDForm::ButtonOkClick() {
    AppFinancialFormat = financialFormat_->isChecked();
    SetOption(QStringLiteral("非财务格式"), YesNo(!AppFinancialFormat));
    SetOption(QStringLiteral("借贷编号"), YesNo(fillMoneyId_->isChecked()));
    SetOption(QStringLiteral("员工编号"), YesNo(fillEmployeeId_->isChecked()));
    SetOption(QStringLiteral("不自动数据备份"), YesNo(!autoBackup_->isChecked()));
    const int mode = numberingMode_->checkedId();
    SetOption(QStringLiteral("分类编号"), QString::number(mode));
    AppNumberingMode = mode;
    accept();
}

} // namespace kx

#include "moc_setautoidform.cpp"
