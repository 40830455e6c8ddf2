#include "platform/sys/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace kx::sys {
namespace {

constexpr QDir::Filters kEverything =
    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

bool CopyContents(const QDir& source, const QDir& target) {
    bool ok = true;
    for (const QFileInfo& entry : source.entryInfoList(kEverything, QDir::Name)) {
        const QString copy = target.filePath(entry.fileName());
        if (entry.isSymLink() && entry.isDir())
            ok = QFile::link(entry.symLinkTarget(), copy) && ok;
        else if (entry.isDir())
            ok = target.mkdir(entry.fileName()) && CopyContents(entry.filePath(), copy) && ok;
        else
            ok = QFile::copy(entry.filePath(), copy) && ok;
    }
    return ok;
}

// A copy into the source itself would never end; compare both the written
// paths and the paths with links resolved.
bool IsInside(const QFileInfo& target, const QFileInfo& source) {
    const QString written = QDir::cleanPath(target.absoluteFilePath()) + u'/';
    if (written.startsWith(QDir::cleanPath(source.absoluteFilePath()) + u'/'))
        return true;
    const QString parent = QFileInfo(target.absolutePath()).canonicalFilePath();
    return !parent.isEmpty() &&
           (parent + u'/' + target.fileName() + u'/').startsWith(source.canonicalFilePath() + u'/');
}

} // namespace

QStringList ListFiles(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

bool CopyFolder(const QString& source, const QString& target) {
    const QFileInfo from(source);
    const QFileInfo to(target);
    if (!from.isDir() || to.exists())
        return false;
    if (IsInside(to, from))
        return false;
    return QDir().mkpath(target) && CopyContents(QDir(source), QDir(target));
}

QString SafeFileName(const QString& name) {
    constexpr qsizetype kMaxChars = 100;
    QString safe = name.trimmed().left(kMaxChars);
    if (!safe.isEmpty() && safe.back().isHighSurrogate())
        safe.chop(1);
    for (QChar& c : safe) {
        if (c.category() == QChar::Other_Control || QStringView(u"/\\:*?\"<>|").contains(c))
            c = u'_';
    }
    return safe;
}

QString CreateTimedFile(const QString& folder, const QString& name, const QString& suffix,
                        const QDateTime& time) {
    if (!QDir().mkpath(folder))
        return {};
    const QString stem =
        SafeFileName(name) + u' ' + time.toString(QStringLiteral("yyyy-MM-dd HHmmss"));
    // The bound only stops a folder that refuses every new file.
    for (int number = 1; number <= 1000; ++number) {
        const QString candidate =
            number == 1 ? stem : QStringLiteral("%1 (%2)").arg(stem).arg(number);
        QFile file(QDir(folder).filePath(candidate + u'.' + suffix));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return file.fileName();
        if (!file.exists())
            return {};
    }
    return {};
}

bool SyncToDisk(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

bool RemoveFile(const QString& path) {
    return ::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT;
}

} // namespace kx::sys
