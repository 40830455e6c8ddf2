#include "frame/dialogs/selectimesform.h"

#include "core/appstate.h"
#include "frame/controls/imenames.h"
#include "frame/controls/kxcombobox.h"
#include "platform/ui/keypreview.h"

#include <QLabel>
#include <QPushButton>

namespace kx {

TSelectImesForm::TSelectImesForm(QWidget* parent)
    : QDialog(parent), KXComboBox1(new TKXComboBox(this)),
      SureButton(new QPushButton(QStringLiteral("确定"), this)),
      CloseButton(new QPushButton(QStringLiteral("关闭"), this)) {
    setWindowTitle(QStringLiteral("输入法选择窗口"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    setFixedSize(266, 126);
    KXComboBox1->SetStyle(csDropDownList);
    KXComboBox1->SetColor(AppEditColor);
    KXComboBox1->SetColorOnFocus(AppFocusColor);
    KXComboBox1->addItems(InstalledImeNames() + QStringList{QString(), QString(), QString()});
    KXComboBox1->setGeometry(24, 40, 217, 22);
    (new QLabel(QStringLiteral("输入法"), this))->setGeometry(24, 18, 80, 16);
    SureButton->setGeometry(48, 88, 75, 25);
    CloseButton->setGeometry(144, 88, 75, 25);
    SureButton->setDefault(true);
    connect(SureButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    ui::ClickOnEscape(this, SureButton);
}

} // namespace kx

#include "moc_selectimesform.cpp"
