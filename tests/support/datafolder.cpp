#include "tests/support/datafolder.h"

#include "tools/mkdatafolder/datafolder.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include <stdexcept>

namespace kx::test {
namespace {

void Fail(const QString& reason) {
    throw std::runtime_error(("TempDataFolder: " + reason).toStdString());
}

void WriteAlias(const QString& dataFolder) {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QSettings aliases(config + "/kxcashier/aliases.ini", QSettings::IniFormat);
    aliases.setValue("RUReravezLink/PATH", dataFolder);
    aliases.sync();
    if (aliases.status() != QSettings::NoError)
        Fail("cannot write " + aliases.fileName());
}

} // namespace

QString SchemaDir() {
    return qEnvironmentVariable("KX_SCHEMA_DIR", QStringLiteral(KX_SOURCE_SCHEMA_DIR));
}

TempDataFolder::TempDataFolder() {
    if (!root_.isValid())
        Fail(root_.errorString());
    const QString error = tools::CreateDataFolder(SchemaDir(), Path());
    if (!error.isEmpty())
        Fail(error);
    WriteAlias(Path());
}

QString TempDataFolder::Path() const {
    return root_.filePath("data");
}

QString TempDataFolder::DatabaseFile() const {
    return QDir(Path()).filePath(tools::kDatabaseFileName);
}

} // namespace kx::test
