#pragma once
// The elements a report expression compiles to. Evaluation walks them in
// prefix order: an element that needs operands evaluates the elements that
// follow it in the sequence.

#include "bandreport/brevvalue.h"

#include <QPointer>

#include <memory>
#include <vector>

namespace kx {

namespace db {
class TDataSet;
class TField;
} // namespace db

class TBRFiFo;
class TBREvEmbeddedFunction;

class TBREvElement {
public:
    virtual ~TBREvElement() = default;
    TBREvElement(const TBREvElement&) = delete;
    TBREvElement& operator=(const TBREvElement&) = delete;

    virtual void Evaluate(TBRFiFo& queue, TBREvValue& result) = 0;
    // Clears what the element gathered over several evaluations.
    virtual void Restart() {}
    // Set on the elements that accumulate over detail prints.
    bool Aggregate() const { return aggregate_; }
    virtual bool IsArgumentEnd() const { return false; }

protected:
    explicit TBREvElement(bool aggregate = false) : aggregate_(aggregate) {}

private:
    bool aggregate_;
};

// The comparisons come first, the orderings before the equalities.
enum class TBROperator {
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Equal,
    NotEqual,
    Add,
    Subtract,
    Multiply,
    Divide,
    Or,
    And
};

// A binary operator: the next element is its left operand, the one after
// that (with everything it consumes) its right operand.
class TBREvElementOperator final : public TBREvElement {
public:
    explicit TBREvElementOperator(TBROperator op) : op_(op) {}
    void Evaluate(TBRFiFo& queue, TBREvValue& result) override;
    TBROperator Operator() const { return op_; }

private:
    TBROperator op_;
};

// NOT of the next element's value.
class TBREvElementNot final : public TBREvElement {
public:
    void Evaluate(TBRFiFo& queue, TBREvValue& result) override;
};

// A number literal, or a named constant that the report rewrites while it
// runs (page and column number).
class TBREvElementConstant final : public TBREvElement {
public:
    explicit TBREvElementConstant(TBREvValue value) : value_(std::move(value)) {}
    void Evaluate(TBRFiFo& queue, TBREvValue& result) override;
    const TBREvValue& Value() const { return value_; }
    void SetValue(const TBREvValue& value) { value_ = value; }

private:
    TBREvValue value_;
};

// A string literal; the report rewrites the text of its title constant.
class TBREvElementString final : public TBREvElement {
public:
    explicit TBREvElementString(const QByteArray& text) : text_(CutToValueLength(text)) {}
    void Evaluate(TBRFiFo& queue, TBREvValue& result) override;
    const QByteArray& Text() const { return text_; }
    void SetText(const QByteArray& text) { text_ = CutToValueLength(text); }

private:
    QByteArray text_;
};

// A compile error: the expression's value wherever it is reached.
class TBREvElementError final : public TBREvElement {
public:
    explicit TBREvElementError(const QString& message) : message_(message) {}
    void Evaluate(TBRFiFo& queue, TBREvValue& result) override;
    const QString& Message() const { return message_; }

private:
    QString message_;
};

// A field of one of the run's data sets, read on the current record. Fields
// a data set made itself at open are looked up again by position each time,
// as reopening the data set replaces them.
class TBREvElementDataField final : public TBREvElement {
public:
    TBREvElementDataField(db::TDataSet* dataset, int fieldIndex, db::TField* field);
    void Evaluate(TBRFiFo& queue, TBREvValue& result) override;

private:
    db::TField* CurrentField() const;

    QPointer<db::TDataSet> dataset_;
    int fieldIndex_;
    QPointer<db::TField> field_;
    QString fieldName_;
};

// Closes the argument list of a function call.
class TBREvElementArgumentEnd final : public TBREvElement {
public:
    TBREvElementArgumentEnd() = default;
    void Evaluate(TBRFiFo& queue, TBREvValue& result) override;
    bool IsArgumentEnd() const override { return true; }
};

// A reference to a named function of an environment. The environment may
// remove the function while a compiled expression still refers to it, so
// the reference does not keep it alive and reads as unknown once it is gone.
class TBREvElementWrapper final : public TBREvElement {
public:
    TBREvElementWrapper(const QString& name, std::weak_ptr<TBREvEmbeddedFunction> function)
        : name_(name), function_(std::move(function)) {}
    void Evaluate(TBRFiFo& queue, TBREvValue& result) override;

private:
    QString name_;
    std::weak_ptr<TBREvEmbeddedFunction> function_;
};

// Base of the library functions: the arguments are the elements up to the
// argument end, all evaluated before the function computes.
class TBREvElementFunction : public TBREvElement {
public:
    void Evaluate(TBRFiFo& queue, TBREvValue& result) final;
    // Aggregates take in their argument here, in aggregate mode only.
    virtual void Accumulate() {}
    virtual void Compute(TBREvValue& result) = 0;

protected:
    using TBREvElement::TBREvElement;
    int ArgumentCount() const { return static_cast<int>(arguments_.size()); }
    const TBREvValue& Argument(int index) const { return arguments_[index]; }

private:
    void GatherArguments(TBRFiFo& queue);

    std::vector<TBREvValue> arguments_;
};

} // namespace kx
