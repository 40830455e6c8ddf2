#include "grid/dbgrid/columnfooterx.h"

#include "grid/dbgrid/columndefvaluesx.h"
#include "grid/dbgrid/customdbgridx.h"

namespace kx {

TColumnFooterX::TColumnFooterX(TColumnX* column) : column_(column), font_(DefaultFont()) {}

TColumnFooterX::~TColumnFooterX() {
    if (TCustomDBGridX* grid = Grid())
        grid->InvalidateFooter();
    FreeSumEntry();
}

TCustomDBGridX* TColumnFooterX::Grid() const {
    return column_ ? column_->Grid() : nullptr;
}

void TColumnFooterX::FreeSumEntry() {
    if (!sumEntry_)
        return;
    TDBSumCollection& sums = Grid()->SumList()->SumCollection();
    for (int i = 0; i < sums.Count(); ++i) {
        if (sums.Items(i) == sumEntry_) {
            sums.Delete(i);
            break;
        }
    }
    sumEntry_ = nullptr;
}

void TColumnFooterX::SetValueType(TFooterValueType value) {
    if (value == valueType_)
        return;
    valueType_ = value;
    column_->SyncFooterSums();
    column_->NotifyChanged();
}

void TColumnFooterX::SetFieldName(const QString& value) {
    fieldName_ = value;
    column_->SyncFooterSums();
    column_->NotifyChanged();
}

void TColumnFooterX::SetValue(const QString& value) {
    value_ = value;
    column_->NotifyChanged();
}

void TColumnFooterX::SetDisplayFormat(const QString& value) {
    if (value == displayFormat_)
        return;
    displayFormat_ = value;
    column_->NotifyChanged();
}

db::TAlignment TColumnFooterX::Alignment() const {
    if (IsAssigned(fvAlignment))
        return alignment_;
    const db::TField* field = column_->Field();
    return field ? field->Alignment() : db::taLeftJustify;
}

void TColumnFooterX::SetAlignment(db::TAlignment value) {
    if (IsAssigned(fvAlignment) && alignment_ == value)
        return;
    alignment_ = value;
    MarkAssigned(fvAlignment);
    column_->NotifyChanged();
}

ui::TColor TColumnFooterX::Color() const {
    if (IsAssigned(fvColor))
        return color_;
    const TCustomDBGridX* grid = Grid();
    return grid ? grid->FooterColor() : ui::clWindow;
}

void TColumnFooterX::SetColor(ui::TColor value) {
    if (IsAssigned(fvColor) && color_ == value)
        return;
    color_ = value;
    MarkAssigned(fvColor);
    column_->NotifyChanged();
}

QFont TColumnFooterX::DefaultFont() const {
    const TCustomDBGridX* grid = Grid();
    return grid ? grid->FooterFont() : column_->Font();
}

QFont TColumnFooterX::Font() const {
    return IsAssigned(fvFont) ? font_ : DefaultFont();
}

void TColumnFooterX::SetFont(const QFont& font) {
    font_ = font;
    MarkAssigned(fvFont);
    column_->NotifyChanged(true);
}

bool TColumnFooterX::ToolTips() const {
    if (IsAssigned(fvToolTips))
        return toolTips_;
    const TCustomDBGridX* grid = Grid();
    return grid && grid->ColumnDefValues()->Footer().ToolTips;
}

void TColumnFooterX::SetToolTips(bool value) {
    toolTips_ = value;
    MarkAssigned(fvToolTips);
}

void TColumnFooterX::SetEndEllipsis(bool value) {
    endEllipsis_ = value;
    column_->NotifyChanged();
}

void TColumnFooterX::SetWordWrap(bool value) {
    wordWrap_ = value;
    column_->NotifyChanged();
}

QVariant TColumnFooterX::GetSumValue() const {
    return sumEntry_ ? QVariant(sumEntry_->Value()) : QVariant();
}

void TColumnFooterX::SyncSumEntry() {
    TCustomDBGridX* grid = Grid();
    if (!grid)
        return;
    const bool aggregate = valueType_ == fvtSum || valueType_ == fvtAvg || valueType_ == fvtCount;
    if (!aggregate) {
        FreeSumEntry();
        return;
    }
    // The entry's kind and field change together: one pass over the records.
    const QString sumFieldName = fieldName_.isEmpty() ? column_->FieldName() : fieldName_;
    TDBSumCollection& sums = grid->SumList()->SumCollection();
    sums.BeginUpdate();
    if (!sumEntry_)
        sumEntry_ = sums.Add();
    switch (valueType_) {
    case fvtSum:
        sumEntry_->SetGroupOperation(goSum);
        sumEntry_->SetFieldName(sumFieldName);
        break;
    case fvtAvg:
        sumEntry_->SetGroupOperation(goAvg);
        sumEntry_->SetFieldName(sumFieldName);
        break;
    default:
        sumEntry_->SetGroupOperation(goCount);
        sumEntry_->SetFieldName({});
        break;
    }
    sums.EndUpdate();
}

void TColumnFooterX::Assign(const TColumnFooterX& source) {
    if (source.IsAssigned(fvAlignment))
        SetAlignment(source.Alignment());
    if (source.IsAssigned(fvColor))
        SetColor(source.Color());
    if (source.IsAssigned(fvFont))
        SetFont(source.Font());
    SetEndEllipsis(source.EndEllipsis());
    SetValueType(source.ValueType());
    SetFieldName(source.FieldName());
    SetValue(source.Value());
    SetWordWrap(source.WordWrap());
    SetDisplayFormat(source.DisplayFormat());
    SetToolTips(source.ToolTips());
}

void TColumnFooterX::ResetToDefaults() {
    const bool fontWasAssigned = IsAssigned(fvFont);
    assigned_ = 0;
    font_ = DefaultFont();
    column_->NotifyChanged(fontWasAssigned);
}

TColumnFooterX* TColumnFootersX::Add() {
    items_.push_back(std::make_unique<TColumnFooterX>(column_));
    if (TCustomDBGridX* grid = column_->Grid())
        grid->InvalidateFooter();
    return items_.back().get();
}

void TColumnFootersX::Delete(int index) {
    items_.erase(items_.begin() + index);
}

void TColumnFootersX::Clear() {
    items_.clear();
}

void TColumnFootersX::Assign(const TColumnFootersX& source) {
    Clear();
    for (const auto& item : source.items_)
        Add()->Assign(*item);
}

void TDBGridXSumList::Assign(const TDBGridXSumList& source) {
    SetExternalRecalc(source.ExternalRecalc());
    SetVirtualRecords(source.VirtualRecords());
    SetActive(source.Active());
}

} // namespace kx

#include "moc_columnfooterx.cpp"
