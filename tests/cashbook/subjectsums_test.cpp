// The statistics of money in and out per subject, read without a window.

#include "cashbook/subjectsums.h"

#include "platform/db/dberrors.h"
#include "tests/cashbook/cashbookrecords.h"

#include <gtest/gtest.h>

namespace kx::cashbook {
namespace {

// "id in/out/balance" per row, in order.
QStringList Rows(const TSubjectSums& sums) {
    QStringList rows;
    for (const TSubjectSum& sum : sums)
        rows << QStringLiteral("%1 %2/%3/%4")
                    .arg(sum.SubjectId)
                    .arg(sum.Into)
                    .arg(sum.Out)
                    .arg(sum.Balance);
    return rows;
}

class SubjectSumsTest : public ::testing::Test, protected test::CashBookRecords {
protected:
    SubjectSumsTest() {
        AddRecord("A1", "001", "001", "2008-09-01", "5", "0");          // on 收入 itself
        AddRecord("A2", "001001", "001", "2008-09-02", "100", "10");    // 销售
        AddRecord("A3", "001001001", "002", "2008-09-03", "20.5", "0"); // 零售, below 销售
        AddRecord("A4", "002", "001", "2008-09-04", "0", "30");         // 支出
        AddRecord("A5", "002", "002", "2008-09-05", "7", "NULL");       // no amount out
        AddVerified("A6", "001001", "002", "2008-09-06", "1", "0");
    }
};

TEST_F(SubjectSumsTest, RowsBySubjectAndCondition) {
    struct Case {
        const char* subject;
        QString condition;
        QStringList rows;
    };
    const Case cases[] = {
        // One row per top-level subject, in ORDER_ID order, each with its
        // whole subtree; an empty amount out leaves the money in as balance.
        {"G001", {}, {"002 7/30/-23", "001 126.5/10/116.5"}},
        // The subject's own records first, then every child, 0 without
        // records.
        {"001", {}, {"001 5/0/5", "001001 121.5/10/111.5", "001002 0/0/0"}},
        {"001001", {}, {"001001 101/10/91", "001001001 20.5/0/20.5"}},
        // A subject without children shows its own row, or nothing.
        {"001001001", {}, {"001001001 20.5/0/20.5"}},
        {"001002", {}, {}},
        {"001", "(STATUS = '已审核')", {"001001 1/0/1", "001002 0/0/0"}},
        {"G001", "(MONEY_DATE >= '09/03/2008')", {"002 7/30/-23", "001 21.5/0/21.5"}},
        // A cancelled find: no record, every child still has its row.
        {"G001", "MONEY_RECORD_ID ='MONEY_RECORD_ID'", {"002 0/0/0", "001 0/0/0"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Rows(SumSubjects(c.subject, c.condition)), c.rows)
            << c.subject << " " << c.condition.toStdString();
}

TEST_F(SubjectSumsTest, ProgressCountsTheChildren) {
    QList<std::pair<int, int>> told;
    SumSubjects("001", {}, [&told](int position, int count) { told.append({position, count}); });
    EXPECT_EQ(told, (QList<std::pair<int, int>>{{0, 2}, {1, 2}, {2, 2}}));
}

TEST_F(SubjectSumsTest, FailingConditionRaisesAndWritesNothing) {
    EXPECT_THROW(SumSubjects("G001", "(NO_SUCH_COLUMN = 1)"), db::EDatabaseError);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_INTO_OUT_MONEY_SUM_TABLE"), "0");
    // The read's transaction is over: the next run reads again.
    EXPECT_EQ(SumSubjects("001001001", {}).size(), 1);
}

} // namespace
} // namespace kx::cashbook
