#include "staff/employeelist.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/sqlfunctions.h"

#include <cmath>

namespace kx::staff {
namespace {

TFieldsData Rule(const QString& field, const QString& caption, const QString& type,
                 const QString& findType, bool visible, bool required = false) {
    TFieldsData rule;
    rule.FieldName = field;
    rule.DisplayLabel = caption;
    rule.TypeCode = type;
    rule.FindKind = findType;
    rule.Visible = visible;
    rule.Required = required;
    return rule;
}

QString FooterOf(const QString& field, const QString& type) {
    if (field == kEmployeeId)
        return QStringLiteral("合计:");
    if (field == kEmployeeName)
        return QStringLiteral("@Count");
    if (type == u"N")
        return QStringLiteral("@Sum");
    return {};
}

} // namespace

const QStringList& EmployeeTableColumns() {
    static const QStringList columns = [] {
        QStringList list = {QStringLiteral("COMPANY_ID"), QStringLiteral("EMPLOYEE_RECORD_ID"),
                            kEmployeeId, kEmployeeName, QStringLiteral("EMPLOYEE_ORDER_ID")};
        for (int n = 1; n <= 4; ++n)
            list.append(QStringLiteral("EMPLOYEE_DATE_FIELD%1").arg(n));
        for (int n = 1; n <= 12; ++n)
            list.append(QStringLiteral("EMPLOYEE_TEXT_FIELD%1").arg(n));
        list.append(kEmployeeNote);
        for (int n = 1; n <= 6; ++n)
            list.append(QStringLiteral("EMPLOYEE_NUMBER_FIELD%1").arg(n));
        list += {QStringLiteral("EDIT_NAME"), QStringLiteral("EDIT_DATE"),
                 QStringLiteral("CREATE_NAME"), QStringLiteral("CREATE_DATE")};
        return list;
    }();
    return columns;
}

QChar EmployeeColumnType(const QString& column) {
    if (column.contains(QLatin1String("DATE")))
        return u'D';
    if (column.startsWith(QLatin1String("EMPLOYEE_NUMBER_FIELD")))
        return u'N';
    return u'C';
}

TEmployeeColumns BuildEmployeeColumns(const TEmployeeFieldRows& definitionRows) {
    const TEmployeeFieldRows& rows =
        definitionRows.isEmpty() ? DefaultEmployeeFieldRows() : definitionRows;
    TEmployeeColumns columns;
    columns.Sort.Captions.append(QStringLiteral("排列序号"));
    columns.Sort.Fields.append(QStringLiteral("EMPLOYEE_ORDER_ID,EMPLOYEE_ID"));
    for (const TEmployeeFieldRow& row : rows) {
        const QString type = FieldTypeLetter(row.FieldType);
        TFieldsData rule = Rule(row.FieldName, row.DisplayName, type, row.FindType, true);
        rule.DisplayWidth = static_cast<int>(std::lround(row.DisplayWidth));
        rule.FooterValue = FooterOf(row.FieldName, type);
        columns.Fields.Append(rule);
        columns.PrintFields.push_back(
            {row.FieldName, row.DisplayName, QStringLiteral("M"), true, true});
        AppFieldCaptions.insert(row.FieldName, row.DisplayName);
        if (row.OrderType == kSortFlagYes) {
            columns.Sort.Captions.append(row.DisplayName);
            columns.Sort.Fields.append(row.FieldName);
        }
    }
    const QString text = QStringLiteral("C");
    const QString date = QStringLiteral("D");
    const QString typed = QStringLiteral("T");
    for (const TFieldsData& rule :
         {Rule(QStringLiteral("CREATE_NAME"), QStringLiteral("建档人员"), text, typed, true),
          Rule(QStringLiteral("CREATE_DATE"), QStringLiteral("建档日期"), date, date, true),
          Rule(QStringLiteral("EDIT_NAME"), QStringLiteral("修改人员"), text, typed, true),
          Rule(QStringLiteral("EDIT_DATE"), QStringLiteral("修改日期"), date, date, true),
          Rule(QStringLiteral("EMPLOYEE_RECORD_ID"), QStringLiteral("纪录编号"), text, {}, false,
               true),
          Rule(QStringLiteral("COMPANY_ID"), QStringLiteral("COMPANY_ID"), text, {}, false, true),
          Rule(QStringLiteral("EMPLOYEE_ORDER_ID"), QStringLiteral("排列序号"), text, {}, true,
               true)})
        columns.Fields.Append(rule);
    columns.PrintFields.resize(std::max<std::size_t>(columns.PrintFields.size(), kListFieldCount));
    return columns;
}

QStringList EmployeeFieldOrder(const TEmployeeFieldRows& rows) {
    QStringList design = EmployeeTableColumns();
    design.insert(1, kDeptNameColumn);
    QStringList order;
    for (const TEmployeeFieldRow& row : rows)
        if (design.contains(row.FieldName) && !order.contains(row.FieldName))
            order.append(row.FieldName);
    for (const QString& column : design)
        if (!order.contains(column))
            order.append(column);
    return order;
}

QString EmployeeListSelect(const QString& findCondition, const QString& subtreeCondition,
                           const QString& orderBy) {
    QString sql = QStringLiteral("SELECT * FROM KX_EMPLOYEE_TABLE ");
    if (!findCondition.isEmpty() && !subtreeCondition.isEmpty())
        sql += " WHERE " + findCondition + " AND " + subtreeCondition;
    else if (!findCondition.isEmpty() || !subtreeCondition.isEmpty())
        sql += " WHERE " + findCondition + subtreeCondition;
    return sql + orderBy;
}

QString NextEmployeeOrderId() {
    const double largest = GetSqlFirstFloat(
        kDatabaseName,
        QStringLiteral("SELECT MAX(CAST(EMPLOYEE_ORDER_ID AS INTEGER)) FROM KX_EMPLOYEE_TABLE"));
    return QString::number(static_cast<qint64>(std::llround(largest)) + 1);
}

} // namespace kx::staff
