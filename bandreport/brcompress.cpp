#include "bandreport/brcompress.h"

#include "bandreport/brerror.h"

#include <vector>

namespace kx {

TBRCompress::TBRCompress() {
    InitTree();
}

void TBRCompress::InitTree() {
    for (int node = 1; node < kNodes; ++node)
        parent_[node] = uint8_t((node - 1) / 2);
    for (int node = 0; node < kInner; ++node) {
        left_[node] = uint16_t(2 * node + 1);
        right_[node] = uint16_t(2 * node + 2);
    }
}

void TBRCompress::Splay(int byte) {
    int a = byte + kInner;
    for (;;) {
        const int b = parent_[a];
        if (b == 0)
            return;
        const int g = parent_[b];
        int u;
        if (left_[g] == b) {
            u = right_[g];
            right_[g] = uint16_t(a);
        } else {
            u = left_[g];
            left_[g] = uint16_t(a);
        }
        if (left_[b] == a)
            left_[b] = uint16_t(u);
        else
            right_[b] = uint16_t(u);
        parent_[a] = uint8_t(g);
        parent_[u] = uint8_t(b);
        a = g;
        if (a == 0)
            return;
    }
}

void TBRCompress::EncodeByte(int byte, QByteArray& out) {
    std::vector<bool> path;
    for (int node = byte + kInner; node != 0; node = parent_[node])
        path.push_back(right_[parent_[node]] == node);
    for (auto bit = path.rbegin(); bit != path.rend(); ++bit) {
        if (*bit)
            outputByte_ = uint8_t(outputByte_ | (1u << bitPosition_));
        if (bitPosition_ == 7) {
            out.append(char(outputByte_));
            bitPosition_ = 0;
            outputByte_ = 0;
        } else {
            ++bitPosition_;
        }
    }
    Splay(byte);
}

int TBRCompress::DecodeByte(const char* coded, qsizetype codedSize, qsizetype& next) {
    int node = 0;
    do {
        if (bitPosition_ == 7) {
            if (next >= codedSize)
                throw EBRError(QStringLiteral("Compressed page data ends too early"));
            inputByte_ = uint8_t(coded[next++]);
            bitPosition_ = 0;
        } else {
            ++bitPosition_;
        }
        node = (inputByte_ & (1u << bitPosition_)) ? right_[node] : left_[node];
    } while (node < kInner);
    if (node == kNodes - 1)
        throw EBRError(QStringLiteral("Compressed page data holds an unknown code"));
    const int byte = node - kInner;
    Splay(byte);
    return byte;
}

QByteArray TBRCompress::Encode(const QByteArray& plain) {
    TBRCompress coder;
    QByteArray out;
    out.reserve(plain.size());
    for (char byte : plain)
        coder.EncodeByte(uint8_t(byte), out);
    if (coder.bitPosition_ != 0)
        out.append(char(coder.outputByte_));
    return out;
}

QByteArray TBRCompress::Decode(const char* coded, qsizetype codedSize, qsizetype count,
                               qsizetype* consumed) {
    TBRCompress coder;
    coder.bitPosition_ = 7;
    QByteArray plain;
    plain.reserve(qMin(count, 8 * codedSize));
    qsizetype next = 0;
    for (qsizetype i = 0; i < count; ++i)
        plain.append(char(coder.DecodeByte(coded, codedSize, next)));
    if (consumed)
        *consumed = next;
    return plain;
}

} // namespace kx
