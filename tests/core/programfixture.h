#pragma once
// Shared pieces of the core's and the frame's tests: a recording message
// sink, a data folder with the program's database open under its name, and
// rows written straight into that database.

#include "core/datamodule.h"
#include "platform/ui/messagedialog.h"
#include "tests/support/datafolder.h"

#include <QStringList>

#include <memory>

namespace kx::test {

// Records every box instead of showing it; confirmations answer `answer`.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    QStringList Texts() const;
    const QList<ui::MessageRequest>& Requests() const { return requests_; }
    void Clear() { requests_.clear(); }
    bool answer = false;

private:
    ui::MessageSink old_;
    QList<ui::MessageRequest> requests_;
};

// Runs statements straight on a data folder's database file.
void ExecOnFile(const QString& databaseFile, const QString& sql);

void InsertUser(const TempDataFolder& folder, const QString& id, const QString& name,
                const QString& password, bool systemUser, bool active = true);
void GrantBrowse(const TempDataFolder& folder, const QString& userId, int composeId, int programId,
                 const QString& browse = QStringLiteral("是"));

// The program-wide state and the terminate request as a fresh run has them.
void ResetProgramState();

// A data folder with the data module connected to it.
class OpenDataFolder {
public:
    OpenDataFolder();
    ~OpenDataFolder();
    TempDataFolder Folder;
    std::unique_ptr<TDM> DataModule;
};

} // namespace kx::test
