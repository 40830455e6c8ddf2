#pragma once
// The adaptive prefix coder of compressed pages: a splay tree over the 256
// byte values that moves each coded byte closer to the root, so frequent
// bytes get short codes. Every page starts with a fresh tree.

#include <QByteArray>

#include <array>
#include <cstdint>

namespace kx {

class TBRCompress {
public:
    // Codes the bytes, the bits packed from bit 0 up; the last byte's
    // unused high bits are 0 and no bytes code to nothing.
    static QByteArray Encode(const QByteArray& plain);
    // Decodes count bytes from the coded bytes; consumed receives how many
    // coded bytes were read. Raises EBRError when the coded bytes run out.
    static QByteArray Decode(const char* coded, qsizetype codedSize, qsizetype count,
                             qsizetype* consumed = nullptr);

private:
    TBRCompress();
    void InitTree();
    void Splay(int byte);
    void EncodeByte(int byte, QByteArray& out);
    int DecodeByte(const char* coded, qsizetype codedSize, qsizetype& next);

    static constexpr int kNodes = 513;
    static constexpr int kInner = 256;
    std::array<uint16_t, kInner> left_{};
    std::array<uint16_t, kInner> right_{};
    std::array<uint8_t, kNodes> parent_{};
    int bitPosition_ = 0;
    uint8_t outputByte_ = 0;
    uint8_t inputByte_ = 0;
};

} // namespace kx
