#pragma once
// The 60-byte font description a cell carries. The bytes are kept exactly as
// read from a template, so opening and saving without an edit writes the same
// bytes, stray bytes after the face name included.

#include <QString>

#include <array>
#include <cstdint>

namespace kx {

struct TLogFont {
    static constexpr int Size = 60;
    std::array<char, Size> Bytes{};

    // "宋体", 12 points at the layout's 96 dots per inch, character set 1.
    static TLogFont Default();

    int32_t Height() const { return Int(0); }
    int32_t Weight() const { return Int(16); }
    bool Italic() const { return Bytes[20] != 0; }
    bool Underline() const { return Bytes[21] != 0; }
    bool StrikeOut() const { return Bytes[22] != 0; }
    QString FaceName() const;

    void SetHeight(int32_t height) { SetInt(0, height); }
    void SetWeight(int32_t weight) { SetInt(16, weight); }
    void SetItalic(bool on) { Bytes[20] = on ? 1 : 0; }
    void SetUnderline(bool on) { Bytes[21] = on ? 1 : 0; }
    void SetStrikeOut(bool on) { Bytes[22] = on ? 1 : 0; }
    void SetCharSet(uint8_t charSet) { Bytes[23] = char(charSet); }
    // Cut to 31 code page 936 bytes so the terminating zero always fits.
    void SetFaceName(const QString& face);

    bool operator==(const TLogFont&) const = default;

private:
    int32_t Int(int at) const;
    void SetInt(int at, int32_t value);
};

// Layout arithmetic assumes this screen resolution on every machine, so a
// template wraps its texts the same way wherever it is opened.
constexpr int kLayoutDpi = 96;

} // namespace kx
