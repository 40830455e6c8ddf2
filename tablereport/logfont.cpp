#include "tablereport/logfont.h"

#include "platform/sys/cp936.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace kx {

TLogFont TLogFont::Default() {
    // Every new cell starts with it: the face name is converted once.
    static const TLogFont font = [] {
        TLogFont made;
        made.SetHeight(-int32_t(std::trunc(kLayoutDpi * 120.0 / 720 + 0.5)));
        made.SetCharSet(1);
        made.SetFaceName(QStringLiteral("宋体"));
        return made;
    }();
    return font;
}

QString TLogFont::FaceName() const {
    const char* face = Bytes.data() + 28;
    const auto length = std::find(face, face + 32, '\0') - face;
    return cp936::Decode(QByteArray(face, length));
}

void TLogFont::SetFaceName(const QString& face) {
    const QByteArray bytes = cp936::CutBytes(cp936::Encode(face), 31);
    std::fill(Bytes.begin() + 28, Bytes.end(), '\0');
    std::copy(bytes.begin(), bytes.end(), Bytes.begin() + 28);
}

int32_t TLogFont::Int(int at) const {
    return qFromLittleEndian<int32_t>(Bytes.data() + at);
}

void TLogFont::SetInt(int at, int32_t value) {
    qToLittleEndian<int32_t>(value, Bytes.data() + at);
}

} // namespace kx
