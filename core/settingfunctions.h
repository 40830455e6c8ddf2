#pragma once
// The program's values in the settings store (the key "SOFTWARE\RARARUZIDI").
// A store that cannot be opened is reported with "注册表打开错误"; nothing is
// written then and readers give an empty text.

#include <QString>

namespace kx {

void WriteSetting(const QString& name, const QString& value);
void WriteSettingValue(const QString& name, const QString& value);
QString ReadSetting(const QString& name);
// The value when it reads as an integer, else empty.
QString ReadSettingNumber(const QString& name);

} // namespace kx
