#include "tablereport/selectreportform.h"

#include "core/messages.h"

#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kx {

TSelectReportForm::TSelectReportForm(QWidget* owner)
    : QDialog(owner), RadioButton1(new QRadioButton(this)), RadioButton2(new QRadioButton(this)),
      RadioButton3(new QRadioButton(this)),
      SureButton(new QPushButton(QStringLiteral("确定"), this)) {
    setWindowTitle(QStringLiteral("打印选择窗口"));
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton3->setObjectName(QStringLiteral("RadioButton3"));
    RadioButton1->setChecked(true);
    RadioButton3->setVisible(false);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* widget :
         {static_cast<QWidget*>(RadioButton1), static_cast<QWidget*>(RadioButton2),
          static_cast<QWidget*>(RadioButton3), static_cast<QWidget*>(SureButton)})
        layout->addWidget(widget);
    connect(SureButton, &QPushButton::clicked, this, [this] { SureButtonClick(); });
}

void TSelectReportForm::SureButtonClick() {
    if (RadioButton1->isChecked() || RadioButton2->isChecked() ||
        (RadioButton3->isChecked() && !RadioButton1->isHidden())) {
        accept();
        return;
    }
    ShowPromptMessage(QStringLiteral("必须选择一个选项"));
}

} // namespace kx

#include "moc_selectreportform.cpp"
