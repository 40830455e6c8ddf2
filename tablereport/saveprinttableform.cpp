#include "tablereport/saveprinttableform.h"

#include "core/messages.h"
#include "platform/ui/application.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {

constexpr int kTitleLength = 50;

TSavePrintTableForm::TSavePrintTableForm(QWidget* parent)
    : QDialog(parent), TitleEdit(new QLineEdit(this)),
      button_Ok(new QPushButton(QStringLiteral("确定[F3]"), this)),
      button_close(new QPushButton(QStringLiteral("关闭[F12]"), this)) {
    setWindowTitle(QStringLiteral("报表模板标题录入编辑选择窗口"));
    TitleEdit->setObjectName(QStringLiteral("TitleEdit"));
    TitleEdit->setMaxLength(kTitleLength);
    TitleEdit->setMinimumWidth(TitleEdit->fontMetrics().horizontalAdvance(u'汉') * 30);
    button_Ok->setObjectName(QStringLiteral("button_Ok"));
    button_close->setObjectName(QStringLiteral("button_close"));
    button_Ok->setAutoDefault(false);
    button_close->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button_Ok);
    buttons->addWidget(button_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("报表模板标题"), this));
    layout->addWidget(TitleEdit);
    layout->addLayout(buttons);
    connect(button_Ok, &QPushButton::clicked, this, ui::Guard([this] { button_OkClick(); }));
    connect(button_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TSavePrintTableForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    TitleEdit->setFocus();
}

void TSavePrintTableForm::button_OkClick() {
    if (TitleEdit->text().trimmed().isEmpty()) {
        ShowPromptMessage(QStringLiteral("必须输入报表模板标题"));
        TitleEdit->setFocus();
        return;
    }
    accept();
}

void TSavePrintTableForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F3)
        button_Ok->click();
    else if (event->key() == Qt::Key_F12)
        button_close->click();
    else
        QDialog::keyPressEvent(event);
}

} // namespace kx

#include "moc_saveprinttableform.cpp"
