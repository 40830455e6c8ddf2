#include "frame/dialogs/selectmonthform.h"

#include "core/appstate.h"
#include "core/messages.h"
#include "frame/controls/kxedit.h"
#include "platform/sys/cp936.h"
#include "platform/ui/keypreview.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace kx {
namespace {

TKXEdit* NumberEdit(QWidget* parent, int maxLength, const QRect& geometry) {
    auto* edit = new TKXEdit(parent);
    edit->SetEditType(etInteger);
    edit->SetMaxLength(maxLength);
    edit->SetColor(AppEditColor);
    edit->SetColorOnFocus(AppFocusColor);
    edit->setGeometry(geometry);
    return edit;
}

} // namespace

void ParseMonthText(const QString& monthText, QString& year, QString& month) {
    year.clear();
    month.clear();
    const QByteArray bytes = cp936::Encode(monthText);
    if (bytes.size() != 10)
        return;
    bool yearOk = false;
    bool monthOk = false;
    bytes.mid(0, 4).toInt(&yearOk);
    bytes.mid(6, 2).toInt(&monthOk);
    if (!yearOk || !monthOk)
        return;
    year = cp936::Decode(bytes.mid(0, 4));
    month = cp936::Decode(bytes.mid(6, 2));
}

QString CheckYearMonth(const QString& year, const QString& month, bool& yearBox) {
    const QString y = year.trimmed();
    const QString m = month.trimmed();
    yearBox = true;
    if (y.isEmpty())
        return QStringLiteral("必须有一个年份");
    if (y.size() != 4)
        return QStringLiteral("错误的年份,正确的年份如2000年是:\"2000\"");
    yearBox = false;
    if (m.isEmpty())
        return QStringLiteral("必须输入月份");
    if (m.size() != 2)
        return QStringLiteral("月份必须是2位数，如2月应为：02 ");
    if (m.toInt() > 12)
        return QStringLiteral("月份不能大于12");
    if (m.toInt() < 1)
        return QStringLiteral("月份不能小于1");
    return QString();
}

TSelectMonthForm::TSelectMonthForm(QWidget* parent)
    : QDialog(parent), YearEdit(NumberEdit(this, 4, QRect(96, 24, 121, 21))),
      MonthEdit(NumberEdit(this, 2, QRect(96, 64, 121, 21))),
      SureButton(new QPushButton(QStringLiteral("确定[F3]"), this)),
      CloseButton(new QPushButton(QStringLiteral("关闭[F12]"), this)) {
    setWindowTitle(QStringLiteral("收支年月输入窗口"));
    setFixedSize(273, 176);
    (new QLabel(QStringLiteral("收支年份"), this))->setGeometry(32, 28, 60, 16);
    (new QLabel(QStringLiteral("收支月份"), this))->setGeometry(32, 68, 60, 16);
    SureButton->setGeometry(48, 120, 81, 25);
    CloseButton->setGeometry(144, 120, 81, 25);
    SureButton->setAutoDefault(false);
    CloseButton->setAutoDefault(false);
    connect(SureButton, &QPushButton::clicked, this, &TSelectMonthForm::SureButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    new ui::KeyPreview(this, [this](QKeyEvent* event) {
        switch (event->key()) {
        case Qt::Key_F3:
        case Qt::Key_Escape:
            if (SureButton->isEnabled())
                SureButton->click();
            return true;
        case Qt::Key_F12:
            if (CloseButton->isEnabled())
                CloseButton->click();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (QApplication::focusWidget() == YearEdit ||
                QApplication::focusWidget() == MonthEdit) {
                ui::MoveFocus(this, true);
                return true;
            }
            return false;
        default:
            return false;
        }
    });
}

void TSelectMonthForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QString year;
    QString month;
    ParseMonthText(MonthText, year, month);
    YearEdit->setText(year);
    MonthEdit->setText(month);
    YearEdit->setFocus();
}

void TSelectMonthForm::SureButtonClick() {
    bool yearBox = true;
    const QString refusal = CheckYearMonth(YearEdit->text(), MonthEdit->text(), yearBox);
    if (refusal.isEmpty()) {
        accept();
        return;
    }
    ShowPromptMessage(refusal);
    (yearBox ? YearEdit : MonthEdit)->setFocus();
}

} // namespace kx

#include "moc_selectmonthform.cpp"
