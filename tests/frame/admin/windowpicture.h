#pragma once
// The administration windows drawn to PNG files to look at (kept in
// KX_GALLERY_DIR when it is set), and the captions that do not fit their
// control in the installed CJK font.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStringList>
#include <QTabWidget>
#include <QTemporaryDir>

namespace kx::test {

inline QStringList ClippedCaptions(const QWidget& window) {
    QStringList clipped;
    const auto check = [&](const QWidget* control, const QString& text, int needed, int room) {
        if (control->isVisible() && !text.isEmpty() && needed > room)
            clipped << QStringLiteral("%1 \"%2\" needs %3 px, has %4")
                           .arg(control->objectName(), text)
                           .arg(needed)
                           .arg(room);
    };
    for (const QLabel* label : window.findChildren<QLabel*>())
        check(label, label->text(), label->fontMetrics().horizontalAdvance(label->text()),
              label->contentsRect().width());
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (qobject_cast<const QRadioButton*>(button) || qobject_cast<const QCheckBox*>(button))
            check(button, button->text(), button->sizeHint().width(), button->width());
        else if (!button->text().isEmpty())
            check(button, button->text(), button->fontMetrics().horizontalAdvance(button->text()),
                  button->contentsRect().width() - 4);
    }
    for (const QGroupBox* box : window.findChildren<QGroupBox*>())
        check(box, box->title(), box->fontMetrics().horizontalAdvance(box->title()) + 16,
              box->width());
    return clipped;
}

// Saves the window as it is shown now under name.png.
inline bool SaveWindowPicture(QWidget& window, const QString& name) {
    static QTemporaryDir scratch;
    const QString folder = qEnvironmentVariable("KX_GALLERY_DIR", scratch.path());
    QDir().mkpath(folder);
    QApplication::processEvents();
    return window.grab().save(folder + u'/' + name + QStringLiteral(".png"));
}

} // namespace kx::test
