#include "grid/dbgrid/gridcolumntoprowcellx.h"

#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/dblookupgridx.h"

namespace kx {

const TSpecRowX* TGridColumnSpecCellX::SpecRow() const {
    const auto* grid = owner_ ? dynamic_cast<const TDBLookupGridX*>(owner_->Grid()) : nullptr;
    return grid ? grid->SpecRow() : nullptr;
}

QString TGridColumnSpecCellX::DefaultText() const {
    const TSpecRowX* row = SpecRow();
    return row ? row->CellTextAt(owner_->Index()) : QString();
}

ui::TColor TGridColumnSpecCellX::DefaultColor() const {
    const TSpecRowX* row = SpecRow();
    return row ? row->Color() : ui::clWindow;
}

QFont TGridColumnSpecCellX::DefaultFont() const {
    const TSpecRowX* row = SpecRow();
    return row ? row->Font() : font_;
}

void TGridColumnSpecCellX::SetText(const QString& text) {
    if (text == Text())
        return;
    text_ = text;
    textAssigned_ = true;
}

void TGridColumnSpecCellX::SetColor(ui::TColor color) {
    if (color == Color())
        return;
    color_ = color;
    colorAssigned_ = true;
}

void TGridColumnSpecCellX::SetFont(const QFont& font) {
    font_ = font;
    fontAssigned_ = true;
}

void TGridColumnSpecCellX::Assign(const TGridColumnSpecCellX& source) {
    SetText(source.Text());
    SetColor(source.Color());
    if (source.FontAssigned())
        SetFont(source.Font());
}

} // namespace kx
