#pragma once
// Small text helpers shared by the windows of every subsystem.

#include <QByteArray>
#include <QString>

namespace kx {

// The piece of text after the Index-th delimiter: 1 gives the second piece,
// -1 the last; 0 and an index past the last piece give an empty text.
QString GetSplitItem(const QString& text, const QString& delimiter, int index);

// True when byte pos (counted from 1) of the code page 936 bytes is the first
// byte of a two-byte character.
bool IsLeadByteAt(const QByteArray& bytes, int pos);

// Inserts CR LF about every width bytes (counted in code page 936) without
// splitting a two-byte character; a width below 2 leaves the text as it is.
QString WrapTextBytes(const QString& text, int width);

// The text padded with zeros on the left to count characters; at most nine
// zeros are added and a longer text keeps its last count characters.
QString PadZeroLeft(const QString& text, int count);

} // namespace kx
