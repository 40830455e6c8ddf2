#include "grid/dbgrid/cellvalues.h"

#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "tests/platform/db/dbfixture.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

using db::TQuery;

class CellValuesTest : public db::test::DbTest {
protected:
    CellValuesTest() {
        Exec({"CREATE TABLE CELL_TEST (ID INTEGER, AMOUNT REAL, DAY DATE, FLAG VARCHAR(4), "
              "DONE BOOLEAN)"});
        Exec({"INSERT INTO CELL_TEST VALUES (1, 1234.5, '2026-12-10', 'y', 1)"});
        Exec({"INSERT INTO CELL_TEST VALUES (2, NULL, NULL, 'N', 0)"});
        Exec({"INSERT INTO CELL_TEST VALUES (3, 7, '2026-01-02', 'x', NULL)"});
        Exec({"INSERT INTO CELL_TEST VALUES (4, 8, '2026-01-03', NULL, 1)"});
        query_.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        query_.SQL().SetText(QStringLiteral("SELECT * FROM CELL_TEST ORDER BY ID"));
        query_.Open();
    }

    void Row(int id) { ASSERT_TRUE(query_.Locate(QStringLiteral("ID"), id)); }
    db::TField* Field(const char* name) { return query_.FieldByName(QString::fromLatin1(name)); }

    TQuery query_;
};

TEST_F(CellValuesTest, FormatFieldTextByKind) {
    struct Case {
        int row;
        const char* field;
        QString format;
        QString expected;
    };
    const Case cases[] = {
        {1, "AMOUNT", QStringLiteral("#,##0.00"), QStringLiteral("1,234.50")},
        {1, "AMOUNT", QString(), QStringLiteral("1234.5")},
        {2, "AMOUNT", QStringLiteral("0.00"), QString()}, // null
        {1, "DAY", QStringLiteral("yyyy年m月d日"), QStringLiteral("2026年12月10日")},
        {1, "FLAG", QStringLiteral("0.00"), QString()}, // no format for text
        {1, "FLAG", QString(), QStringLiteral("y")},
    };
    for (const Case& c : cases) {
        Row(c.row);
        EXPECT_EQ(FormatFieldText(Field(c.field), c.format), c.expected)
            << c.row << " " << c.field << " " << c.format.toStdString();
    }
}

TEST_F(CellValuesTest, CheckStatesFromKeyEntriesAndBooleans) {
    const QStringList keys{QStringLiteral(" Y ;y;1"), QStringLiteral("N")};
    struct Case {
        int row;
        const char* field;
        TCheckBoxState expected;
    };
    const Case cases[] = {
        {1, "FLAG", cbChecked}, {2, "FLAG", cbUnchecked}, {3, "FLAG", cbGrayed},
        {4, "FLAG", cbGrayed},  {1, "DONE", cbChecked},   {2, "DONE", cbUnchecked},
        {3, "DONE", cbGrayed},  {1, "ID", cbChecked}, // "1" is in the first entry
        {2, "ID", cbGrayed},
    };
    for (const Case& c : cases) {
        Row(c.row);
        EXPECT_EQ(CheckStateOf(Field(c.field), keys), c.expected) << c.row << " " << c.field;
    }
    EXPECT_EQ(CheckStateOf(nullptr, keys), cbUnchecked);
    Row(1);
    EXPECT_EQ(CheckStateOf(Field("FLAG"), {QStringLiteral("Y")}), cbChecked);
    Row(2);
    EXPECT_EQ(CheckStateOf(Field("FLAG"), {QStringLiteral("Y")}), cbGrayed);

    EXPECT_EQ(CheckBoxKeyText(cbChecked, keys), QStringLiteral("Y"));
    EXPECT_EQ(CheckBoxKeyText(cbUnchecked, keys), QStringLiteral("N"));
    EXPECT_EQ(CheckBoxKeyText(cbUnchecked, {QStringLiteral("Y")}), QString());
    EXPECT_EQ(CheckBoxKeyText(cbChecked, {}), QString());
}

TEST_F(CellValuesTest, LookupValueNeedsAnOpenLookupDataSet) {
    Row(1);
    EXPECT_FALSE(LookupValueFound(Field("ID")));
    TQuery lookup;
    lookup.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
    lookup.SQL().SetText(QStringLiteral("SELECT * FROM CELL_TEST"));
    Field("ID")->SetLookupDataSet(&lookup);
    EXPECT_FALSE(LookupValueFound(Field("ID")));
    lookup.Open();
    EXPECT_TRUE(LookupValueFound(Field("ID")));
    Field("AMOUNT")->SetLookupDataSet(&lookup);
    Row(2);
    EXPECT_FALSE(LookupValueFound(Field("AMOUNT"))); // null
}

TEST(CellValues, KeyEntriesAndPickTexts) {
    EXPECT_TRUE(MatchesKeyValue(QStringLiteral("Y;y;1"), QStringLiteral("y")));
    EXPECT_TRUE(MatchesKeyValue(QStringLiteral(" Y ; 1 "), QStringLiteral("1")));
    EXPECT_FALSE(MatchesKeyValue(QStringLiteral("Y;y;1"), QStringLiteral("N")));
    EXPECT_FALSE(MatchesKeyValue(QStringLiteral("Y;y"), QStringLiteral("Y;y")));

    const QStringList keys{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    const QStringList picks{QStringLiteral("One"), QStringLiteral("Two")};
    struct Case {
        QString text;
        int notInKeyList;
        QString shown;
    };
    const Case cases[] = {
        {QStringLiteral("2"), -1, QStringLiteral("Two")},
        {QStringLiteral("3"), -1, QString()}, // beyond the pick list
        {QStringLiteral("3"), 0, QStringLiteral("One")},
        {QStringLiteral("9"), 1, QStringLiteral("Two")},
        {QStringLiteral("9"), 2, QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyToPickText(c.text, keys, picks, c.notInKeyList), c.shown)
            << c.text.toStdString() << " " << c.notInKeyList;
    EXPECT_EQ(KeyToPickText(QStringLiteral("a"), {QStringLiteral("A")}, picks, -1),
              QStringLiteral("One"));
}

TEST(CellValues, SteppingWrapsAndAnEmptyListGoesNowhere) {
    struct Case {
        int current;
        int count;
        double step;
        int expected;
    };
    const Case cases[] = {
        {0, 3, 1, 1},  {2, 3, 1, 0},    {-1, 3, 1, 0},  {5, 3, 1, 0},
        {1, 3, -1, 0}, {0, 3, -1, 2},   {-1, 3, -1, 2}, {1, 3, 2, 0}, // any step but 1 goes back
        {0, 0, 1, -1}, {-1, 0, -1, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SteppedListIndex(c.current, c.count, c.step), c.expected)
            << c.current << " of " << c.count << " by " << c.step;
}

} // namespace
} // namespace kx
