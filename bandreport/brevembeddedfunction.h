#pragma once
// A named function of an environment: an expression text with its own
// evaluator, guarded against references that reach it again while it runs.

#include "bandreport/brevelement.h"

#include <QString>

#include <memory>

namespace kx {

class TBREvaluator;

class TBREvEmbeddedFunction final : public TBREvElement {
public:
    explicit TBREvEmbeddedFunction(const QString& text);
    ~TBREvEmbeddedFunction() override;

    const QString& Text() const { return text_; }
    TBREvaluator& Evaluator() { return *evaluator_; }

    void Evaluate(TBRFiFo& queue, TBREvValue& result) override;
    // The value of the compiled expression; ERROR "Recursive calls not
    // allowed" when asked while it is being computed.
    TBREvValue Value();

private:
    QString text_;
    std::unique_ptr<TBREvaluator> evaluator_;
    bool inEvaluation_ = false;
};

} // namespace kx
