#include "core/filefunctions.h"

#include "platform/sys/configstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kx {
namespace {

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(GetParentFolder, LastComponentCounts) {
    EXPECT_EQ(GetParentFolder("/Prog/Prog.exe"), "/Prog/");
    EXPECT_EQ(GetParentFolder("/Data/Data"), "/Data/");
    EXPECT_EQ(GetParentFolder("/Prog/"), "");
    EXPECT_EQ(GetParentFolder("Prog.exe"), "");
}

TEST(DeleteDataFiles, DeletesTableFilesExceptTheBackupTable) {
    QTemporaryDir folder;
    const QDir dir(folder.path());
    for (const char* name : {"A.DB", "b.mb", "a.db", "sys_back_table.db", "SYS_BACK_TABLE.DB",
                             "notes.txt", "data.sqlite"})
        Touch(dir.filePath(name));
    dir.mkdir("sub.db");
    DeleteDataFiles(folder.path());
    QStringList left = dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    EXPECT_EQ(left, (QStringList{"SYS_BACK_TABLE.DB", "data.sqlite", "notes.txt", "sub.db",
                                 "sys_back_table.db"}));
}

TEST(DeleteDataFiles, MissingFolderIsLeftAlone) {
    QTemporaryDir parent;
    const QString missing = QDir(parent.path()).filePath("missing");
    EXPECT_NO_THROW(DeleteDataFiles(missing));
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST(DirectoryIsThere, FolderYesFileNo) {
    QTemporaryDir folder;
    const QString file = QDir(folder.path()).filePath("x.txt");
    Touch(file);
    EXPECT_TRUE(DirectoryIsThere(folder.path()));
    EXPECT_FALSE(DirectoryIsThere(file));
    EXPECT_FALSE(DirectoryIsThere(folder.path() + "/missing"));
}

TEST(GetAliasPath, FolderOfAKnownAliasOrEmpty) {
    QTemporaryDir data;
    ASSERT_TRUE(sys::SetAliasPath("TestAliasForPath", data.path()));
    EXPECT_EQ(GetAliasPath("TestAliasForPath"), data.path());
    EXPECT_EQ(GetAliasPath("NoSuchAlias"), "");
}

TEST(GetTempFolder, EndsWithSeparator) {
    EXPECT_TRUE(GetTempFolder().endsWith('/'));
}

} // namespace
} // namespace kx
