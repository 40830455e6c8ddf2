#pragma once
// The named database over one SQLite file, RUReravezDataBase.sqlite, in the
// data folder that its alias names. It connects when asked or when a query
// first needs it, and knows the queries bound to it.

#include "platform/db/sqltranslate.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

struct sqlite3;

namespace kx::db {

class TDataSet;
class TQuery;

class TDatabase : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kFileName = "RUReravezDataBase.sqlite";

    explicit TDatabase(QObject* owner = nullptr);
    ~TDatabase() override;

    const QString& AliasName() const { return aliasName_; }
    void SetAliasName(const QString& alias);
    // The name queries look the database up by.
    const QString& DatabaseName() const { return databaseName_; }
    void SetDatabaseName(const QString& name);
    bool LoginPrompt() const { return loginPrompt_; }
    void SetLoginPrompt(bool prompt) { loginPrompt_ = prompt; }
    // Stay connected while no data set is open.
    bool KeepConnection() const { return keepConnection_; }
    void SetKeepConnection(bool keep);
    bool Exclusive() const { return exclusive_; }
    void SetExclusive(bool exclusive) { exclusive_ = exclusive; }
    bool HandleShared() const { return handleShared_; }
    void SetHandleShared(bool shared) { handleShared_ = shared; }

    bool Connected() const { return db_ != nullptr; }
    // Connecting raises EDBEngineError 10770 when the file is missing or
    // damaged; disconnecting closes every data set first.
    void SetConnected(bool connected);
    void Open() { SetConnected(true); }
    void Close() { SetConnected(false); }

    // The data folder (the alias's path) and the database file in it.
    QString Directory() const;
    QString FileName() const;

    void CloseDataSets();
    // The open data sets bound to this database.
    QList<TDataSet*> DataSets() const;
    int DataSetCount() const { return static_cast<int>(DataSets().size()); }

    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const;

    // The connection, made now when there is none.
    sqlite3* Handle();

    // A table's columns with their declared types, in declared order; empty
    // for a table the file does not hold. Read once per connection: the
    // program never changes its tables' columns.
    TDeclaredColumns DeclaredColumns(const QString& table);

private:
    friend class TQuery;

    void AddQuery(TQuery* query);
    void RemoveQuery(TQuery* query);
    void QueryClosed();
    void Connect();
    void Disconnect();
    void Exec(const char* sql);

    QString aliasName_;
    QString databaseName_;
    bool loginPrompt_ = true;
    bool keepConnection_ = true;
    bool exclusive_ = false;
    bool handleShared_ = false;
    sqlite3* db_ = nullptr;
    QList<TQuery*> queries_;
    // By upper-case table name.
    QHash<QString, TDeclaredColumns> declaredColumns_;
};

} // namespace kx::db
