#pragma once
// A compiled expression: its elements in prefix order and the read cursor
// that evaluation moves along them.

#include "bandreport/brevvalue.h"

#include <memory>
#include <vector>

namespace kx {

class TBREvElement;

class TBRFiFo {
public:
    TBRFiFo();
    ~TBRFiFo();
    TBRFiFo(const TBRFiFo&) = delete;
    TBRFiFo& operator=(const TBRFiFo&) = delete;

    void Append(std::unique_ptr<TBREvElement> element);
    const std::vector<std::unique_ptr<TBREvElement>>& Elements() const { return elements_; }

    void Rewind() { cursor_ = 0; }
    // The element at the cursor (nullptr past the end); Next also moves the
    // cursor past it.
    TBREvElement* Peek() const;
    TBREvElement* Next();
    // Evaluates the element at the cursor; past the end the value is ERROR.
    void EvaluateNext(TBREvValue& result);

    // Set while the aggregates accumulate.
    bool AggregateMode() const { return aggregateMode_; }
    void SetAggregateMode(bool on) { aggregateMode_ = on; }

private:
    std::vector<std::unique_ptr<TBREvElement>> elements_;
    size_t cursor_ = 0;
    bool aggregateMode_ = false;
};

} // namespace kx
