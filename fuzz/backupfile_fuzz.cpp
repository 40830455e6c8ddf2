// Restores arbitrary bytes as an archive into a scratch folder: damage must
// end in an error code or the head's exception, never a crash, a hang or an
// allocation driven by a length field.

#include "frame/admin/kxbackupfile.h"

#include "platform/sys/exception.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir scratch;
    const QString folder = scratch.filePath(QStringLiteral("data"));
    QDir(folder).removeRecursively();

    QBuffer archive;
    archive.setData(reinterpret_cast<const char*>(data), qsizetype(size));
    archive.open(QIODevice::ReadOnly);
    kx::TKXBackupFile backup;
    backup.ArchiveStream = &archive;
    backup.OnError = [](QObject*, int, const QString&) {};
    backup.OnNeedDisk = [](QObject*, quint16, bool& continueRun) { continueRun = false; };
    try {
        backup.Restore(QStringLiteral(":STREAM"), folder);
    } catch (const kx::Exception&) {
        // An archive whose head cannot be read.
    }
    return 0;
}
