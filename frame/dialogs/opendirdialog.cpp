#include "frame/dialogs/opendirdialog.h"

#include "core/messages.h"
#include "frame/dialogs/diropenform.h"
#include "platform/ui/application.h"

#include <QLineEdit>

namespace kx {

TOpenDirDialog::TOpenDirDialog(QObject* owner)
    : QObject(owner), form_(std::make_unique<TDirOpenForm>()) {}

TOpenDirDialog::~TOpenDirDialog() = default;

bool TOpenDirDialog::Execute() {
    form_->setWindowTitle(DialogType == Open ? QStringLiteral("选择要保存的目录")
                                             : QStringLiteral("选择要存放的目录"));
    form_->setFont(LanguageFont(Language));
    ForceForegroundFocus(form_.get());
    return ui::ExecModal(*form_) == QDialog::Accepted;
}

QString TOpenDirDialog::GetDirectory() const {
    const QString folder = form_->Edit1->text().trimmed();
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace kx

#include "moc_opendirdialog.cpp"
