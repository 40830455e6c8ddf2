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

TEST(DeleteTempFiles, DeletesTheFilesAndKeepsTheSubfolders) {
    QTemporaryDir folder;
    const QDir dir(folder.path());
    for (const char* name : {"A.DB", "b.mb", "report.pdf", ".hidden"})
        Touch(dir.filePath(name));
    ASSERT_TRUE(dir.mkdir("sub"));
    Touch(dir.filePath("sub/kept.txt"));
    DeleteTempFiles(folder.path());
    EXPECT_EQ(dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"sub"});
    EXPECT_TRUE(dir.exists("sub/kept.txt"));
}

TEST(DeleteTempFiles, MissingFolderIsLeftAlone) {
    QTemporaryDir parent;
    const QString missing = QDir(parent.path()).filePath("missing");
    EXPECT_NO_THROW(DeleteTempFiles(missing));
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

TEST(GetProgramFolder, OwnFolderUnderTheUsersDataHome) {
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    EXPECT_EQ(GetProgramFolder(), home.path() + "/kxcashier");
    EXPECT_EQ(GetTempFolder(), home.path() + "/kxcashier/temp/");
    qputenv("XDG_DATA_HOME", saved);
}

// Not even the superuser may create files in /proc.
TEST(DataFolderWriteFault, NamesTheFolderOrTheFileThatTakesNoWrites) {
    EXPECT_EQ(DataFolderWriteFault("/proc"), "数据文件夹不能写入：/proc");
    QTemporaryDir folder;
    EXPECT_EQ(DataFolderWriteFault(folder.path()),
              "数据库文件不能写入：" + folder.filePath("RUReravezDataBase.sqlite"));
    QFile database(folder.filePath("RUReravezDataBase.sqlite"));
    ASSERT_TRUE(database.open(QIODevice::WriteOnly));
    database.close();
    EXPECT_EQ(DataFolderWriteFault(folder.path()), "");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"RUReravezDataBase.sqlite"})
        << "the probe leaves nothing behind";
}

} // namespace
} // namespace kx
