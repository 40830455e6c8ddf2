#pragma once
// A data set over the SQL text of a named database. Open reads the whole
// result of a SELECT; ExecSQL runs any other statement. With ParamCheck on,
// ":NAME" in the text is a parameter; with it off a ":" is plain text.
// Changes are written back to the single table the SELECT reads, or
// through an update object when cached updates are on.

#include "platform/db/dataset.h"
#include "platform/db/params.h"
#include "platform/db/sqllines.h"

#include <QPointer>

struct sqlite3_stmt;

namespace kx::db {

class TDatabase;

class TQuery : public TDataSet {
    Q_OBJECT
public:
    explicit TQuery(QObject* owner = nullptr);
    ~TQuery() override;

    // Changing the text closes the query and reads its parameters anew.
    TSqlLines& SQL() { return sql_; }
    const TSqlLines& SQL() const { return sql_; }
    QString Text() const { return sql_.Text(); }

    const QString& DatabaseName() const { return databaseName_; }
    void SetDatabaseName(const QString& name);
    // The database of that name, looked up in the session.
    TDatabase* Database();

    TParams& Params() { return params_; }
    TParam* ParamByName(const QString& name) const { return params_.ParamByName(name); }
    int ParamCount() const { return params_.Count(); }
    bool ParamCheck() const { return paramCheck_; }
    void SetParamCheck(bool check);

    // Live: the result can be edited and written back when it comes from
    // one table.
    bool RequestLive() const { return requestLive_; }
    void SetRequestLive(bool live) { requestLive_ = live; }

    bool Prepared() const { return statement_ != nullptr; }
    void SetPrepared(bool prepared);
    void Prepare();
    void UnPrepare();

    // Runs the statement; raises EDBEngineError as the database reports.
    void ExecSQL();
    int RowsAffected() const { return rowsAffected_; }

protected:
    void OpenCursor() override;
    void CloseCursor() override;
    void WriteChange(const TRowChange& change) override;
    bool CanWriteDirectly() const override;
    sqlite3* Connection() const override;
    TDeclaredColumns DeclaredColumns(const QString& table) const override;

private:
    friend class TDatabase;

    void SqlChanged();
    // The text in SQLite's dialect.
    QString TranslatedText() const;
    void DatabaseDestroyed();
    sqlite3_stmt* PrepareStatement(sqlite3* db, const QByteArray& sql, const char** tail) const;
    void ReadColumns(sqlite3_stmt* statement);
    void FindKeyColumns();
    QString WhereClause(const TRowChange& change, QList<QVariant>& bindings) const;
    int Execute(const QString& sql, const QList<QVariant>& bindings) const;

    TSqlLines sql_;
    QString databaseName_;
    QPointer<TDatabase> database_;
    TParams params_;
    bool paramCheck_ = true;
    bool requestLive_ = false;
    sqlite3_stmt* statement_ = nullptr;
    int rowsAffected_ = -1;
    // The one stored table the result reads, and which of its columns
    // identify a row; empty when the result cannot be written back.
    QString tableName_;
    QList<int> keyColumns_;
};

} // namespace kx::db
