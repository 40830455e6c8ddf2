// Test entry point: one QApplication for the whole run, private
// configuration and data folders (tests never read or write the user's
// settings, nor clean the program's own folder, nor keep printed files in
// the user's documents folder) and the schema and fixture
// folders of the source tree unless given.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    QDir(data.path()).mkdir(QStringLiteral("Documents"));
    QFile userDirs(config.filePath(QStringLiteral("user-dirs.dirs")));
    if (userDirs.open(QIODevice::WriteOnly))
        userDirs.write("XDG_DOCUMENTS_DIR=\"" +
                       data.filePath(QStringLiteral("Documents")).toUtf8() + "\"\n");
    userDirs.close();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("KX_SCHEMA_DIR"))
        qputenv("KX_SCHEMA_DIR", KX_SOURCE_SCHEMA_DIR);
    if (qEnvironmentVariableIsEmpty("KX_FIXTURE_DIR"))
        qputenv("KX_FIXTURE_DIR", KX_SOURCE_FIXTURE_DIR);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
