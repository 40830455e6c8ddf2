#include "frame/admin/yearform.h"

#include "core/appstate.h"
#include "core/messages.h"
#include "frame/admin/outdateddeletion.h"
#include "frame/controls/kxedit.h"
#include "platform/ui/keypreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace kx {

TYearForm::TYearForm(QWidget* parent)
    : QDialog(parent), YearEdit(new TKXEdit(this)),
      SureButton(new QPushButton(QStringLiteral("确定"), this)),
      CloseButton(new QPushButton(QStringLiteral("关闭"), this)) {
    setObjectName(QStringLiteral("YearForm"));
    setWindowTitle(QStringLiteral("删除年份输入窗口"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(265, 149);
    (new QLabel(QStringLiteral("删除年份"), this))->setGeometry(32, 36, 64, 16);
    YearEdit->setObjectName(QStringLiteral("YearEdit"));
    YearEdit->SetEditType(etInteger);
    YearEdit->SetMaxLength(4);
    YearEdit->SetColor(AppEditColor);
    YearEdit->SetColorOnFocus(AppFocusColor);
    YearEdit->setGeometry(104, 32, 121, 21);
    SureButton->setGeometry(40, 96, 81, 25);
    CloseButton->setGeometry(144, 96, 81, 25);
    SureButton->setAutoDefault(false);
    CloseButton->setAutoDefault(false);
    connect(SureButton, &QPushButton::clicked, this, &TYearForm::SureButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    new ui::KeyPreview(this, [this](QKeyEvent* event) {
        switch (event->key()) {
        case Qt::Key_Escape:
            SureButton->click();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (QApplication::focusWidget() != YearEdit)
                return false;
            ui::MoveFocus(this, true);
            return true;
        default:
            return false;
        }
    });
}

void TYearForm::SureButtonClick() {
    const QString refusal = CheckDeletionYear(YearEdit->text());
    if (refusal.isEmpty()) {
        accept();
        return;
    }
    ShowPromptMessage(refusal);
    YearEdit->setFocus();
}

} // namespace kx

#include "moc_yearform.cpp"
