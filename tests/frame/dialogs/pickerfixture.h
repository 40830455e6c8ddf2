#pragma once
// Shared set-up of the picker tests: the program's state as a logged-on
// user has it, and pictures of the windows (kept when KX_GALLERY_DIR is set)
// with every caption checked to fit its control.

#include "core/appstate.h"
#include "core/exceptionhandler.h"
#include "platform/ui/application.h"
#include "tests/frame/controlsfixture.h"
#include "tests/support/clippedtexts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>

namespace kx::test {

// Saves a picture of the shown window as name.png.
inline bool SaveShot(QWidget& window, const QString& name) {
    static QTemporaryDir temporary;
    const QString folder = qEnvironmentVariable("KX_GALLERY_DIR", temporary.path());
    return QDir().mkpath(folder) && window.grab().save(folder + u'/' + name + ".png");
}

class PickerTest : public ControlsDbTest {
protected:
    PickerTest() {
        AppUserName = QStringLiteral("张会计");
        AppToday = QStringLiteral("2007-03-05");
        AppCompanyName = QStringLiteral("岚衡公司");
        ui::SetExceptionHandler(HandleApplicationException);
    }
    ~PickerTest() override { ui::SetExceptionHandler({}); }
};

} // namespace kx::test
