#include "staff/attachmentstore.h"

#include "core/appstate.h"
#include "core/filefunctions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kx::staff {
namespace {

constexpr qint64 kChunk = 1 << 16;

bool IsPlainName(const QString& name) {
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(u'\\');
}

// The target appears whole or not at all; a file already there stays until
// the new one is complete.
bool CopyReplacing(const QString& sourceFile, const QString& targetFile) {
    QFile source(sourceFile);
    if (!QFileInfo(sourceFile).isFile() || !source.open(QIODevice::ReadOnly))
        return false;
    QSaveFile target(targetFile);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kChunk);
        if (chunk.isEmpty() && source.error() != QFileDevice::NoError) {
            target.cancelWriting();
            return false;
        }
        if (target.write(chunk) != chunk.size()) {
            target.cancelWriting();
            return false;
        }
    }
    return target.commit();
}

QString ProgramFolderOr(const QString& programFolder) {
    if (!programFolder.isEmpty())
        return programFolder;
    return AppProgramFolder.isEmpty() ? GetProgramFolder() : AppProgramFolder;
}

} // namespace

TAttachmentStore::TAttachmentStore(const QString& programFolder)
    : folder_(ProgramFolderOr(programFolder) + QStringLiteral("/DataFile")) {}

QString TAttachmentStore::Folder() const {
    return folder_;
}

QString TAttachmentStore::StoredPath(const QString& recordId) const {
    return IsPlainName(recordId) ? folder_ + u'/' + recordId : QString();
}

bool TAttachmentStore::HasCopy(const QString& recordId) const {
    const QString path = StoredPath(recordId);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool TAttachmentStore::EnsureFolder() const {
    return QFileInfo(folder_).isDir() || QDir().mkpath(folder_);
}

bool TAttachmentStore::Store(const QString& sourceFile, const QString& recordId) const {
    const QString path = StoredPath(recordId);
    return !path.isEmpty() && EnsureFolder() && CopyReplacing(sourceFile, path);
}

bool TAttachmentStore::Remove(const QString& recordId) const {
    const QString path = StoredPath(recordId);
    if (path.isEmpty())
        return false;
    return !QFileInfo::exists(path) || QFile::remove(path);
}

void TAttachmentStore::RemoveStoredCopies(const QStringList& recordIds) const {
    for (const QString& id : recordIds)
        Remove(id);
}

TAttachmentStore::TCopyResult TAttachmentStore::CopyOut(const QString& recordId,
                                                        const QString& targetFile) const {
    if (!HasCopy(recordId))
        return TCopyResult::Missing;
    return CopyReplacing(StoredPath(recordId), targetFile) ? TCopyResult::Done
                                                           : TCopyResult::Failed;
}

} // namespace kx::staff
