#include "bandreport/brfifo.h"

#include "bandreport/brevelement.h"

namespace kx {

TBRFiFo::TBRFiFo() = default;
TBRFiFo::~TBRFiFo() = default;

void TBRFiFo::Append(std::unique_ptr<TBREvElement> element) {
    elements_.push_back(std::move(element));
}

TBREvElement* TBRFiFo::Peek() const {
    return cursor_ < elements_.size() ? elements_[cursor_].get() : nullptr;
}

TBREvElement* TBRFiFo::Next() {
    TBREvElement* element = Peek();
    if (element)
        ++cursor_;
    return element;
}

void TBRFiFo::EvaluateNext(TBREvValue& result) {
    TBREvElement* element = Next();
    if (!element) {
        result = TBREvValue::MakeError();
        return;
    }
    element->Evaluate(*this, result);
}

} // namespace kx
