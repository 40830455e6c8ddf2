// Feeds arbitrary texts to the report expression compiler and evaluates the
// result plainly and with aggregates: every text must compile to a value
// (an ERROR value at worst), never crash or hang.

#include "bandreport/brevaluator.h"
#include "bandreport/brevenvironment.h"

#include <cstddef>
#include <cstdint>

namespace {

// Named functions for texts to reach, one of them referring to itself.
kx::TBREvEnvironment& ReportFunctions() {
    static kx::TBREvEnvironment functions;
    if (!functions.IsCompiled()) {
        functions.DefineFunction(QStringLiteral("PAGENUMBER"), QStringLiteral("0"));
        functions.DefineFunction(QStringLiteral("REPORTTITLE"), QStringLiteral("'标题'"));
        functions.DefineFunction(QStringLiteral("SELF"), QStringLiteral("SELF+COUNT"));
        functions.CompileAll();
    }
    return functions;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    kx::TBREvaluator evaluator;
    evaluator.SetEnvironment(&ReportFunctions());
    evaluator.Compile(text);
    evaluator.ComputeResult();
    evaluator.AccumulateAggregates();
    evaluator.AccumulateAggregates();
    evaluator.ComputeResult();
    evaluator.ResetElements();
    evaluator.ComputeResult();
    return 0;
}
