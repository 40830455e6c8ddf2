#pragma once
// Named options kept as rows of SYS_ID_TABLE; yes/no options hold "是" or
// "否" and a missing row reads as empty.

#include <QString>

namespace kx {

QString GetOption(const QString& nameId);
bool IsOptionYes(const QString& nameId);

} // namespace kx
