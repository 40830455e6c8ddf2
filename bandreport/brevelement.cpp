#include "bandreport/brevelement.h"

#include "bandreport/brevembeddedfunction.h"
#include "bandreport/brevmessages.h"
#include "bandreport/brfifo.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"

namespace kx {
namespace {

QString OperatorSymbol(TBROperator op) {
    switch (op) {
    case TBROperator::Less:
        return QStringLiteral("<");
    case TBROperator::LessEqual:
        return QStringLiteral("<=");
    case TBROperator::Greater:
        return QStringLiteral(">");
    case TBROperator::GreaterEqual:
        return QStringLiteral(">=");
    case TBROperator::Or:
        return QStringLiteral("OR");
    case TBROperator::And:
        return QStringLiteral("AND");
    default:
        return {};
    }
}

QString OperatorVerb(TBROperator op) {
    switch (op) {
    case TBROperator::Add:
        return QStringLiteral("add");
    case TBROperator::Subtract:
        return QStringLiteral("subtract");
    case TBROperator::Multiply:
        return QStringLiteral("multiply");
    default:
        return QStringLiteral("divide");
    }
}

bool IsComparison(TBROperator op) {
    return op <= TBROperator::NotEqual;
}

bool IsOrder(TBROperator op) {
    return op <= TBROperator::GreaterEqual;
}

bool IsLogical(TBROperator op) {
    return op == TBROperator::Or || op == TBROperator::And;
}

// The outcome of a comparison from a three-way order.
bool Relates(TBROperator op, int order) {
    switch (op) {
    case TBROperator::Less:
        return order < 0;
    case TBROperator::LessEqual:
        return order <= 0;
    case TBROperator::Greater:
        return order > 0;
    case TBROperator::GreaterEqual:
        return order >= 0;
    case TBROperator::Equal:
        return order == 0;
    default:
        return order != 0;
    }
}

template <typename T> int Order(T a, T b) {
    return a < b ? -1 : b < a ? 1 : 0;
}

// 32-bit arithmetic that wraps as the engine always did.
qint32 Wrap(quint32 value) {
    return static_cast<qint32>(value);
}

TBREvValue ApplyInteger(TBROperator op, qint32 a, qint32 b) {
    if (IsComparison(op))
        return TBREvValue::FromBoolean(Relates(op, Order(a, b)));
    const auto ua = static_cast<quint32>(a);
    const auto ub = static_cast<quint32>(b);
    switch (op) {
    case TBROperator::Add:
        return TBREvValue::FromInteger(Wrap(ua + ub));
    case TBROperator::Subtract:
        return TBREvValue::FromInteger(Wrap(ua - ub));
    case TBROperator::Multiply:
        return TBREvValue::FromInteger(Wrap(ua * ub));
    case TBROperator::Divide:
        if (b == 0)
            return TBREvValue::MakeError(brmsg::CannotDivideByZero());
        return TBREvValue::FromFloat(static_cast<double>(a) / b);
    case TBROperator::Or:
        return TBREvValue::FromInteger(a | b);
    default:
        return TBREvValue::FromInteger(a & b);
    }
}

TBREvValue ApplyFloat(TBROperator op, double a, double b) {
    if (op == TBROperator::Equal)
        return TBREvValue::FromBoolean(a == b);
    if (op == TBROperator::NotEqual)
        return TBREvValue::FromBoolean(a != b);
    if (IsOrder(op))
        return TBREvValue::FromBoolean(Relates(op, Order(a, b)));
    switch (op) {
    case TBROperator::Add:
        return TBREvValue::FromFloat(a + b);
    case TBROperator::Subtract:
        return TBREvValue::FromFloat(a - b);
    case TBROperator::Multiply:
        return TBREvValue::FromFloat(a * b);
    case TBROperator::Divide:
        if (b == 0.0)
            return TBREvValue::MakeError(brmsg::CannotDivideByZero());
        return TBREvValue::FromFloat(a / b);
    default:
        return TBREvValue::MakeError(
            brmsg::OperatorNotCompatible(OperatorSymbol(op), QStringLiteral("numeric")));
    }
}

TBREvValue ApplyString(TBROperator op, const QByteArray& a, const QByteArray& b) {
    if (IsComparison(op))
        return TBREvValue::FromBoolean(Relates(op, CompareBytes(a, b)));
    if (op == TBROperator::Add)
        return TBREvValue::FromBytes(a + b);
    if (IsLogical(op))
        return TBREvValue::MakeError(
            brmsg::OperatorNotCompatible(OperatorSymbol(op), QStringLiteral("string")));
    return TBREvValue::MakeError(brmsg::CannotApply(OperatorVerb(op), QStringLiteral("string")));
}

TBREvValue ApplyBoolean(TBROperator op, bool a, bool b) {
    switch (op) {
    case TBROperator::Equal:
        return TBREvValue::FromBoolean(a == b);
    case TBROperator::NotEqual:
        return TBREvValue::FromBoolean(a != b);
    case TBROperator::Or:
        return TBREvValue::FromBoolean(a || b);
    case TBROperator::And:
        return TBREvValue::FromBoolean(a && b);
    default:
        break;
    }
    if (IsOrder(op))
        return TBREvValue::MakeError(
            brmsg::OperatorNotCompatible(OperatorSymbol(op), QStringLiteral("boolean")));
    return TBREvValue::MakeError(brmsg::CannotApply(OperatorVerb(op), QStringLiteral("boolean")));
}

// Two operands of different kinds meet as FLOATs when both are numbers,
// otherwise as texts.
void MakeKindsAgree(TBREvValue& left, TBREvValue& right) {
    if (left.Kind == right.Kind)
        return;
    if (left.IsNumber() && right.IsNumber()) {
        left = TBREvValue::FromFloat(left.AsDouble());
        right = TBREvValue::FromFloat(right.AsDouble());
        return;
    }
    left = TBREvValue::FromBytes(ValueToText(left));
    right = TBREvValue::FromBytes(ValueToText(right));
}

TBREvValue Apply(TBROperator op, const TBREvValue& left, const TBREvValue& right) {
    switch (left.Kind) {
    case TBREvKind::Integer:
        return ApplyInteger(op, left.IntegerValue, right.IntegerValue);
    case TBREvKind::Float:
        return ApplyFloat(op, left.FloatValue, right.FloatValue);
    case TBREvKind::String:
        return ApplyString(op, left.StringValue, right.StringValue);
    default:
        return ApplyBoolean(op, left.BooleanValue, right.BooleanValue);
    }
}

} // namespace

void TBREvElementOperator::Evaluate(TBRFiFo& queue, TBREvValue& result) {
    TBREvValue left;
    TBREvValue right;
    queue.EvaluateNext(left);
    queue.EvaluateNext(right);
    if (left.IsError()) {
        result = std::move(left);
        return;
    }
    if (right.IsError()) {
        result = std::move(right);
        return;
    }
    MakeKindsAgree(left, right);
    result = Apply(op_, left, right);
}

void TBREvElementNot::Evaluate(TBRFiFo& queue, TBREvValue& result) {
    queue.EvaluateNext(result);
    if (result.Kind == TBREvKind::Boolean)
        result.BooleanValue = !result.BooleanValue;
    else
        result = TBREvValue::MakeError(brmsg::InvalidUseOfNot());
}

void TBREvElementConstant::Evaluate(TBRFiFo&, TBREvValue& result) {
    result = value_;
}

void TBREvElementString::Evaluate(TBRFiFo&, TBREvValue& result) {
    result = TBREvValue::FromBytes(text_);
}

void TBREvElementError::Evaluate(TBRFiFo&, TBREvValue& result) {
    result = TBREvValue::MakeError(message_);
}

TBREvElementDataField::TBREvElementDataField(db::TDataSet* dataset, int fieldIndex,
                                             db::TField* field)
    : dataset_(dataset), fieldIndex_(fieldIndex), field_(field), fieldName_(field->FieldName()) {}

db::TField* TBREvElementDataField::CurrentField() const {
    if (!dataset_ || !dataset_->DefaultFields())
        return field_;
    return fieldIndex_ < dataset_->FieldCount() ? dataset_->Fields()[fieldIndex_] : nullptr;
}

void TBREvElementDataField::Evaluate(TBRFiFo&, TBREvValue& result) {
    const db::TField* field = CurrentField();
    switch (field ? field->DataType() : db::ftUnknown) {
    case db::ftString:
    case db::ftFixedChar:
    case db::ftWideString:
    case db::ftDate:
    case db::ftTime:
    case db::ftDateTime:
        result = TBREvValue::FromText(field->Text());
        break;
    case db::ftSmallint:
    case db::ftInteger:
    case db::ftWord:
    case db::ftAutoInc:
        result = TBREvValue::FromInteger(field->AsInteger());
        break;
    case db::ftFloat:
    case db::ftCurrency:
    case db::ftBCD:
        result = TBREvValue::FromFloat(field->AsFloat());
        break;
    case db::ftBoolean:
        result = TBREvValue::FromBoolean(field->AsBoolean());
        break;
    default:
        result = TBREvValue::MakeError(brmsg::FieldOfUnknownType(fieldName_));
        break;
    }
}

void TBREvElementArgumentEnd::Evaluate(TBRFiFo&, TBREvValue& result) {
    result = TBREvValue::MakeError();
}

void TBREvElementWrapper::Evaluate(TBRFiFo&, TBREvValue& result) {
    const std::shared_ptr<TBREvEmbeddedFunction> function = function_.lock();
    if (!function) {
        result = TBREvValue::MakeError(brmsg::UnknownFunction(name_));
        return;
    }
    result = function->Value();
}

void TBREvElementFunction::Evaluate(TBRFiFo& queue, TBREvValue& result) {
    GatherArguments(queue);
    if (queue.AggregateMode())
        Accumulate();
    Compute(result);
    arguments_.clear();
}

void TBREvElementFunction::GatherArguments(TBRFiFo& queue) {
    arguments_.clear();
    while (const TBREvElement* next = queue.Peek()) {
        if (next->IsArgumentEnd()) {
            queue.Next();
            return;
        }
        TBREvValue argument;
        queue.EvaluateNext(argument);
        arguments_.push_back(std::move(argument));
    }
}

} // namespace kx
