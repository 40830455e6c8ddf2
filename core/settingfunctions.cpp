#include "core/settingfunctions.h"

#include "core/messages.h"
#include "platform/sys/configstore.h"
#include "platform/sys/numberformat.h"

namespace kx {
namespace {

void ReportStoreError() {
    ShowPromptMessageTo(nullptr, QStringLiteral("注册表打开错误"));
}

} // namespace

void WriteSetting(const QString& name, const QString& value) {
    if (!sys::WriteSettingsValue(name, value))
        ReportStoreError();
}

void WriteSettingValue(const QString& name, const QString& value) {
    WriteSetting(name, value);
}

QString ReadSetting(const QString& name) {
    const std::optional<QString> value = sys::ReadSettingsValue(name);
    if (!value) {
        ReportStoreError();
        return {};
    }
    return *value;
}

QString ReadSettingNumber(const QString& name) {
    const QString value = ReadSetting(name);
    int number = 0;
    return sys::TryStrToInt(value, number) ? value : QString();
}

} // namespace kx
