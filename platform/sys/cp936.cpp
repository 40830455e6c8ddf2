#include "platform/sys/cp936.h"

#include <QStringList>

#include <array>
#include <atomic>
#include <cerrno>
#include <iconv.h>
#include <mutex>
#include <stdexcept>

namespace kx::cp936 {
namespace {

// One conversion through iconv; characters the target cannot hold are
// replaced by '?' one input character at a time.
// Converters are opened once per thread: collation compares call this for
// every pair of rows, and iconv_open is far slower than a conversion.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert between GBK and UTF-8");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    iconv_t Handle() const { return cd_; }

private:
    iconv_t cd_;
};

QByteArray Convert(const Converter& converter, const QByteArray& in, int inCharBytes) {
    iconv_t cd = converter.Handle();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    QByteArray out;
    out.resize(in.size() * 2 + 8);
    char* src = const_cast<char*>(in.constData());
    size_t srcLeft = static_cast<size_t>(in.size());
    char* dst = out.data();
    size_t dstLeft = static_cast<size_t>(out.size());
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            const auto used = dst - out.data();
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = static_cast<size_t>(out.size() - used);
            continue;
        }
        // Invalid or incomplete input: write '?' and skip one character.
        if (dstLeft == 0) {
            const auto used = dst - out.data();
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = static_cast<size_t>(out.size() - used);
        }
        *dst++ = '?';
        --dstLeft;
        size_t skip = 1;
        if (inCharBytes == 0) {
            // UTF-8 input: skip a whole sequence.
            const auto lead = static_cast<unsigned char>(*src);
            skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        } else if (static_cast<unsigned char>(*src) >= 0x81 && srcLeft >= 2) {
            skip = 2;
        }
        skip = std::min(skip, srcLeft);
        src += skip;
        srcLeft -= skip;
    }
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.resize(static_cast<int>(dst - out.data()));
    return out;
}

// The code of the GBK bytes one character becomes: one byte, or two. The
// text is made with QChar::fromUcs4, as QString::fromUcs4 would drop U+FEFF
// as a byte order mark.
quint16 ConvertChar(char32_t codePoint) {
    const QByteArray bytes = Encode(QStringView(QChar::fromUcs4(codePoint)).toString());
    const auto byte = [&bytes](int i) { return static_cast<unsigned char>(bytes[i]); };
    return static_cast<quint16>(bytes.size() == 2 ? byte(0) << 8 | byte(1) : byte(0));
}

// Collations look characters up row after row; converting each through
// iconv every time would dominate a sort, so the basic plane is converted a
// block of 256 characters at a time, on first use. Once a block is
// converted, a look-up is one atomic load.
struct CodeBlock {
    std::atomic<bool> converted{false};
    std::array<quint16, 256> codes{};
};

std::array<CodeBlock, 256> codeBlocks;
std::mutex codeBlockConversion;

const CodeBlock& ConvertedBlock(char32_t codePoint) {
    CodeBlock& block = codeBlocks[codePoint >> 8];
    if (block.converted.load(std::memory_order_acquire))
        return block;
    const std::lock_guard lock(codeBlockConversion);
    if (!block.converted.load(std::memory_order_relaxed)) {
        const char32_t first = codePoint & ~char32_t{0xFF};
        for (char32_t i = 0; i < block.codes.size(); ++i)
            block.codes[i] = ConvertChar(first + i);
        block.converted.store(true, std::memory_order_release);
    }
    return block;
}

} // namespace

QByteArray Encode(const QString& text) {
    thread_local const Converter toGbk("GBK", "UTF-8");
    return Convert(toGbk, text.toUtf8(), 0);
}

QString Decode(const QByteArray& bytes) {
    thread_local const Converter fromGbk("UTF-8", "GBK");
    return QString::fromUtf8(Convert(fromGbk, bytes, 1));
}

quint16 EncodeChar(char32_t codePoint) {
    if (codePoint < 0x80)
        return static_cast<quint16>(codePoint);
    if (codePoint > 0xFFFF)
        return ConvertChar(codePoint);
    return ConvertedBlock(codePoint).codes[codePoint & 0xFF];
}

int ByteLength(const QString& text) {
    int n = 0;
    for (const QChar c : text) {
        // Surrogate halves count once per pair, as '?' in GBK.
        if (c.isLowSurrogate())
            continue;
        n += c.unicode() < 0x80 ? 1 : 2;
    }
    return n;
}

bool IsLeadByte(const QByteArray& bytes, int index) {
    int i = 0;
    while (i < index) {
        i += static_cast<unsigned char>(bytes[i]) >= 0x81 && i + 1 < bytes.size() ? 2 : 1;
    }
    return i == index && index < bytes.size() && static_cast<unsigned char>(bytes[index]) >= 0x81 &&
           index + 1 < bytes.size();
}

QByteArray CutBytes(const QByteArray& bytes, int maxBytes) {
    if (maxBytes <= 0)
        return {};
    if (bytes.size() <= maxBytes)
        return bytes;
    int i = 0;
    while (i < maxBytes) {
        const int width = static_cast<unsigned char>(bytes[i]) >= 0x81 ? 2 : 1;
        if (i + width > maxBytes)
            break;
        i += width;
    }
    return bytes.left(i);
}

QString CutToBytes(const QString& text, int maxBytes) {
    int used = 0;
    int i = 0;
    while (i < text.size()) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
        const int width = text[i].unicode() < 0x80 ? 1 : 2;
        if (used + width > maxBytes)
            break;
        used += width;
        i += pair ? 2 : 1;
    }
    return text.left(i);
}

QStringList WrapToBytes(const QString& text, int lineBytes) {
    QStringList lines;
    if (lineBytes <= 0)
        return lines;
    QString rest = text;
    while (!rest.isEmpty()) {
        QString line = CutToBytes(rest, lineBytes);
        if (line.isEmpty())
            line = rest.left(rest[0].isHighSurrogate() ? 2 : 1);
        lines << line;
        rest = rest.mid(line.size());
    }
    return lines;
}

} // namespace kx::cp936
