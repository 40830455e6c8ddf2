#include "frame/options.h"

#include "frame/sqlfunctions.h"

namespace kx {

QString GetOption(const QString& nameId) {
    return GetSqlFirstValue(QStringLiteral("RUReravezDataBase"),
                            QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = ") +
                                QuotedStr(nameId));
}

bool IsOptionYes(const QString& nameId) {
    return GetOption(nameId) == QStringLiteral("是");
}

} // namespace kx
