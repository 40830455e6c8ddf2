#pragma once
// The aggregate functions of the report expression language. Each keeps its
// running state in its element: it takes in its argument whenever the
// evaluator accumulates, and otherwise only reports. Restart clears it.

#include "bandreport/brevelement.h"

namespace kx {

class TBREvSumFunction : public TBREvElementFunction {
public:
    TBREvSumFunction() : TBREvElementFunction(true) {}
    void Accumulate() override;
    void Compute(TBREvValue& result) override;
    void Restart() override;

protected:
    // Adds the argument to the total; false when there is no single argument.
    bool AddArgument();
    const TBREvValue& Total() const { return total_; }

private:
    TBREvValue total_;
    bool assigned_ = false;
};

class TBREvAverageFunction final : public TBREvSumFunction {
public:
    void Accumulate() override;
    void Compute(TBREvValue& result) override;
    void Restart() override;

private:
    qint32 count_ = 0;
    TBREvValue average_ = TBREvValue::FromFloat(0.0);
};

// MAX and MIN: the first value taken, then each that beats it.
class TBREvExtremumFunction : public TBREvElementFunction {
public:
    void Accumulate() override;
    void Compute(TBREvValue& result) override;
    void Restart() override;

protected:
    explicit TBREvExtremumFunction(bool keepsGreatest)
        : TBREvElementFunction(true), keepsGreatest_(keepsGreatest) {}

private:
    bool Beats(const TBREvValue& value) const;

    bool keepsGreatest_;
    TBREvValue kept_;
    bool assigned_ = false;
};

class TBREvMaxFunction final : public TBREvExtremumFunction {
public:
    TBREvMaxFunction() : TBREvExtremumFunction(true) {}
};

class TBREvMinFunction final : public TBREvExtremumFunction {
public:
    TBREvMinFunction() : TBREvExtremumFunction(false) {}
};

class TBREvCountFunction final : public TBREvElementFunction {
public:
    TBREvCountFunction() : TBREvElementFunction(true) {}
    void Accumulate() override;
    void Compute(TBREvValue& result) override;
    void Restart() override { count_ = 0; }

private:
    quint32 count_ = 0;
};

} // namespace kx
