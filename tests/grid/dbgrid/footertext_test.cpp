#include "grid/dbgrid/footertext.h"

#include "grid/dbgrid/dbsumlist.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "tests/platform/db/dbfixture.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

using db::TQuery;

// Sums and averages of a live table through the sum list, as footers read
// them.
class FooterTextTest : public db::test::DbTest {
protected:
    FooterTextTest() {
        Exec({"CREATE TABLE FOOT_TEST (ID INTEGER, AMOUNT REAL, PRICE MONEY, BIG BIGINT, "
              "NAME VARCHAR(8))"});
        Exec({"INSERT INTO FOOT_TEST VALUES (1, 1000, 1000, 3000000000, 'a')"});
        Exec({"INSERT INTO FOOT_TEST VALUES (2, 200.5, 200.5, 3000000000, 'b')"});
        Exec({"INSERT INTO FOOT_TEST VALUES (3, 34, 34, 3000000000, 'c')"});
        Exec({"INSERT INTO FOOT_TEST VALUES (4, NULL, NULL, NULL, NULL)"});
        query_.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        query_.SQL().SetText(QStringLiteral("SELECT * FROM FOOT_TEST ORDER BY ID"));
        producer_.SetDataSet(&query_);
    }

    TDBSum* Sum(TGroupOperation operation, const QString& fieldName) {
        TDBSum* sum = producer_.SumCollection().Add();
        sum->SetGroupOperation(operation);
        sum->SetFieldName(fieldName);
        return sum;
    }

    db::TField* Field(const char* name) { return query_.FieldByName(QString::fromLatin1(name)); }

    TQuery query_;
    TDBSumListProducer producer_;
};

TEST_F(FooterTextTest, SumsAveragesAndCountsAsTheFieldShowsThem) {
    TDBSum* amount = Sum(goSum, QStringLiteral("AMOUNT"));
    TDBSum* price = Sum(goSum, QStringLiteral("PRICE"));
    TDBSum* idAverage = Sum(goAvg, QStringLiteral("ID"));
    TDBSum* big = Sum(goSum, QStringLiteral("BIG"));
    TDBSum* count = Sum(goCount, QString());
    query_.Open();
    struct Case {
        const char* name;
        QString text;
        QString expected;
    };
    const Case cases[] = {
        {"float sum", FooterNumberText(Field("AMOUNT"), amount->Value(), {}),
         QStringLiteral("1234.5")},
        {"footer format", FooterNumberText(Field("AMOUNT"), amount->Value(), "#,##0.00"),
         QStringLiteral("1,234.50")},
        {"currency", FooterNumberText(Field("PRICE"), price->Value(), {}),
         QStringLiteral("￥1,234.50")},
        {"integer average 2.5", FooterNumberText(Field("ID"), idAverage->Value(), {}),
         QStringLiteral("2")},
        // beyond 32 bits: the sum still shows, nothing raises
        {"64-bit sum", FooterNumberText(Field("BIG"), big->Value(), {}),
         QStringLiteral("9000000000")},
        {"text field", FooterNumberText(Field("NAME"), 5, {}), QStringLiteral("0")},
        {"no field", FooterNumberText(nullptr, 5, {}), QStringLiteral("0")},
        {"count", FooterCountText(count->Value(), {}), QStringLiteral("4")},
        {"count format", FooterCountText(count->Value(), QStringLiteral("0 笔")),
         QStringLiteral("4 笔")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, c.expected) << c.name;
}

TEST_F(FooterTextTest, WholeNumbersRoundHalvesToEven) {
    query_.Open();
    db::TField* id = Field("ID");
    struct Case {
        double value;
        QString text;
    };
    const Case cases[] = {{2.5, QStringLiteral("2")},
                          {3.5, QStringLiteral("4")},
                          {-2.5, QStringLiteral("-2")},
                          {2.4999, QStringLiteral("2")},
                          {1e10, QStringLiteral("10000000000")},
                          {1e19, QStringLiteral("1E19")}};
    for (const Case& c : cases)
        EXPECT_EQ(FooterNumberText(id, c.value, {}), c.text) << c.value;
    id->SetDisplayFormat(QStringLiteral("0.0"));
    EXPECT_EQ(FooterNumberText(id, 2.5, {}), QStringLiteral("2.5"));
}

} // namespace
} // namespace kx
