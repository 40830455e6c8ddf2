#include "platform/db/sqltranslate.h"

#include <QDate>
#include <QRegularExpression>

namespace kx::db {
namespace {

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// Index just past the literal or quoted name that starts at `at`.
qsizetype SkipQuoted(QStringView sql, qsizetype at) {
    const QChar quote = sql[at];
    qsizetype i = at + 1;
    while (i < sql.size()) {
        if (sql[i] == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

qsizetype SkipSpaces(QStringView sql, qsizetype at) {
    while (at < sql.size() && sql[at].isSpace())
        ++at;
    return at;
}

qsizetype WordEnd(QStringView sql, qsizetype at) {
    while (at < sql.size() && IsWordChar(sql[at]))
        ++at;
    return at;
}

// Index of the ")" closing the "(" at `open`, or -1.
qsizetype MatchingParen(QStringView sql, qsizetype open) {
    int depth = 0;
    qsizetype i = open;
    while (i < sql.size()) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            i = SkipQuoted(sql, i);
            continue;
        }
        if (c == u'(')
            ++depth;
        else if (c == u')' && --depth == 0)
            return i;
        ++i;
    }
    return -1;
}

// Start of the keyword (a whole word) at parenthesis depth 0 of `text`, from
// `from` on, or -1.
qsizetype FindKeyword(QStringView text, QStringView keyword, qsizetype from = 0) {
    int depth = 0;
    qsizetype i = from;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c == u'\'' || c == u'"') {
            i = SkipQuoted(text, i);
            continue;
        }
        if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            --depth;
        } else if (IsWordChar(c)) {
            const qsizetype end = WordEnd(text, i);
            if (depth == 0 && text.sliced(i, end - i).compare(keyword, Qt::CaseInsensitive) == 0)
                return i;
            i = end;
            continue;
        }
        ++i;
    }
    return -1;
}

QString TranslateLiteral(QStringView literal) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^'\s*(\d{1,2})/(\d{1,2})/(\d{4})\s*'$)"));
    const QRegularExpressionMatch match = pattern.match(literal);
    if (!match.hasMatch())
        return literal.toString();
    const QDate date(match.captured(3).toInt(), match.captured(1).toInt(),
                     match.captured(2).toInt());
    if (!date.isValid())
        return literal.toString();
    return u'\'' + date.toString(Qt::ISODate) + u'\'';
}

QString Translate(QStringView sql);

// SUBSTRING(x FROM a FOR b), or SUBSTRING(x, a, b); `args` is the text
// between the parentheses.
QString TranslateSubstring(QStringView args) {
    const qsizetype from = FindKeyword(args, u"FROM");
    if (from < 0)
        return QStringLiteral("substr(") + Translate(args).trimmed() + u')';
    const qsizetype forAt = FindKeyword(args, u"FOR", from + 4);
    QString result = QStringLiteral("substr(") + Translate(args.first(from)).trimmed() + u',';
    if (forAt < 0)
        return result + Translate(args.sliced(from + 4)).trimmed() + u')';
    return result + Translate(args.sliced(from + 4, forAt - from - 4)).trimmed() + u',' +
           Translate(args.sliced(forAt + 3)).trimmed() + u')';
}

// EXTRACT(YEAR FROM x); other parts are left to SQLite to refuse.
QString TranslateExtract(QStringView args, bool& translated) {
    const qsizetype from = FindKeyword(args, u"FROM");
    translated = false;
    if (from < 0)
        return {};
    const QString part = args.first(from).trimmed().toString().toUpper();
    const char* format = part == u"YEAR"    ? "%Y"
                         : part == u"MONTH" ? "%m"
                         : part == u"DAY"   ? "%d"
                                            : nullptr;
    if (!format)
        return {};
    translated = true;
    return QStringLiteral("CAST(strftime('%1',").arg(QLatin1String(format)) +
           Translate(args.sliced(from + 4)).trimmed() + QStringLiteral(") AS INTEGER)");
}

// A function call translated as a whole, or an empty string.
QString TranslateCall(QStringView sql, QStringView word, qsizetype afterWord, qsizetype& end) {
    const bool substring = word.compare(u"SUBSTRING", Qt::CaseInsensitive) == 0;
    const bool extract = word.compare(u"EXTRACT", Qt::CaseInsensitive) == 0;
    if (!substring && !extract)
        return {};
    const qsizetype open = SkipSpaces(sql, afterWord);
    if (open >= sql.size() || sql[open] != u'(')
        return {};
    const qsizetype close = MatchingParen(sql, open);
    if (close < 0)
        return {};
    const QStringView args = sql.sliced(open + 1, close - open - 1);
    QString result;
    if (substring) {
        result = TranslateSubstring(args);
    } else {
        bool translated = false;
        result = TranslateExtract(args, translated);
        if (!translated)
            return {};
    }
    end = close + 1;
    return result;
}

bool IsDbSuffix(QStringView sql, qsizetype at) {
    return at + 3 <= sql.size() && sql[at] == u'.' &&
           sql.sliced(at + 1, 2).compare(u"DB", Qt::CaseInsensitive) == 0 &&
           (at + 3 == sql.size() || !IsWordChar(sql[at + 3]));
}

QString Translate(QStringView sql) {
    QString out;
    out.reserve(sql.size() + 16);
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            const qsizetype end = SkipQuoted(sql, i);
            const QStringView quoted = sql.sliced(i, end - i);
            out += c == u'\'' ? TranslateLiteral(quoted) : quoted.toString();
            i = end;
        } else if (c == u'-' && i + 1 < sql.size() && sql[i + 1] == u'-') {
            out += QStringLiteral("- ");
            ++i;
        } else if (IsWordChar(c)) {
            const qsizetype wordEnd = WordEnd(sql, i);
            const QStringView word = sql.sliced(i, wordEnd - i);
            qsizetype callEnd = 0;
            const QString call = TranslateCall(sql, word, wordEnd, callEnd);
            if (!call.isEmpty()) {
                out += call;
                i = callEnd;
                continue;
            }
            out += word;
            i = IsDbSuffix(sql, wordEnd) ? wordEnd + 3 : wordEnd;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace

QString TranslateSql(const QString& sql) {
    return Translate(sql);
}

QStringList ParamNames(const QString& sql) {
    QStringList names;
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            i = SkipQuoted(sql, i);
        } else if (c == u':' && i + 1 < sql.size() && IsWordChar(sql[i + 1])) {
            const qsizetype end = WordEnd(sql, i + 1);
            const QString name = sql.sliced(i + 1, end - i - 1);
            if (!names.contains(name, Qt::CaseInsensitive))
                names.append(name);
            i = end;
        } else if (IsWordChar(c)) {
            i = WordEnd(sql, i);
        } else {
            ++i;
        }
    }
    return names;
}

} // namespace kx::db
