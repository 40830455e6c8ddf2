#include "bandreport/brevembeddedfunction.h"

#include "bandreport/brevaluator.h"
#include "bandreport/brevmessages.h"

#include <QScopeGuard>

namespace kx {

TBREvEmbeddedFunction::TBREvEmbeddedFunction(const QString& text)
    : text_(text), evaluator_(std::make_unique<TBREvaluator>()) {}

TBREvEmbeddedFunction::~TBREvEmbeddedFunction() = default;

void TBREvEmbeddedFunction::Evaluate(TBRFiFo&, TBREvValue& result) {
    result = Value();
}

TBREvValue TBREvEmbeddedFunction::Value() {
    if (inEvaluation_)
        return TBREvValue::MakeError(brmsg::RecursiveCall());
    inEvaluation_ = true;
    const auto leave = qScopeGuard([this] { inEvaluation_ = false; });
    return evaluator_->ComputeResult();
}

} // namespace kx
