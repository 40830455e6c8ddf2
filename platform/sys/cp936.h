#pragma once
// Code page 936 (GBK) at the byte-layout boundary. Text lives as QString in
// memory; file formats, byte counts and column sizes are counted in GBK bytes.

#include <QByteArray>
#include <QString>

namespace kx::cp936 {

// Characters that GBK cannot hold become '?', so a file keeps its byte
// layout rather than failing on one stray character.
QByteArray Encode(const QString& text);
QString Decode(const QByteArray& bytes);

// The GBK code of one character: its single byte (ASCII, or 0x80 for the
// euro sign), or lead byte * 256 + trail byte; '?' when GBK cannot hold it.
// No lead byte is below 0x81, so codes order as the bytes they stand for and
// texts compare code by code as their GBK bytes would.
// Characters of the basic plane are looked up without allocating, once
// their block of 256 has been converted.
quint16 EncodeChar(char32_t codePoint);

// Number of GBK bytes the text takes.
int ByteLength(const QString& text);

// The longest leading part of the text that fits in maxBytes GBK bytes,
// never splitting a double-byte character.
QString CutToBytes(const QString& text, int maxBytes);

// Same rule on raw GBK bytes: a cut that would land inside a double-byte
// character moves back before it.
QByteArray CutBytes(const QByteArray& bytes, int maxBytes);

// True when bytes[index] is the lead byte of a double-byte character.
bool IsLeadByte(const QByteArray& bytes, int index);

// Splits the text into lines of at most lineBytes GBK bytes each.
QStringList WrapToBytes(const QString& text, int lineBytes);

} // namespace kx::cp936
