#pragma once
// What the first-run set-up checks and writes: the entries' validation in
// the window's order, and the company's root row, the first user (a system
// user) and that user's full rights, written together or not at all.

#include <QString>

#include <array>
#include <optional>

namespace kx {

// The texts of the set-up window as typed.
struct TEnrolEntries {
    QString CompanyName;
    QString PostCode;
    QString Fax;
    QString Phone;
    QString Address;
    QString UserId;
    QString UserName;
    QString Password;
    QString Confirmation;
};

enum class TEnrolEntry { CompanyName, Phone, Address, UserId, UserName, Password, Confirmation };

struct TEnrolRefusal {
    QString Message;
    TEnrolEntry Entry; // the entry that gets the focus
};

// The first entry that is missing or unconfirmed; none when all are fine.
std::optional<TEnrolRefusal> CheckEnrolEntries(const TEnrolEntries& entries);

struct TRightsPair {
    int ComposeId;
    int ProgramId;
};

// Every program of the shipped groups: 3, 4 and 3 programs numbered from 1.
inline constexpr std::array<TRightsPair, 10> kEnrolRights = {
    {{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}, {2, 4}, {3, 1}, {3, 2}, {3, 3}}};

// Writes the company's root row "G001" (updated when it exists), replaces
// the user of that id by the new system user and gives that user every
// right, after deleting all other rights. companyDate and userDate are
// "YYYY-MM-DD". One transaction: on failure nothing of it stays and the
// result is the message to show; empty on success.
QString WriteEnrolRows(const QString& databaseName, const TEnrolEntries& entries,
                       const QString& companyDate, const QString& userDate);

} // namespace kx
