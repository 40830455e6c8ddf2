#include "grid/dbgrid/columntitlex.h"

#include "grid/dbgrid/columndefvaluesx.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/gridpictures.h"
#include "grid/dbgrid/sortmarking.h"

#include <QFontMetrics>

#include <algorithm>

namespace kx {

namespace {

const TColumnTitleDefValuesX* TitleDefaults(const TColumnX* column) {
    const TCustomDBGridX* grid = column->Grid();
    return grid ? &grid->ColumnDefValues()->Title() : nullptr;
}

} // namespace

QString TColumnTitleX::DefaultCaption() const {
    if (const db::TField* field = column_->Field())
        return field->DisplayName();
    return column_->FieldName();
}

QString TColumnTitleX::Caption() const {
    return IsAssigned(cvTitleCaption) ? caption_ : DefaultCaption();
}

void TColumnTitleX::SetCaption(const QString& value) {
    if (column_->IsDefaultColumn()) {
        const TCustomDBGridX* grid = column_->Grid();
        if (grid && grid->DataLink()->Active() && column_->Field()) {
            column_->Field()->SetDisplayLabel(value);
            column_->NotifyChanged();
        }
        return;
    }
    if (IsAssigned(cvTitleCaption) && caption_ == value)
        return;
    caption_ = value;
    MarkAssigned(cvTitleCaption);
    column_->NotifyChanged();
}

db::TAlignment TColumnTitleX::Alignment() const {
    if (IsAssigned(cvTitleAlignment))
        return alignment_;
    const TColumnTitleDefValuesX* defaults = TitleDefaults(column_);
    return defaults ? defaults->Alignment() : db::taLeftJustify;
}

void TColumnTitleX::SetAlignment(db::TAlignment value) {
    if (IsAssigned(cvTitleAlignment) && alignment_ == value)
        return;
    alignment_ = value;
    MarkAssigned(cvTitleAlignment);
    column_->NotifyChanged();
}

ui::TColor TColumnTitleX::Color() const {
    if (IsAssigned(cvTitleColor))
        return color_;
    const TColumnTitleDefValuesX* defaults = TitleDefaults(column_);
    return defaults ? defaults->Color() : ui::clBtnFace;
}

void TColumnTitleX::SetColor(ui::TColor value) {
    if (IsAssigned(cvTitleColor) && color_ == value)
        return;
    color_ = value;
    MarkAssigned(cvTitleColor);
    column_->NotifyChanged();
}

QFont TColumnTitleX::DefaultFont() const {
    const TCustomDBGridX* grid = column_->Grid();
    return grid ? grid->TitleFont() : column_->Font();
}

QFont TColumnTitleX::Font() const {
    return IsAssigned(cvTitleFont) ? font_ : DefaultFont();
}

void TColumnTitleX::SetFont(const QFont& font) {
    font_ = font;
    MarkAssigned(cvTitleFont);
    column_->NotifyChanged(true);
}

bool TColumnTitleX::TitleButton() const {
    if (IsAssigned(cvTitleButton))
        return titleButton_;
    const TColumnTitleDefValuesX* defaults = TitleDefaults(column_);
    return defaults && defaults->TitleButton;
}

void TColumnTitleX::SetTitleButton(bool value) {
    if (IsAssigned(cvTitleButton) && titleButton_ == value)
        return;
    titleButton_ = value;
    MarkAssigned(cvTitleButton);
    column_->NotifyChanged();
}

bool TColumnTitleX::EndEllipsis() const {
    if (IsAssigned(cvTitleEndEllipsis))
        return endEllipsis_;
    const TColumnTitleDefValuesX* defaults = TitleDefaults(column_);
    return defaults && defaults->EndEllipsis();
}

void TColumnTitleX::SetEndEllipsis(bool value) {
    if (IsAssigned(cvTitleEndEllipsis) && endEllipsis_ == value)
        return;
    endEllipsis_ = value;
    MarkAssigned(cvTitleEndEllipsis);
    column_->NotifyChanged();
}

TTextOrientationX TColumnTitleX::Orientation() const {
    if (IsAssigned(cvTitleOrientation))
        return orientation_;
    const TColumnTitleDefValuesX* defaults = TitleDefaults(column_);
    return defaults ? defaults->Orientation() : tohHorizontal;
}

void TColumnTitleX::SetOrientation(TTextOrientationX value) {
    if (IsAssigned(cvTitleOrientation) && orientation_ == value)
        return;
    orientation_ = value;
    MarkAssigned(cvTitleOrientation);
    column_->NotifyChanged();
}

bool TColumnTitleX::ToolTips() const {
    if (IsAssigned(cvTitleToolTips))
        return toolTips_;
    const TColumnTitleDefValuesX* defaults = TitleDefaults(column_);
    return defaults && defaults->ToolTips;
}

void TColumnTitleX::SetToolTips(bool value) {
    toolTips_ = value;
    MarkAssigned(cvTitleToolTips);
}

void TColumnTitleX::SetImageIndex(int value) {
    imageIndex_ = value;
    if (TCustomDBGridX* grid = column_->Grid())
        grid->LayoutChanged();
}

void TColumnTitleX::Assign(const TColumnTitleX& source) {
    if (source.IsAssigned(cvTitleAlignment))
        SetAlignment(source.Alignment());
    if (source.IsAssigned(cvTitleColor))
        SetColor(source.Color());
    if (source.IsAssigned(cvTitleCaption))
        SetCaption(source.Caption());
    if (source.IsAssigned(cvTitleFont))
        SetFont(source.Font());
    Hint = source.Hint;
    imageIndex_ = source.imageIndex_;
    SetOrientation(source.Orientation());
    sortIndex_ = source.sortIndex_;
    sortMarker_ = source.sortMarker_;
    SetTitleButton(source.TitleButton());
    SetEndEllipsis(source.EndEllipsis());
    SetToolTips(source.ToolTips());
}

void TColumnTitleX::ResetToDefaults() {
    const bool fontWasAssigned = IsAssigned(cvTitleFont);
    for (TColumnValue value :
         {cvTitleColor, cvTitleCaption, cvTitleAlignment, cvTitleFont, cvTitleButton,
          cvTitleEndEllipsis, cvTitleToolTips, cvTitleOrientation})
        column_->SetAssigned(value, false);
    caption_.clear();
    font_ = DefaultFont();
    column_->NotifyChanged(fontWasAssigned);
}

// ---- Sort markers ------------------------------------------------------

bool TColumnTitleX::MultiSortMarking() const {
    const TCustomDBGridX* grid = column_->Grid();
    return grid && (grid->OptionsX() & dghMultiSortMarking) != 0;
}

bool TColumnTitleX::InColumnsUpdate() const {
    const TDBGridColumnsX* columns = column_->Collection();
    return columns && columns->UpdateCount() > 0;
}

void TColumnTitleX::ClearOtherMarkers() {
    const TDBGridColumnsX* columns = column_->Collection();
    if (!columns)
        return;
    for (int i = 0; i < columns->Count(); ++i) {
        TColumnX* other = columns->GetColumn(i);
        if (other != column_)
            other->Title()->SetSortMarker(smNoneX);
    }
}

void TColumnTitleX::SetSortMarker(TSortMarkerX marker) {
    if (marker == sortMarker_)
        return;
    sortMarker_ = marker;
    TCustomDBGridX* grid = column_->Grid();
    // A column outside a grid keeps the marker alone: sort order is the
    // grid's to keep.
    if (InColumnsUpdate() || !grid)
        return;
    TColumnsXList* marked = grid->SortMarkedColumns();
    if (MultiSortMarking()) {
        if (marker != smNoneX && sortIndex_ == 0) {
            int count = 0;
            for (int i = 0; i < column_->Collection()->Count(); ++i)
                count += column_->Collection()->GetColumn(i)->Title()->sortIndex_ != 0 ? 1 : 0;
            sortIndex_ = count + 1;
            marked->Add(column_);
        } else if (marker == smNoneX && sortIndex_ > 0) {
            for (int i = 0; i < column_->Collection()->Count(); ++i) {
                TColumnTitleX* other = column_->Collection()->GetColumn(i)->Title();
                if (other->sortIndex_ > sortIndex_)
                    --other->sortIndex_;
            }
            marked->Remove(column_);
            sortIndex_ = 0;
        }
    } else if (marker != smNoneX) {
        ClearOtherMarkers();
        sortIndex_ = 1;
        marked->Clear();
        marked->Add(column_);
    } else {
        sortIndex_ = 0;
        marked->Clear();
    }
    column_->NotifyChanged();
}

void TColumnTitleX::SetSortIndex(int index) {
    index = std::max(index, 0);
    if (index == sortIndex_)
        return;
    if (InColumnsUpdate()) {
        sortIndex_ = index;
        return;
    }
    TCustomDBGridX* grid = column_->Grid();
    if (sortMarker_ == smNoneX || !grid)
        return;
    const TDBGridColumnsX* columns = column_->Collection();
    for (int i = 0; i < columns->Count(); ++i) {
        TColumnTitleX* other = columns->GetColumn(i)->Title();
        if (other == this || other->sortIndex_ != index)
            continue;
        TColumnsXList* marked = grid->SortMarkedColumns();
        const int mine = marked->IndexOf(column_);
        const int theirs = marked->IndexOf(other->column_);
        if (mine >= 0 && theirs >= 0)
            marked->Exchange(mine, theirs);
        other->sortIndex_ = sortIndex_;
        sortIndex_ = index;
        column_->NotifyChanged();
        return;
    }
}

void TColumnTitleX::CycleSortMarker(bool keepOthers) {
    if (!keepOthers)
        ClearOtherMarkers();
    switch (sortMarker_) {
    case smNoneX:
        SetSortMarker(smDownX);
        break;
    case smDownX:
        SetSortMarker(smUpX);
        break;
    case smUpX:
        SetSortMarker(keepOthers ? smNoneX : smDownX);
        break;
    }
}

int TColumnTitleX::SortMarkerWidth() const {
    if (sortIndex_ == 0)
        return 0;
    const TCustomDBGridX* grid = column_->Grid();
    const int markedCount = grid ? grid->SortMarkedColumns()->Count() : 1;
    int textWidth = 0;
    if (markedCount > 1) {
        const TGridUnitResources* resources = GridUnitResources();
        const QFont font = resources ? resources->SortIndexFont : QFont();
        textWidth = QFontMetrics(font).horizontalAdvance(QString::number(sortIndex_));
    }
    return kx::SortMarkerWidth(sortIndex_, markedCount, textWidth, column_->Width());
}

} // namespace kx
