#include "platform/sys/dateformat.h"

#include "platform/sys/exception.h"

namespace kx::sys {
namespace {

const QString kShortDateFormat = QStringLiteral("yyyy-mm-dd");
const QString kLongTimeFormat = QStringLiteral("hh:nn:ss");

QString Padded(int number, int width) {
    return QString::number(number).rightJustified(width, u'0');
}

bool IsAsciiLetter(QChar c) {
    return c.unicode() < 0x80 && c.isLetter();
}

// Writes one run of the same letter, `count` long. Returns false for a
// letter that is not a token, which is then copied as it stands.
bool AppendToken(QString& out, char token, qsizetype count, const QDateTime& value) {
    const QDate date = value.date();
    const QTime time = value.time();
    const int width = count >= 2 ? 2 : 1;
    switch (token) {
    case 'Y':
        out += count <= 2 ? Padded(date.year() % 100, 2) : Padded(date.year(), 4);
        return true;
    case 'M':
        out += Padded(date.month(), width);
        return true;
    case 'N':
        out += Padded(time.minute(), width);
        return true;
    case 'D':
        out += Padded(date.day(), width);
        return true;
    case 'H':
        out += Padded(time.hour(), width);
        return true;
    case 'S':
        out += Padded(time.second(), width);
        return true;
    case 'Z':
        out += Padded(time.msec(), count >= 2 ? 3 : 1);
        return true;
    case 'C':
        out += FormatDateTime(kShortDateFormat, value);
        if (time != QTime(0, 0))
            out += u' ' + FormatDateTime(kLongTimeFormat, value);
        return true;
    default:
        return false;
    }
}

// ---- Text to date and time: a forgiving scan of what users type ------------

class Scanner {
public:
    explicit Scanner(const QString& text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }

    void SkipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == u' ')
            ++pos_;
    }

    bool Char(QChar c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    // Up to four digits; `length` is how many were read.
    bool Number(int& number, int& length) {
        SkipBlanks();
        const qsizetype start = pos_;
        number = 0;
        while (pos_ < text_.size() && text_[pos_] >= u'0' && text_[pos_] <= u'9' && number < 1000)
            number = number * 10 + text_[pos_++].digitValue();
        length = static_cast<int>(pos_ - start);
        return length > 0;
    }

    bool Date(QDate& date, int currentYear) {
        int n1 = 0, n2 = 0, n3 = 0, l1 = 0, l2 = 0, l3 = 0;
        if (!Number(n1, l1) || !Char(kDateSeparator) || !Number(n2, l2))
            return false;
        int year = currentYear;
        int month = n1;
        int day = n2;
        if (Char(kDateSeparator)) {
            if (!Number(n3, l3))
                return false;
            year = l1 <= 2 ? WindowedYear(n1, currentYear) : n1;
            month = n2;
            day = n3;
        }
        Char(kDateSeparator);
        SkipBlanks();
        date = QDate(year, month, day);
        return year >= 1 && date.isValid();
    }

    bool Time(QTime& time) {
        int hour = 0, minute = 0, second = 0, msec = 0, length = 0;
        if (!Number(hour, length) || !Char(u':') || !Number(minute, length))
            return false;
        if (Char(u':')) {
            if (!Number(second, length))
                return false;
            if (Char(u'.') && !Number(msec, length))
                return false;
        }
        SkipBlanks();
        time = QTime(hour, minute, second, msec);
        return time.isValid();
    }

private:
    // A two-digit year lands within the 70 years before the current year or
    // the 29 after it.
    static int WindowedYear(int year, int currentYear) {
        const int base = currentYear - kTwoDigitYearWindow;
        year += base / 100 * 100;
        return year < base ? year + 100 : year;
    }

    const QString& text_;
    qsizetype pos_ = 0;
};

} // namespace

QString FormatDateTime(const QString& format, const QDateTime& value) {
    if (!value.isValid())
        return {};
    if (format.isEmpty())
        return FormatDateTime(QStringLiteral("c"), value);
    QString out;
    char lastToken = 0;
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype end = format.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? format.size() : end;
            out += format.mid(i + 1, stop - i - 1);
            i = stop + 1;
        } else if (IsAsciiLetter(c)) {
            qsizetype count = 1;
            while (i + count < format.size() && format[i + count].toUpper() == c.toUpper())
                ++count;
            char token = c.toUpper().toLatin1();
            if (token == 'M' && lastToken == 'H')
                token = 'N';
            lastToken = token;
            if (!AppendToken(out, token, count, value))
                out += format.mid(i, count);
            i += count;
        } else {
            out += c == u'/' ? kDateSeparator : c;
            ++i;
        }
    }
    return out;
}

QString FormatDateTime(const QString& format, const QDate& value) {
    return FormatDateTime(format, QDateTime(value, QTime(0, 0)));
}

bool TryStrToDate(const QString& text, QDate& date, int currentYear) {
    Scanner scanner(text);
    QDate scanned;
    if (!scanner.Date(scanned, currentYear) || !scanner.AtEnd())
        return false;
    date = scanned;
    return true;
}

QDate StrToDate(const QString& text, int currentYear) {
    QDate date;
    if (!TryStrToDate(text, date, currentYear))
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(text));
    return date;
}

QDateTime StrToDateTime(const QString& text, int currentYear) {
    Scanner scanner(text);
    QDate date;
    QTime time(0, 0);
    const bool ok = scanner.Date(date, currentYear) && (scanner.AtEnd() || scanner.Time(time)) &&
                    scanner.AtEnd();
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(text));
    return QDateTime(date, time);
}

} // namespace kx::sys
