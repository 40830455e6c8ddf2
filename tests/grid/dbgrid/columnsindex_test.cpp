#include "grid/dbgrid/columnsindex.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(ColumnsIndex, TextOfTheFieldNames) {
    const QString two = ColumnsIndexText({QStringLiteral("A"), QStringLiteral("B")});
    EXPECT_EQ(two, QStringLiteral("\"A\",\"B\""));
    EXPECT_EQ(two.size(), 7);
    EXPECT_EQ(ColumnsIndexText({}), QString());
}

TEST(ColumnsIndex, CommaTextItems) {
    struct Case {
        QString text;
        QStringList items;
    };
    const Case cases[] = {
        {QStringLiteral("\"A\",\"B\""), {QStringLiteral("A"), QStringLiteral("B")}},
        {QStringLiteral("a b,c"), {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}},
        {QStringLiteral(" \"x, y\" , \"say \"\"hi\"\"\""),
         {QStringLiteral("x, y"), QStringLiteral("say \"hi\"")}},
        {QStringLiteral("a,,b"), {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        {QStringLiteral("a,"), {QStringLiteral("a"), QString()}},
        {QStringLiteral("收入,支出"), {QStringLiteral("收入"), QStringLiteral("支出")}},
        {QString(), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitCommaText(c.text), c.items) << c.text.toStdString();
}

TEST(ColumnsIndex, NamedColumnsMoveToTheTextsPositions) {
    const QStringList columns{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    struct Case {
        QString text;
        std::vector<int> order;
    };
    const Case cases[] = {
        {QStringLiteral("\"B\",\"A\""), {1, 0, 2}},
        {QStringLiteral("\"X\",\"A\""), {1, 0, 2}}, // X has no column: A still goes to 1
        {QStringLiteral("\"C\",\"B\",\"A\""), {2, 1, 0}},
        {QStringLiteral("\"a\""), {0, 1, 2}}, // letter case counts
        {QString(), {0, 1, 2}},
        {QStringLiteral("\"Q\",\"R\",\"S\",\"T\",\"A\""), {1, 2, 0}}, // beyond the end: last
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColumnsIndexOrder(columns, c.text), c.order) << c.text.toStdString();
}

} // namespace
} // namespace kx
