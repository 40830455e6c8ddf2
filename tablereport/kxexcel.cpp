#include "tablereport/kxexcel.h"

namespace kx {

TKXExcel::TKXExcel(QObject* owner) : QObject(owner) {}

void TKXExcel::ExportToExcel(const TExcelFieldArray&, const TExcelFieldArray&,
                             const TExcelFieldArray&) {}

} // namespace kx
