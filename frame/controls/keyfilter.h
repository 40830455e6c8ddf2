#pragma once
// The typed key filter of the input boxes: boxes for integers, decimal
// numbers and dates drop the keys that cannot belong to such a value and cap
// their length.

#include <QChar>
#include <QString>

namespace kx {

enum TEditTypes { etString, etInteger, etFloat, etDate, etTime, etPhone };

// True for the types typed without an input method and filtered.
bool IsNumericEditType(TEditTypes type);

// The key as the box takes it, or a null character when refused. text and the selection are the
// box's before the key; maxLength may be raised from 0 to 11 by a signed integer.
QChar FilterEditKey(TEditTypes type, QChar key, const QString& text, int selStart, int selLength,
                    int& maxLength);

// The text of a box as its field reads it: a decimal box's commas only group
// thousands and are dropped.
QString FieldTextOf(TEditTypes type, const QString& text);

// The length cap a box takes on entry (0: none).
int EntryMaxLength(TEditTypes type, int maxLength);

} // namespace kx
