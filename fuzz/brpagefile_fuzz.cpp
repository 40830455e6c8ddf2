// Feeds arbitrary bytes to the page-file reader: a file must either open
// and give back every page it counts, or be refused with EBRError; never a
// crash, a hang or a read past a buffer.

#include "bandreport/brerror.h"
#include "bandreport/brpagelist.h"

#include <QFile>
#include <QTemporaryFile>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryFile file;
    if (!file.isOpen() && !file.open())
        return 0;
    file.resize(0);
    file.seek(0);
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.flush();
    kx::TBRPageList list;
    try {
        list.OpenPageFile(file.fileName());
    } catch (const kx::EBRError&) {
        return 0;
    }
    for (int page = list.PageCount(); page >= 1; --page)
        list.GetPage(page);
    list.GetPage(1);
    return 0;
}
