#include "grid/dbgrid/columndefvaluesx.h"

#include "grid/dbgrid/customdbgridx.h"

namespace kx {

db::TAlignment TColumnTitleDefValuesX::Alignment() const {
    if (alignmentAssigned_)
        return alignment_;
    return grid_ && grid_->UseMultiTitle() ? db::taCenter : db::taLeftJustify;
}

void TColumnTitleDefValuesX::SetAlignment(db::TAlignment value) {
    if (alignmentAssigned_ && alignment_ == value)
        return;
    alignment_ = value;
    alignmentAssigned_ = true;
    if (grid_)
        grid_->LayoutChanged();
}

ui::TColor TColumnTitleDefValuesX::Color() const {
    if (colorAssigned_)
        return color_;
    return grid_ ? grid_->FixedColor() : ui::clBtnFace;
}

void TColumnTitleDefValuesX::SetColor(ui::TColor value) {
    if (colorAssigned_ && color_ == value)
        return;
    color_ = value;
    colorAssigned_ = true;
    if (grid_)
        grid_->InvalidateGrid();
}

void TColumnTitleDefValuesX::SetEndEllipsis(bool value) {
    if (value == endEllipsis_)
        return;
    endEllipsis_ = value;
    if (grid_)
        grid_->InvalidateGrid();
}

void TColumnTitleDefValuesX::SetOrientation(TTextOrientationX value) {
    if (value == orientation_)
        return;
    orientation_ = value;
    if (grid_)
        grid_->LayoutChanged();
}

void TColumnTitleDefValuesX::Assign(const TColumnTitleDefValuesX& source) {
    if (source.alignmentAssigned_)
        SetAlignment(source.alignment_);
    if (source.colorAssigned_)
        SetColor(source.color_);
    SetEndEllipsis(source.endEllipsis_);
    TitleButton = source.TitleButton;
    ToolTips = source.ToolTips;
    SetOrientation(source.orientation_);
}

void TColumnDefValuesX::ChangeAndRepaint(bool& member, bool value) {
    if (member == value)
        return;
    member = value;
    if (grid_)
        grid_->InvalidateGrid();
}

void TColumnDefValuesX::SetAlwaysShowEditButton(bool value) {
    ChangeAndRepaint(alwaysShowEditButton_, value);
}

void TColumnDefValuesX::SetEndEllipsis(bool value) {
    ChangeAndRepaint(endEllipsis_, value);
}

void TColumnDefValuesX::SetHighlightRequired(bool value) {
    ChangeAndRepaint(highlightRequired_, value);
}

void TColumnDefValuesX::SetLayout(TTextLayout value) {
    if (value == layout_)
        return;
    layout_ = value;
    if (grid_)
        grid_->InvalidateGrid();
}

void TColumnDefValuesX::Assign(const TColumnDefValuesX& source) {
    title_.Assign(source.title_);
    SetAlwaysShowEditButton(source.alwaysShowEditButton_);
    SetEndEllipsis(source.endEllipsis_);
    AutoDropDown = source.AutoDropDown;
    DblClickNextVal = source.DblClickNextVal;
    ToolTips = source.ToolTips;
    DropDownSizing = source.DropDownSizing;
    DropDownShowTitles = source.DropDownShowTitles;
}

} // namespace kx
