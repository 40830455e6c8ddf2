// kxmktemplates <schema folder> <output folder>: builds the default
// table-report templates from the windows' printable fields over a fresh
// data folder made from the schema, and writes them into the output folder
// as <PRINT_ID>. The schema's templates/ folder is where they ship from.

#include "core/datamodule.h"
#include "platform/db/database.h"
#include "platform/sys/configstore.h"
#include "tablereport/qttextmeasurer.h"
#include "tools/mkdatafolder/datafolder.h"
#include "tools/mktemplates/defaulttemplates.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// The fresh data folder and the alias naming it live in a temporary folder,
// so the user's own configuration is never read nor written.
QString Generate(const QString& schemaDir, const QString& outputDir, const QTemporaryDir& work) {
    const QString dataDir = QDir(work.path()).filePath(QStringLiteral("data"));
    const QString error = kx::tools::CreateDataFolder(schemaDir, dataDir);
    if (!error.isEmpty())
        return error;
    if (!kx::sys::SetAliasPath(kx::kAliasName, dataDir))
        return QStringLiteral("cannot write the alias");
    kx::db::TDatabase database;
    database.SetAliasName(kx::kAliasName);
    database.SetDatabaseName(kx::kDatabaseName);
    database.SetLoginPrompt(false);
    kx::TQtTextMeasurer measurer;
    return kx::tools::WriteDefaultTemplates(outputDir, measurer);
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir work;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(work.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(work.filePath(QStringLiteral("program"))));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << "usage: kxmktemplates <schema folder> <output folder>\n";
        return 2;
    }
    if (!work.isValid()) {
        err << "kxmktemplates: " << work.errorString() << "\n";
        return 1;
    }
    try {
        const QString error = Generate(args[1], args[2], work);
        if (!error.isEmpty()) {
            err << "kxmktemplates: " << error << "\n";
            return 1;
        }
    } catch (const std::exception& error) {
        err << "kxmktemplates: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
