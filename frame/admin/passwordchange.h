#pragma once
// The checks and statements of a user's password change. Passwords are
// compared and stored trimmed, as the log-on compares them, and reach SQL
// only as quoted literals.

#include <QString>

#include <functional>

namespace kx {

// The edit a refusal sends the focus to.
enum class TPasswordEdit { Old, New, Confirm };

struct TPasswordRefusal {
    QString Message; // empty: the change may be written
    TPasswordEdit Focus = TPasswordEdit::Old;
};

// The refusal of the three typed texts, in the order the user is told;
// oldMatches is asked about the trimmed old password.
TPasswordRefusal
CheckPasswordChange(const QString& oldText, const QString& newText, const QString& confirmText,
                    const std::function<bool(const QString& oldPassword)>& oldMatches);

// The user's row when the password is right.
QString PasswordCheckSql(const QString& userId, const QString& oldText);
// Stores the trimmed new password.
QString PasswordUpdateSql(const QString& userId, const QString& newText);

} // namespace kx
