// Footer texts and the grid's reactions to its sum list.

#include "grid/dbgrid/cellvalues.h"
#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/footertext.h"
#include "grid/dbgrid/griddatalinkx.h"

namespace kx {

QString TCustomDBGridX::GetFooterText(int footerRow, TColumnX* column) const {
    const TColumnFooterX* footer = column->FooterForRow(footerRow);
    const db::TDataSet* dataSet = dataLink_->DataSet();
    switch (footer->ValueType()) {
    case fvtSum:
    case fvtAvg: {
        const QString name =
            footer->FieldName().isEmpty() ? column->FieldName() : footer->FieldName();
        const db::TField* field = dataSet ? dataSet->FindField(name) : nullptr;
        if (!field)
            return QStringLiteral("0");
        const TGroupOperation operation = footer->ValueType() == fvtSum ? goSum : goAvg;
        const TDBSum* sum = sumList_->SumCollection().FindSum(operation, field->FieldName());
        return FooterNumberText(field, sum ? sum->Value() : 0, footer->DisplayFormat());
    }
    case fvtCount: {
        const TDBSum* sum = sumList_->SumCollection().FindSum(goCount, {});
        return FooterCountText(sum ? sum->Value() : 0, footer->DisplayFormat());
    }
    case fvtFieldValue: {
        if (!dataSet || !dataSet->Active() || footer->FieldName().isEmpty())
            return {};
        // A footer naming a field the data set lacks shows nothing: its
        // text is read while painting, where no error may escape.
        const db::TField* field = dataSet->FindField(footer->FieldName());
        return field ? FormatFieldText(field, footer->DisplayFormat()) : QString();
    }
    case fvtStaticText:
        return footer->Value();
    case fvtNon:
        return {};
    }
    return {};
}

void TCustomDBGridX::InvalidateFooter() {
    for (int i = 0; i < footerRowCount_; ++i)
        InvalidateRow(FullRowCount() - 1 - i);
}

void TCustomDBGridX::HandleSumListChanged() {
    InvalidateFooter();
}

void TCustomDBGridX::HandleSumListRecalcAll() {
    if (OnSumListRecalcAll)
        OnSumListRecalcAll(sumList_.get());
}

void TCustomDBGridX::HandleSumListAfterRecalcAll() {
    if (OnSumListAfterRecalcAll)
        OnSumListAfterRecalcAll(sumList_.get());
}

} // namespace kx
