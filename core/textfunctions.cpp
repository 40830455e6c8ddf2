#include "core/textfunctions.h"

#include "platform/sys/cp936.h"

#include <QStringList>

namespace kx {
namespace {

bool IsTrailByteAt(const QByteArray& bytes, int pos) {
    return pos > 1 && IsLeadByteAt(bytes, pos - 1);
}

// Where the break for the multiple at pos goes: before a character that starts
// there, else one byte earlier, moved past a character it would cut in two.
int BreakPosition(const QByteArray& bytes, int pos) {
    if (IsLeadByteAt(bytes, pos))
        return pos;
    return IsTrailByteAt(bytes, pos - 1) ? pos : pos - 1;
}

} // namespace

QString GetSplitItem(const QString& text, const QString& delimiter, int index) {
    const QStringList pieces = text.split(delimiter);
    if (index == -1)
        return pieces.last();
    if (index <= 0 || index >= pieces.size())
        return {};
    return pieces[index];
}

bool IsLeadByteAt(const QByteArray& bytes, int pos) {
    return pos >= 1 && cp936::IsLeadByte(bytes, pos - 1);
}

QString WrapTextBytes(const QString& text, int width) {
    // Below 2 each break adds bytes as fast as the walk advances, so the walk
    // would never reach the end.
    if (width < 2)
        return text;
    QByteArray bytes = cp936::Encode(text);
    for (int i = 1; i <= bytes.size(); ++i) {
        if (i % (width + 1) == 0)
            bytes.insert(BreakPosition(bytes, i) - 1, "\r\n");
    }
    return cp936::Decode(bytes);
}

QString PadZeroLeft(const QString& text, int count) {
    return (QStringLiteral("000000000") + text).right(count);
}

} // namespace kx
