#include "platform/db/sqltranslate.h"

#include <QDate>
#include <QRegularExpression>

#include <algorithm>
#include <iterator>

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
            out += sql.sliced(i, end - i);
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

enum class DateKind { None, Date, DateTime };

// Read as the fields read declared types: a date-time before a date.
DateKind KindOfDeclaredType(const QString& declared) {
    const QString type = declared.toUpper();
    if (type.contains(u"DATETIME") || type.contains(u"TIMESTAMP"))
        return DateKind::DateTime;
    return type.contains(u"DATE") ? DateKind::Date : DateKind::None;
}

// The date a whole literal 'M/D/YYYY' stands for; invalid for any other.
QDate DialectDate(QStringView literal) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^'\s*(\d{1,2})/(\d{1,2})/(\d{4})\s*'$)"));
    const QRegularExpressionMatch match = pattern.match(literal);
    if (!match.hasMatch())
        return {};
    return QDate(match.capturedView(3).toInt(), match.capturedView(1).toInt(),
                 match.capturedView(2).toInt());
}

struct Token {
    enum Kind { Word, Name, Literal, Symbol };
    Kind kind;
    qsizetype start;
    qsizetype end;
    // The SELECT (or the statement) the token belongs to, and the "(" it
    // stands directly in (-1 at the top).
    int scope = 0;
    qsizetype open = -1;
};

QList<Token> Tokenize(QStringView sql) {
    static const QStringView pairs[] = {u"<=", u">=", u"<>", u"!=", u"==", u"||"};
    QList<Token> tokens;
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Token token{Token::Symbol, i, i + 1};
        if (c == u'\'' || c == u'"') {
            token = {c == u'"' ? Token::Name : Token::Literal, i, SkipQuoted(sql, i)};
        } else if (IsWordChar(c)) {
            token = {Token::Word, i, WordEnd(sql, i)};
        } else if (i + 1 < sql.size() && std::find(std::begin(pairs), std::end(pairs),
                                                   sql.sliced(i, 2)) != std::end(pairs)) {
            token.end = i + 2;
        }
        tokens.append(token);
        i = token.end;
    }
    return tokens;
}

// Finds the date-shaped literals of one translated statement text that meet
// a date or date-time column, and writes them as stored dates.
class DateLiteralRewriter {
public:
    DateLiteralRewriter(const QString& sql, const TColumnLookup& columns)
        : sql_(sql), columns_(columns), tokens_(Tokenize(sql)) {}

    QString Rewrite() {
        QString out;
        qsizetype copied = 0;
        for (qsizetype i = 0; i < tokens_.size(); ++i) {
            if (tokens_[i].kind != Token::Literal)
                continue;
            const QString date = StoredDate(i);
            if (date.isEmpty())
                continue;
            out += QStringView(sql_).sliced(copied, tokens_[i].start - copied);
            out += date;
            copied = tokens_[i].end;
        }
        return copied == 0 ? sql_ : out.append(QStringView(sql_).sliced(copied));
    }

private:
    struct TableRef {
        QString table;
        QString alias;
    };
    struct Scope {
        int parent;
        QList<TableRef> tables;
    };
    // The column a literal meets: a name, perhaps qualified, looked up from
    // its scope outwards; or a column of a named table.
    struct Target {
        int scope = -1;
        QString qualifier;
        QString column;
        QString table;
    };

    QString Text(qsizetype k) const {
        const Token& token = tokens_[k];
        const QStringView text = QStringView(sql_).sliced(token.start, token.end - token.start);
        if (token.kind != Token::Name)
            return text.toString();
        QStringView name = text.sliced(1);
        if (name.endsWith(u'"'))
            name.chop(1);
        return name.toString().replace(QStringLiteral("\"\""), QStringLiteral("\""));
    }
    bool IsSymbol(qsizetype k, QStringView symbol) const {
        return k >= 0 && k < tokens_.size() && tokens_[k].kind == Token::Symbol &&
               QStringView(sql_).sliced(tokens_[k].start, tokens_[k].end - tokens_[k].start) ==
                   symbol;
    }
    bool IsWord(qsizetype k, QStringView word) const {
        return k >= 0 && k < tokens_.size() && tokens_[k].kind == Token::Word &&
               QStringView(sql_)
                       .sliced(tokens_[k].start, tokens_[k].end - tokens_[k].start)
                       .compare(word, Qt::CaseInsensitive) == 0;
    }
    bool IsIdentifier(qsizetype k) const {
        return k >= 0 && k < tokens_.size() &&
               (tokens_[k].kind == Token::Name ||
                (tokens_[k].kind == Token::Word && !sql_[tokens_[k].start].isDigit()));
    }
    bool IsComparison(qsizetype k) const {
        static const QStringView operators[] = {u"=", u"==", u"<>", u"!=",
                                                u"<", u"<=", u">",  u">="};
        return std::any_of(std::begin(operators), std::end(operators),
                           [&](QStringView op) { return IsSymbol(k, op); });
    }
    bool IsClauseWord(qsizetype k) const {
        static const QStringView words[] = {
            u"WHERE",   u"SET",   u"ON",      u"USING",  u"JOIN",      u"INNER",  u"LEFT",
            u"RIGHT",   u"FULL",  u"OUTER",   u"CROSS",  u"NATURAL",   u"ORDER",  u"GROUP",
            u"HAVING",  u"LIMIT", u"UNION",   u"EXCEPT", u"INTERSECT", u"VALUES", u"SELECT",
            u"DEFAULT", u"NOT",   u"INDEXED", u"WINDOW", u"RETURNING"};
        return std::any_of(std::begin(words), std::end(words),
                           [&](QStringView word) { return IsWord(k, word); });
    }

    QString StoredDate(qsizetype literal) {
        const Token& token = tokens_[literal];
        const QDate date =
            DialectDate(QStringView(sql_).sliced(token.start, token.end - token.start));
        if (!date.isValid())
            return {};
        if (scopes_.isEmpty())
            ReadStructure();
        Target target;
        if (!FindTarget(literal, target))
            return {};
        switch (Resolve(target)) {
        case DateKind::Date:
            return u'\'' + date.toString(Qt::ISODate) + u'\'';
        case DateKind::DateTime:
            return u'\'' + date.toString(Qt::ISODate) + QStringLiteral(" 00:00:00'");
        case DateKind::None:
            break;
        }
        return {};
    }

    // Scopes, the "(" each token stands in, and the tables each scope names.
    void ReadStructure() {
        scopes_.append(Scope{-1, {}});
        QList<qsizetype> opens;
        QList<int> scopeStack{0};
        for (qsizetype k = 0; k < tokens_.size(); ++k) {
            tokens_[k].open = opens.isEmpty() ? -1 : opens.last();
            tokens_[k].scope = scopeStack.last();
            if (IsSymbol(k, u"(")) {
                opens.append(k);
                if (IsWord(k + 1, u"SELECT"))
                    scopes_.append(Scope{scopeStack.last(), {}});
                scopeStack.append(IsWord(k + 1, u"SELECT") ? int(scopes_.size() - 1)
                                                           : scopeStack.last());
            } else if (IsSymbol(k, u")") && !opens.isEmpty()) {
                opens.removeLast();
                scopeStack.removeLast();
            } else if (IsSymbol(k, u";") && opens.isEmpty()) {
                scopes_.append(Scope{-1, {}});
                scopeStack = {int(scopes_.size() - 1)};
            }
        }
        for (qsizetype k = 0; k < tokens_.size(); ++k) {
            const bool from = IsWord(k, u"FROM");
            if (!from && !IsWord(k, u"JOIN") && !IsWord(k, u"UPDATE") && !IsWord(k, u"INTO"))
                continue;
            qsizetype next = ReadTableRef(k + 1, tokens_[k].scope);
            while (from && IsSymbol(next, u","))
                next = ReadTableRef(next + 1, tokens_[k].scope);
        }
    }

    // "table [[AS] alias]" at k; the index after it.
    qsizetype ReadTableRef(qsizetype k, int scope) {
        if (!IsIdentifier(k))
            return k;
        TableRef ref{Text(k), {}};
        ++k;
        if (IsSymbol(k, u".") && IsIdentifier(k + 1)) {
            ref.table = Text(k + 1);
            k += 2;
        }
        if (IsWord(k, u"AS"))
            ++k;
        if (IsIdentifier(k) && !IsClauseWord(k))
            ref.alias = Text(k++);
        scopes_[scope].tables.append(ref);
        return k;
    }

    // A column name, perhaps qualified, that ends at `k`.
    bool ColumnEndingAt(qsizetype k, Target& target) const {
        if (!IsIdentifier(k))
            return false;
        target.scope = tokens_[k].scope;
        target.column = Text(k);
        if (IsSymbol(k - 1, u".") && IsIdentifier(k - 2))
            target.qualifier = Text(k - 2);
        return true;
    }

    // A column name, perhaps qualified, that starts at `k` and is no call.
    bool ColumnStartingAt(qsizetype k, Target& target) const {
        if (!IsIdentifier(k))
            return false;
        const bool qualified = IsSymbol(k + 1, u".") && IsIdentifier(k + 2);
        const qsizetype column = qualified ? k + 2 : k;
        if (IsSymbol(column + 1, u"(") || IsSymbol(column + 1, u"."))
            return false;
        target.scope = tokens_[k].scope;
        target.column = Text(column);
        if (qualified)
            target.qualifier = Text(k);
        return true;
    }

    bool FindTarget(qsizetype k, Target& target) const {
        if (IsComparison(k - 1))
            return ColumnEndingAt(k - 2, target);
        if (IsComparison(k + 1))
            return ColumnStartingAt(k + 2, target);
        qsizetype between = -1;
        if (IsWord(k - 1, u"BETWEEN"))
            between = k - 1;
        else if (IsWord(k - 1, u"AND") && IsWord(k - 3, u"BETWEEN"))
            between = k - 3;
        if (between >= 0)
            return ColumnEndingAt(IsWord(between - 1, u"NOT") ? between - 2 : between - 1, target);
        if (!IsListItem(k))
            return false;
        const qsizetype open = tokens_[k].open;
        if (IsWord(open - 1, u"IN") && !IsWord(open + 1, u"SELECT"))
            return ColumnEndingAt(IsWord(open - 2, u"NOT") ? open - 3 : open - 2, target);
        return InsertTarget(k, target);
    }

    // The literal is a whole item of the list in its parentheses.
    bool IsListItem(qsizetype k) const {
        const qsizetype open = tokens_[k].open;
        return open >= 0 && (k - 1 == open || IsSymbol(k - 1, u",")) &&
               (IsSymbol(k + 1, u",") || IsSymbol(k + 1, u")")) && tokens_[k + 1].open == open;
    }

    // The column of an INSERT that a value of its VALUES stands for: by
    // position in the column list, or in the table's declared order.
    bool InsertTarget(qsizetype k, Target& target) const {
        const qsizetype open = tokens_[k].open;
        qsizetype before = open - 1;
        while (IsSymbol(before, u",") && IsSymbol(before - 1, u")"))
            before = tokens_[before - 1].open - 1;
        if (!IsWord(before, u"VALUES"))
            return false;
        qsizetype position = 0;
        for (qsizetype j = open + 1; j < k; ++j)
            position += IsSymbol(j, u",") && tokens_[j].open == open;
        QStringList names;
        qsizetype table = before - 1;
        if (IsSymbol(table, u")")) {
            const qsizetype list = tokens_[table].open;
            for (qsizetype j = list + 1; j < table; ++j) {
                if (IsIdentifier(j) && tokens_[j].open == list)
                    names.append(Text(j));
            }
            table = list - 1;
        }
        if (!IsIdentifier(table))
            return false;
        target.table = Text(table);
        if (names.isEmpty()) {
            for (const TDeclaredColumn& column : columns_(target.table))
                names.append(column.Name);
        }
        if (position >= names.size())
            return false;
        target.column = names[position];
        return true;
    }

    DateKind KindIn(const QString& table, const QString& column, bool& found) const {
        for (const TDeclaredColumn& declared : columns_(table)) {
            if (declared.Name.compare(column, Qt::CaseInsensitive) == 0) {
                found = true;
                return KindOfDeclaredType(declared.Type);
            }
        }
        found = false;
        return DateKind::None;
    }

    // An unqualified name belongs to the first table of the nearest scope
    // that has such a column; a qualifier names an alias or a table.
    DateKind Resolve(const Target& target) const {
        bool found = false;
        if (!target.table.isEmpty())
            return KindIn(target.table, target.column, found);
        for (int scope = target.scope; scope >= 0; scope = scopes_[scope].parent) {
            for (const TableRef& ref : scopes_[scope].tables) {
                if (!target.qualifier.isEmpty()) {
                    if (ref.alias.compare(target.qualifier, Qt::CaseInsensitive) == 0 ||
                        ref.table.compare(target.qualifier, Qt::CaseInsensitive) == 0)
                        return KindIn(ref.table, target.column, found);
                    continue;
                }
                const DateKind kind = KindIn(ref.table, target.column, found);
                if (found)
                    return kind;
            }
        }
        if (!target.qualifier.isEmpty())
            return KindIn(target.qualifier, target.column, found);
        return DateKind::None;
    }

    const QString& sql_;
    const TColumnLookup& columns_;
    QList<Token> tokens_;
    QList<Scope> scopes_;
};

} // namespace

QString TranslateSql(const QString& sql, const TColumnLookup& columns) {
    const QString translated = Translate(sql);
    if (!translated.contains(u'/'))
        return translated;
    return DateLiteralRewriter(translated, columns).Rewrite();
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
