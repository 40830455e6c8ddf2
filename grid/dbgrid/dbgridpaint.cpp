// Cell drawing of the data-aware grid: titles (one level or a title tree),
// the indicator, data cells in the colours and alignment of their columns,
// check boxes, and footers.

#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/griddatalinkx.h"
#include "grid/dbgrid/gridpictures.h"
#include "grid/dbgrid/headtreenode.h"
#include "grid/editors/cellbuttons.h"
#include "platform/ui/application.h"

#include <QPainter>
#include <QScopeGuard>

namespace kx {

namespace {

unsigned AlignmentFlags(int alignment) {
    switch (alignment) {
    case db::taRightJustify:
        return ui::DT_RIGHT;
    case db::taCenter:
        return ui::DT_CENTER;
    default:
        return ui::DT_LEFT;
    }
}

void DrawTextIn(ui::TCanvas& canvas, const ui::TRect& rect, const QString& text, int alignment,
                int padding, bool wrap, bool endEllipsis) {
    ui::TRect textRect = rect;
    textRect.Left += padding / 2;
    textRect.Right -= padding / 2;
    unsigned flags = AlignmentFlags(alignment) | ui::DT_NOPREFIX | ui::DT_VCENTER;
    flags |= wrap ? ui::DT_WORDBREAK : ui::DT_SINGLELINE;
    if (endEllipsis)
        flags |= ui::DT_END_ELLIPSIS;
    canvas.DrawText(text, textRect, flags);
}

// The leaves under node, leftmost and rightmost.
THeadTreeNode* EdgeLeaf(THeadTreeNode* node, bool last) {
    while (THeadTreeNode* child = node->FirstChild()) {
        if (!last) {
            node = child;
            continue;
        }
        THeadTreeNode* next = child;
        while (next->NextSibling() != child)
            next = next->NextSibling();
        node = next;
    }
    return node;
}

} // namespace

void TCustomDBGridX::DrawCell(int col, int row, const ui::TRect& rect, TGridDrawState state) {
    // A failing cell leaves the rest of the grid to paint: the error is
    // reported, never thrown out of the paint.
    try {
        int dataCol = 0;
        int dataRow = 0;
        const TCellAreaKind kind = GetCellType(col, row, dataCol, dataRow);
        TColumnX* column = col >= indicatorOffset_ && dataCol < columns_->Count()
                               ? columns_->GetColumn(dataCol)
                               : nullptr;
        switch (kind) {
        case cakTitle:
            if (column)
                DrawTitleCell(rect, column);
            break;
        case cakIndicator:
            DrawIndicatorCell(rect, row);
            break;
        case cakData:
            if (column)
                DrawDataCellText(rect, column, dataRow, state);
            break;
        case cakFooter:
            if (column)
                DrawFooterCell(rect, column, dataCol, dataRow);
            else
                DrawIndicatorCell(rect, -1);
            break;
        default:
            break;
        }
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TCustomDBGridX::DrawTitleCell(const ui::TRect& rect, TColumnX* column) {
    ui::TCanvas& canvas = Canvas();
    TColumnTitleX* title = column->Title();
    const int index = column->Index();
    if (!useMultiTitle_ || index >= static_cast<int>(leafCols_.size()) ||
        !leafCols_[static_cast<std::size_t>(index)].Leaf) {
        canvas.SetBrushColor(title->Color());
        canvas.FillRect(rect);
        canvas.SetFont(title->Font());
        DrawTextIn(canvas, rect, title->Caption(), title->Alignment(), textPadding_, false,
                   title->EndEllipsis());
        return;
    }
    THeadTreeNode* leaf = leafCols_[static_cast<std::size_t>(index)].Leaf;
    std::vector<THeadTreeNode*> chain;
    for (THeadTreeNode* node = leaf; node && node->Parent(); node = node->Parent())
        chain.insert(chain.begin(), node);
    int top = rect.Top;
    for (THeadTreeNode* node : chain) {
        const bool isLeaf = node == leaf;
        ui::TRect band = rect;
        band.Top = top;
        band.Bottom = isLeaf ? rect.Bottom : top + node->CellHeight;
        top = band.Bottom;
        ui::TRect full = band;
        if (!isLeaf) {
            const TColumnX* first = EdgeLeaf(node, false)->OwnerColumn;
            const TColumnX* last = EdgeLeaf(node, true)->OwnerColumn;
            full.Left = CellRect(DataToRawColumn(first->Index()), 0).Left;
            const ui::TRect lastRect = CellRect(DataToRawColumn(last->Index()), 0);
            if (lastRect.Right > lastRect.Left)
                full.Right = lastRect.Right;
        }
        const ui::TClip saved = canvas.Clip();
        canvas.IntersectClipRect(band);
        canvas.SetBrushColor(title->Color());
        canvas.FillRect(band);
        canvas.SetFont(isLeaf ? title->Font() : titleFont_);
        DrawTextIn(canvas, full, node->Caption, isLeaf ? title->Alignment() : db::taCenter,
                   textPadding_, true, false);
        if (!isLeaf) {
            canvas.SetPenColor(ui::clBtnShadow);
            canvas.MoveTo(band.Left, band.Bottom - 1);
            canvas.LineTo(band.Right, band.Bottom - 1);
        }
        canvas.SetClip(saved);
    }
}

void TCustomDBGridX::DrawIndicatorCell(const ui::TRect& rect, int row) {
    ui::TCanvas& canvas = Canvas();
    canvas.SetBrushColor(FixedColor());
    canvas.FillRect(rect);
    if (row < titleOffset_ || row != Row() || !dataLink_->Active())
        return;
    const TGridUnitResources* resources = GridUnitResources();
    if (!resources || !resources->IndicatorImages)
        return;
    const db::TDataSet* dataSet = dataLink_->DataSet();
    int picture = ipCurrentRecord;
    if (dataSet && dataSet->State() == db::dsEdit)
        picture = ipEditing;
    else if (dataSet && dataSet->State() == db::dsInsert)
        picture = ipInserting;
    const QImage& image = resources->IndicatorImages->Picture(picture);
    const int x = rect.Left + (rect.Width() - image.width()) / 2;
    const int y = rect.Top + (rect.Height() - image.height()) / 2;
    canvas.Painter().drawImage(x, y, image);
}

void TCustomDBGridX::DrawDataCellText(const ui::TRect& rect, TColumnX* column, int recordRow,
                                      TGridDrawState state) {
    ui::TCanvas& canvas = Canvas();
    const bool inRecords = dataLink_->Active() && recordRow < dataLink_->RecordCount();
    ui::TColor background = column->Color();
    if (recordRow % 2 == 1 ? evenRowColorSet_ : oddRowColorSet_)
        background = recordRow % 2 == 1 ? evenRowColor_ : oddRowColor_;
    QFont font = column->Font();
    const bool selected = (state & gdSelected) && inRecords && GridOrEditorFocused();
    if (selected)
        background = ui::clHighlight;
    FireGetCellParams(column, font, background, state);
    canvas.SetBrushColor(background);
    canvas.FillRect(rect);
    // Rows below the last record are empty ruled lines.
    if (!inRecords)
        return;
    const int savedActive = dataLink_->ActiveRecord();
    dataLink_->SetActiveRecord(recordRow);
    const auto restore = qScopeGuard([&] { dataLink_->SetActiveRecord(savedActive); });
    TColCellParamsX& params = *cellParams_;
    column->FillCellParams(params);
    params.CellFont = font;
    params.CellColor = background;
    params.CellState = state;
    column->FireGetCellParams(false, params);
    canvas.SetFont(params.CellFont);
    canvas.SetFontColor(selected ? ui::clHighlightText : ui::clWindowText);
    if (column->ReadCellKind() == cellCheckBox) {
        PaintCellButton(canvas, FitCheckBoxRect(rect, 2, 1), background, cpsCheckboxX, 0, flat_,
                        false, true, params.CellCheckState);
    } else {
        DrawTextIn(canvas, rect, params.CellText, params.CellAlignment, textPadding_,
                   wrapAllowed_ && column->WordWrap(), column->EndEllipsis());
    }
    FireDrawColumnCell(rect, column->Index(), column, state);
}

void TCustomDBGridX::DrawFooterCell(const ui::TRect& rect, TColumnX* column, int dataCol,
                                    int footerRow) {
    ui::TCanvas& canvas = Canvas();
    const TColumnFooterX* footer = column->FooterForRow(footerRow);
    QFont font = footer->Font();
    ui::TColor background = footer->Color();
    int alignment = footer->Alignment();
    QString text = GetFooterText(footerRow, column);
    FireGetFooterParams(dataCol, footerRow, column, font, background, alignment, 0, text);
    canvas.SetBrushColor(background);
    canvas.FillRect(rect);
    canvas.SetFont(font);
    canvas.SetFontColor(ui::clWindowText);
    DrawTextIn(canvas, rect, text, alignment, textPadding_, footer->WordWrap(),
               footer->EndEllipsis());
}

} // namespace kx
