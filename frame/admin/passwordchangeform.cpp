#include "frame/admin/passwordchangeform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/sqlfunctions.h"
#include "frame/admin/passwordchange.h"
#include "frame/controls/kxedit.h"
#include "platform/db/query.h"
#include "platform/ui/keypreview.h"
#include "platform/ui/passwordecho.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace kx {
namespace {

TKXEdit* PasswordEdit(QWidget* form, const char* name, int top) {
    auto* edit = new TKXEdit(form);
    edit->setObjectName(QString::fromLatin1(name));
    ui::EchoAsStars(edit);
    edit->SetMaxLength(10);
    edit->setGeometry(104, top, 145, 21);
    return edit;
}

void AddLabel(QWidget* form, const QString& caption, int top) {
    auto* label = new QLabel(caption, form);
    label->setGeometry(24, top + 3, 76, 16);
}

} // namespace

TPasswordChangeForm::TPasswordChangeForm(QWidget* owner)
    : TKXBaseForm(owner), OldPasswordEdit(PasswordEdit(this, "OldPasswordEdit", 20)),
      NewPasswordEdit(PasswordEdit(this, "NewPasswordEdit", 52)),
      ConfirmPasswordEdit(PasswordEdit(this, "ConfirmPasswordEdit", 84)),
      SureButton(new QPushButton(QStringLiteral("确定[F3]"), this)),
      CloseButton(new QPushButton(QStringLiteral("关闭[F4]"), this)) {
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("用户口令修改窗口"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    setFixedSize(278, 158);
    AddLabel(this, QStringLiteral("老口令"), 20);
    AddLabel(this, QStringLiteral("新口令"), 52);
    AddLabel(this, QStringLiteral("确认新口令"), 84);
    SureButton->setObjectName(QStringLiteral("SureButton"));
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    SureButton->setGeometry(48, 120, 81, 25);
    CloseButton->setGeometry(152, 120, 81, 25);
    SureButton->setAutoDefault(false);
    CloseButton->setAutoDefault(false);
    SetOnClick(SureButton, [this](QObject*) { SureButtonClick(); });
    SetOnClick(CloseButton, [this](QObject*) { CloseButtonClick(); });
    // Enter presses the OK button when it has the focus, so the form moves
    // the focus itself.
    KXChild->EnterMove = false;
}

void TPasswordChangeForm::FormShow() {
    TKXBaseForm::FormShow();
    for (TKXEdit* edit : {OldPasswordEdit, NewPasswordEdit, ConfirmPasswordEdit}) {
        edit->SetColorOnFocus(AppFocusColor);
        edit->SetColor(AppEditColor);
    }
    OldPasswordEdit->setFocus();
}

void TPasswordChangeForm::FormKeyDown(int& key, ui::TShiftState shift) {
    TKXBaseForm::FormKeyDown(key, shift);
    QAbstractButton* pressed = nullptr;
    if (key == Qt::Key_F3)
        pressed = SureButton;
    else if (key == Qt::Key_F4)
        pressed = CloseButton;
    else if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
             QApplication::focusWidget() == SureButton)
        pressed = SureButton;
    if (pressed) {
        if (ClickByKey(pressed))
            key = 0;
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        ui::MoveFocus(this, true);
        key = 0;
    }
}

void TPasswordChangeForm::SureButtonClick() {
    const TPasswordRefusal refusal = CheckPasswordChange(
        OldPasswordEdit->text(), NewPasswordEdit->text(), ConfirmPasswordEdit->text(),
        [](const QString& oldPassword) {
            return !OpenSqlQuery(kDatabaseName, PasswordCheckSql(AppUserId, oldPassword))
                        ->IsEmpty();
        });
    if (!refusal.Message.isEmpty()) {
        ShowPromptMessage(refusal.Message);
        switch (refusal.Focus) {
        case TPasswordEdit::Old:
            OldPasswordEdit->setFocus();
            break;
        case TPasswordEdit::New:
            NewPasswordEdit->setFocus();
            break;
        case TPasswordEdit::Confirm:
            ConfirmPasswordEdit->setFocus();
            break;
        }
        return;
    }
    if (!ExecSqlText(kDatabaseName, PasswordUpdateSql(AppUserId, NewPasswordEdit->text()))) {
        ShowPromptMessage(QStringLiteral("口令改变过程发生错误"));
        NewPasswordEdit->setFocus();
        return;
    }
    ShowPromptMessage(QStringLiteral("口令改变成功"));
    ClearNewPasswords();
    close();
}

void TPasswordChangeForm::CloseButtonClick() {
    ClearNewPasswords();
    close();
}

void TPasswordChangeForm::ClearNewPasswords() {
    NewPasswordEdit->clear();
    ConfirmPasswordEdit->clear();
}

} // namespace kx

#include "moc_passwordchangeform.cpp"
