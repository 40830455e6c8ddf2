#pragma once
// The printable fields of the windows that ship a default template, built by
// the windows' own builders from the field slots a data folder holds once
// the window has first opened on it (an empty slot table is seeded as the
// window seeds it). Needs the database "RUReravezDataBase" to be reachable.

#include "tablereport/printfields.h"

namespace kx::tools {

// The records list "MoneyIntoOutForm".
TPrintFieldsArray RecordsListPrintFields();
// The statistics window "MoneyIntoOutQueryForm".
TPrintFieldsArray StatisticsPrintFields();
// The ledger window's day and month grids.
TPrintFieldsArray DayLedgerPrintFields();
TPrintFieldsArray MonthLedgerPrintFields();
// The employee list "EmployeeFormMaster".
TPrintFieldsArray EmployeeListPrintFields();

} // namespace kx::tools
