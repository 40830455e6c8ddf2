#include "bandreport/brevaggregates.h"

#include "bandreport/brevmessages.h"

namespace kx {

void TBREvSumFunction::Accumulate() {
    AddArgument();
}

bool TBREvSumFunction::AddArgument() {
    if (ArgumentCount() != 1)
        return false;
    const TBREvValue& value = Argument(0);
    if (!assigned_) {
        assigned_ = true;
        total_ = value.IsNumber() || value.IsError() ? value : TBREvValue::MakeError();
        return true;
    }
    if (total_.IsError() || value.Kind == TBREvKind::Boolean || value.IsError())
        return true;
    if (value.Kind == TBREvKind::String) {
        total_ = TBREvValue::MakeError();
    } else if (total_.Kind == TBREvKind::Integer && value.Kind == TBREvKind::Integer) {
        total_.IntegerValue = static_cast<qint32>(static_cast<quint32>(total_.IntegerValue) +
                                                  static_cast<quint32>(value.IntegerValue));
    } else {
        // A total that meets both kinds goes on as FLOAT.
        total_ = TBREvValue::FromFloat(total_.AsDouble() + value.AsDouble());
    }
    return true;
}

void TBREvSumFunction::Compute(TBREvValue& result) {
    result = ArgumentCount() == 1 ? total_ : TBREvValue::MakeError();
}

void TBREvSumFunction::Restart() {
    total_ = TBREvValue();
    assigned_ = false;
}

void TBREvAverageFunction::Accumulate() {
    if (!AddArgument())
        return;
    ++count_;
    average_ = Total().IsNumber() ? TBREvValue::FromFloat(Total().AsDouble() / count_) : Total();
}

void TBREvAverageFunction::Compute(TBREvValue& result) {
    result = ArgumentCount() == 1 ? average_ : TBREvValue::MakeError();
}

void TBREvAverageFunction::Restart() {
    TBREvSumFunction::Restart();
    count_ = 0;
    average_ = TBREvValue::FromFloat(0.0);
}

bool TBREvExtremumFunction::Beats(const TBREvValue& value) const {
    const auto order = [](auto a, auto b) { return (a > b) - (a < b); };
    int sign = 0;
    if (kept_.Kind == TBREvKind::Integer && value.Kind == TBREvKind::Integer)
        sign = order(value.IntegerValue, kept_.IntegerValue);
    else if (kept_.IsNumber() && value.IsNumber())
        sign = order(value.AsDouble(), kept_.AsDouble());
    else if (kept_.Kind == TBREvKind::String && value.Kind == TBREvKind::String)
        sign = CompareBytes(value.StringValue, kept_.StringValue);
    else if (kept_.Kind == TBREvKind::Boolean && value.Kind == TBREvKind::Boolean)
        sign = order(value.BooleanValue, kept_.BooleanValue);
    return keepsGreatest_ ? sign > 0 : sign < 0;
}

void TBREvExtremumFunction::Accumulate() {
    if (ArgumentCount() != 1)
        return;
    if (!assigned_ || Beats(Argument(0)))
        kept_ = Argument(0);
    assigned_ = true;
}

void TBREvExtremumFunction::Compute(TBREvValue& result) {
    result = ArgumentCount() == 1 ? kept_ : TBREvValue::MakeError();
}

void TBREvExtremumFunction::Restart() {
    kept_ = TBREvValue();
    assigned_ = false;
}

void TBREvCountFunction::Accumulate() {
    ++count_;
}

void TBREvCountFunction::Compute(TBREvValue& result) {
    if (ArgumentCount() != 0) {
        result = TBREvValue::MakeError(QStringLiteral("COUNT - ") + brmsg::TooManyArguments());
        return;
    }
    result = TBREvValue::FromInteger(static_cast<qint32>(count_));
}

} // namespace kx
