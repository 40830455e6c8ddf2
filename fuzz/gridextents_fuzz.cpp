// Feeds arbitrary bytes to the reader of a grid's stored cell sizes: the
// first two bytes give the grid's column and row counts, the rest is the
// stored list. A list must be taken or refused with EStreamError, never
// crash, hang or read past a buffer.

#include "grid/base/customgridx.h"

#include "platform/sys/exception.h"

#include <QApplication>
#include <QDataStream>

#include <cstddef>
#include <cstdint>

// The font library keeps what it looks up for good; that is no leak of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

namespace {

class TExtentsGrid : public kx::TCustomGridX {
public:
    using TCustomGridX::TCustomGridX;

protected:
    void DrawCell(int, int, const kx::ui::TRect&, kx::TGridDrawState) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    static int argc = 1;
    static char name[] = "gridextents_fuzz";
    static char* argv[] = {name, nullptr};
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    (void)offscreen;
    TExtentsGrid grid;
    grid.SetColCount(1 + data[0] % 64);
    grid.SetRowCount(1 + data[1] % 64);
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 2, qsizetype(size - 2));
    QDataStream stream(bytes);
    try {
        grid.ReadCellExtents(stream);
    } catch (const kx::Exception&) {
        // A damaged list is refused.
    }
    return 0;
}
