#include "platform/sys/numberformat.h"

#include "platform/sys/decimal.h"
#include "platform/sys/exception.h"

#include <QRegularExpression>
#include <QStringList>

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace kx::sys {
namespace {

constexpr int kSignificantDigits = 15;
constexpr auto kHalfUp = Decimal::Rounding::HalfAwayFromZero;

QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The value's 15-digit decimal text cut to `digits` significant digits.
Decimal Significant(double value, int digits) {
    const Decimal d = Decimal::FromDouble(value);
    return d.Rounded(digits - d.exponent, kHalfUp);
}

QString NonFiniteText(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
}

QString Sign(const Decimal& d) {
    return d.negative && !d.IsZero() ? QStringLiteral("-") : QString();
}

QString WithThousands(const QString& integer) {
    QString grouped;
    for (qsizetype i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            grouped += u',';
        grouped += integer[i];
    }
    return grouped;
}

// Digits without exponent: the integer part, then the fraction digits the
// value has (decimals < 0) or exactly `decimals` of them.
QString PlainText(const Decimal& d, int decimals = -1, bool thousands = false) {
    const QString integer = Latin1(d.IntegerDigits());
    QString text = Sign(d) + (thousands ? WithThousands(integer) : integer);
    const int count =
        decimals >= 0 ? decimals : std::max(0, static_cast<int>(d.digits.size()) - d.exponent);
    if (count > 0)
        text += u'.' + Latin1(d.FractionDigits(count));
    return text;
}

// d.dddE<exponent> with at least `exponentDigits` exponent digits; a plus
// sign only when asked for.
QString ScientificText(const Decimal& d, int fractionDigits, int exponentDigits, bool plusSign) {
    const std::string digits = d.IsZero() ? std::string("0") : d.digits;
    QString text = Sign(d) + QChar::fromLatin1(digits[0]);
    QString fraction = Latin1(digits.substr(1));
    if (fractionDigits >= 0)
        fraction = fraction.leftJustified(fractionDigits, u'0', true);
    if (!fraction.isEmpty())
        text += u'.' + fraction;
    const int exponent = d.IsZero() ? 0 : d.exponent - 1;
    text += u'E';
    if (exponent < 0)
        text += u'-';
    else if (plusSign)
        text += u'+';
    return text + QString::number(std::abs(exponent)).rightJustified(exponentDigits, u'0');
}

QString GeneralText(double value, int precision) {
    if (!std::isfinite(value))
        return NonFiniteText(value);
    const Decimal d = Significant(value, std::clamp(precision, 1, kSignificantDigits));
    if (d.IsZero())
        return QStringLiteral("0");
    // Fixed while the integer digits fit the precision and the value is at
    // least 0.0001; otherwise scientific.
    if (d.exponent > precision || d.exponent < -3)
        return ScientificText(d, -1, 1, false);
    return PlainText(d);
}

// ---- Display format patterns ----------------------------------------------

struct Pattern {
    enum class Kind { Literal, IntegerDigit, Point, FractionDigit, Exponent };
    struct Token {
        Kind kind;
        QString text;
    };
    std::vector<Token> tokens;
    int integerPlaceholders = 0;
    int minIntegerDigits = 0;
    int fractionPlaceholders = 0;
    int minFractionDigits = 0;
    bool thousands = false;
    bool scientific = false;
    bool exponentPlus = false;
    int exponentDigits = 0;
};

// Splits at ";" outside quotes.
QStringList SplitSections(const QString& pattern) {
    QStringList sections{QString()};
    QChar quote;
    for (const QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            sections << QString();
            continue;
        }
        sections.last() += c;
    }
    return sections;
}

bool IsExponentStart(const QString& section, qsizetype i) {
    return (section[i] == u'E' || section[i] == u'e') && i + 1 < section.size() &&
           (section[i + 1] == u'+' || section[i + 1] == u'-');
}

// "E+00", "e-0": the exponent's form and its least number of digits (up to
// four). Returns the index of the last character taken.
qsizetype ParseExponent(const QString& section, qsizetype i, Pattern& p) {
    p.scientific = true;
    p.exponentPlus = section[i + 1] == u'+';
    p.tokens.push_back({Pattern::Kind::Exponent, QString(section[i])});
    qsizetype last = i + 1;
    while (last + 1 < section.size() && section[last + 1] == u'0' && p.exponentDigits < 4) {
        ++p.exponentDigits;
        ++last;
    }
    return last;
}

Pattern ParsePattern(const QString& section) {
    Pattern p;
    bool afterPoint = false;
    int firstZero = -1;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype end = section.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? section.size() : end;
            p.tokens.push_back({Pattern::Kind::Literal, section.mid(i + 1, stop - i - 1)});
            i = stop;
        } else if (c == u'0' || c == u'#') {
            if (afterPoint) {
                p.tokens.push_back({Pattern::Kind::FractionDigit, {}});
                ++p.fractionPlaceholders;
                if (c == u'0')
                    p.minFractionDigits = p.fractionPlaceholders;
            } else {
                p.tokens.push_back({Pattern::Kind::IntegerDigit, {}});
                if (c == u'0' && firstZero < 0)
                    firstZero = p.integerPlaceholders;
                ++p.integerPlaceholders;
            }
        } else if (c == u'.') {
            if (!afterPoint)
                p.tokens.push_back({Pattern::Kind::Point, {}});
            afterPoint = true;
        } else if (c == u',') {
            p.thousands = true;
        } else if (!p.scientific && IsExponentStart(section, i)) {
            i = ParseExponent(section, i, p);
        } else {
            p.tokens.push_back({Pattern::Kind::Literal, QString(c)});
        }
    }
    p.minIntegerDigits = firstZero < 0 ? 0 : p.integerPlaceholders - firstZero;
    return p;
}

// The value as the pattern rounds it: to the fraction placeholders, or in
// scientific form to the number of placeholders as significant digits.
Decimal RoundForPattern(const Pattern& p, double magnitude) {
    if (!p.scientific)
        return Decimal::FromDouble(magnitude).Rounded(p.fractionPlaceholders, kHalfUp);
    return Significant(magnitude, std::max(1, p.integerPlaceholders) + p.fractionPlaceholders);
}

// The digits a pattern writes, as ASCII.
struct Digits {
    std::string integer;
    std::string fraction;
    std::string exponent;
};

void ChopTrailingZeros(std::string& fraction, int keep) {
    while (static_cast<int>(fraction.size()) > keep && fraction.back() == '0')
        fraction.pop_back();
}

Digits FixedDigits(const Pattern& p, const Decimal& d) {
    Digits out;
    out.integer = d.IntegerDigits();
    if (out.integer == "0")
        out.integer.clear();
    if (static_cast<int>(out.integer.size()) < p.minIntegerDigits)
        out.integer.insert(0, p.minIntegerDigits - out.integer.size(), '0');
    out.fraction = d.FractionDigits(p.fractionPlaceholders);
    ChopTrailingZeros(out.fraction, p.minFractionDigits);
    return out;
}

Digits ScientificDigits(const Pattern& p, const Decimal& d) {
    const int integerDigits = std::max(1, p.integerPlaceholders);
    Digits out;
    std::string digits = d.digits;
    const auto wanted = static_cast<std::size_t>(integerDigits + p.fractionPlaceholders);
    if (digits.size() < wanted)
        digits.append(wanted - digits.size(), '0');
    out.integer = digits.substr(0, static_cast<std::size_t>(integerDigits));
    out.fraction = digits.substr(static_cast<std::size_t>(integerDigits),
                                 static_cast<std::size_t>(p.fractionPlaceholders));
    ChopTrailingZeros(out.fraction, p.minFractionDigits);
    const int exponent = d.IsZero() ? 0 : d.exponent - integerDigits;
    if (exponent < 0)
        out.exponent = "-";
    else if (p.exponentPlus)
        out.exponent = "+";
    std::string magnitude = std::to_string(std::abs(exponent));
    if (static_cast<int>(magnitude.size()) < p.exponentDigits)
        magnitude.insert(0, p.exponentDigits - magnitude.size(), '0');
    out.exponent += magnitude;
    return out;
}

// Extra integer digits go out at the first placeholder; a placeholder with
// no digit left for it writes nothing.
QString RenderPattern(const Pattern& p, const Decimal& d) {
    const Digits digits = p.scientific ? ScientificDigits(p, d) : FixedDigits(p, d);
    const auto length = static_cast<qsizetype>(digits.integer.size());
    QString out;
    out.reserve(length + length / 3 + static_cast<qsizetype>(digits.fraction.size()) +
                static_cast<qsizetype>(p.tokens.size()) + 8);
    auto emitInteger = [&](qsizetype from, qsizetype to) {
        for (qsizetype k = from; k < to; ++k) {
            out += QLatin1Char(digits.integer[static_cast<std::size_t>(k)]);
            if (p.thousands && !p.scientific && k < length - 1 && (length - 1 - k) % 3 == 0)
                out += u',';
        }
    };
    int integerIndex = 0;
    std::size_t fractionIndex = 0;
    for (const Pattern::Token& token : p.tokens) {
        switch (token.kind) {
        case Pattern::Kind::Literal:
            out += token.text;
            break;
        case Pattern::Kind::IntegerDigit: {
            // Digits align to the right end of the placeholders.
            const qsizetype position = integerIndex++ - p.integerPlaceholders + length;
            if (integerIndex == 1)
                emitInteger(0, std::max<qsizetype>(position + 1, 0));
            else if (position >= 0)
                emitInteger(position, position + 1);
            break;
        }
        case Pattern::Kind::Point:
            if (!digits.fraction.empty())
                out += u'.';
            break;
        case Pattern::Kind::FractionDigit:
            if (fractionIndex < digits.fraction.size())
                out += QLatin1Char(digits.fraction[fractionIndex]);
            ++fractionIndex;
            break;
        case Pattern::Kind::Exponent:
            out += token.text;
            out += QLatin1StringView(digits.exponent.data(),
                                     static_cast<qsizetype>(digits.exponent.size()));
            break;
        }
    }
    return out;
}

// A display format's sections parsed once: a list formats every row with
// the same few patterns.
struct Sections {
    bool Empty = true;
    Pattern Positive;
    std::optional<Pattern> Negative;
    std::optional<Pattern> Zero;
};

Sections ParseSections(const QString& pattern) {
    const QStringList texts = SplitSections(pattern);
    Sections sections;
    sections.Empty = texts.first().isEmpty();
    sections.Positive = ParsePattern(texts.first());
    if (texts.size() > 1 && !texts[1].isEmpty())
        sections.Negative = ParsePattern(texts[1]);
    if (texts.size() > 2 && !texts[2].isEmpty())
        sections.Zero = ParsePattern(texts[2]);
    return sections;
}

const Sections& SectionsOf(const QString& pattern) {
    constexpr std::size_t kKept = 16;
    thread_local std::vector<std::pair<QString, Sections>> parsed;
    for (const auto& [text, sections] : parsed)
        if (text == pattern)
            return sections;
    if (parsed.size() == kKept)
        parsed.erase(parsed.begin());
    parsed.emplace_back(pattern, ParseSections(pattern));
    return parsed.back().second;
}

// ---- The printf-like formatter --------------------------------------------

// The precision of %d and %x is the least number of digits.
QString IntegerText(qlonglong n, int precision) {
    const quint64 magnitude = n < 0 ? 0 - static_cast<quint64>(n) : static_cast<quint64>(n);
    return (n < 0 ? QStringLiteral("-") : QString()) +
           QString::number(magnitude).rightJustified(precision, u'0');
}

// Negative numbers in two's complement, 32 bits wide when they fit.
QString HexText(qlonglong n, int precision) {
    const bool fits = n >= std::numeric_limits<qint32>::min();
    const quint64 bits = n < 0 && fits ? static_cast<quint32>(n) : static_cast<quint64>(n);
    return QString::number(bits, 16).toUpper().rightJustified(precision, u'0');
}

QString FixedText(double value, int decimals, bool thousands) {
    if (!std::isfinite(value))
        return NonFiniteText(value);
    decimals = std::min(decimals, 18);
    return PlainText(Decimal::FromDouble(value).Rounded(decimals, kHalfUp), decimals, thousands);
}

// %e: `digits` significant digits and an exponent of at least three digits.
QString ExponentText(double value, int digits) {
    if (!std::isfinite(value))
        return NonFiniteText(value);
    digits = std::clamp(digits, 1, 18);
    return ScientificText(Significant(value, std::min(digits, kSignificantDigits)), digits - 1, 3,
                          true);
}

struct Directive {
    int index = -1;
    bool leftAlign = false;
    int width = 0;
    int precision = -1;
    QChar type;
};

class Formatter {
public:
    Formatter(const QString& format, const QVariantList& args) : format_(format), args_(args) {}

    QString Run() {
        QString out;
        qsizetype i = 0;
        while (i < format_.size()) {
            const QChar c = format_[i++];
            if (c != u'%') {
                out += c;
            } else if (i < format_.size() && format_[i] == u'%') {
                out += u'%';
                ++i;
            } else {
                out += Apply(ParseDirective(i));
            }
        }
        return out;
    }

private:
    [[noreturn]] void Fail() const {
        throw EConvertError(
            QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format_));
    }

    int Number(qsizetype& i) {
        if (i < format_.size() && format_[i] == u'*') {
            ++i;
            return static_cast<int>(IntegerArg());
        }
        return Digits(i);
    }

    int Digits(qsizetype& i) const {
        int n = 0;
        while (i < format_.size() && format_[i].isDigit() && format_[i].unicode() < 0x80) {
            n = n * 10 + format_[i++].digitValue();
            if (n > 9999)
                Fail();
        }
        return n;
    }

    Directive ParseDirective(qsizetype& i) {
        Directive directive;
        const qsizetype start = i;
        const int first = Digits(i);
        if (i > start && i < format_.size() && format_[i] == u':') {
            next_ = first;
            ++i;
        } else {
            i = start;
        }
        if (i < format_.size() && format_[i] == u'-') {
            directive.leftAlign = true;
            ++i;
        }
        directive.width = Number(i);
        if (i < format_.size() && format_[i] == u'.') {
            ++i;
            directive.precision = Number(i);
        }
        if (i >= format_.size())
            Fail();
        directive.type = format_[i++].toLower();
        return directive;
    }

    const QVariant& NextArg() {
        if (next_ < 0 || next_ >= args_.size())
            Fail();
        return args_[next_++];
    }

    qlonglong IntegerArg() {
        const QVariant& arg = NextArg();
        switch (arg.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            return arg.toLongLong();
        default:
            Fail();
        }
    }

    double FloatArg() {
        const QVariant& arg = NextArg();
        if (arg.typeId() != QMetaType::Double && arg.typeId() != QMetaType::Float)
            Fail();
        return arg.toDouble();
    }

    QString StringArg() {
        const QVariant& arg = NextArg();
        if (arg.typeId() != QMetaType::QString && arg.typeId() != QMetaType::QChar)
            Fail();
        return arg.toString();
    }

    QString Apply(const Directive& directive) {
        const QString text = Convert(directive);
        return directive.leftAlign ? text.leftJustified(directive.width)
                                   : text.rightJustified(directive.width);
    }

    QString Convert(const Directive& directive) {
        switch (directive.type.toLatin1()) {
        case 'd':
            return IntegerText(IntegerArg(), directive.precision);
        case 'x':
            return HexText(IntegerArg(), directive.precision);
        case 'f':
            return FixedText(FloatArg(), directive.precision < 0 ? 2 : directive.precision, false);
        case 'n':
            return FixedText(FloatArg(), directive.precision < 0 ? 2 : directive.precision, true);
        case 'e':
            return ExponentText(FloatArg(),
                                directive.precision < 0 ? kSignificantDigits : directive.precision);
        case 'g':
            return GeneralText(FloatArg(),
                               directive.precision < 0 ? kSignificantDigits : directive.precision);
        case 's':
            return StringArg().left(directive.precision < 0 ? std::numeric_limits<int>::max()
                                                            : directive.precision);
        default:
            Fail();
        }
    }

    const QString& format_;
    const QVariantList& args_;
    int next_ = 0;
};

// ---- Text to numbers -------------------------------------------------------

const QRegularExpression& FloatSyntax() {
    static const QRegularExpression syntax(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    return syntax;
}

const QRegularExpression& IntegerSyntax() {
    static const QRegularExpression syntax(
        QStringLiteral("^ *([+-]?)(?:([0-9]+)|\\$([0-9A-Fa-f]+)|0[xX]([0-9A-Fa-f]+))$"));
    return syntax;
}

} // namespace

QString FloatToStr(double value) {
    return GeneralText(value, kSignificantDigits);
}

QString SqlNumber(double value) {
    if (!std::isfinite(value))
        return QStringLiteral("NULL");
    return PlainText(Decimal::FromDouble(value));
}

QString FormatFloat(const QString& pattern, double value) {
    const Sections& sections = SectionsOf(pattern);
    if (sections.Empty || !std::isfinite(value))
        return FloatToStr(value);
    const Pattern& positive = sections.Positive;
    const double magnitude = std::fabs(value);
    const Decimal rounded = RoundForPattern(positive, magnitude);
    if (rounded.IsZero()) {
        if (sections.Zero)
            return RenderPattern(*sections.Zero, RoundForPattern(*sections.Zero, magnitude));
        return RenderPattern(positive, rounded);
    }
    if (value < 0 && sections.Negative)
        return RenderPattern(*sections.Negative, RoundForPattern(*sections.Negative, magnitude));
    const QString text = RenderPattern(positive, rounded);
    return value < 0 ? u'-' + text : text;
}

QString Format(const QString& format, const QVariantList& args) {
    return Formatter(format, args).Run();
}

bool TryStrToFloat(const QString& text, double& value) {
    const QString trimmed = text.trimmed();
    if (!FloatSyntax().match(trimmed).hasMatch())
        return false;
    const QByteArray latin = trimmed.toLatin1();
    const char* begin = latin.constData() + (latin.startsWith('+') ? 1 : 0);
    double parsed = 0;
    const auto result = std::from_chars(begin, latin.constData() + latin.size(), parsed);
    if (result.ec != std::errc() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

double StrToFloat(const QString& text) {
    double value = 0;
    if (!TryStrToFloat(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}

bool TryStrToInt(const QString& text, int& value) {
    const QRegularExpressionMatch match = IntegerSyntax().match(text);
    if (!match.hasMatch())
        return false;
    const bool negative = match.captured(1) == u"-";
    bool ok = false;
    qlonglong n = 0;
    if (match.hasCaptured(2)) {
        n = match.captured(2).toLongLong(&ok);
        n = negative ? -n : n;
        ok = ok && n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max();
    } else {
        // Hexadecimal covers the 32 bits, so $FFFFFFFF is -1.
        const QString hex = match.hasCaptured(3) ? match.captured(3) : match.captured(4);
        n = hex.toLongLong(&ok, 16);
        ok = ok && n <= 0xFFFFFFFFLL;
        n = static_cast<qint32>(static_cast<quint32>(n));
        n = negative ? -n : n;
    }
    if (ok)
        value = static_cast<int>(n);
    return ok;
}

int StrToInt(const QString& text) {
    int value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

double AmountTextToFloat(const QString& text) {
    QString plain = text.trimmed();
    const QString currencySign = QStringLiteral("￥");
    const qsizetype sign = plain.indexOf(currencySign);
    if (sign >= 0)
        plain = plain.mid(sign + currencySign.size()).trimmed();
    // Commas go, blanks between the digits stay: "1, 234" is no number.
    plain = plain.remove(u',').trimmed();
    double value = 0;
    return !plain.isEmpty() && TryStrToFloat(plain, value) ? value : 0;
}

} // namespace kx::sys
