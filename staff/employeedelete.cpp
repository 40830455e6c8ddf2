#include "staff/employeedelete.h"

#include "core/datamodule.h"
#include "core/sqlfunctions.h"
#include "platform/db/database.h"
#include "platform/db/query.h"
#include "platform/db/session.h"

namespace kx::staff {
namespace {

struct TAttachmentTable {
    const char* Table;
    const char* IdColumn;
    const char* TitleColumn;
    const char* Failure;
};

constexpr TAttachmentTable kAttachments[] = {
    {"KX_EMPLOYEE_MASTER_FILE_TABLE", "FILE_RECORD_ID", "FILE_TITLE_NAME",
     "该员工的电子文档记录删除过程发生错误"},
    {"KX_EMPLOYEE_MASTER_PICTURE_TABLE", "PICTURE_RECORD_ID", "PICTURE_TITLE_NAME",
     "该员工的图片记录删除过程发生错误"},
};

// The employee's own rows and the rows whose employee no longer exists,
// those that have a stored copy.
QStringList StoredCopies(const TAttachmentTable& table, const QString& recordId) {
    const QString id = QString::fromLatin1(table.IdColumn);
    const QString title = QString::fromLatin1(table.TitleColumn);
    const auto query = OpenSqlQuery(
        kDatabaseName, "SELECT " + id + "," + title + " FROM " + QString::fromLatin1(table.Table) +
                           " WHERE EMPLOYEE_RECORD_ID = " + QuotedStr(recordId) +
                           " OR NOT(EMPLOYEE_RECORD_ID IN( SELECT EMPLOYEE_RECORD_ID FROM "
                           "KX_EMPLOYEE_TABLE))");
    QStringList ids;
    for (query->First(); !query->Eof(); query->Next())
        if (!query->FieldByName(title)->AsString().isEmpty())
            ids.append(query->FieldByName(id)->AsString());
    return ids;
}

QString DeleteEmployeeSql(const TEmployeeKey& key) {
    return "DELETE FROM KX_EMPLOYEE_TABLE WHERE COMPANY_ID = " + QuotedStr(key.CompanyId) +
           " AND EMPLOYEE_RECORD_ID = " + QuotedStr(key.RecordId) +
           " AND EMPLOYEE_ID = " + QuotedStr(key.EmployeeId);
}

} // namespace

TEmployeeDeleteResult DeleteEmployeeWithAttachments(const TEmployeeKey& key) {
    TEmployeeDeleteResult result;
    QStringList copies;
    for (const TAttachmentTable& table : kAttachments)
        copies += StoredCopies(table, key.RecordId);

    db::TDatabase* database = db::TSession::Default().OpenDatabase(kDatabaseName);
    const bool ownTransaction = !database->InTransaction();
    if (ownTransaction)
        database->StartTransaction();
    const auto fail = [&](const QString& message) {
        if (ownTransaction)
            database->Rollback();
        result.Message = message;
        return result;
    };
    for (const TAttachmentTable& table : kAttachments)
        if (!ExecSqlText(kDatabaseName,
                         "DELETE FROM " + QString::fromLatin1(table.Table) +
                             " WHERE EMPLOYEE_RECORD_ID = " + QuotedStr(key.RecordId)))
            return fail(QString::fromUtf8(table.Failure));
    if (!ExecSqlText(kDatabaseName, DeleteEmployeeSql(key)))
        return fail(QStringLiteral("数据库操作过程发生错误"));
    if (ownTransaction)
        database->Commit();
    result.Deleted = true;
    result.StoredCopies = copies;
    return result;
}

} // namespace kx::staff
