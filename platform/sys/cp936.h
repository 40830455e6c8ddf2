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
