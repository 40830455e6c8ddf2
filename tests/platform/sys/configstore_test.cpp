#include "configfolder.h"

#include "platform/sys/configstore.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using namespace kx::sys;

void WriteText(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(SettingsStore, LivesInTheConfigurationFolder) {
    ConfigFolderScope config;
    EXPECT_EQ(SettingsFilePath(), config.Path() + QStringLiteral("/kxcashier/settings.ini"));
    EXPECT_EQ(AliasesFilePath(), config.Path() + QStringLiteral("/kxcashier/aliases.ini"));
}

TEST(SettingsStore, WriteReadAndDeleteStringValues) {
    ConfigFolderScope config;
    EXPECT_EQ(ReadSettingsValue(QStringLiteral("RUReravezColor")), QString());

    ASSERT_TRUE(WriteSettingsValue(QStringLiteral("RUReravezColor"), QStringLiteral("255")));
    ASSERT_TRUE(WriteSettingsValue(QStringLiteral("RUReravezImes"), QStringLiteral("拼音, 五笔")));
    ASSERT_TRUE(WriteSettingsValue(QStringLiteral("RUReravezData"), QStringLiteral("/backup/")));
    EXPECT_EQ(ReadSettingsValue(QStringLiteral("RUReravezColor")), QStringLiteral("255"));
    EXPECT_EQ(ReadSettingsValue(QStringLiteral("RUReravezImes")), QStringLiteral("拼音, 五笔"));
    EXPECT_EQ(ReadSettingsValue(QStringLiteral("RUReravezData")), QStringLiteral("/backup/"));
    EXPECT_TRUE(ReadText(SettingsFilePath()).contains("[RARARUZIDI]"));

    ASSERT_TRUE(DeleteSettingsValue(QStringLiteral("RUReravezColor")));
    EXPECT_EQ(ReadSettingsValue(QStringLiteral("RUReravezColor")), QString());
    EXPECT_EQ(ReadSettingsValue(QStringLiteral("RUReravezData")), QStringLiteral("/backup/"));
    EXPECT_TRUE(DeleteSettingsValue(QStringLiteral("NeverWritten")));
}

TEST(SettingsStore, ReadsAFileWrittenByHand) {
    ConfigFolderScope config;
    WriteText(SettingsFilePath(), "[RARARUZIDI]\nKXBank=/home/user/pictures/bank,1.jpg\n"
                                  "RUReravezColor=12615680\n");
    EXPECT_EQ(ReadSettingsValue(QStringLiteral("KXBank")),
              QStringLiteral("/home/user/pictures/bank,1.jpg"));
    EXPECT_EQ(ReadSettingsValue(QStringLiteral("RUReravezColor")), QStringLiteral("12615680"));
}

TEST(SettingsStore, AFileThatCannotBeOpenedIsAFailure) {
    ConfigFolderScope config;
    config.UseBlockedFolder();
    EXPECT_EQ(ReadSettingsValue(QStringLiteral("KXBank")), std::nullopt);
    EXPECT_FALSE(WriteSettingsValue(QStringLiteral("KXBank"), QStringLiteral("x")));
    EXPECT_FALSE(DeleteSettingsValue(QStringLiteral("KXBank")));
}

TEST(SettingsStore, AFolderInPlaceOfTheFileIsAFailure) {
    ConfigFolderScope config;
    QDir().mkpath(SettingsFilePath());
    EXPECT_EQ(ReadSettingsValue(QStringLiteral("KXBank")), std::nullopt);
    EXPECT_FALSE(WriteSettingsValue(QStringLiteral("KXBank"), QStringLiteral("x")));
}

TEST(AliasStore, UnknownAliasHasNoPath) {
    ConfigFolderScope config;
    EXPECT_FALSE(AliasExists(QStringLiteral("RUReravezLink")));
    EXPECT_EQ(AliasPath(QStringLiteral("RUReravezLink")), QString());

    WriteText(AliasesFilePath(), "[Other]\nPATH=/data/other\n[NoPath]\nNAME=x\n");
    EXPECT_FALSE(AliasExists(QStringLiteral("RUReravezLink")));
    EXPECT_FALSE(AliasExists(QStringLiteral("NoPath")));
    EXPECT_EQ(AliasPath(QStringLiteral("NoPath")), QString());
    EXPECT_TRUE(AliasExists(QStringLiteral("Other")));
}

TEST(AliasStore, SetAndReadBackAliasPaths) {
    ConfigFolderScope config;
    ASSERT_TRUE(SetAliasPath(QStringLiteral("RUReravezLink"), QStringLiteral("/srv/数据,1/data")));
    EXPECT_TRUE(AliasExists(QStringLiteral("RUReravezLink")));
    EXPECT_EQ(AliasPath(QStringLiteral("RUReravezLink")), QStringLiteral("/srv/数据,1/data"));

    ASSERT_TRUE(SetAliasPath(QStringLiteral("RUReravezLink"), QStringLiteral("/srv/new")));
    EXPECT_EQ(AliasPath(QStringLiteral("RUReravezLink")), QStringLiteral("/srv/new"));
    EXPECT_FALSE(ReadText(SettingsFilePath()).contains("RUReravezLink"));
}

TEST(AliasStore, ReadsAFileWrittenByHand) {
    ConfigFolderScope config;
    WriteText(AliasesFilePath(), "[RUReravezLink]\nPATH=/home/user/.local/share/kxcashier/data\n");
    EXPECT_TRUE(AliasExists(QStringLiteral("RUReravezLink")));
    EXPECT_EQ(AliasPath(QStringLiteral("RUReravezLink")),
              QStringLiteral("/home/user/.local/share/kxcashier/data"));
}

TEST(AliasStore, AnUnwritableStoreIsAFailure) {
    ConfigFolderScope config;
    config.UseBlockedFolder();
    EXPECT_FALSE(SetAliasPath(QStringLiteral("RUReravezLink"), QStringLiteral("/srv/data")));
    EXPECT_FALSE(AliasExists(QStringLiteral("RUReravezLink")));
    EXPECT_EQ(AliasPath(QStringLiteral("RUReravezLink")), QString());
}

} // namespace
