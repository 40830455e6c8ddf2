#pragma once
// The captions of a window's shown labels, buttons and group boxes that are
// wider than the room their control gives them in the installed CJK font,
// and the radio buttons and check boxes lower than their text.

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStringList>
#include <QWidget>

namespace kx::test {

// A caption as it is drawn: without its accelerator marks.
inline QString DrawnCaption(QString text) {
    return text.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
        .remove(u'&')
        .replace(u'\x01', u'&');
}

inline QStringList ClippedTexts(const QWidget& window) {
    QStringList clipped;
    const auto check = [&](const QWidget* control, const QString& text, int needed, int room) {
        if (control->isVisible() && !text.isEmpty() && needed > room)
            clipped << QStringLiteral("%1 \"%2\" needs %3 px, has %4")
                           .arg(control->objectName(), text)
                           .arg(needed)
                           .arg(room);
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->wordWrap() || label->textFormat() == Qt::RichText)
            continue;
        const QString text = DrawnCaption(label->text());
        check(label, text, label->fontMetrics().horizontalAdvance(text),
              label->contentsRect().width());
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        const QString text = DrawnCaption(button->text());
        if (qobject_cast<const QRadioButton*>(button) || qobject_cast<const QCheckBox*>(button)) {
            check(button, text, button->sizeHint().width(), button->width());
            // A group squeezed below its items' height draws them over
            // each other.
            if (button->isVisible() && !text.isEmpty() &&
                button->sizeHint().height() > button->height())
                clipped << QStringLiteral("%1 \"%2\" needs %3 px high, has %4")
                               .arg(button->objectName(), text)
                               .arg(button->sizeHint().height())
                               .arg(button->height());
        } else
            check(button, text, button->fontMetrics().horizontalAdvance(text),
                  button->contentsRect().width() - 4);
    }
    for (const QGroupBox* box : window.findChildren<QGroupBox*>()) {
        const QString title = DrawnCaption(box->title());
        check(box, title, box->fontMetrics().horizontalAdvance(title) + 16, box->width());
    }
    return clipped;
}

} // namespace kx::test
