#include "grid/dbgrid/columnxinterceptors.h"

#include "grid/dbgrid/columnsindex.h"
#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/customdbgridx.h"

#include <QScopeGuard>

namespace kx {

void TColumnXPropertyInterceptor::SetWidth(int value) {
    auto* column = qobject_cast<TColumnX*>(Target());
    if (!column)
        return;
    const TCustomDBGridX* grid = column->Grid();
    if (grid && grid->AutoFitColWidths())
        column->BaseWidth = value;
    else
        column->SetWidth(value);
}

QString TColumnsXPropertyInterceptor::GetColumnsIndex() const {
    const auto* columns = qobject_cast<TDBGridColumnsX*>(Target());
    if (!columns)
        return {};
    QStringList names;
    for (int i = 0; i < columns->Count(); ++i)
        names.append(columns->GetColumn(i)->FieldName());
    return ColumnsIndexText(names);
}

void TColumnsXPropertyInterceptor::SetColumnsIndex(const QString& value) {
    columnsIndex_ = value;
    auto* columns = qobject_cast<TDBGridColumnsX*>(Target());
    if (!columns)
        return;
    columns->BeginUpdate();
    const auto end = qScopeGuard([columns] { columns->EndUpdate(); });
    const QStringList items = SplitCommaText(value);
    for (int i = 0; i < items.size(); ++i) {
        for (int c = 0; c < columns->Count(); ++c) {
            TColumnX* column = columns->GetColumn(c);
            if (column->FieldName() == items[i]) {
                column->SetIndex(i);
                break;
            }
        }
    }
}

void RegisterColumnInterceptors() {
    RegisterPropertyInterceptor(&TColumnX::staticMetaObject,
                                &TColumnXPropertyInterceptor::staticMetaObject);
    RegisterPropertyInterceptor(&TDBGridColumnsX::staticMetaObject,
                                &TColumnsXPropertyInterceptor::staticMetaObject);
}

} // namespace kx

#include "moc_columnxinterceptors.cpp"
