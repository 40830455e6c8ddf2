// The rows of the printed department list: indentation, numbering within
// each parent, the phone column, and a walk that ends on a damaged tree.

#include "staff/deptprintrows.h"

#include "core/sqlfunctions.h"
#include "tests/core/programfixture.h"

#include <gtest/gtest.h>

namespace kx::staff {
namespace {

class DeptPrintRowsTest : public ::testing::Test {
protected:
    static void Exec(const QString& sql) { ASSERT_TRUE(ExecSqlText(kDatabaseName, sql)); }
    static void AddDept(const QString& code, const QString& parent, const QString& name, int order,
                        const QString& phone = {}) {
        Exec(QStringLiteral("INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME, "
                            "ORDER_ID, COMPANY_PHONE, NOTE) VALUES (%1, %2, %3, %4, %5, %6)")
                 .arg(QuotedStr(code), QuotedStr(parent), QuotedStr(name))
                 .arg(order)
                 .arg(QuotedStr(phone), QuotedStr(name + "备注")));
    }
    static QStringList Lines(const QList<TDeptPrintRow>& rows) {
        QStringList lines;
        for (const TDeptPrintRow& row : rows)
            lines << row.CompanyName;
        return lines;
    }
    test::OpenDataFolder data_;
};

TEST(PadOrderNumber, LinesUpTheNamesOfASiblingGroup) {
    const struct {
        int width;
        int i;
        const char* pad;
    } cases[] = {{1, 1, ""},   {1, 9, ""},   {2, 1, " "},  {2, 9, " "},  {2, 10, ""}, {2, 99, ""},
                 {3, 1, "  "}, {3, 9, "  "}, {3, 10, " "}, {3, 99, " "}, {3, 100, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(PadOrderNumber(c.width, c.i), QString::fromLatin1(c.pad))
            << c.width << '/' << c.i;
}

TEST_F(DeptPrintRowsTest, NumbersRestartBelowEveryParentAndIndentByLevel) {
    AddDept("G001", "G002", "公司", 1, "010-1");
    AddDept("001", "G001", "A", 1, "111");
    AddDept("001001", "001", "A1", 1);
    AddDept("001002", "001", "A2", 2, "112");
    AddDept("002", "G001", "B", 2);
    AddDept("003", "G001", "C", 3);
    EXPECT_EQ(Lines(FillDeptPrintRows("G001", true, std::nullopt)),
              (QStringList{"1.A", "  1.A1", "  2.A2", "2.B", "3.C"}));
    EXPECT_EQ(Lines(FillDeptPrintRows("G001", false, std::nullopt)),
              (QStringList{"A", "  A1", "  A2", "B", "C"}));

    const QList<TDeptPrintRow> rows =
        FillDeptPrintRows("001", true, TDeptPrintRow{1, "A", "111", "A备注"});
    EXPECT_EQ(Lines(rows), (QStringList{"A", "  1.A1", "  2.A2"}));
    // The phone column is filled, the head row's as well.
    EXPECT_EQ(rows[0].CompanyPhone, "111");
    EXPECT_EQ(rows[2].CompanyPhone, "112");
    EXPECT_EQ(rows[2].Note, "A2备注");
    for (const TDeptPrintRow& row : rows)
        EXPECT_EQ(row.OrderId, 1);
    EXPECT_TRUE(FillDeptPrintRows("003", true, std::nullopt).isEmpty());
}

TEST_F(DeptPrintRowsTest, TwelveSiblingsAndLongNames) {
    for (int i = 1; i <= 12; ++i)
        AddDept(QStringLiteral("%1").arg(i, 3, 10, QChar(u'0')), "G001",
                QStringLiteral("部%1").arg(i), i);
    const QStringList lines = Lines(FillDeptPrintRows("G001", true, std::nullopt));
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], "1. 部1");
    EXPECT_EQ(lines[8], "9. 部9");
    EXPECT_EQ(lines[9], "10.部10");
    EXPECT_EQ(lines[11], "12.部12");

    AddDept("013001", "013", QString(20, QChar(u'长')), 1);
    const QStringList cut = Lines(FillDeptPrintRows("013", true, TDeptPrintRow{1, "头", "", ""}));
    // Two blanks, "1." and 18 characters of two bytes fill the 40 bytes.
    EXPECT_EQ(cut[1], "  1." + QString(18, QChar(u'长')));
}

TEST_F(DeptPrintRowsTest, AParentLoopEndsFourLevelsDown) {
    AddDept("001", "G001", "甲", 1);
    AddDept("001001", "001", "乙", 1);
    AddDept("001", "001001", "甲again", 1);
    const QStringList lines = Lines(FillDeptPrintRows("G001", false, std::nullopt));
    EXPECT_EQ(lines, (QStringList{"甲", "  乙", "    甲again", "      乙"}));
}

} // namespace
} // namespace kx::staff
