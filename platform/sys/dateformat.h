#pragma once
// Dates and times to text and back with the program's date settings: date
// separator "-", short date format "yyyy-mm-dd" and a two-digit-year window
// of 70 (a two-digit year means the year within the 70 years before the
// current year and the 29 after it).

#include <QDate>
#include <QDateTime>
#include <QString>

namespace kx::sys {

inline constexpr QChar kDateSeparator = u'-';
inline constexpr int kTwoDigitYearWindow = 70;

// Format tokens, letter case ignored: "yyyy"/"yyy", "yy", "m", "mm", "d",
// "dd", "h", "hh", "n", "nn", "s", "ss", "z", "zzz", and "c" (the short date
// and, unless it is midnight, " hh:nn:ss"). "m"/"mm" right after "h"/"hh"
// (with only non-letters between) means minutes. "/" writes the date
// separator; text in '...' or "..." is literal, an unclosed quote running to
// the end; any other character is copied. An empty format means "c".
QString FormatDateTime(const QString& format, const QDateTime& value);
QString FormatDateTime(const QString& format, const QDate& value);

// Text to date under the short date format: year-month-day with "-", blanks
// allowed around the numbers, a one- or two-digit year through the window
// of 70; month-day alone means the current year. Raises kx::EConvertError
// "'<text>' is not a valid date".
QDate StrToDate(const QString& text, int currentYear = QDate::currentDate().year());
bool TryStrToDate(const QString& text, QDate& date, int currentYear = QDate::currentDate().year());

// A date optionally followed by a time "h:n[:s[.z]]". Raises
// kx::EConvertError "'<text>' is not a valid date and time".
QDateTime StrToDateTime(const QString& text, int currentYear = QDate::currentDate().year());

} // namespace kx::sys
