#include "grid/base/filterexpressionparser.h"

#include "platform/sys/dateformat.h"
#include "platform/sys/exception.h"
#include "platform/sys/numberformat.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <unordered_map>

namespace kx {
namespace {

constexpr QChar kBlank = u' ';

struct Token {
    quint8 code = fopNone;
    QVariant value;
};

bool IsWordDelimiter(QChar c) {
    return c.unicode() < 32 || QStringView(u" !\"&'()+,-.<=>|~").contains(c);
}

// Blanks and control characters, as the filter cell may hold them.
QString TrimmedText(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= 32)
        ++first;
    while (last > first && text[last - 1].unicode() <= 32)
        --last;
    return text.mid(first, last - first);
}

quint8 KeywordCode(const QString& upperWord) {
    static const std::unordered_map<QString, quint8> keywords = {
        {QStringLiteral("AND"), fopAnd},
        {QStringLiteral("OR"), fopOr},
        {QStringLiteral("LIKE"), fopLike},
        {QStringLiteral("IN"), fopIn},
        {QStringLiteral("NULL"), fopIsNull}};
    const auto found = keywords.find(upperWord);
    return found == keywords.end() ? fopNone : found->second;
}

quint8 Negated(quint8 code) {
    switch (code) {
    case fopLike:
        return fopNotLike;
    case fopIn:
        return fopNotIn;
    case fopIsNull:
        return fopIsNotNull;
    default:
        return fopNone;
    }
}

bool IsOperator(quint8 code) {
    return code >= fopEqual && code <= fopOr;
}

class FilterTextReader {
public:
    explicit FilterTextReader(QString text) : text_(std::move(text)), knownFrom_(text_.size()) {}

    qsizetype Size() const { return text_.size(); }
    bool At(qsizetype pos, QChar c) const { return pos < text_.size() && text_[pos] == c; }

    qsizetype SkipBlanks(qsizetype pos) const {
        while (At(pos, kBlank))
            ++pos;
        return pos;
    }

    [[noreturn]] void Fail(const char* message) const {
        throw Exception(QString::fromLatin1(message) + text_);
    }

    // Reads one token at pos. A probe only wants the code: it does not read
    // the value behind a plain word, because the caller reads on over that
    // same text and meets the same errors there.
    Token ReadToken(qsizetype& pos, bool probe = false) {
        int negations = 0;
        while (SkipNot(pos))
            ++negations;
        Token token = ReadPlainToken(pos, probe);
        for (; negations > 0; --negations)
            token = {Negated(token.code), {}};
        return token;
    }

    // Commas always separate values: the program's decimal point is ".",
    // so a number never holds one.
    QVariant ReadValueList(qsizetype& pos) {
        QVariantList values;
        for (;;) {
            values.append(ReadValue(pos));
            if (!(values.back().isValid() && At(pos, u',')))
                break;
            ++pos;
        }
        return values.size() == 1 ? values.front() : QVariant(values);
    }

private:
    qsizetype WordEnd(qsizetype pos) const {
        while (pos < text_.size() && !IsWordDelimiter(text_[pos]))
            ++pos;
        return pos;
    }

    // "!" (but not "!=") or the word NOT.
    bool SkipNot(qsizetype& pos) const {
        if (At(pos, u'!') && !At(pos + 1, u'=')) {
            pos = SkipBlanks(pos + 1);
            return true;
        }
        const qsizetype end = WordEnd(pos);
        if (QLocale().toUpper(text_.mid(pos, end - pos)) != QStringLiteral("NOT"))
            return false;
        pos = SkipBlanks(end);
        return true;
    }

    Token ReadPlainToken(qsizetype& pos, bool probe) {
        if (pos >= text_.size())
            return {};
        const QChar next = pos + 1 < text_.size() ? text_[pos + 1] : QChar();
        switch (text_[pos].unicode()) {
        case '!':
            return Operator(pos, 2, fopNotEqual);
        case '&':
            return Operator(pos, 1, fopAnd);
        case '|':
            return Operator(pos, 1, fopOr);
        case '~':
            return Operator(pos, 1, fopLike);
        case '=':
            return Operator(pos, 1, fopEqual);
        case '<':
            if (next == u'=')
                return Operator(pos, 2, fopLessOrEqual);
            if (next == u'>')
                return Operator(pos, 2, fopNotEqual);
            return Operator(pos, 1, fopLess);
        case '>':
            if (next == u'=')
                return Operator(pos, 2, fopGreaterOrEqual);
            return Operator(pos, 1, fopGreater);
        case '(':
            return {};
        case '\'':
            return {fopValue, ReadValueList(pos)};
        default:
            return ReadWord(pos, probe);
        }
    }

    Token Operator(qsizetype& pos, qsizetype length, quint8 code) const {
        pos = SkipBlanks(pos + length);
        return {code, {}};
    }

    Token ReadWord(qsizetype& pos, bool probe) {
        const qsizetype end = WordEnd(pos);
        const quint8 code = KeywordCode(QLocale().toUpper(text_.mid(pos, end - pos)));
        if (code == fopNone)
            return probe ? Token{fopValue, {}} : Token{fopValue, ReadValueList(pos)};
        pos = SkipBlanks(end);
        if (code == fopIn) {
            if (!At(pos, u'('))
                Fail("'(' expected: ");
            pos = SkipBlanks(pos + 1);
        }
        return {code, {}};
    }

    QVariant ReadValue(qsizetype& pos) {
        if (pos >= text_.size())
            return {};
        if (text_[pos] == u'\'') {
            const qsizetype close = text_.indexOf(u'\'', pos + 1);
            if (close < 0)
                Fail("Quote is absent: ");
            const QString value = text_.mid(pos + 1, close - pos - 1);
            pos = close + 1;
            return value;
        }
        const qsizetype start = pos;
        while (pos < text_.size() && !EndsValue(pos))
            ++pos;
        return text_.mid(start, pos - start);
    }

    bool EndsValue(qsizetype pos) {
        const QChar c = text_[pos];
        if (c == u'(' || c == u')')
            return true;
        if (c == u',')
            return true;
        return c == kBlank && IsOperator(ProbeCode(SkipBlanks(pos)));
    }

    // A value ends at a blank only when an operator follows, which takes a
    // scan of the rest. The answer depends on the position alone, so it is worked out once per
    // position, from the end of the text back: each scan then finds the answers further on already
    // known, which keeps long texts from being scanned over and over or nesting deeply.
    quint8 ProbeCode(qsizetype pos) {
        if (pos >= text_.size())
            return fopNone;
        for (qsizetype p = knownFrom_ - 1; p >= pos; --p) {
            knownFrom_ = p + 1;
            if (p == pos || (text_[p] != kBlank && text_[p - 1] == kBlank))
                probes_[p] = Probe(p);
        }
        knownFrom_ = std::min(knownFrom_, pos);
        const ProbeResult& result = probes_.at(pos);
        if (!result.error.isEmpty())
            throw Exception(result.error);
        return result.code;
    }

    struct ProbeResult {
        quint8 code;
        QString error;
    };

    ProbeResult Probe(qsizetype pos) {
        try {
            return {ReadToken(pos, true).code, {}};
        } catch (const Exception& error) {
            return {fopNone, error.Message()};
        }
    }

    QString text_;
    std::unordered_map<qsizetype, ProbeResult> probes_;
    qsizetype knownFrom_;
};

// Reads the operator and operand of one condition, starting from its first
// token.
void ReadCondition(FilterTextReader& reader, qsizetype& pos, const Token& first,
                   quint8 expressionType, bool closeList, quint8& op, QVariant& operand) {
    if (first.code == fopValue) {
        if (first.value.typeId() == QMetaType::QVariantList)
            op = fopIn;
        else
            op = expressionType == fetText ? fopLike : fopEqual;
        operand = first.value;
        return;
    }
    if (first.code == fopNone)
        reader.Fail("Error in expression: ");
    op = first.code;
    const bool inList = op == fopIn || op == fopNotIn;
    const Token next = reader.ReadToken(pos);
    if (next.code == fopValue) {
        operand = next.value;
    } else if (next.code == fopIsNull) {
        if (op == fopEqual)
            op = fopIsNull;
        else if (op == fopNotEqual)
            op = fopIsNotNull;
        else
            reader.Fail("Unexpected expression before Null: ");
    } else {
        reader.Fail("Unexpected expression after operator: ");
    }
    if (inList && closeList) {
        pos = reader.SkipBlanks(pos);
        if (!reader.At(pos, u')'))
            reader.Fail("')' expected: ");
        ++pos;
    }
}

QVariant ConvertedValue(const QVariant& value, quint8 expressionType) {
    if (value.typeId() == QMetaType::QVariantList) {
        QVariantList converted;
        for (const QVariant& element : value.toList())
            converted.append(ConvertedValue(element, expressionType));
        return converted;
    }
    if (!value.isValid() || value.isNull())
        return value;
    switch (expressionType) {
    case fetNumber:
        return sys::StrToFloat(value.toString());
    case fetDateTime:
        return sys::StrToDateTime(value.toString());
    default:
        return value;
    }
}

void ConvertOperand(quint8 op, QVariant& operand, quint8 expressionType) {
    if (op >= fopEqual && op <= fopNotIn)
        operand = ConvertedValue(operand, expressionType);
    else
        operand = QVariant();
}

} // namespace

QVariant FilterNull() {
    return QVariant::fromValue(nullptr);
}

bool ParseFilterRowExpression(const QString& text, TSTFilterExpressionX& expression) {
    expression.Operator1 = fopNone;
    expression.Relation = fopNone;
    expression.Operator2 = fopNone;
    expression.Operand1 = QVariant();
    expression.Operand2 = QVariant();
    const QString trimmed = TrimmedText(text);
    if (trimmed.isEmpty())
        return false;

    FilterTextReader reader(trimmed);
    qsizetype pos = 0;
    Token token = reader.ReadToken(pos);
    ReadCondition(reader, pos, token, expression.ExpressionType, true, expression.Operator1,
                  expression.Operand1);

    bool secondRead = false;
    pos = reader.SkipBlanks(pos);
    token = reader.ReadToken(pos);
    if (token.code == fopNone) {
        if (pos < reader.Size())
            reader.Fail("Incorrect expression: ");
    } else if (token.code != fopAnd && token.code != fopOr) {
        reader.Fail("Unexpected AND or OR: ");
    } else {
        expression.Relation = token.code;
        token = reader.ReadToken(pos);
        if (token.code == fopNone) {
            if (pos < reader.Size())
                reader.Fail("Incorrect expression: ");
        } else {
            ReadCondition(reader, pos, token, expression.ExpressionType, false,
                          expression.Operator2, expression.Operand2);
            secondRead = true;
        }
    }

    ConvertOperand(expression.Operator1, expression.Operand1, expression.ExpressionType);
    ConvertOperand(expression.Operator2, expression.Operand2, expression.ExpressionType);
    return secondRead;
}

void ResetFilterExpression(TSTFilterExpressionX& expression) {
    expression.Operator1 = fopNone;
    expression.Relation = fopNone;
    expression.Operator2 = fopNone;
    expression.Operand1 = FilterNull();
    expression.Operand2 = FilterNull();
}

} // namespace kx
