#include "tablereport/setprintpaperform.h"

#include "core/messages.h"
#include "core/moneytext.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {
namespace {

QLineEdit* SizeEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(7);
    return edit;
}

QPushButton* Button(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    // Enter belongs to the edits, which pass the focus on with it.
    button->setAutoDefault(false);
    return button;
}

} // namespace

TSetPrintPaperForm::TSetPrintPaperForm(QWidget* owner)
    : QDialog(owner), WidthEdit(SizeEdit(this)), HeightEdit(SizeEdit(this)),
      OkButton(Button(QStringLiteral("确定"), this)),
      CloseButton(Button(QStringLiteral("关闭"), this)) {
    setWindowTitle(QStringLiteral("自定义纸张大小设置窗口"));
    auto* edits = new QGridLayout;
    edits->addWidget(new QLabel(QStringLiteral("纸张宽度"), this), 0, 0);
    edits->addWidget(WidthEdit, 0, 1);
    edits->addWidget(new QLabel(QStringLiteral("纸张高度"), this), 1, 0);
    edits->addWidget(HeightEdit, 1, 1);
    edits->addWidget(new QLabel(QStringLiteral("单位:毫米"), this), 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(edits);
    layout->addLayout(buttons);
    connect(OkButton, &QPushButton::clicked, this, ui::Guard([this] { OkClick(); }));
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    new ui::KeyPreview(this, [this](QKeyEvent* event) {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (!enter || (focusWidget() != WidthEdit && focusWidget() != HeightEdit))
            return false;
        ui::MoveFocus(this, true);
        return true;
    });
}

void TSetPrintPaperForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    WidthEdit->setFocus();
}

double TSetPrintPaperForm::PaperWidthMm() const {
    return MoneyTextToFloat(WidthEdit->text());
}

double TSetPrintPaperForm::PaperHeightMm() const {
    return MoneyTextToFloat(HeightEdit->text());
}

void TSetPrintPaperForm::OkClick() {
    // A paper without a size would make a page without pixels.
    if (PaperWidthMm() <= 0) {
        ShowPromptMessageTo(this, QStringLiteral("必须输入纸张宽度"));
        WidthEdit->setFocus();
    } else if (PaperHeightMm() <= 0) {
        ShowPromptMessageTo(this, QStringLiteral("必须输入纸张高度"));
        HeightEdit->setFocus();
    } else {
        accept();
    }
}

} // namespace kx
