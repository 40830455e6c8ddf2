#pragma once
// The captions of a window's shown labels and buttons that are wider than
// the room their control gives them.

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QStringList>
#include <QWidget>

namespace kx::test {

inline QStringList ClippedTexts(const QWidget& window) {
    QStringList clipped;
    const auto drawn = [](QString text) {
        return text.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
            .remove(u'&')
            .replace(u'\x01', u'&');
    };
    const auto check = [&](const QWidget* control, const QString& text, int needed, int room) {
        if (control->isVisible() && !text.isEmpty() && needed > room)
            clipped << QStringLiteral("\"%1\" needs %2 px, has %3").arg(text).arg(needed).arg(room);
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->wordWrap())
            continue;
        const QString text = drawn(label->text());
        check(label, text, label->fontMetrics().horizontalAdvance(text),
              label->contentsRect().width());
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        const QString text = drawn(button->text());
        if (qobject_cast<const QRadioButton*>(button) || qobject_cast<const QCheckBox*>(button))
            check(button, text, button->sizeHint().width(), button->width());
        else
            check(button, text, button->fontMetrics().horizontalAdvance(text),
                  button->contentsRect().width() - 4);
    }
    return clipped;
}

} // namespace kx::test
