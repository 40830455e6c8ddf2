#pragma once
// Slot rows as the records list writes them into an empty slot table, and
// a short way to write others.

#include "cashbook/recordcolumns.h"

namespace kx::test {

inline TMoneyFieldSlot Slot(const QString& order, const QString& field, const QString& caption,
                            const QString& findType, const QString& type = QStringLiteral("String"),
                            const QString& displayWidth = QStringLiteral("20")) {
    return {field, caption, type, findType, QString(), QString(), displayWidth, order};
}

inline TMoneyFieldSlots FirstRunSlots() {
    return {Slot("1", "MONEY_ID", "记录编号", "T", "String", "13"),
            Slot("2", "MONEY_DATE", "借贷日期", "D", "Date", "17"),
            Slot("3", "MONEY_TEXT_FIELD1", "摘要", "DT"),
            Slot("5", "MONEY_ACCOUNT_NAME", "资金账号", "DT"),
            Slot("6", "MONEY_INTO_NUMBER", "借入金额", "T", "Float", "10"),
            Slot("7", "MONEY_OUT_NUMBER", "贷出金额", "T", "Float", "10"),
            Slot("8", "MONEY_EMPLOYEE_NAME", "经办人员", "DT"),
            Slot("21", "MONEY_TEXT_NOTE", "备注", "T", "String", "80")};
}

} // namespace kx::test
