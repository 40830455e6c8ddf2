#include "frame/app/logonform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/settingfunctions.h"
#include "core/sqlfunctions.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxedit.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"
#include "platform/ui/passwordecho.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace kx {
namespace {

constexpr int kAllowedFailures = 3;

QLabel* MakePicture(QWidget* parent) {
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 64, 128), 2));
    painter.setBrush(QColor(0, 128, 192));
    painter.drawEllipse(QRectF(10, 3, 12, 12));
    painter.drawRoundedRect(QRectF(4, 17, 24, 13), 6, 6);
    painter.end();
    auto* image = new QLabel(parent);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(picture);
    return image;
}

} // namespace

TLogonForm::TLogonForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("LogonForm"));
    setWindowTitle(QStringLiteral("用户登陆窗口"));
    setFixedSize(247, 121);

    ButtonOK = new QPushButton(QStringLiteral("确定[F3]"), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonOK->setGeometry(48, 84, 80, 27);
    ButtonCancel = new QPushButton(QStringLiteral("取消[F4]"), this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    ButtonCancel->setGeometry(144, 84, 80, 27);
    UserIDBox = new TKXComboBox(this);
    UserIDBox->setObjectName(QStringLiteral("UserIDBox"));
    UserIDBox->setGeometry(104, 14, 128, 24);
    PasswordEdit = new TKXEdit(this);
    PasswordEdit->setObjectName(QStringLiteral("PasswordEdit"));
    ui::EchoAsStars(PasswordEdit);
    PasswordEdit->setGeometry(104, 46, 128, 24);
    LongNameLabel = new QLabel(QStringLiteral("用户名称"), this);
    LongNameLabel->setObjectName(QStringLiteral("LongNameLabel"));
    LongNameLabel->setGeometry(48, 18, 56, 18);
    LongPasswordLabel = new QLabel(QStringLiteral("用户密码"), this);
    LongPasswordLabel->setObjectName(QStringLiteral("LongPasswordLabel"));
    LongPasswordLabel->setGeometry(48, 50, 56, 18);
    MakePicture(this)->setGeometry(8, 14, 32, 32);

    setTabOrder(ButtonOK, ButtonCancel);
    setTabOrder(ButtonCancel, UserIDBox);
    setTabOrder(UserIDBox, PasswordEdit);

    connect(ButtonOK, &QPushButton::clicked, this, ui::Guard([this] { ButtonOKClick(); }));
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    new ui::KeyPreview(this, [this](QKeyEvent* event) { return FormKeyDown(event); });
    FormCreate();
}

void TLogonForm::FormCreate() {
    UserIDBox->SetColor(AppEditColor);
    UserIDBox->SetSavedColor(AppEditColor);
    UserIDBox->SetColorOnFocus(AppFocusColor);
    PasswordEdit->SetColor(AppEditColor);
    PasswordEdit->SetSavedColor(AppEditColor);
    PasswordEdit->SetColorOnFocus(AppFocusColor);
    LongNameLabel->setText(QStringLiteral("用户名称"));
    LongPasswordLabel->setText(QStringLiteral("用户口令"));
    const std::unique_ptr<db::TQuery> users = OpenSqlQuery(
        kDatabaseName,
        QStringLiteral("SELECT  USE_NAME from SYS_USER_TABLE WHERE STOP_RIGHT ='有效'"));
    FillComboFromQuery(UserIDBox, *users, QStringLiteral("USE_NAME"));
    UserIDBox->setCurrentIndex(-1);
}

void TLogonForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    UserIDBox->setFocus();
}

bool TLogonForm::FormKeyDown(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_F3:
        ButtonOK->click();
        return true;
    case Qt::Key_F4:
        ButtonCancel->click();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // Enter in the two boxes moves on instead of pressing a button.
        QWidget* focus = focusWidget();
        if (focus == PasswordEdit || focus == UserIDBox || focus == UserIDBox->lineEdit()) {
            ui::MoveFocus(this, true);
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

void TLogonForm::ButtonOKClick() {
    const QString user = UserIDBox->currentText().trimmed();
    const QString password = PasswordEdit->text().trimmed();
    const std::unique_ptr<db::TQuery> query = OpenSqlQuery(
        kDatabaseName,
        QStringLiteral("SELECT  USE_ID,USE_NAME,SYS_USER,STOP_RIGHT from SYS_USER_TABLE where "
                       "((USE_ID = ") +
            QuotedStr(user) + QStringLiteral(") OR (USE_NAME = ") + QuotedStr(user) +
            QStringLiteral("))  and USE_PASSWORD = ") + QuotedStr(password) +
            QStringLiteral(" and STOP_RIGHT ='有效'"));
    if (!query->IsEmpty()) {
        AppUserName = query->FieldByName(QStringLiteral("USE_NAME"))->AsString();
        AppUserId = query->FieldByName(QStringLiteral("USE_ID"))->AsString();
        AppSystemUser =
            query->FieldByName(QStringLiteral("SYS_USER"))->AsString() == QStringLiteral("是");
        AppImeName = ReadSetting(QStringLiteral("RUReravezImes"));
        accept();
        return;
    }
    if (failedAttempts_ < kAllowedFailures) {
        ++failedAttempts_;
        ShowPromptMessage(QStringLiteral("错误的用户编号或错误的口令"));
        UserIDBox->setFocus();
        return;
    }
    ShowPromptMessage(QStringLiteral("您可能是非法的用户,不能登陆系统"));
    reject();
}

} // namespace kx

#include "moc_logonform.cpp"
