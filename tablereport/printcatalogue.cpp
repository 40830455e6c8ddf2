#include "tablereport/printcatalogue.h"

#include "core/sqlfunctions.h"
#include "frame/data/kxquery.h"
#include "platform/db/field.h"
#include "platform/db/updatesql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kx {
namespace {

const QString kWhereKey =
    QStringLiteral("where PRINT_INDEX = :OLD_PRINT_INDEX and PRINT_ID = :OLD_PRINT_ID");

TFieldsData Field(const char* name, const QString& label, int width, bool required, bool shown,
                  const char* type = "C") {
    TFieldsData field;
    field.Required = required;
    field.FieldName = QLatin1String(name);
    field.DisplayLabel = label;
    field.DisplayWidth = width;
    field.TypeCode = QLatin1String(type);
    field.Visible = shown;
    return field;
}

TCheckData DuplicateIdCheck() {
    TCheckData check;
    const QString id = QStringLiteral("PRINT_ID");
    check.Links[0] = TCheckFieldsData{id, id, {}, {}, QStringLiteral("C")};
    check.NumberField = id;
    check.Message = QStringLiteral("报表模板记录编号重复");
    check.BaseSelect = QStringLiteral("SELECT PRINT_ID FROM SYS_PRINT_NAME_TABLE WHERE ");
    check.MustNotExist = true;
    return check;
}

TInsertData AutomaticId() {
    TInsertData id;
    id.FieldName = QStringLiteral("PRINT_ID");
    id.DisplayLabel = QStringLiteral("报表模板记录编号");
    id.Kind = QStringLiteral("T");
    id.Prefix = QStringLiteral("BX");
    return id;
}

std::unique_ptr<db::TQuery> BodyQuery(const QString& databaseName, const QString& table,
                                      const QString& printId) {
    auto query = std::make_unique<db::TQuery>();
    query->SetDatabaseName(databaseName);
    query->SetRequestLive(true);
    query->SQL().SetText(QStringLiteral("SELECT * FROM ") + table +
                         QStringLiteral(" WHERE PRINT_ID = ") + QuotedStr(printId));
    query->Open();
    return query;
}

} // namespace

void SetupCatalogueQuery(TKXQuery& query, db::TUpdateSQL& update) {
    query.SetCachedUpdates(true);
    query.SetRequestLive(true);
    query.SetUpdateMode(db::upWhereKeyOnly);
    query.SetUpdateObject(&update);
    query.SetTableName(kCatalogueTable);
    update.InsertSQL().SetLines(
        {QStringLiteral("insert into SYS_PRINT_NAME_TABLE"),
         QStringLiteral("(PRINT_INDEX, PRINT_NAME, PRINT_TYPE, PRINT_ID)"),
         QStringLiteral("values"),
         QStringLiteral("(:PRINT_INDEX, :PRINT_NAME, :PRINT_TYPE, :PRINT_ID)")});
    update.ModifySQL().SetLines(
        {QStringLiteral("update SYS_PRINT_NAME_TABLE"), QStringLiteral("set"),
         QStringLiteral("PRINT_INDEX = :PRINT_INDEX,"), QStringLiteral("PRINT_NAME = :PRINT_NAME,"),
         QStringLiteral("PRINT_TYPE = :PRINT_TYPE,"), QStringLiteral("PRINT_ID = :PRINT_ID"),
         kWhereKey});
    update.DeleteSQL().SetLines({QStringLiteral("delete from SYS_PRINT_NAME_TABLE"), kWhereKey});
    query.SetInsertData(TInsertDataArray{AutomaticId()});
    query.SetCheckData(TCheckDataArray{DuplicateIdCheck()});
}

TFieldsDataArray CatalogueFieldsData() {
    return {Field("PRINT_NAME", QStringLiteral("报表名称"), 40, true, true),
            Field("PRINT_INDEX", QString(), 0, true, false),
            Field("PRINT_ID", QStringLiteral("序号"), 0, true, false),
            Field("EDIT_NAME", QStringLiteral("编辑人员"), 10, false, true),
            Field("EDIT_DATE", QStringLiteral("编辑日期"), 10, false, true, "D"),
            Field("PRINT_TYPE", QString(), 0, true, false)};
}

QString MissingTemplateFilePrompt(const QString& path) {
    return QStringLiteral("报表模版文件:") + path + QStringLiteral("\r\n") +
           QStringLiteral("没有找到报表模版文件");
}

QString TPrintCatalogue::BodyPath(const QString& printId) const {
    return QDir(TemplateDir).filePath(printId);
}

std::optional<QByteArray> TPrintCatalogue::ReadTableBody(const QString& printId) const {
    const auto body = BodyQuery(DatabaseName, TemplateTable, printId);
    if (body->IsEmpty())
        return std::nullopt;
    return body->FieldByName(QStringLiteral("PRINT_TABLE"))->AsBytes();
}

void TPrintCatalogue::WriteTableBody(const QString& printId, const QByteArray& bytes) const {
    const auto body = BodyQuery(DatabaseName, TemplateTable, printId);
    try {
        if (body->IsEmpty()) {
            body->Append();
            body->FieldByName(QStringLiteral("PRINT_ID"))->SetAsString(printId);
        } else {
            body->Edit();
        }
        body->FieldByName(QStringLiteral("PRINT_TABLE"))->SetAsBytes(bytes);
        body->Post();
    } catch (...) {
        if (body->State() == db::dsEdit || body->State() == db::dsInsert)
            body->Cancel();
        throw;
    }
}

bool TPrintCatalogue::RemoveBody(const QString& printId) const {
    if (!InFiles())
        return ExecSqlText(DatabaseName, QStringLiteral("DELETE FROM ") + TemplateTable +
                                             QStringLiteral(" WHERE PRINT_ID = ") +
                                             QuotedStr(printId));
    // Only a plain name is a file of the folder; nothing else is ever removed.
    if (printId.isEmpty() || printId == u"." || printId == u".." || printId.contains(u'/') ||
        printId.contains(u'\\'))
        return true;
    const QString path = BodyPath(printId);
    const QFileInfo file(path);
    if (!file.exists() && !file.isSymLink())
        return true;
    return QFile::remove(path);
}

} // namespace kx
