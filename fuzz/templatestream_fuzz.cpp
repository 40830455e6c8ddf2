// Reads arbitrary bytes as a table-report template: damage must end in the
// reader's refusal, never a crash, a read past the buffer, an overflow or an
// allocation driven by a count. What was read is written and read again.

#include "tablereport/reportcontrol.h"
#include "tablereport/templatestream.h"
#include "tablereport/textmeasurer.h"

#include <cstddef>
#include <cstdint>

namespace {

// Fonts need a GUI; a fixed line height keeps the layout arithmetic going.
class LineCountMeasurer : public kx::TTextMeasurer {
public:
    int TextHeight(const kx::TLogFont&, const QString& text, int) override {
        return 16 * int(text.count(QStringLiteral("\r\n")) + 1);
    }
    int LetterHeight(const kx::TLogFont&) override { return 16; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LineCountMeasurer measurer;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const bool forGrid : {true, false}) {
        kx::TReportControl page(&measurer);
        try {
            kx::ReadTemplate(bytes, page, {.ForGrid = forGrid});
        } catch (const kx::ETemplateFormat&) {
            continue;
        }
        kx::TReportControl again(&measurer);
        try {
            kx::ReadTemplate(kx::WriteTemplate(page), again, {.ForGrid = forGrid});
        } catch (const kx::ETemplateFormat&) {
            // A page laid out from absurd sizes may exceed what a stream may hold.
        }
    }
    return 0;
}
