#pragma once
// Named options kept as rows of SYS_ID_TABLE (yes/no options hold "是" or
// "否", a missing row reads as empty), the working date, and the code trees
// of the in/out subjects and the departments: a level-n code is its parent's
// code plus three digits, so the first 3n characters select a subtree.

#include <QString>

namespace kx {

QString GetOption(const QString& nameId);
QString GetOptionText(const QString& nameId);
// True only for exactly "是".
bool IsOptionYes(const QString& nameId);
// Inserts the row on first use, else updates it; a failed write is told to
// the user, nothing is raised.
void SetOption(const QString& nameId, const QString& value);

// AppNumberingMode := the option "分类编号" as a number; 1 when it is
// empty or missing.
void LoadNumberingMode();
// AppToday := the machine's date, "YYYY-MM-DD".
void RefreshToday();

// The condition selecting the subtree of Code at Level (empty for level 0),
// optionally on a table alias.
QString MoneyTypePrefixClause(const QString& code, int level, const QString& tablePrefix = {});
// As MoneyTypePrefixClause at the code's own level.
QString MoneyTypeCodeClause(const QString& code, const QString& tablePrefix = {});
QString CompanyPrefixClause(const QString& code, int level, const QString& tablePrefix = {});

// The full name of an in/out subject, its ancestors' names first, joined by
// "-"; empty for an unknown subject.
QString GetMoneyTypePath(const QString& moneyTypeId);
// The subject's ancestor directly below the root "G001" (the subject itself
// at level 1); empty for "G001" and where the stored tree has no such
// ancestor.
QString GetTopMoneyType(const QString& moneyTypeId);
// The full name of a department, its ancestors' names first, run together;
// the root "G001" gives the company's name.
QString GetCompanyPath(const QString& companyId);
QString GetCompanyPath2(const QString& companyId);

} // namespace kx
