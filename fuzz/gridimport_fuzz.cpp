// Feeds arbitrary bytes to the grid's import readers, the ones paste uses:
// the first byte picks the text or the binary cell format, the rest is the
// source. A source must be read whole or refused with one of our
// exceptions, never crash, hang or read past a buffer.

#include "grid/dbgrid/dbgridx.h"
#include "grid/editors/dbgridximport.h"

#include "platform/sys/exception.h"

#include <QApplication>
#include <QBuffer>

#include <cstddef>
#include <cstdint>

// The font library keeps what it looks up for good; that is no leak of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    static int argc = 1;
    static char name[] = "gridimport_fuzz";
    static char* argv[] = {name, nullptr};
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    // Without a data set the import stops once the source is read.
    static kx::TDBGridX grid;
    (void)offscreen;
    QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const auto format = data[0] % 2 ? kx::TGridImportFormat::VCLDBIF : kx::TGridImportFormat::Text;
    try {
        kx::ImportGridFromStream(format, &grid, buffer, data[0] & 2);
    } catch (const kx::Exception&) {
        // A source not in its format is refused.
    }
    return 0;
}
