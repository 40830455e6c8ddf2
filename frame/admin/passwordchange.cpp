#include "frame/admin/passwordchange.h"

#include "core/sqlfunctions.h"

namespace kx {

TPasswordRefusal
CheckPasswordChange(const QString& oldText, const QString& newText, const QString& confirmText,
                    const std::function<bool(const QString& oldPassword)>& oldMatches) {
    const QString oldPassword = oldText.trimmed();
    const QString newPassword = newText.trimmed();
    const QString confirmed = confirmText.trimmed();
    const QString missingNew = QStringLiteral("必须输入新口令");
    if (oldPassword.isEmpty())
        return {missingNew, TPasswordEdit::New};
    if (!oldMatches(oldPassword))
        return {QStringLiteral("错误的老口令"), TPasswordEdit::Old};
    if (newPassword.isEmpty())
        return {missingNew, TPasswordEdit::New};
    if (confirmed.isEmpty())
        return {missingNew, TPasswordEdit::Confirm};
    if (newPassword != confirmed)
        return {QStringLiteral("新口令与确认的新口令不一致"), TPasswordEdit::New};
    return {};
}

QString PasswordCheckSql(const QString& userId, const QString& oldText) {
    return QStringLiteral("SELECT  USE_ID,USE_NAME,SYS_USER,STOP_RIGHT from SYS_USER_TABLE where "
                          "USE_ID = ") +
           QuotedStr(userId) + QStringLiteral(" and USE_PASSWORD = ") +
           QuotedStr(oldText.trimmed());
}

QString PasswordUpdateSql(const QString& userId, const QString& newText) {
    return QStringLiteral("Update SYS_USER_TABLE set USE_PASSWORD  = ") +
           QuotedStr(newText.trimmed()) + QStringLiteral(" where  USE_ID  = ") + QuotedStr(userId);
}

} // namespace kx
