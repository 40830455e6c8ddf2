#include "bandreport/brevaluator.h"

#include "bandreport/brevelement.h"
#include "bandreport/brevmessages.h"
#include "bandreport/brfifo.h"
#include "bandreport/brfunctionlibrary.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/sys/cp936.h"
#include "platform/sys/exception.h"
#include "platform/sys/numberformat.h"

#include <QScopeGuard>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace kx {
namespace {

// Number literals are read up to this many characters.
constexpr int kMaxLiteralLength = 255;

// Where an operator splits a text: the left operand ends before LeftEnd, the
// right one starts at RightStart.
struct Split {
    qsizetype LeftEnd;
    qsizetype RightStart;
    TBROperator Operator;
};

// Quotes, brackets and parentheses seen so far, reading from the left. Inside
// a bracket a quote is plain text; inside quotes a bracket is.
class Nesting {
public:
    void Read(QChar c) {
        if (c == u'\'' && !bracket_)
            quoted_ = !quoted_;
        else if (c == u'[' && !quoted_ && !bracket_)
            bracket_ = true;
        else if (c == u']' && !quoted_)
            bracket_ = false;
        else if (c == u'(' && !quoted_ && !bracket_)
            ++depth_;
        else if (c == u')' && !quoted_ && !bracket_)
            --depth_;
    }
    bool Open() const { return !quoted_ && !bracket_ && depth_ == 0; }

private:
    bool quoted_ = false;
    bool bracket_ = false;
    int depth_ = 0;
};

// The first operator that Match finds at an open position: outside quotes,
// brackets and parentheses, neither the first nor the last character.
template <typename Match> std::optional<Split> FindOpenOperator(const QString& text, Match match) {
    Nesting nesting;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        nesting.Read(text[i]);
        if (i == 0 || !nesting.Open())
            continue;
        if (std::optional<Split> split = match(text, i))
            return split;
    }
    return std::nullopt;
}

// A blank at i followed by the word and a blank, in any letter case.
bool BlankBeforeWord(const QString& text, qsizetype i, QLatin1StringView wordAndBlank) {
    return text[i] == u' ' && QStringView(text)
                                      .mid(i + 1, wordAndBlank.size())
                                      .compare(wordAndBlank, Qt::CaseInsensitive) == 0;
}

std::optional<Split> RelationAt(const QString& text, qsizetype i) {
    const QChar c = text[i];
    const QChar next = text[i + 1];
    if (c == u'<' && next == u'>')
        return Split{i, i + 2, TBROperator::NotEqual};
    if (c == u'<' && next == u'=')
        return Split{i, i + 2, TBROperator::LessEqual};
    if (c == u'>' && next == u'=')
        return Split{i, i + 2, TBROperator::GreaterEqual};
    if (c == u'<')
        return Split{i, i + 1, TBROperator::Less};
    if (c == u'>')
        return Split{i, i + 1, TBROperator::Greater};
    if (c == u'=')
        return Split{i, i + 1, TBROperator::Equal};
    return std::nullopt;
}

// OR keeps the blank before it in its left operand.
std::optional<Split> SumAt(const QString& text, qsizetype i) {
    if (text[i] == u'+')
        return Split{i, i + 1, TBROperator::Add};
    if (text[i] == u'-')
        return Split{i, i + 1, TBROperator::Subtract};
    if (BlankBeforeWord(text, i, QLatin1StringView("or ")))
        return Split{i + 1, i + 3, TBROperator::Or};
    return std::nullopt;
}

std::optional<Split> ProductAt(const QString& text, qsizetype i) {
    if (text[i] == u'*')
        return Split{i, i + 1, TBROperator::Multiply};
    if (text[i] == u'/')
        return Split{i, i + 1, TBROperator::Divide};
    if (BlankBeforeWord(text, i, QLatin1StringView("and ")))
        return Split{i + 1, i + 4, TBROperator::And};
    return std::nullopt;
}

// Operators bind to the right, so a - b + c is read as a - (b - c): the
// right operand of a minus (or a division) has its signs exchanged.
QString SwapOutsideQuotes(QString text, QChar a, QChar b) {
    bool quoted = false;
    int depth = 0;
    for (QChar& c : text) {
        if (c == u'\'')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u'(')
            ++depth;
        else if (c == u')')
            --depth;
        else if (depth == 0 && c == a)
            c = b;
        else if (depth == 0 && c == b)
            c = a;
    }
    return text;
}

QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool IsAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// "not" is a negation only as a word of its own: NOTE stays a name.
bool StartsWithNegation(const QString& factor) {
    if (!factor.startsWith(QLatin1StringView("not"), Qt::CaseInsensitive))
        return false;
    if (factor.size() == 3)
        return true;
    const QChar next = factor[3];
    return !next.isLetterOrNumber() && next != u'_' && next != u'.';
}

// The argument texts of a call, cut at commas outside quotes and
// parentheses; a comma as the last character does not cut.
QStringList SplitArguments(const QString& arguments) {
    QStringList pieces;
    if (arguments.isEmpty())
        return pieces;
    bool quoted = false;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QChar c = arguments[i];
        if (c == u'\'')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u'(')
            ++depth;
        else if (c == u')')
            --depth;
        else if (c == u',' && depth == 0 && i + 1 < arguments.size()) {
            pieces << arguments.mid(start, i - start);
            start = i + 1;
        }
    }
    pieces << arguments.mid(start);
    return pieces;
}

bool IsErrorElement(const TBREvElement& element) {
    return dynamic_cast<const TBREvElementError*>(&element) != nullptr;
}

} // namespace

TBREvaluator::TBREvaluator() = default;

TBREvaluator::~TBREvaluator() {
    DropCompiled();
}

void TBREvaluator::AssignDatasets(TBRDatasetList* datasets) {
    if (ownedDatasets_ && ownedDatasets_.get() != datasets)
        ownedDatasets_.reset();
    datasets_ = datasets;
}

TBRDatasetList* TBREvaluator::OwnedDatasetList() {
    if (!datasets_) {
        ownedDatasets_ = std::make_unique<TBRDatasetList>();
        datasets_ = ownedDatasets_.get();
    }
    return datasets_;
}

void TBREvaluator::Compile(const QString& text) {
    DropCompiled();
    GlobalReportEnvironment().CompileAll();
    fifo_ = std::make_unique<TBRFiFo>();
    ParseRelation(text.isEmpty() ? QStringLiteral("' '") : text);
    compiled_ = true;
}

void TBREvaluator::DropCompiled() {
    if (!compiled_)
        return;
    fifo_.reset();
    compiled_ = false;
    GlobalReportEnvironment().ReleaseAll();
}

TBREvValue TBREvaluator::ComputeResult() {
    RequireCompiled();
    fifo_->Rewind();
    TBREvValue value;
    fifo_->EvaluateNext(value);
    return value;
}

void TBREvaluator::AccumulateAggregates() {
    RequireCompiled();
    fifo_->SetAggregateMode(true);
    const auto leave = qScopeGuard([this] { fifo_->SetAggregateMode(false); });
    ComputeResult();
}

void TBREvaluator::ResetElements() {
    if (!fifo_)
        return;
    for (const auto& element : fifo_->Elements())
        element->Restart();
}

bool TBREvaluator::HasAggregates() const {
    return fifo_ && std::any_of(fifo_->Elements().begin(), fifo_->Elements().end(),
                                [](const auto& element) { return element->Aggregate(); });
}

TBREvValue TBREvaluator::EvaluateOnce(const QString& text) {
    Compile(text);
    TBREvValue value = ComputeResult();
    DropCompiled();
    return value;
}

TBREvElement* TBREvaluator::FirstElement() const {
    return fifo_ && !fifo_->Elements().empty() ? fifo_->Elements().front().get() : nullptr;
}

void TBREvaluator::RequireCompiled() const {
    if (!compiled_)
        throw Exception(brmsg::EvaluatorNotPrepared());
}

void TBREvaluator::Append(std::unique_ptr<TBREvElement> element) {
    fifo_->Append(std::move(element));
}

void TBREvaluator::AppendError(const QString& message) {
    Append(std::make_unique<TBREvElementError>(message));
}

// An operator goes before its operands' elements, the left operand's before
// the right one's.
void TBREvaluator::ParseRelation(const QString& text) {
    const std::optional<Split> split = FindOpenOperator(text, RelationAt);
    if (!split) {
        ParseSum(text);
        return;
    }
    Append(std::make_unique<TBREvElementOperator>(split->Operator));
    ParseSum(text.left(split->LeftEnd));
    ParseSum(text.mid(split->RightStart));
}

void TBREvaluator::ParseSum(const QString& text) {
    const std::optional<Split> split = FindOpenOperator(text, SumAt);
    if (!split) {
        ParseProduct(text);
        return;
    }
    Append(std::make_unique<TBREvElementOperator>(split->Operator));
    ParseProduct(text.left(split->LeftEnd));
    const QString right = text.mid(split->RightStart);
    ParseSum(split->Operator == TBROperator::Subtract ? SwapOutsideQuotes(right, u'+', u'-')
                                                      : right);
}

void TBREvaluator::ParseProduct(const QString& text) {
    const std::optional<Split> split = FindOpenOperator(text, ProductAt);
    if (!split) {
        ParseFactor(text);
        return;
    }
    Append(std::make_unique<TBREvElementOperator>(split->Operator));
    ParseFactor(text.left(split->LeftEnd));
    const QString right = text.mid(split->RightStart);
    ParseProduct(split->Operator == TBROperator::Divide ? SwapOutsideQuotes(right, u'*', u'/')
                                                        : right);
}

void TBREvaluator::ParseFactor(const QString& text) {
    const QString factor = TrimBlanks(text);
    if (StartsWithNegation(factor)) {
        Append(std::make_unique<TBREvElementNot>());
        ParseSum(factor.mid(3));
        return;
    }
    const QChar first = factor.isEmpty() ? QChar() : factor[0];
    const qsizetype inner = factor.size() - 2;
    if (first == u'\'') {
        if (factor.size() >= 2 && factor.endsWith(u'\''))
            Append(std::make_unique<TBREvElementString>(cp936::Encode(factor.mid(1, inner))));
        else
            AppendError(brmsg::Missing(QStringLiteral("'")));
    } else if (first == u'(') {
        if (factor.size() >= 2 && factor.endsWith(u')'))
            ParseRelation(factor.mid(1, inner));
        else
            AppendError(brmsg::Missing(QStringLiteral(")")));
    } else if (first == u'+') {
        ParseFactor(factor.mid(1));
    } else if (first == u'-') {
        ParseSum(QStringLiteral("0-") + factor.mid(1));
    } else if (IsAsciiDigit(first)) {
        ParseNumber(factor.left(kMaxLiteralLength));
    } else if (IsAsciiLetter(first)) {
        ParseCallOrIdentifier(factor);
    } else if (first == u'[') {
        if (factor.size() >= 2 && factor.endsWith(u']'))
            ParseVariable(factor.mid(1, inner));
        else
            AppendError(brmsg::Missing(QStringLiteral("]")));
    } else {
        AppendError(brmsg::ErrorInExpression(factor));
    }
}

// Digits only make an INTEGER (a FLOAT when too large); a sign, point, digit
// or exponent letter after the first digits makes a FLOAT.
void TBREvaluator::ParseNumber(const QString& literal) {
    qsizetype i = 0;
    while (i < literal.size() && IsAsciiDigit(literal[i]))
        ++i;
    const bool isFloat = i < literal.size();
    for (; i < literal.size(); ++i) {
        if (!QStringView(u"+-.0123456789Ee").contains(literal[i])) {
            AppendError(brmsg::IllegalCharacterInNumber(literal));
            return;
        }
    }
    bool isInteger = false;
    const int integer = isFloat ? 0 : literal.toInt(&isInteger);
    if (isInteger) {
        Append(std::make_unique<TBREvElementConstant>(TBREvValue::FromInteger(integer)));
        return;
    }
    double number = 0;
    if (!sys::TryStrToFloat(literal, number)) {
        AppendError(brmsg::IllegalCharacterInNumber(literal));
        return;
    }
    Append(std::make_unique<TBREvElementConstant>(TBREvValue::FromFloat(number)));
}

void TBREvaluator::ParseCallOrIdentifier(const QString& factor) {
    const qsizetype open = factor.indexOf(u'(');
    if (open < 0)
        ParseFunctionCall(factor, {});
    else if (factor.endsWith(u')'))
        ParseFunctionCall(factor.left(open), factor.mid(open + 1, factor.size() - open - 2));
    else
        ParseFunctionCall({}, {});
}

void TBREvaluator::ParseFunctionCall(const QString& name, const QString& arguments) {
    const QString upper = name.toUpper();
    if (const TBRLibraryEntry* entry = FunctionLibrary().Find(upper)) {
        Append(entry->CreateElement());
        for (const QString& argument : SplitArguments(arguments))
            ParseRelation(argument);
        Append(std::make_unique<TBREvElementArgumentEnd>());
    } else if (!arguments.isEmpty()) {
        AppendError(brmsg::UnknownFunction(upper));
    } else {
        ParseVariable(upper);
    }
}

void TBREvaluator::ParseVariable(const QString& text) {
    if (std::unique_ptr<TBREvElement> field = FindDataField(text)) {
        Append(std::move(field));
        return;
    }
    std::unique_ptr<TBREvElement> reference;
    if (environment_)
        reference = environment_->CreateReferenceElement(text);
    if (!reference || IsErrorElement(*reference))
        reference = GlobalReportEnvironment().CreateReferenceElement(text);
    Append(std::move(reference));
}

// "Query.REN_ID" is the field REN_ID of the data set named Query; "REN_ID"
// alone the field of that name in the first data set that has one.
std::unique_ptr<TBREvElement> TBREvaluator::FindDataField(const QString& variable) const {
    if (!datasets_)
        return nullptr;
    const qsizetype dot = variable.indexOf(u'.');
    const QString datasetName = dot < 0 ? QString() : variable.left(dot).toUpper();
    const QString fieldName = variable.mid(dot + 1).toUpper();
    for (db::TDataSet* dataset : std::as_const(*datasets_)) {
        const bool named = !datasetName.isEmpty();
        if (!dataset || (named && dataset->objectName().toUpper() != datasetName))
            continue;
        db::TField* field = dataset->FindField(fieldName);
        if (field)
            return std::make_unique<TBREvElementDataField>(dataset,
                                                           dataset->Fields().IndexOf(field), field);
        if (named)
            return nullptr;
    }
    return nullptr;
}

} // namespace kx
