#include "tools/mkdatafolder/datafolder.h"

#include "tests/support/datafolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using kx::test::SchemaDir;
using kx::tools::CreateDataFolder;
using kx::tools::kDatabaseFileName;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(text);
}

QStringList ShippedTemplates() {
    return QDir(SchemaDir() + "/templates").entryList(QDir::Files, QDir::Name);
}

TEST(CreateDataFolder, MakesTheMissingFoldersAndTheDatabase) {
    QTemporaryDir root;
    const QString data = root.filePath("program/data");
    EXPECT_EQ(CreateDataFolder(SchemaDir(), data), QString());
    EXPECT_TRUE(QFileInfo::exists(QDir(data).filePath(kDatabaseFileName)));
    EXPECT_EQ(QDir(data).entryList(QDir::Files, QDir::Name),
              ShippedTemplates() + QStringList{kDatabaseFileName})
        << "no journal or other file is left beside the database and the templates";
}

TEST(CreateDataFolder, CopiesTheShippedTemplatesButKeepsTheUsersOwn) {
    const QStringList shipped = ShippedTemplates();
    ASSERT_EQ(shipped, QStringList({"200700000007", "200700000008", "200700000009", "200700000010",
                                    "200700000019"}));
    QTemporaryDir root;
    const QString data = root.filePath("data");
    ASSERT_TRUE(QDir().mkpath(data));
    WriteFile(QDir(data).filePath(shipped[1]), "the user's own");

    ASSERT_EQ(CreateDataFolder(SchemaDir(), data), QString());
    for (const QString& name : shipped) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray copied = ReadAll(QDir(data).filePath(name));
        if (name == shipped[1])
            EXPECT_EQ(copied, QByteArray("the user's own"));
        else
            EXPECT_TRUE(copied == ReadAll(SchemaDir() + "/templates/" + name));
    }
}

TEST(CreateDataFolder, ASchemaWithoutTemplatesMakesTheDatabaseOnly) {
    QTemporaryDir schema;
    WriteFile(schema.filePath("01_a.sql"), "CREATE TABLE A (X INTEGER);");
    QTemporaryDir root;
    const QString data = root.filePath("data");
    EXPECT_EQ(CreateDataFolder(schema.path(), data), QString());
    EXPECT_EQ(QDir(data).entryList(QDir::Files), QStringList{kDatabaseFileName});
}

TEST(CreateDataFolder, RefusesAFolderThatHoldsADatabase) {
    QTemporaryDir root;
    const QString data = root.filePath("data");
    ASSERT_EQ(CreateDataFolder(SchemaDir(), data), QString());
    const QString file = QDir(data).filePath(kDatabaseFileName);
    const QByteArray before = ReadAll(file);

    const QString error = CreateDataFolder(SchemaDir(), data);
    EXPECT_TRUE(error.contains(file)) << error.toStdString();
    EXPECT_EQ(ReadAll(file), before) << "the existing data stays untouched";
}

TEST(CreateDataFolder, ABrokenSchemaLeavesNoDatabaseBehind) {
    struct Case {
        const char* what;
        QList<std::pair<QString, QByteArray>> files;
        QString errorMentions;
    };
    const Case cases[] = {
        {"bad statement in a later file",
         {{"01_good.sql", "CREATE TABLE A (X INTEGER);"},
          {"02_bad.sql", "CREATE TABLE B (X INTEGER); CREATE TABEL C (X);"}},
         "02_bad.sql"},
        {"unknown collation",
         {{"01_nope.sql", "CREATE TABLE A (X VARCHAR(4) COLLATE NOPE);"}},
         "01_nope.sql"},
        {"no schema files", {{"readme.txt", "nothing here"}}, "no schema files"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir schema;
        for (const auto& [name, text] : c.files)
            WriteFile(schema.filePath(name), text);
        QTemporaryDir root;
        const QString data = root.filePath("data");

        const QString error = CreateDataFolder(schema.path(), data);
        EXPECT_TRUE(error.contains(c.errorMentions)) << error.toStdString();
        EXPECT_EQ(QDir(data).entryList(QDir::Files), QStringList());

        EXPECT_EQ(CreateDataFolder(SchemaDir(), data), QString())
            << "a failed attempt does not block the next one";
    }
}

TEST(CreateDataFolder, AMissingSchemaFolderIsReported) {
    QTemporaryDir root;
    const QString error = CreateDataFolder(root.filePath("no-such-schema"), root.filePath("data"));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(root.filePath("data/") + kDatabaseFileName));
}

QString AliasPath() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QSettings(config + "/kxcashier/aliases.ini", QSettings::IniFormat)
        .value("RUReravezLink/PATH")
        .toString();
}

TEST(TempDataFolder, MakesAPrivateDataFolderAndPointsTheAliasAtIt) {
    const kx::test::TempDataFolder first;
    EXPECT_EQ(AliasPath(), first.Path());
    EXPECT_TRUE(QFileInfo::exists(first.DatabaseFile()));
    EXPECT_EQ(QFileInfo(first.DatabaseFile()).absolutePath(), first.Path());

    // Attachments go into the data folder's parent, so that must be private too.
    const QString parent = QFileInfo(first.Path()).absolutePath();
    EXPECT_NE(QDir(parent), QDir(QDir::tempPath()));

    const kx::test::TempDataFolder second;
    EXPECT_NE(second.Path(), first.Path());
    EXPECT_EQ(AliasPath(), second.Path()) << "the alias follows the newest folder";
}

TEST(TempDataFolder, FailsLoudlyWithoutASchema) {
    const QTemporaryDir empty;
    const bool wasSet = qEnvironmentVariableIsSet("KX_SCHEMA_DIR");
    const QByteArray saved = qgetenv("KX_SCHEMA_DIR");
    qputenv("KX_SCHEMA_DIR", QFile::encodeName(empty.path()));
    EXPECT_THROW(kx::test::TempDataFolder(), std::runtime_error);
    if (wasSet)
        qputenv("KX_SCHEMA_DIR", saved);
    else
        qunsetenv("KX_SCHEMA_DIR");
}

} // namespace
