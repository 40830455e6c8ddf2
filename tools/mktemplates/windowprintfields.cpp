#include "tools/mktemplates/windowprintfields.h"

#include "cashbook/cashbooktables.h"
#include "cashbook/ledgerviews.h"
#include "cashbook/recordcolumns.h"
#include "core/datamodule.h"
#include "platform/db/query.h"
#include "staff/employeefields.h"
#include "staff/employeelist.h"

namespace kx::tools {
namespace {

// Opened as the windows open their slot queries.
void OpenSlotRows(db::TQuery& query, const QString& sql) {
    query.SetDatabaseName(kDatabaseName);
    query.SQL().SetText(sql);
    query.Open();
}

// The records list and the statistics window seed the slots with the
// amounts captioned as in and out.
TMoneyFieldSlots MoneyFieldSlots() {
    cashbook::SeedDefaultFieldSlots(cashbook::TSlotCaptions::List);
    db::TQuery query;
    OpenSlotRows(query,
                 QStringLiteral("SELECT  *  FROM  SYS_MONEY_FIELD_TABLE  ORDER BY FIELD_ORDER"));
    return ReadFieldSlots(query);
}

TPrintFieldsArray LedgerPrintFields(cashbook::TLedgerView view) {
    return cashbook::LedgerPrintFields(view, cashbook::LedgerFieldsData(view, false));
}

} // namespace

TPrintFieldsArray RecordsListPrintFields() {
    TFieldsDataArray fields;
    TPrintFieldsArray printFields;
    TSortChoices sort;
    BuildListColumns(MoneyFieldSlots(), false, fields, printFields, sort);
    return printFields;
}

TPrintFieldsArray StatisticsPrintFields() {
    TFieldsDataArray fields;
    TPrintFieldsArray printFields;
    BuildStatisticsColumns(MoneyFieldSlots(), false, fields, printFields);
    return printFields;
}

TPrintFieldsArray DayLedgerPrintFields() {
    return LedgerPrintFields(cashbook::TLedgerView::Day);
}

TPrintFieldsArray MonthLedgerPrintFields() {
    return LedgerPrintFields(cashbook::TLedgerView::Month);
}

TPrintFieldsArray EmployeeListPrintFields() {
    staff::SeedDefaultEmployeeFields();
    db::TQuery query;
    OpenSlotRows(query, staff::kFieldSelect);
    return staff::BuildEmployeeColumns(staff::ReadEmployeeFieldRows(query)).PrintFields;
}

} // namespace kx::tools
