#include "tablereport/setprintform.h"

#include "core/messages.h"
#include "platform/sys/numberformat.h"
#include "platform/ui/keypreview.h"
#include "tablereport/prevformlogic.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace kx {
namespace {

// The value typed, or nothing while the text is not a number.
std::optional<double> Typed(const QLineEdit* edit) {
    double value = 0;
    if (!sys::TryStrToFloat(edit->text().trimmed(), value))
        return std::nullopt;
    return value;
}

void FollowTotal(const QLineEdit* typed, QLineEdit* follower, int total) {
    if (const auto value = Typed(typed))
        follower->setText(QString::number(std::llround(total - *value)));
}

} // namespace

TSetPrintForm::TSetPrintForm(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("报表边距设置窗口"));
    auto* grid = new QGridLayout(this);
    EditTop = AddEdit(QStringLiteral("上边距"), 2, 0);
    EditBottom = AddEdit(QStringLiteral("下边距"), 1, 1);
    EditLeft = AddEdit(QStringLiteral("左边距"), 2, 2);
    EditRight = AddEdit(QStringLiteral("右边距"), 1, 3);
    EditTop->setObjectName(QStringLiteral("EditTop"));
    EditBottom->setObjectName(QStringLiteral("EditBottom"));
    EditLeft->setObjectName(QStringLiteral("EditLeft"));
    EditRight->setObjectName(QStringLiteral("EditRight"));
    SureButton = new QPushButton(QStringLiteral("确定"), this);
    CloseButton = new QPushButton(QStringLiteral("关闭"), this);
    SureButton->setAutoDefault(false);
    CloseButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SureButton);
    buttons->addWidget(CloseButton);
    grid->addLayout(buttons, 4, 0, 1, 2);
    connect(SureButton, &QPushButton::clicked, this, [this] { SureButtonClick(); });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(EditTop, &QLineEdit::textEdited, this,
            [this] { FollowTotal(EditTop, EditBottom, VerticalMarginTotal); });
    connect(EditLeft, &QLineEdit::textEdited, this,
            [this] { FollowTotal(EditLeft, EditRight, HorizontalMarginTotal); });
    new ui::KeyPreview(this, [this](QKeyEvent* event) {
        if ((event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) ||
            qobject_cast<QPushButton*>(focusWidget()))
            return false;
        ui::MoveFocus(this, true);
        return true;
    });
}

QLineEdit* TSetPrintForm::AddEdit(const QString& caption, int maxLength, int row) {
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* edit = new QLineEdit(this);
    edit->setMaxLength(maxLength);
    grid->addWidget(new QLabel(caption, this), row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

QLineEdit* TSetPrintForm::Edit(int index) const {
    const QLineEdit* edits[] = {EditTop, EditBottom, EditLeft, EditRight};
    return const_cast<QLineEdit*>(edits[index]);
}

void TSetPrintForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const double values[] = {Top, Bottom, Left, Right};
    for (int index = 0; index < 4; ++index)
        Edit(index)->setText(sys::FloatToStr(values[index]));
    EditTop->setFocus();
}

void TSetPrintForm::SureButtonClick() {
    const QStringList texts = {EditTop->text(), EditBottom->text(), EditLeft->text(),
                               EditRight->text()};
    if (const auto refusal = CheckMargins(texts)) {
        ShowPromptMessage(refusal->Message);
        Edit(int(refusal->Focus))->setFocus();
        return;
    }
    double* values[] = {&Top, &Bottom, &Left, &Right};
    for (int index = 0; index < 4; ++index)
        *values[index] = std::round(sys::StrToFloat(texts[index].trimmed()));
    accept();
}

} // namespace kx

#include "moc_setprintform.cpp"
