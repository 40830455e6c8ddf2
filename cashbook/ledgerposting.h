#pragma once
// Posting a verified in/out record into the day and month ledgers of its
// fund account, and taking it back when the verification is withdrawn.

#include <QString>

#include <functional>

namespace kx::cashbook {

// Writes the record's new status; false (after telling the user) when it
// could not.
using TStampRecord = std::function<bool()>;

// DateText is the record's date "YYYY-MM-DD", IntoText and OutText its
// amounts as plain number texts; Post true verifies, false takes back.
// The checks, both ledger stages and stampRecord run in one transaction (or
// in the caller's, when one is open): on a refusal or any failure nothing
// of it stays, and a message has been shown. True only when all succeeded.
bool PostMoneyToLedgers(const QString& dateText, const QString& accountId,
                        const QString& accountName, const QString& intoText, const QString& outText,
                        bool post, const TStampRecord& stampRecord = {});

} // namespace kx::cashbook
