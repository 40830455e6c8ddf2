#include "platform/db/collation.h"

#include "platform/sys/cp936.h"

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace kx::db {
namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// The plain rule the collation must keep: both texts through iconv,
// compared as bytes; texts whose GBK bytes are equal compare by their own.
int ReferenceOrder(std::string_view a, std::string_view b) {
    const auto gbk = [](std::string_view text) {
        const QByteArray bytes =
            cp936::Encode(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        return bytes.toStdString();
    };
    const int byGbk = gbk(a).compare(gbk(b));
    return Sign(byGbk != 0 ? byGbk : a.compare(b));
}

std::string Hex(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size())).toHex(' ').toStdString();
}

// Checks both directions against the reference; answers whether they agree.
::testing::AssertionResult OrdersAsReference(std::string_view a, std::string_view b) {
    const int expected = ReferenceOrder(a, b);
    const int forward = Sign(CompareCp936(a, b));
    const int backward = Sign(CompareCp936(b, a));
    if (forward == expected && backward == -expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "[" << Hex(a) << "] vs [" << Hex(b) << "]: reference " << expected << ", got "
           << forward << " and reversed " << backward;
}

TEST(CollationCp936, TrickyPairsOrderAsTheirGbkBytes) {
    using namespace std::string_literals;
    struct Case {
        const char* what;
        std::string a;
        std::string b;
        int expected;
    };
    const Case cases[] = {
        {"both empty", "", "", 0},
        {"empty first", "", "a", -1},
        {"empty before Chinese", "", "中", -1},
        {"ids differ in a digit", "FP2007000123", "FP2007000124", -1},
        {"id prefix", "FP2007", "FP2007000001", -1},
        {"ASCII before Chinese", "z", "中", -1},
        // 张 is D5C5 and 李 C0EE in GBK, the other way round in UTF-8.
        {"GBK order, not UTF-8 order", "张", "李", 1},
        // 国 (B9FA) and 华 (BBAA) share their first UTF-8 byte and differ in
        // the second, where UTF-8 says the opposite.
        {"difference inside a character", "中国", "中华", -1},
        {"ASCII difference after Chinese", "中A", "中B", -1},
        {"Chinese prefix", "张", "张三", -1},
        {"ASCII against Chinese after a common part", "张a", "张三", -1},
        {"two characters outside GBK stay apart", "😀", "😁", -1},
        {"outside GBK against '?' stays apart", "😀", "?", 1},
        {"'?' decides before the bytes", "😀a", "?b", -1},
        {"outside GBK sorts as '?', before Chinese", "😀", "中", -1},
        {"Thai letter sorts as '?', before '@'", "ก", "@", -1},
        {"outside GBK at the end", "a😀", "a", 1},
        {"NUL inside", "a\0b"s, "a\0c"s, -1},
        {"NUL at the end", "a\0"s, "a", 1},
        {"invalid byte reads as '?'", "\xFF", "?", 1},
        {"invalid byte sorts as '?', before '@'", "\xFF", "@", -1},
        // Three bytes of a cut four-byte character are three '?', more than
        // the one '?' of the whole character.
        {"cut character before the whole one", "\xF0\x9F\x98", "\xF0\x9F\x98\x80", 1},
        {"cut Chinese character, then ASCII", "\xE4\xB8"s + "A", "\xE4\xB8"s + "B", -1},
        {"cut Chinese character against the whole one", "\xE4\xB8", "中", -1},
        {"encoded surrogate reads as three '?'", "\xED\xA0\x80", "???", 1},
        {"encoded surrogate sorts as '?', before '@'", "\xED\xA0\x80", "??@", -1},
        {"byte order mark at the start is dropped", "\xEF\xBB\xBF"s + "a", "b", -1},
        {"byte order mark alone reads as empty", "\xEF\xBB\xBF", "?", -1},
        {"byte order mark alone against empty", "\xEF\xBB\xBF", "", 1},
        {"byte order mark inside reads as '?'", "a\xEF\xBB\xBF", "a?", 1},
        {"byte order mark inside, then a difference", "a\xEF\xBB\xBF"s + "b", "a?a", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReferenceOrder(c.a, c.b), c.expected) << c.what;
        EXPECT_TRUE(OrdersAsReference(c.a, c.b)) << c.what;
    }
}

// Every text of up to three bytes over the bytes where UTF-8 decoding
// changes its mind, against partners that catch a wrong count of '?' or a
// character read across the wrong bytes.
TEST(CollationCp936, EveryShortByteSequenceOrdersAsReference) {
    using namespace std::string_literals;
    const std::string alphabet = "\x00\x3F\x41\x7F\x80\x8F\x90\x9F\xA0\xAD\xB8\xBB\xBF\xC0\xC2\xDF"
                                 "\xE0\xE4\xED\xEF\xF0\xF4\xF5\xFF"s;
    std::vector<std::string> texts = {""};
    size_t shorter = 0;
    for (int length = 1; length <= 3; ++length) {
        const size_t longer = texts.size();
        for (size_t i = shorter; i < longer; ++i) {
            for (const char byte : alphabet)
                texts.push_back(texts[i] + byte);
        }
        shorter = longer;
    }
    const std::string partners[] = {"", "?", "??", "???", "??@", "中", "\xEF\xBB\xBF"};
    int failures = 0;
    for (size_t i = 0; i < texts.size() && failures < 10; ++i) {
        const std::string& text = texts[i];
        std::vector<std::string> against(std::begin(partners), std::end(partners));
        against.push_back(text + "A");
        against.push_back(text.substr(0, text.size() / 2));
        if (i > 0)
            against.push_back(texts[i - 1]);
        for (const std::string& other : against) {
            const auto agrees = OrdersAsReference(text, other);
            EXPECT_TRUE(agrees);
            failures += agrees ? 0 : 1;
        }
    }
}

// Random texts built from ASCII, Chinese, characters GBK lacks, byte order
// marks and broken sequences; half the pairs share a prefix cut at any byte.
TEST(CollationCp936, RandomMixOrdersAsReference) {
    const std::vector<std::string> pieces = {"a",
                                             "b",
                                             "Z",
                                             "0",
                                             "9",
                                             "?",
                                             "@",
                                             "~",
                                             " ",
                                             "中",
                                             "国",
                                             "华",
                                             "张",
                                             "李",
                                             "啊",
                                             "三",
                                             "丰",
                                             "€",
                                             "·",
                                             "à",
                                             "ก",
                                             "😀",
                                             "😁",
                                             "\xEF\xBB\xBF",
                                             "\x80",
                                             "\xBF",
                                             "\xC0",
                                             "\xC2",
                                             "\xE4",
                                             "\xE4\xB8",
                                             "\xED\xA0\x80",
                                             "\xF0\x9F\x98",
                                             "\xF4\x90\x80\x80",
                                             "\xFF",
                                             std::string(1, '\0')};
    std::mt19937 random(936);
    const auto pick = [&random](size_t count) {
        return std::uniform_int_distribution<size_t>(0, count - 1)(random);
    };
    const auto text = [&] {
        std::string result;
        for (size_t n = pick(7); n > 0; --n)
            result += pieces[pick(pieces.size())];
        return result;
    };
    int failures = 0;
    for (int round = 0; round < 50000 && failures < 10; ++round) {
        const std::string a = text();
        const std::string b = round % 2 ? text() : a.substr(0, pick(a.size() + 1)) + text();
        const auto agrees = OrdersAsReference(a, b);
        EXPECT_TRUE(agrees);
        failures += agrees ? 0 : 1;
    }
}

// The collation as SQLite uses it, with the bytes handed over unchecked:
// a key in its order keeps texts apart that GBK writes alike, and a sort
// comes out in the reference order.
TEST(CollationCp936, RegisteredCollationKeysAndSorts) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    RegisterCollations(db);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE T (V TEXT COLLATE CP936 PRIMARY KEY)", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    const std::vector<std::string> values = {
        "李", "张三", "张",    "FP2007000002", "中华",     "中国",         "?", "😀",
        "😁",  "\xFF", "a\xE4", "FP2007000001", "\xE4\xB8", "\xED\xA0\x80", "",  "ก"};
    sqlite3_stmt* insert = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "INSERT INTO T VALUES (?)", -1, &insert, nullptr), SQLITE_OK);
    const auto add = [&](const std::string& value) {
        sqlite3_bind_text(insert, 1, value.data(), static_cast<int>(value.size()), SQLITE_STATIC);
        const int rc = sqlite3_step(insert);
        sqlite3_reset(insert);
        return rc;
    };
    for (const std::string& value : values)
        EXPECT_EQ(add(value), SQLITE_DONE) << Hex(value);
    EXPECT_EQ(add("张三"), SQLITE_CONSTRAINT);
    sqlite3_finalize(insert);

    std::vector<std::string> sorted;
    sqlite3_stmt* select = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT V FROM T ORDER BY V", -1, &select, nullptr),
              SQLITE_OK);
    while (sqlite3_step(select) == SQLITE_ROW)
        sorted.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(select, 0)),
                            static_cast<size_t>(sqlite3_column_bytes(select, 0)));
    sqlite3_finalize(select);
    sqlite3_close(db);

    std::vector<std::string> expected = values;
    std::ranges::sort(expected, [](const std::string& a, const std::string& b) {
        return ReferenceOrder(a, b) < 0;
    });
    EXPECT_EQ(sorted, expected);
}

} // namespace
} // namespace kx::db
