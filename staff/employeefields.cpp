#include "staff/employeefields.h"

#include "core/datamodule.h"
#include "core/moneytext.h"
#include "core/sqlfunctions.h"
#include "platform/db/database.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/session.h"

#include <algorithm>

namespace kx::staff {
namespace {

constexpr int kTextColumns = 12;
constexpr int kDateColumns = 4;
constexpr int kNumberColumns = 6;

const QString kString = QStringLiteral("String");
const QString kTyped = QStringLiteral("T");

struct TCategoryColumn {
    QString Category;
    QString Column;
};

QList<TCategoryColumn> MakeCategories() {
    QList<TCategoryColumn> list;
    for (int n = 1; n <= kTextColumns; ++n)
        list.append(
            {QStringLiteral("%1字符字段").arg(n), QStringLiteral("EMPLOYEE_TEXT_FIELD%1").arg(n)});
    for (int n = 1; n <= kDateColumns; ++n)
        list.append(
            {QStringLiteral("%1日期字段").arg(n), QStringLiteral("EMPLOYEE_DATE_FIELD%1").arg(n)});
    for (int n = 1; n <= kNumberColumns; ++n)
        list.append({QStringLiteral("%1数据字段").arg(n),
                     QStringLiteral("EMPLOYEE_NUMBER_FIELD%1").arg(n)});
    list.append({QStringLiteral("编号字段"), kEmployeeId});
    list.append({QStringLiteral("名称字段"), kEmployeeName});
    list.append({QStringLiteral("备注字段"), kEmployeeNote});
    return list;
}

const QList<TCategoryColumn>& Categories() {
    static const QList<TCategoryColumn> categories = MakeCategories();
    return categories;
}

QString Text(const db::TDataSet& rows, const char* column) {
    return rows.FieldByName(QString::fromLatin1(column))->AsString();
}

double Number(const db::TDataSet& rows, const char* column) {
    return MoneyTextToFloat(Text(rows, column));
}

QString InsertSql(const TEmployeeFieldRow& row) {
    const auto optional = [](const QString& text) {
        return text.isEmpty() ? QStringLiteral("NULL") : QuotedStr(text);
    };
    return QStringLiteral("INSERT INTO SYS_EMPLOYEE_FIELD_TABLE(FIELD_NAME,FIELD_DISPLAY_NAME,"
                          "FIELD_TYPE,FIELD_FIND_TYPE,FIELD_WIDTH,FIELD_DISPLAY_WIDTH,FIELD_ORDER,"
                          "FIELD_ORDER_TYPE) VALUES(%1,%2,%3,%4,%5,%6,%7,%8)")
        .arg(QuotedStr(row.FieldName), QuotedStr(row.DisplayName), QuotedStr(row.FieldType),
             optional(row.FindType), QString::number(row.FieldWidth),
             QString::number(row.DisplayWidth), QString::number(row.Order),
             optional(row.OrderType));
}

} // namespace

TEmployeeFieldRows ReadEmployeeFieldRows(db::TDataSet& rows) {
    TEmployeeFieldRows list;
    rows.First();
    const int count = rows.RecordCount();
    for (int i = 0; i < count; ++i) {
        list.append({Text(rows, "FIELD_NAME"), Text(rows, "FIELD_DISPLAY_NAME"),
                     Text(rows, "FIELD_TYPE"), Text(rows, "FIELD_FIND_TYPE"),
                     Number(rows, "FIELD_WIDTH"), Number(rows, "FIELD_DISPLAY_WIDTH"),
                     Number(rows, "FIELD_ORDER"), Text(rows, "FIELD_ORDER_TYPE")});
        rows.Next();
    }
    return list;
}

const TEmployeeFieldRows& DefaultEmployeeFieldRows() {
    const QString date = QStringLiteral("Date");
    const QString fl = QStringLiteral("Float");
    const QString chosen = QStringLiteral("DT");
    const QString dateFind = QStringLiteral("D");
    static const TEmployeeFieldRows rows = {
        {kEmployeeId, QStringLiteral("员工编号"), kString, kTyped, 13, 10, 0, kSortFlagYes},
        {kEmployeeName, QStringLiteral("员工姓名"), kString, kTyped, 20, 10, 1, kSortFlagYes},
        {kDeptNameColumn, QStringLiteral("任职部门"), kString, {}, 120, 20, 2, {}},
        {QStringLiteral("EMPLOYEE_TEXT_FIELD1"),
         QStringLiteral("性别"),
         kString,
         chosen,
         50,
         4,
         3,
         {}},
        {QStringLiteral("EMPLOYEE_DATE_FIELD1"), QStringLiteral("出生日期"), date, dateFind, 0, 10,
         4, kSortFlagYes},
        {QStringLiteral("EMPLOYEE_TEXT_FIELD2"),
         QStringLiteral("身份证号"),
         kString,
         kTyped,
         50,
         20,
         5,
         {}},
        {QStringLiteral("EMPLOYEE_TEXT_FIELD3"),
         QStringLiteral("文化水平"),
         kString,
         chosen,
         50,
         20,
         6,
         {}},
        {QStringLiteral("EMPLOYEE_TEXT_FIELD4"),
         QStringLiteral("技术职称"),
         kString,
         chosen,
         50,
         20,
         7,
         {}},
        {QStringLiteral("EMPLOYEE_TEXT_FIELD5"),
         QStringLiteral("工作职务"),
         kString,
         chosen,
         50,
         20,
         8,
         {}},
        {QStringLiteral("EMPLOYEE_DATE_FIELD2"), QStringLiteral("任职日期"), date, dateFind, 0, 10,
         9, kSortFlagYes},
        {QStringLiteral("EMPLOYEE_TEXT_FIELD6"),
         QStringLiteral("联系电话"),
         kString,
         kTyped,
         50,
         20,
         10,
         {}},
        {QStringLiteral("EMPLOYEE_NUMBER_FIELD1"), QStringLiteral("养老保险"), fl, kTyped, 0, 10,
         11, kSortFlagYes},
        {QStringLiteral("EMPLOYEE_NUMBER_FIELD2"), QStringLiteral("医疗保险"), fl, kTyped, 0, 10,
         12, kSortFlagYes},
        {kEmployeeNote, QStringLiteral("备注"), kString, kTyped, 160, 80, 22, {}},
    };
    return rows;
}

// All rows or none: a half-seeded table would never be seeded again.
bool SeedDefaultEmployeeFields() {
    if (GetSqlFirstFloat(kDatabaseName,
                         QStringLiteral("SELECT COUNT(FIELD_NAME) FROM SYS_EMPLOYEE_FIELD_TABLE")) >
        0)
        return false;
    db::TDatabase* database = db::TSession::Default().OpenDatabase(kDatabaseName);
    const bool ownTransaction = !database->InTransaction();
    if (ownTransaction)
        database->StartTransaction();
    for (const TEmployeeFieldRow& row : DefaultEmployeeFieldRows()) {
        if (!ExecSqlText(kDatabaseName, InsertSql(row))) {
            if (ownTransaction)
                database->Rollback();
            return false;
        }
    }
    if (ownTransaction)
        database->Commit();
    return true;
}

const QStringList& EmployeeFieldCategories() {
    static const QStringList names = [] {
        QStringList list;
        for (const TCategoryColumn& entry : Categories())
            list.append(entry.Category);
        return list;
    }();
    return names;
}

QString CategoryToColumn(const QString& category) {
    for (const TCategoryColumn& entry : Categories())
        if (entry.Category == category)
            return entry.Column;
    return {};
}

QString ColumnToCategory(const QString& column) {
    for (const TCategoryColumn& entry : Categories())
        if (entry.Column == column)
            return entry.Category;
    return {};
}

bool IsKeyColumn(const QString& column) {
    return KeyColumnSlot(column) != 0;
}

int KeyColumnSlot(const QString& column) {
    if (column == kEmployeeId)
        return kIdSlot;
    if (column == kEmployeeName)
        return kNameSlot;
    if (column == kEmployeeNote)
        return kNoteSlot;
    return 0;
}

bool IsConfigurableColumn(const QString& column) {
    return !ColumnToCategory(column).isEmpty() && !IsKeyColumn(column);
}

std::optional<TColumnDefaults> GetColumnDefaults(const QString& column) {
    if (column == kEmployeeId)
        return TColumnDefaults{kString, kTyped, 13, 20};
    if (column == kEmployeeName)
        return TColumnDefaults{kString, kTyped, 20, 20};
    if (column == kEmployeeNote)
        return TColumnDefaults{kString, kTyped, 80, 160};
    if (!IsConfigurableColumn(column))
        return std::nullopt;
    if (column.startsWith(QLatin1String("EMPLOYEE_DATE_FIELD")))
        return TColumnDefaults{QStringLiteral("Date"), QStringLiteral("D"), 10, 0};
    if (column.startsWith(QLatin1String("EMPLOYEE_TEXT_FIELD")))
        return TColumnDefaults{kString, kTyped, 20, 50};
    return TColumnDefaults{QStringLiteral("Float"), kTyped, 10, 0};
}

QString FieldTypeLetter(const QString& fieldType) {
    if (fieldType == u"Integer" || fieldType == u"Float")
        return QStringLiteral("N");
    if (fieldType == u"Date")
        return QStringLiteral("D");
    return QStringLiteral("C");
}

TInputModeRule InputModeRuleFor(const QString& category) {
    if (category.contains(QStringLiteral("日期字段")))
        return TInputModeRule::AlwaysChosen;
    if (category.contains(QStringLiteral("数据字段")) || IsKeyColumn(CategoryToColumn(category)))
        return TInputModeRule::AlwaysTyped;
    return TInputModeRule::Free;
}

} // namespace kx::staff
