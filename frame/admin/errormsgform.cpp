#include "frame/admin/errormsgform.h"

#include "core/messages.h"
#include "platform/ui/application.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace kx {

TErrorMsgForm::TErrorMsgForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      Memo1(new QPlainTextEdit(this)), Button_Save(new QPushButton(QStringLiteral("保存"), this)),
      Button_Close(new QPushButton(QStringLiteral("关闭"), this)) {
    setObjectName(QStringLiteral("ErrorMsgForm"));
    setWindowTitle(QStringLiteral("信息显示窗口"));
    resize(613, 396);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Button_Save->setObjectName(QStringLiteral("Button_Save"));
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    ChooseSaveFile = [this] {
        return QFileDialog::getSaveFileName(this, QString(), DefaultFileName,
                                            QStringLiteral("txt (*.txt)"));
    };

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_Save);
    buttons->addWidget(Button_Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo1);
    layout->addLayout(buttons);

    connect(Button_Save, &QPushButton::clicked, this, ui::Guard([this] { Button_SaveClick(); }));
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::close);
}

void TErrorMsgForm::AddLine(const QString& line) {
    Memo1->appendPlainText(line);
}

QStringList TErrorMsgForm::Lines() const {
    const QString text = Memo1->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

void TErrorMsgForm::Button_SaveClick() {
    const QString path = ChooseSaveFile();
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const QByteArray text =
        (Lines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        ShowPromptMessage(QStringLiteral("文件不能保存：") + path);
}

} // namespace kx

#include "moc_errormsgform.cpp"
