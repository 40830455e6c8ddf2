// The records list's statement: the find condition and the subject clause
// each optional, blanks as the clauses bring them.

#include "cashbook/recordlistquery.h"

#include <gtest/gtest.h>

namespace kx::cashbook {
namespace {

TEST(RecordListQueryTest, StatementJoinsConditionAndSubjectClause) {
    const QString subject = QStringLiteral(" SUBSTRING(MONEY_TYPE_ID FROM 1  FOR  6) = '001002'");
    const QString base = QStringLiteral("SELECT * FROM KX_INTO_OUT_MONEY_TABLE ");
    const struct {
        QString condition;
        QString subject;
        QString expected;
    } cases[] = {
        {"(A = 1)", subject, base + " WHERE (A = 1) AND " + subject + kDateOrder},
        {"", subject, base + " WHERE " + subject + kDateOrder},
        {"(A = 1)", "", base + " WHERE (A = 1)" + kDateOrder},
        {"", "", base + kDateOrder},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RecordListSelect(c.condition, c.subject, kDateOrder), c.expected)
            << c.condition.toStdString() << " / " << c.subject.toStdString();
}

TEST(RecordListQueryTest, FindConditionIsEmptyForAllData) {
    const QStringList pieces = {"MONEY_TEXT_NOTE Like  '%a%'", " and MONEY_INTO_NUMBER >=  5"};
    EXPECT_EQ(FindConditionOf(pieces, false),
              "(MONEY_TEXT_NOTE Like  '%a%' and MONEY_INTO_NUMBER >=  5)");
    EXPECT_EQ(FindConditionOf({}, true), QString());
}

} // namespace
} // namespace kx::cashbook
