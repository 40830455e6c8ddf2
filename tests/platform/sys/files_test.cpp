#include "platform/sys/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace kx::sys;

void Touch(const QString& path, const QByteArray& content = "x") {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(Files, ListFilesSortedWithHiddenOnes) {
    QTemporaryDir dir;
    for (const char* name : {"b.DB", "a.db", ".hidden.mb", "c.txt", "d.DBX"})
        Touch(dir.filePath(QString::fromLatin1(name)));
    QDir(dir.path()).mkdir(QStringLiteral("folder.db"));

    EXPECT_EQ(ListFiles(dir.path()), (QStringList{".hidden.mb", "a.db", "b.DB", "c.txt", "d.DBX"}));
    EXPECT_TRUE(ListFiles(dir.filePath(QStringLiteral("missing"))).isEmpty());
}

TEST(Files, CopyFolderMakesTheTargetACopy) {
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("DataFile"));
    Touch(source + QStringLiteral("/员工/照片.jpg"), "picture");
    Touch(source + QStringLiteral("/.hidden"), "hidden");
    Touch(source + QStringLiteral("/top.txt"), "top");
    QDir().mkpath(source + QStringLiteral("/empty"));

    const QString target = dir.filePath(QStringLiteral("backup/DataFile 2024-01-01"));
    ASSERT_TRUE(CopyFolder(source, target));
    EXPECT_EQ(ReadAll(target + QStringLiteral("/员工/照片.jpg")), "picture");
    EXPECT_EQ(ReadAll(target + QStringLiteral("/.hidden")), "hidden");
    EXPECT_EQ(ReadAll(target + QStringLiteral("/top.txt")), "top");
    EXPECT_TRUE(QFileInfo(target + QStringLiteral("/empty")).isDir());
    EXPECT_EQ(ReadAll(source + QStringLiteral("/top.txt")), "top");
}

TEST(Files, CopyFolderRefusesWhatItCannotDoCleanly) {
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("src"));
    Touch(source + QStringLiteral("/a.txt"));
    const QString existing = dir.filePath(QStringLiteral("existing"));
    Touch(existing + QStringLiteral("/keep.txt"), "keep");

    EXPECT_FALSE(CopyFolder(source, existing));
    EXPECT_FALSE(QFileInfo::exists(existing + QStringLiteral("/a.txt")));
    EXPECT_EQ(ReadAll(existing + QStringLiteral("/keep.txt")), "keep");

    EXPECT_FALSE(CopyFolder(source, source + QStringLiteral("/inside")));
    EXPECT_FALSE(CopyFolder(source, source + QStringLiteral("/deeper/inside")));
    EXPECT_FALSE(QFileInfo::exists(source + QStringLiteral("/inside")));
    EXPECT_FALSE(CopyFolder(dir.filePath(QStringLiteral("missing")), dir.filePath("t")));
    EXPECT_FALSE(CopyFolder(source + QStringLiteral("/a.txt"), dir.filePath("t")));
    EXPECT_TRUE(CopyFolder(source, dir.filePath(QStringLiteral("src2"))));
}

TEST(Files, SafeFileNamesHoldNoSeparators) {
    EXPECT_EQ(SafeFileName(QStringLiteral(" 现金/日记:账 ")), QStringLiteral("现金_日记_账"));
    EXPECT_EQ(SafeFileName(QStringLiteral("a\\b*c?d\"e<f>g|h\ti")),
              QStringLiteral("a_b_c_d_e_f_g_h_i"));
    EXPECT_EQ(SafeFileName(QString(150, u'账')), QString(100, u'账'));
}

// A timed file never replaces one already there, and a folder that cannot
// be made gives no name.
TEST(Files, TimedFilesAreNumberedRatherThanOverwritten) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("kept/kxcashier"));
    const QDateTime time(QDate(2026, 12, 11), QTime(9, 5, 7));
    const QString first = CreateTimedFile(folder, QStringLiteral("日/记账"), "pdf", time);
    EXPECT_EQ(first, folder + QStringLiteral("/日_记账 2026-12-11 090507.pdf"));
    Touch(first, "kept");
    EXPECT_EQ(CreateTimedFile(folder, QStringLiteral("日/记账"), "pdf", time),
              folder + QStringLiteral("/日_记账 2026-12-11 090507 (2).pdf"));
    EXPECT_EQ(ReadAll(first), "kept");
    Touch(dir.filePath(QStringLiteral("blocked")));
    EXPECT_EQ(CreateTimedFile(dir.filePath(QStringLiteral("blocked/sub")), "a", "pdf", time),
              QString());
}

} // namespace
