#pragma once
// The library functions of the report expression language that are not
// aggregates. Each checks its own arguments and answers an ERROR value for
// arguments it cannot take.

#include "bandreport/brevelement.h"

#include <QString>

namespace kx {

// The current time in the long time format and today's date in the short
// date format, as TIME, DATE and the engine's start-up constants give them.
QString CurrentTimeText();
QString CurrentDateText();

class TBREvTrue final : public TBREvElementFunction {
public:
    void Compute(TBREvValue& result) override;
};

class TBREvFalse final : public TBREvElementFunction {
public:
    void Compute(TBREvValue& result) override;
};

class TBREvIfFunction final : public TBREvElementFunction {
public:
    void Compute(TBREvValue& result) override;
};

class TBREvTypeOfFunction final : public TBREvElementFunction {
public:
    void Compute(TBREvValue& result) override;
};

class TBREvIntFunction final : public TBREvElementFunction {
public:
    void Compute(TBREvValue& result) override;
};

class TBREvFracFunction final : public TBREvElementFunction {
public:
    void Compute(TBREvValue& result) override;
};

class TBREvSQRTFunction final : public TBREvElementFunction {
public:
    void Compute(TBREvValue& result) override;
};

class TBREvDivFunction final : public TBREvElementFunction {
public:
    void Compute(TBREvValue& result) override;
};

class TBREvStrFunction final : public TBREvElementFunction {
public:
    void Compute(TBREvValue& result) override;
};

// UPPER, LOWER and PRETTY: one STRING argument, converted by the locale's
// letter case rules.
class TBREvCaseFunction : public TBREvElementFunction {
public:
    void Compute(TBREvValue& result) final;

protected:
    explicit TBREvCaseFunction(const QString& name) : name_(name) {}
    virtual QString Convert(const QString& text) const = 0;

private:
    QString name_;
};

class TBREvUpperFunction final : public TBREvCaseFunction {
public:
    TBREvUpperFunction() : TBREvCaseFunction(QStringLiteral("UPPER")) {}

protected:
    QString Convert(const QString& text) const override;
};

class TBREvLowerFunction final : public TBREvCaseFunction {
public:
    TBREvLowerFunction() : TBREvCaseFunction(QStringLiteral("LOWER")) {}

protected:
    QString Convert(const QString& text) const override;
};

class TBREvPrettyFunction final : public TBREvCaseFunction {
public:
    TBREvPrettyFunction() : TBREvCaseFunction(QStringLiteral("PRETTY")) {}

protected:
    QString Convert(const QString& text) const override;
};

class TBREvTimeFunction final : public TBREvElementFunction {
public:
    void Compute(TBREvValue& result) override;
};

class TBREvDateFunction final : public TBREvElementFunction {
public:
    void Compute(TBREvValue& result) override;
};

// COPY(text, start, count) on code page 936 bytes, moved so that no
// double-byte character is cut in half.
class TBREvCopyFunction final : public TBREvElementFunction {
public:
    void Compute(TBREvValue& result) override;
};

class TBREvFormatNumericFunction final : public TBREvElementFunction {
public:
    void Compute(TBREvValue& result) override;
};

} // namespace kx
