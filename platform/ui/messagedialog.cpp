#include "platform/ui/messagedialog.h"

#include <QMessageBox>
#include <QPushButton>

namespace kx::ui {
namespace {

MessageSink& Sink() {
    static MessageSink sink;
    return sink;
}

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        break;
    }
    return QMessageBox::Warning;
}

bool ExecBox(const MessageRequest& request) {
    QMessageBox box(ToQtIcon(request.icon), request.caption, request.text, QMessageBox::NoButton,
                    request.owner);
    box.setTextFormat(Qt::PlainText);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (request.buttons == MessageButtons::Ok) {
        box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        box.exec();
        return false;
    }
    QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace

MessageSink SetMessageSink(MessageSink sink) {
    return std::exchange(Sink(), std::move(sink));
}

QString NormalizeLineBreaks(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool pairWithNext = i + 1 < text.size() && ((c == u'\n' && text[i + 1] == u'\r') ||
                                                          (c == u'\r' && text[i + 1] == u'\n'));
        if (pairWithNext)
            ++i;
        result += (c == u'\r' || pairWithNext) ? QChar(u'\n') : c;
    }
    return result;
}

bool ShowMessageDialog(QWidget* owner, const QString& caption, const QString& text,
                       MessageIcon icon, MessageButtons buttons) {
    const MessageRequest request{owner, caption, NormalizeLineBreaks(text), icon, buttons};
    if (Sink())
        return Sink()(request);
    return ExecBox(request);
}

} // namespace kx::ui
