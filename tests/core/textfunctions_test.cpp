#include "core/textfunctions.h"

#include "platform/sys/cp936.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(GetSplitItem, PiecesByIndex) {
    struct Case {
        QString text;
        int index;
        QString expected;
    } cases[] = {
        {"a\\b\\c", 1, "b"}, {"a\\b\\c", 2, "c"}, {"a\\b\\c", -1, "c"}, {"a\\b\\c", 3, ""},
        {"a\\b\\c", 0, ""},  {"abc", -1, "abc"},  {"abc", 1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetSplitItem(c.text, "\\", c.index), c.expected)
            << c.text.toStdString() << " " << c.index;
    EXPECT_EQ(GetSplitItem("a::b", "::", 1), "b");
}

TEST(PadZeroLeft, PadsOrKeepsTheLastCharacters) {
    EXPECT_EQ(PadZeroLeft("7", 3), "007");
    EXPECT_EQ(PadZeroLeft("1234", 3), "234");
    EXPECT_EQ(PadZeroLeft("5", 12), "0000000005");
}

TEST(IsLeadByteAt, CountsWholeCharactersFromTheStart) {
    // "丂" (0x81 0x40) lies in the extension range below 0xA0.
    const QByteArray bytes = cp936::Encode(QStringLiteral("a丂中"));
    EXPECT_FALSE(IsLeadByteAt(bytes, 1));
    EXPECT_TRUE(IsLeadByteAt(bytes, 2));
    EXPECT_FALSE(IsLeadByteAt(bytes, 3));
    EXPECT_TRUE(IsLeadByteAt(bytes, 4));
    EXPECT_FALSE(IsLeadByteAt(bytes, 5));
    EXPECT_FALSE(IsLeadByteAt(bytes, 0));
}

TEST(WrapTextBytes, SingleByteTextBreaksOneByteBeforeEachMultiple) {
    EXPECT_EQ(WrapTextBytes("abcdefgh", 3), "ab\r\ncd\r\nef\r\ngh");
}

TEST(WrapTextBytes, NeverSplitsATwoByteCharacter) {
    const QStringList texts = {QStringLiteral("员工姓名与编号"), QStringLiteral("a丂b中文字c"),
                               QStringLiteral("ab中cd"), QStringLiteral("丂丂丂丂丂")};
    for (const QString& text : texts) {
        for (int width : {2, 3, 4, 11}) {
            const QString wrapped = WrapTextBytes(text, width);
            EXPECT_EQ(QString(wrapped).remove("\r\n"), text)
                << text.toStdString() << " width " << width;
        }
    }
}

TEST(WrapTextBytes, WidthBelowTwoLeavesTheTextAlone) {
    EXPECT_EQ(WrapTextBytes("abc", 1), "abc");
    EXPECT_EQ(WrapTextBytes("abc", 0), "abc");
    EXPECT_EQ(WrapTextBytes("abc", -2), "abc");
}

} // namespace
} // namespace kx
