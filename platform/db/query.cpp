#include "platform/db/query.h"

#include "platform/db/database.h"
#include "platform/db/session.h"
#include "platform/db/sqltranslate.h"
#include "platform/db/variants.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <memory>

namespace kx::db {
namespace {

using StatementGuard = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;

// The field type a declared column type stands for, and its size.
TFieldType DeclaredType(const QString& declared, int& size) {
    static const QRegularExpression sizePattern(QStringLiteral(R"(\(\s*(\d+))"));
    const QString type = declared.toUpper();
    const QRegularExpressionMatch match = sizePattern.match(type);
    size = match.hasMatch() ? match.captured(1).toInt() : 0;
    const auto has = [&type](const char* word) { return type.contains(QLatin1String(word)); };
    if (has("DATETIME") || has("TIMESTAMP"))
        return ftDateTime;
    if (has("DATE"))
        return ftDate;
    if (has("TIME"))
        return ftTime;
    if (has("BOOL") || has("LOGICAL"))
        return ftBoolean;
    if (has("CURRENCY") || has("MONEY"))
        return ftCurrency;
    if (has("SMALLINT"))
        return ftSmallint;
    if (has("BIGINT") || has("LARGEINT"))
        return ftLargeint;
    if (has("AUTOINC"))
        return ftAutoInc;
    if (has("INT"))
        return ftInteger;
    if (has("CHAR") || has("STRING") || (has("TEXT") && size > 0)) {
        size = size > 0 ? size : 255;
        return ftString;
    }
    if (has("MEMO") || has("CLOB") || has("TEXT"))
        return ftMemo;
    if (has("GRAPHIC") || has("IMAGE"))
        return ftGraphic;
    if (has("BLOB") || has("BINARY"))
        return ftBlob;
    if (has("REAL") || has("FLOA") || has("DOUB") || has("NUM") || has("DEC"))
        return ftFloat;
    return ftUnknown;
}

QString QuoteName(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString UniqueName(const QString& name, const QStringList& taken) {
    if (!taken.contains(name, Qt::CaseInsensitive))
        return name;
    for (int suffix = 1;; ++suffix) {
        const QString candidate = QStringLiteral("%1_%2").arg(name).arg(suffix);
        if (!taken.contains(candidate, Qt::CaseInsensitive))
            return candidate;
    }
}

} // namespace

TQuery::TQuery(QObject* owner) : TDataSet(owner) {
    sql_.OnChange = [this] { SqlChanged(); };
}

TQuery::~TQuery() {
    BeforeClose = nullptr;
    AfterClose = nullptr;
    Close();
    UnPrepare();
    if (database_)
        database_->RemoveQuery(this);
}

void TQuery::SetDatabaseName(const QString& name) {
    if (name == databaseName_)
        return;
    Close();
    UnPrepare();
    if (database_)
        database_->RemoveQuery(this);
    database_ = nullptr;
    databaseName_ = name;
}

TDatabase* TQuery::Database() {
    if (!database_) {
        database_ = TSession::Default().OpenDatabase(databaseName_);
        database_->AddQuery(this);
    }
    return database_;
}

void TQuery::DatabaseDestroyed() {
    Close();
    UnPrepare();
    database_ = nullptr;
}

void TQuery::SetParamCheck(bool check) {
    paramCheck_ = check;
    if (paramCheck_)
        params_.ParseSQL(sql_.Text());
    else
        params_.Clear();
}

void TQuery::SqlChanged() {
    Close();
    UnPrepare();
    if (paramCheck_)
        params_.ParseSQL(sql_.Text());
    else
        params_.Clear();
}

void TQuery::SetPrepared(bool prepared) {
    if (prepared)
        Prepare();
    else
        UnPrepare();
}

sqlite3_stmt* TQuery::PrepareStatement(sqlite3* db, const QByteArray& sql,
                                       const char** tail) const {
    sqlite3_stmt* statement = nullptr;
    const int rc =
        sqlite3_prepare_v2(db, sql.constData(), static_cast<int>(sql.size()), &statement, tail);
    if (rc != SQLITE_OK)
        throw SqliteError(db, rc, QString::fromUtf8(sql));
    return statement;
}

void TQuery::Prepare() {
    if (statement_)
        return;
    sqlite3* db = Database()->Handle();
    statement_ = PrepareStatement(db, TranslatedText().toUtf8(), nullptr);
    if (!statement_)
        DatabaseError(QStringLiteral("No SQL statement available"));
}

void TQuery::UnPrepare() {
    sqlite3_finalize(statement_);
    statement_ = nullptr;
}

void TQuery::OpenCursor() {
    const bool keepPrepared = Prepared();
    Prepare();
    sqlite3* db = Database()->Handle();
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    if (paramCheck_)
        params_.Bind(statement_);
    if (sqlite3_column_count(statement_) == 0) {
        if (!keepPrepared)
            UnPrepare();
        DatabaseError(QStringLiteral("Error creating cursor handle"));
    }
    ReadColumns(statement_);
    int rc = sqlite3_step(statement_);
    while (rc == SQLITE_ROW) {
        AddRow(statement_);
        rc = sqlite3_step(statement_);
    }
    const EDBEngineError error = SqliteError(db, rc, Text());
    sqlite3_reset(statement_);
    if (!keepPrepared)
        UnPrepare();
    if (rc != SQLITE_DONE)
        throw error;
    FindKeyColumns();
}

void TQuery::CloseCursor() {
    tableName_.clear();
    keyColumns_.clear();
    if (database_)
        database_->QueryClosed();
}

void TQuery::ReadColumns(sqlite3_stmt* statement) {
    QList<TColumnInfo> columns;
    QStringList names;
    for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        TColumnInfo column;
        column.Name = UniqueName(QString::fromUtf8(sqlite3_column_name(statement, i)), names);
        names.append(column.Name);
        column.DataType =
            DeclaredType(QString::fromUtf8(sqlite3_column_decltype(statement, i)), column.Size);
        column.TableName = QString::fromUtf8(sqlite3_column_table_name(statement, i));
        column.OriginName = QString::fromUtf8(sqlite3_column_origin_name(statement, i));
        columns.append(column);
    }
    SetColumns(columns);
}

void TQuery::FindKeyColumns() {
    tableName_.clear();
    keyColumns_.clear();
    const QList<TColumnInfo>& columns = Columns();
    QStringList origins;
    for (const TColumnInfo& column : columns) {
        if (column.TableName.isEmpty() ||
            origins.contains(column.OriginName, Qt::CaseInsensitive) ||
            (!tableName_.isEmpty() && column.TableName.compare(tableName_, Qt::CaseInsensitive)))
            return tableName_.clear();
        tableName_ = column.TableName;
        origins.append(column.OriginName);
    }
    if (tableName_.isEmpty())
        return;
    sqlite3* db = Connection();
    sqlite3_stmt* raw = PrepareStatement(
        db, QStringLiteral("PRAGMA table_info(%1)").arg(QuoteName(tableName_)).toUtf8(), nullptr);
    StatementGuard info(raw, sqlite3_finalize);
    QMap<int, QString> keyNames;
    while (sqlite3_step(raw) == SQLITE_ROW) {
        if (const int order = sqlite3_column_int(raw, 5); order > 0)
            keyNames.insert(order, QString::fromUtf8(sqlite3_column_text(raw, 1)));
    }
    for (const QString& key : keyNames) {
        const auto found =
            std::find_if(columns.begin(), columns.end(), [&key](const TColumnInfo& column) {
                return column.OriginName.compare(key, Qt::CaseInsensitive) == 0;
            });
        if (found == columns.end()) {
            keyColumns_.clear();
            return;
        }
        keyColumns_.append(static_cast<int>(found - columns.begin()));
    }
}

bool TQuery::CanWriteDirectly() const {
    return requestLive_ && !tableName_.isEmpty();
}

sqlite3* TQuery::Connection() const {
    return const_cast<TQuery*>(this)->Database()->Handle();
}

TDeclaredColumns TQuery::DeclaredColumns(const QString& table) const {
    return const_cast<TQuery*>(this)->Database()->DeclaredColumns(table);
}

QString TQuery::TranslatedText() const {
    return TranslateSql(Text(), [this](const QString& table) { return DeclaredColumns(table); });
}

QString TQuery::WhereClause(const TRowChange& change, QList<QVariant>& bindings) const {
    const QList<TColumnInfo>& columns = Columns();
    QList<int> compared;
    for (int i = 0; i < columns.size(); ++i) {
        const TFieldType type = columns[i].DataType;
        if (type == ftBlob || type == ftGraphic || type == ftMemo || type == ftFmtMemo)
            continue;
        const bool key = keyColumns_.contains(i);
        const bool changed =
            change.Kind == ukModify && change.OldValues[static_cast<std::size_t>(i)] !=
                                           change.NewValues[static_cast<std::size_t>(i)];
        if (keyColumns_.isEmpty() || UpdateMode() == upWhereAll || key ||
            (UpdateMode() == upWhereChanged && changed))
            compared.append(i);
    }
    QStringList terms;
    for (int i : compared) {
        const QVariant& old = change.OldValues[static_cast<std::size_t>(i)];
        const QString name = QuoteName(columns[i].OriginName);
        if (VarIsNullOrEmpty(old)) {
            terms.append(name + QStringLiteral(" IS NULL"));
        } else {
            terms.append(name + QStringLiteral(" = ?"));
            bindings.append(old);
        }
    }
    return QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
}

int TQuery::Execute(const QString& sql, const QList<QVariant>& bindings) const {
    sqlite3* db = Connection();
    StatementGuard statement(PrepareStatement(db, sql.toUtf8(), nullptr), sqlite3_finalize);
    for (int i = 0; i < bindings.size(); ++i)
        BindValue(statement.get(), i + 1, bindings[i]);
    const int rc = sqlite3_step(statement.get());
    if (rc != SQLITE_DONE)
        throw SqliteError(db, rc, sql);
    return sqlite3_changes(db);
}

void TQuery::WriteChange(const TRowChange& change) {
    if (!CanWriteDirectly())
        DatabaseError(QStringLiteral("Cannot modify a read-only dataset"));
    const QList<TColumnInfo>& columns = Columns();
    const QString table = QuoteName(tableName_);
    QList<QVariant> bindings;
    QString sql;
    if (change.Kind == ukInsert) {
        QStringList names;
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i) {
            names.append(QuoteName(columns[i].OriginName));
            marks.append(QStringLiteral("?"));
            bindings.append(change.NewValues[static_cast<std::size_t>(i)]);
        }
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(table, names.join(u','), marks.join(u','));
    } else if (change.Kind == ukModify) {
        QStringList sets;
        for (int i = 0; i < columns.size(); ++i) {
            const QVariant& value = change.NewValues[static_cast<std::size_t>(i)];
            if (value == change.OldValues[static_cast<std::size_t>(i)])
                continue;
            sets.append(QuoteName(columns[i].OriginName) + QStringLiteral(" = ?"));
            bindings.append(value);
        }
        if (sets.isEmpty()) {
            sets.append(QuoteName(columns[0].OriginName) + QStringLiteral(" = ?"));
            bindings.append(change.OldValues[0]);
        }
        sql = QStringLiteral("UPDATE %1 SET %2").arg(table, sets.join(u','));
        sql += WhereClause(change, bindings);
    } else {
        sql = QStringLiteral("DELETE FROM %1").arg(table) + WhereClause(change, bindings);
    }
    if (Execute(sql, bindings) == 0 && change.Kind != ukInsert)
        throw EngineError(kErrRecordChanged,
                          QStringLiteral("The record was changed or deleted by another user"));
}

void TQuery::ExecSQL() {
    sqlite3* db = Database()->Handle();
    const QByteArray sql = TranslatedText().toUtf8();
    const char* tail = sql.constData();
    const char* end = sql.constData() + sql.size();
    bool ran = false;
    rowsAffected_ = 0;
    while (tail < end) {
        sqlite3_stmt* raw = PrepareStatement(
            db, QByteArray::fromRawData(tail, static_cast<qsizetype>(end - tail)), &tail);
        if (!raw)
            break;
        StatementGuard statement(raw, sqlite3_finalize);
        if (paramCheck_)
            params_.Bind(raw);
        int rc = SQLITE_ROW;
        while (rc == SQLITE_ROW)
            rc = sqlite3_step(raw);
        if (rc != SQLITE_DONE)
            throw SqliteError(db, rc, Text());
        rowsAffected_ = sqlite3_stmt_readonly(raw) ? 0 : sqlite3_changes(db);
        ran = true;
    }
    if (!ran)
        DatabaseError(QStringLiteral("No SQL statement available"));
}

} // namespace kx::db

#include "moc_query.cpp"
