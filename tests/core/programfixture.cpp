#include "tests/core/programfixture.h"

#include "core/appstate.h"
#include "core/exceptionhandler.h"
#include "platform/db/collation.h"
#include "platform/db/session.h"
#include "platform/ui/application.h"

#include <QFile>

#include <sqlite3.h>

#include <stdexcept>

namespace kx::test {

MessageRecorder::MessageRecorder() {
    old_ = ui::SetMessageSink([this](const ui::MessageRequest& request) {
        requests_.append(request);
        return answer;
    });
}

MessageRecorder::~MessageRecorder() {
    ui::SetMessageSink(old_);
}

QStringList MessageRecorder::Texts() const {
    QStringList texts;
    for (const ui::MessageRequest& request : requests_)
        texts.append(request.text);
    return texts;
}

void ExecOnFile(const QString& databaseFile, const QString& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(databaseFile).constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open the test database");
    }
    db::RegisterCollations(db);
    char* message = nullptr;
    const int result = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    const std::string error = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    if (result != SQLITE_OK)
        throw std::runtime_error("test SQL failed: " + error);
}

void InsertUser(const TempDataFolder& folder, const QString& id, const QString& name,
                const QString& password, bool systemUser, bool active) {
    ExecOnFile(folder.DatabaseFile(),
               QStringLiteral("INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME, USE_PASSWORD, "
                              "SYS_USER, STOP_RIGHT) VALUES ('%1', '%2', '%3', '%4', '%5')")
                   .arg(id, name, password, systemUser ? "是" : "否", active ? "有效" : "停用"));
}

void GrantBrowse(const TempDataFolder& folder, const QString& userId, int composeId, int programId,
                 const QString& browse) {
    ExecOnFile(folder.DatabaseFile(),
               QStringLiteral("INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, "
                              "BROWSE_RIGHT) VALUES ('%1', %2, %3, '%4')")
                   .arg(QString(userId).replace("'", "''"))
                   .arg(composeId)
                   .arg(programId)
                   .arg(browse));
}

void ResetProgramState() {
    ui::ClearTerminateRequest();
    ui::SetExceptionHandler(HandleApplicationException);
    AppAliasMissing = false;
    AppUserId = QStringLiteral("G001");
    AppUserName.clear();
    AppSystemUser = false;
    AppImeName.clear();
    AppCompanyName = QStringLiteral("岚衡软件有限公司");
    AppFieldCaptions.clear();
    db::TSession::Default().SetActive(true);
}

OpenDataFolder::OpenDataFolder() : DataModule(std::make_unique<TDM>()) {
    DM = DataModule.get();
    db::TSession::Default().SetActive(true);
    DataModule->MainDatabase->SetConnected(true);
}

OpenDataFolder::~OpenDataFolder() = default;

} // namespace kx::test
