#pragma once
// The administration windows drawn to PNG files to look at (kept in
// KX_GALLERY_DIR when it is set), and the captions that do not fit their
// control in the installed CJK font.

#include "tests/support/clippedtexts.h"

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

// Saves the window as it is shown now under name.png.
inline bool SaveWindowPicture(QWidget& window, const QString& name) {
    static QTemporaryDir scratch;
    const QString folder = qEnvironmentVariable("KX_GALLERY_DIR", scratch.path());
    QDir().mkpath(folder);
    QApplication::processEvents();
    return window.grab().save(folder + u'/' + name + QStringLiteral(".png"));
}

} // namespace kx::test
