#include "frame/controls/gridfootertext.h"

#include "frame/controls/kxndbgrid.h"
#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/columnx.h"
#include "platform/db/field.h"
#include "platform/sys/numberformat.h"

namespace kx {

QString GetFooterText(const TKXNDBGrid& grid, const QString& fieldName) {
    const TDBGridColumnsX* columns = grid.Columns();
    if (columns->Count() < 2)
        return {};
    for (int i = 0; i < columns->Count(); ++i) {
        const TColumnX* column = columns->GetColumn(i);
        const db::TField* field = column->Field();
        if (!field || field->FieldName() != fieldName)
            continue;
        const QVariant value = column->Footer()->GetSumValue();
        return value.isNull() ? QString() : sys::FloatToStr(value.toDouble());
    }
    return {};
}

} // namespace kx
