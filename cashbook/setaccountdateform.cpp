#include "cashbook/setaccountdateform.h"

#include "cashbook/ledgermonth.h"
#include "core/appstate.h"
#include "core/messages.h"
#include "core/options.h"
#include "frame/controls/kxcombobox.h"
#include "platform/ui/keypreview.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace kx::cashbook {
namespace {

const char* const kHintLines[] = {
    "不选择或选择31号就是以帐款日期所在月为",
    "台帐年月。选择28号，比如台帐年月是：2008年9月",
    "的收入和支出的帐款日期范围：大于2008年8月28日",
    "并且 小于等于2008年9月28日 。",
};

} // namespace

TSetAccountDateForm::TSetAccountDateForm(QWidget* parent)
    : QDialog(parent), KXComboBox1(new TKXComboBox(this)),
      Button_ok(new QPushButton(QStringLiteral("确定"), this)),
      Button_Close(new QPushButton(QStringLiteral("关闭"), this)) {
    setWindowTitle(QStringLiteral("台帐年月日期设置窗口"));
    setFixedSize(360, 220);
    (new QLabel(QStringLiteral("日期选择"), this))->setGeometry(40, 24, 64, 20);
    KXComboBox1->setObjectName(QStringLiteral("KXComboBox1"));
    KXComboBox1->SetStyle(csDropDownList);
    KXComboBox1->setGeometry(112, 22, 145, 22);
    for (int day = 1; day <= 31; ++day)
        KXComboBox1->addItem(QStringLiteral("%1号").arg(day));
    KXComboBox1->addItem(QString());
    int top = 60;
    for (const char* line : kHintLines) {
        auto* hint = new QLabel(QString::fromUtf8(line), this);
        hint->setStyleSheet(QStringLiteral("color: red"));
        hint->setGeometry(24, top, 320, 18);
        top += 22;
    }
    Button_ok->setGeometry(88, 170, 81, 25);
    Button_Close->setGeometry(192, 170, 81, 25);
    Button_ok->setAutoDefault(false);
    Button_Close->setAutoDefault(false);
    connect(Button_ok, &QPushButton::clicked, this, &TSetAccountDateForm::Button_okClick);
    connect(Button_Close, &QPushButton::clicked, this, &TSetAccountDateForm::Button_CloseClick);
    ui::ClickOnEscape(this, Button_ok);
    FormCreate();
}

void TSetAccountDateForm::FormCreate() {
    KXComboBox1->SetColorOnFocus(AppFocusColor);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TSetAccountDateForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TSetAccountDateForm::FormShow() {
    ForceForegroundFocus(this);
    KXComboBox1->SetColor(AppEditColor);
    KXComboBox1->setCurrentIndex(
        ClosingDayItemIndex(GetOptionText(QStringLiteral("GACCOUNT_DAY"))));
    KXComboBox1->setFocus();
}

void TSetAccountDateForm::Button_okClick() {
    SetOption(QStringLiteral("GACCOUNT_DAY"), ClosingDayOptionText(KXComboBox1->Text()));
    accept();
}

void TSetAccountDateForm::Button_CloseClick() {
    reject();
}

} // namespace kx::cashbook

#include "moc_setaccountdateform.cpp"
