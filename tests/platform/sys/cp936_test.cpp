#include "platform/sys/cp936.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

using namespace kx::cp936;

TEST(Cp936, RoundTripsChineseAndAscii) {
    const QString text = QStringLiteral("出纳 ABC 123 现金日记账");
    const QByteArray bytes = Encode(text);
    EXPECT_EQ(bytes.size(), ByteLength(text));
    EXPECT_EQ(Decode(bytes), text);
    // "中" is D6 D0 in GBK.
    EXPECT_EQ(Encode(QStringLiteral("中")), QByteArray("\xD6\xD0"));
}

TEST(Cp936, UnmappableCharacterBecomesQuestionMark) {
    EXPECT_EQ(Encode(QStringLiteral("a\U0001F600b")), QByteArray("a?b"));
}

TEST(Cp936, CutNeverSplitsADoubleByteCharacter) {
    struct Case {
        QString text;
        int maxBytes;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral("ab中文"), 3, QStringLiteral("ab")},
        {QStringLiteral("ab中文"), 4, QStringLiteral("ab中")},
        {QStringLiteral("ab中文"), 0, QString()},
        {QStringLiteral("ab中文"), 100, QStringLiteral("ab中文")},
        {QStringLiteral("中a"), 1, QString()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CutToBytes(c.text, c.maxBytes), c.expected)
            << c.text.toStdString() << " " << c.maxBytes;
        EXPECT_EQ(CutBytes(Encode(c.text), c.maxBytes), Encode(c.expected));
    }
}

TEST(Cp936, WrapKeepsEveryLineWithinItsBytes) {
    const QStringList lines = WrapToBytes(QStringLiteral("a中文字b"), 3);
    EXPECT_EQ(lines,
              (QStringList{QStringLiteral("a中"), QStringLiteral("文"), QStringLiteral("字b")}));
}

TEST(Cp936, LeadByteFollowsCharacterBoundaries) {
    const QByteArray bytes = Encode(QStringLiteral("a中"));
    EXPECT_FALSE(IsLeadByte(bytes, 0));
    EXPECT_TRUE(IsLeadByte(bytes, 1));
    EXPECT_FALSE(IsLeadByte(bytes, 2));
}

// Collations compare texts code by code, so each code must be exactly the
// character's GBK bytes, and a one-byte code must sort below every lead byte
// (otherwise code order would not be byte order).
TEST(Cp936, EncodeCharGivesEveryCharactersBytesAsAnOrderedCode) {
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        const quint16 code = EncodeChar(c);
        QByteArray bytes;
        if (code > 0xFF)
            bytes.append(static_cast<char>(code >> 8));
        bytes.append(static_cast<char>(code & 0xFF));
        ASSERT_EQ(bytes, Encode(QString(QChar(static_cast<char16_t>(c)))))
            << "U+" << std::hex << static_cast<unsigned>(c);
        ASSERT_TRUE(code > 0xFF ? code >> 8 >= 0x81 : code < 0x81)
            << "U+" << std::hex << static_cast<unsigned>(c);
    }
    EXPECT_EQ(EncodeChar(U'中'), 0xD6D0);
    EXPECT_EQ(EncodeChar(U'\U0001F600'), '?');
}

} // namespace
