// Feeds arbitrary bytes to the page-picture reader: a page must either load
// and save back the very same bytes, or be refused; never a crash, a hang
// or a read past a buffer.

#include "platform/print/pagepicture.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// The font library keeps what it looks up for good; that is no leak of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Fonts in a page need the application's font database.
    static int argc = 1;
    static char name[] = "pagepicture_fuzz";
    static char* argv[] = {name, nullptr};
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(argc, argv);
    (void)offscreen;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto page = kx::print::TPagePicture::Load(bytes);
    if (page && page->Save() != bytes)
        std::abort();
    return 0;
}
