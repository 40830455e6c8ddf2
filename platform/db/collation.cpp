#include "platform/db/collation.h"

#include "platform/sys/cp936.h"

#include <algorithm>
#include <sqlite3.h>

namespace kx::db {
namespace {

bool IsAscii(char byte) {
    return static_cast<unsigned char>(byte) < 0x80;
}

int CompareBytes(char a, char b) {
    return static_cast<unsigned char>(a) - static_cast<unsigned char>(b);
}

// The order of the UTF-8 bytes themselves, given where they first differ.
int CompareUtf8(std::string_view a, std::string_view b, size_t firstDifference) {
    if (firstDifference < a.size() && firstDifference < b.size())
        return CompareBytes(a[firstDifference], b[firstDifference]);
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// Where decoding starts afresh before `end`: just past the last ASCII byte,
// since no UTF-8 sequence, broken or not, takes an ASCII byte in.
size_t DecodingRestart(std::string_view text, size_t end) {
    const std::string_view head = text.substr(0, end);
    const auto lastAscii = std::find_if(head.rbegin(), head.rend(), IsAscii);
    return static_cast<size_t>(head.rend() - lastAscii);
}

// One character of UTF-8: its code point and how many bytes it takes.
struct Utf8Char {
    char32_t codePoint;
    size_t size;
};

// Reads the character at `at` as QString::fromUtf8 reads it: a byte that
// does not start a well-formed sequence stands alone for U+FFFD. Decoding
// here, one character at a time, lets a comparison stop at the first
// difference without converting or allocating anything.
Utf8Char Utf8CharAt(std::string_view text, size_t at) {
    const auto byte = [&](size_t i) -> char32_t {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0;
    };
    const auto isTrail = [&](size_t i, char32_t low = 0x80, char32_t high = 0xBF) {
        return byte(i) >= low && byte(i) <= high;
    };
    const char32_t lead = byte(0);
    if (lead < 0x80)
        return {lead, 1};
    if (lead >= 0xC2 && lead <= 0xDF && isTrail(1))
        return {(lead & 0x1F) << 6 | (byte(1) & 0x3F), 2};
    // The second byte's range excludes overlong forms and UTF-16 surrogates.
    if (lead >= 0xE0 && lead <= 0xEF &&
        isTrail(1, lead == 0xE0 ? 0xA0 : 0x80, lead == 0xED ? 0x9F : 0xBF) && isTrail(2))
        return {(lead & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F), 3};
    if (lead >= 0xF0 && lead <= 0xF4 &&
        isTrail(1, lead == 0xF0 ? 0x90 : 0x80, lead == 0xF4 ? 0x8F : 0xBF) && isTrail(2) &&
        isTrail(3))
        return {(lead & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 |
                    (byte(3) & 0x3F),
                4};
    return {0xFFFD, 1};
}

// QString::fromUtf8 drops a byte order mark at the start of a text.
size_t TextStart(std::string_view text) {
    return text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
}

// GBK order of two texts from a point where both decode afresh and
// everything before is the same.
int CompareGbk(std::string_view a, std::string_view b, size_t restart) {
    size_t atA = restart == 0 ? TextStart(a) : restart;
    size_t atB = restart == 0 ? TextStart(b) : restart;
    while (atA < a.size() && atB < b.size()) {
        const Utf8Char charA = Utf8CharAt(a, atA);
        const Utf8Char charB = Utf8CharAt(b, atB);
        const quint16 codeA = cp936::EncodeChar(charA.codePoint);
        const quint16 codeB = cp936::EncodeChar(charB.codePoint);
        if (codeA != codeB)
            return codeA < codeB ? -1 : 1;
        atA += charA.size;
        atB += charB.size;
    }
    return atA < a.size() ? 1 : atB < b.size() ? -1 : 0;
}

int CompareCp936Callback(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return CompareCp936({static_cast<const char*>(a), static_cast<size_t>(lengthA)},
                        {static_cast<const char*>(b), static_cast<size_t>(lengthB)});
}

} // namespace

// Most texts differ first in an ASCII byte, where GBK and UTF-8 agree: those
// compare as bytes, without decoding. Otherwise only the tails from the last
// point where decoding restarts are converted.
int CompareCp936(std::string_view a, std::string_view b) {
    const size_t at = static_cast<size_t>(std::ranges::mismatch(a, b).in1 - a.begin());
    const bool endA = at == a.size();
    const bool endB = at == b.size();
    if (!endA && !endB && IsAscii(a[at]) && IsAscii(b[at]))
        return CompareBytes(a[at], b[at]);
    const size_t restart = DecodingRestart(a, at);
    // A text ending where decoding restarts has GBK bytes that begin the
    // other's.
    if ((endA || endB) && restart == at)
        return CompareUtf8(a, b, at);
    const int gbk = CompareGbk(a, b, restart);
    return gbk != 0 ? gbk : CompareUtf8(a, b, at);
}

void RegisterCollations(sqlite3* db) {
    sqlite3_create_collation(db, kCp936Collation, SQLITE_UTF8, nullptr, &CompareCp936Callback);
}

} // namespace kx::db
