// Cell painting of the data-aware grid: the indicator, titles with sort
// markers and the multi-level title tree, record cells with their row
// colours, highlight, check boxes, images and edit buttons, the empty ruled
// rows below the last record, footers, and amounts in ledger digit cells.

#include "grid/dbgrid/celltextoutput.h"
#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridhelpers.h"
#include "grid/dbgrid/dbgridselection.h"
#include "grid/dbgrid/griddatalinkx.h"
#include "grid/dbgrid/gridpictures.h"
#include "grid/dbgrid/headtreenode.h"
#include "grid/dbgrid/moneycells.h"
#include "grid/editors/cellbuttons.h"
#include "grid/editors/editbuttonx.h"
#include "platform/db/dataset.h"
#include "platform/ui/application.h"

#include <QPainter>
#include <QScopeGuard>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace kx {

namespace {

constexpr int SortMarkerSpace = 16;
constexpr int DigitCellsNone = -1;

// The leftmost or rightmost leaf under node.
THeadTreeNode* EdgeLeaf(THeadTreeNode* node, bool last) {
    while (THeadTreeNode* child = node->FirstChild()) {
        node = child;
        if (last) {
            while (node->NextSibling() != child)
                node = node->NextSibling();
        }
    }
    return node;
}

// The digit places a field rule asks of a column, or DigitCellsNone.
int MoneyDigitsOfColumn(const TFieldsDataArray& rules, const QString& fieldName) {
    for (const TFieldsData& rule : rules) {
        if (rule.MoneyCell && rule.FieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return rule.DigitCount;
    }
    return DigitCellsNone;
}

// One edit button: in a flat grid a line of the cell's colour keeps it off
// the text; a glyph button is a plain face its glyph is drawn on.
void PaintEditButtonFace(ui::TCanvas& canvas, ui::TRect rect, TEditButtonStyleX style,
                         const QPixmap& glyph, bool flat, bool active) {
    if (flat) {
        canvas.FillRect({rect.Left, rect.Top, rect.Left + 1, rect.Bottom});
        ++rect.Left;
    }
    if (style != ebsGlyphX) {
        PaintCellButton(canvas, rect, canvas.BrushColor(), EditButtonPaintStyles[style], bppNone,
                        flat, false, active, cbUnchecked);
        return;
    }
    const ui::TColor brush = canvas.BrushColor();
    canvas.SetBrushColor(ui::clBtnFace);
    canvas.FillRect(rect);
    canvas.SetBrushColor(brush);
    if (!flat)
        canvas.DrawEdge(rect, ui::BDR_RAISEDINNER | ui::BDR_RAISEDOUTER, ui::BF_RECT);
    if (!glyph.isNull())
        canvas.Painter().drawPixmap((rect.Left + rect.Right - glyph.width()) / 2,
                                    (rect.Top + rect.Bottom - glyph.height()) / 2, glyph);
}

// A footer a rule empties: a plain column whose rule sums another field.
bool FooterLeftEmpty(const TFieldsDataArray& rules, const QString& fieldName) {
    for (const TFieldsData& rule : rules) {
        if (rule.FieldName.compare(fieldName, Qt::CaseInsensitive) == 0 && !rule.MoneyCell &&
            !rule.FooterField.isEmpty())
            return true;
    }
    return false;
}

} // namespace

// ---- The cell ------------------------------------------------------------

void TCustomDBGridX::DrawCell(int col, int row, const ui::TRect& rect, TGridDrawState state) {
    cellParams_->CellCol = col;
    cellParams_->CellRow = row;
    if (rect.IsEmpty())
        return;
    // A failing cell leaves the rest of the grid to paint: the error is
    // reported, never thrown out of the paint.
    try {
        ui::TCanvas& canvas = Canvas();
        if (loading_) {
            canvas.SetBrushColor(Color());
            canvas.FillRect(rect);
            return;
        }
        int dataCol = 0;
        int dataRow = 0;
        const TCellAreaKind kind = GetCellType(col, row, dataCol, dataRow);
        TPaintedCell& cell = paintedCell_;
        cell = {col, row, state, rect, Cell3D(col, row, kind), ThemedFixedCells()};
        cell.DX = cell.Raised ? 1 : 2;
        cell.DY = flat_ ? cell.DX - 1 : cell.DX;
        ui::TRect area = rect;
        if (cell.Raised)
            area = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
        TColumnX* column = col >= indicatorOffset_ && dataCol >= 0 && dataCol < columns_->Count()
                               ? columns_->GetColumn(dataCol)
                               : nullptr;
        switch (kind) {
        case cakIndicator:
            DrawIndicatorCell(area, row);
            break;
        case cakTitle:
            if (column)
                DrawTitleCell(area, column);
            break;
        case cakData:
            if (column)
                DrawDataCellText(area, column, dataRow, state);
            break;
        case cakFilter:
            if (column)
                DrawFilterCell(area, column);
            break;
        case cakFooter:
            if (column)
                DrawFooterCell(area, column, dataCol, dataRow);
            else
                DrawIndicatorCell(area, -1);
            break;
        default:
            canvas.SetBrushColor(FixedColor());
            canvas.FillRect(area);
            break;
        }
        // Fixed cells get their edges from the base grid; footers, frozen
        // and data cells asked to look raised get them here.
        if (cell.Raised && !cell.Themed && !(state & gdFixed))
            DrawEdgeX(canvas, rect, true, true, false);
    } catch (...) {
        ui::HandleCurrentException();
    }
}

bool TCustomDBGridX::Cell3D(int col, int, TCellAreaKind kind) const {
    const bool fixedCol = col < FixedCols();
    switch (kind) {
    case cakIndicator:
    case cakTitle:
        return (optionsX_ & dghFixed3D) != 0;
    case cakFooter:
        return (optionsX_ & dghFooter3D) && footerRowCount_ > 0;
    case cakData:
        if (fixedCol && col >= indicatorOffset_)
            return (optionsX_ & dghFrozen3D) != 0;
        return (optionsX_ & dghData3D) != 0;
    default:
        return false;
    }
}

bool TCustomDBGridX::ThemedFixedCells() const {
    return !flat_ && ButtonThemesEnabled() && (optionsX_ & dghFixed3D) && (options_ & dgColLines) &&
           (options_ & dgRowLines);
}

void TCustomDBGridX::DrawCellFrame(ui::TCanvas& canvas, const ui::TRect& rect, bool down) {
    if (!paintedCell_.Themed) {
        canvas.FillRect(rect);
        return;
    }
    QStyleOptionToolButton option;
    option.initFrom(this);
    option.rect = ui::TRect{rect.Left - 2, rect.Top - 2, rect.Right + 2, rect.Bottom + 2}.ToQRect();
    option.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
    option.palette.setColor(QPalette::Button, ui::ToQColor(canvas.BrushColor(), palette()));
    const ui::TClip saved = canvas.Clip();
    canvas.IntersectClipRect(rect);
    style()->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &canvas.Painter(), this);
    canvas.SetClip(saved);
}

bool TCustomDBGridX::IsCellSelected(int, int, int dataCol, int dataRow) const {
    TDBGridXSelection& selection = Selection();
    switch (selection.SelectionType()) {
    case gstNon:
        return false;
    case gstAll:
        return true;
    default:
        break;
    }
    // Titles and footers count only as parts of selected columns.
    if (dataRow < 0) {
        return selection.SelectionType() == gstColumns && dataCol >= 0 &&
               dataCol < columns_->Count() &&
               selection.Columns().Contains(columns_->GetColumn(dataCol));
    }
    const db::TDataSet* dataSet = dataLink_->DataSet();
    if (!dataLink_->Active() || !dataSet || dataRow >= ReadableRowCount())
        return false;
    db::TBookmark bookmark;
    {
        const TReadRowScope read(*this, dataRow);
        bookmark = dataSet->ActiveBookmark();
    }
    if (dataCol < 0) {
        int index = 0;
        return selection.SelectionType() == gstRecordBookmarks &&
               SelectedRows().SearchBookmark(bookmark, index);
    }
    return selection.CellSelected(dataCol, bookmark);
}

// ---- Highlight -----------------------------------------------------------

bool TCustomDBGridX::FixedCellHighlight(QFont& font, ui::TColor& fontColor, ui::TColor& background,
                                        bool selected, int areaKind, int areaSubKind) {
    Q_UNUSED(font);
    TCellColors colors{background, fontColor};
    bool highlighted = false;
    if (style_) {
        highlighted = style_->AreaCellHighlight(GridOrEditorFocused(), selected, areaKind,
                                                areaSubKind, colors, palette());
    } else if (selected) {
        highlighted = true;
        if (areaKind == faIndicator || areaSubKind == farTitle || areaSubKind == farFilter) {
            colors = {ui::RGBColor(64, 64, 64), ui::clWhite};
        } else if (GridOrEditorFocused()) {
            colors = {ui::clHighlight, ui::clHighlightText};
        } else {
            colors.Background = ui::clBtnFace;
        }
    }
    background = colors.Background;
    fontColor = colors.FontColor;
    return highlighted;
}

bool TCustomDBGridX::DataCellHighlight(TColumnX* column, QFont& font, ui::TColor& fontColor,
                                       ui::TColor& background, TGridDrawState& state, int dataCol,
                                       int dataRow) {
    Q_UNUSED(column);
    Q_UNUSED(font);
    TDataCellHighlightQuery query;
    query.InSelection =
        dataLink_->Active() && IsCellSelected(paintedCell_.Col, paintedCell_.Row, dataCol, dataRow);
    query.Selected = (state & gdSelected) != 0;
    query.Focused = GridOrEditorFocused();
    query.CurrentRow = dataRow + titleOffset_ == Row();
    query.CurrentColumn = paintedCell_.Col == Col();
    query.SelectionEmpty = !query.InSelection;
    query.UpdateHeld = LayoutUpdateHeld();
    query.Options = options_;
    query.OptionsX = optionsX_;
    if ((optionsX_ & dghRowHighlight) && query.CurrentRow && query.SelectionEmpty &&
        !query.CurrentColumn)
        state |= gdSelected;
    TCellColors colors{background, fontColor};
    bool highlighted = false;
    if (style_) {
        highlighted = style_->DataCellHighlight(query, colors, palette());
    } else {
        const bool focusHighlight = query.Focused && (optionsX_ & dghHighlightFocus);
        const bool rowSelect = options_ & dgRowSelect;
        const bool alwaysShow = options_ & dgAlwaysShowSelection;
        highlighted = ((state & gdSelected) || (query.CurrentRow && rowSelect)) &&
                      (alwaysShow || focusHighlight);
        if (query.UpdateHeld)
            highlighted = highlighted && rowSelect;
        highlighted = highlighted || query.InSelection;
        if (highlighted && query.Focused)
            colors = {ui::clHighlight, ui::clHighlightText};
        else if (highlighted && query.CurrentRow && (query.CurrentColumn || rowSelect) &&
                 (alwaysShow || focusHighlight))
            colors = {ui::clActiveCaption, ui::clHighlightText};
        else if (highlighted)
            colors.Background = ui::clBtnFace;
    }
    if (highlighted)
        state |= gdSelected;
    background = colors.Background;
    fontColor = colors.FontColor;
    return highlighted;
}

// ---- Text ----------------------------------------------------------------

void TCustomDBGridX::WriteCellText(TColumnX* column, ui::TCanvas& canvas, const ui::TRect& rect,
                                   bool fill, int dx, int dy, const QString& text, int alignment,
                                   TTextLayout layout, bool wordWrap, bool endEllipsis,
                                   int leftMargin, int rightMargin) {
    const bool mirrored = column && column->RightToLeftAlignment();
    if (!mirrored) {
        WriteTextEx(canvas, rect, fill, false, rightMargin, leftMargin, endEllipsis, wordWrap,
                    layout, alignment, text, dy, dx);
        return;
    }
    const int width = ClientWidth();
    const ui::TRect turned{width - rect.Right, rect.Top, width - rect.Left, rect.Bottom};
    if (alignment == db::taLeftJustify)
        alignment = db::taRightJustify;
    else if (alignment == db::taRightJustify)
        alignment = db::taLeftJustify;
    MirrorCanvasForRightToLeft(canvas, true, width, ClientHeight());
    const auto plain =
        qScopeGuard([&] { MirrorCanvasForRightToLeft(canvas, false, width, ClientHeight()); });
    WriteTextEx(canvas, turned, fill, column->RightToLeftReading(), leftMargin, rightMargin,
                endEllipsis, wordWrap, layout, alignment, text, dy, dx);
}

// ---- Indicator -------------------------------------------------------------

void TCustomDBGridX::DrawIndicatorCell(const ui::TRect& rect, int row) {
    ui::TCanvas& canvas = Canvas();
    QFont font = canvas.Font();
    ui::TColor fontColor = ui::clBtnText;
    ui::TColor background = FixedColor();
    const int dataRow = row - titleOffset_;
    const bool recordRow =
        dataLink_->Active() && row >= titleOffset_ && dataRow < ReadableRowCount() && dataRow >= 0;
    const bool selected = recordRow && IsCellSelected(paintedCell_.Col, row, -1, dataRow);
    if (selected)
        FixedCellHighlight(font, fontColor, background, true, faIndicator, farData);
    canvas.SetBrushColor(background);
    DrawCellFrame(canvas, rect, selected);
    if (!recordRow)
        return;
    const bool current = IsCurrentRecordRow(dataRow);
    const TGridUnitResources* resources = GridUnitResources();
    const db::TDataSet* dataSet = dataLink_->DataSet();
    if (!current || !dataSet || !resources || !resources->IndicatorImages)
        return;
    indicatorRow_ = row;
    int picture = ipCurrentRecord;
    if (dataSet->State() == db::dsBrowse)
        picture =
            selected ? ipCurrentRecordFilled : (incSearchActive_ ? ipSearching : ipCurrentRecord);
    else if (dataSet->State() == db::dsEdit)
        picture = ipEditing;
    else if (dataSet->State() == db::dsInsert)
        picture = ipInserting;
    const TGridPictureList& pictures = *resources->IndicatorImages;
    if (picture >= pictures.Count())
        return;
    const QImage& image = pictures.Picture(picture);
    const int x = rect.Right - image.width() - paintedCell_.DX;
    const int y = (rect.Top + rect.Bottom - image.height()) / 2;
    canvas.Painter().drawImage(std::max(rect.Left, x), y, image);
}

// ---- Titles ----------------------------------------------------------------

void TCustomDBGridX::DrawTitleCell(const ui::TRect& rect, TColumnX* column) {
    ui::TCanvas& canvas = Canvas();
    const TColumnTitleX* title = column->Title();
    const TPaintedCell cell = paintedCell_;
    const bool pressed = pressedTitleColumn_ >= 0 && pressedTitleColumn_ == column->Index();
    THeadTreeNode* leaf = nullptr;
    if (useMultiTitle_ && column->Index() < static_cast<int>(leafCols_.size()))
        leaf = leafCols_[static_cast<std::size_t>(column->Index())].Leaf;
    ui::TRect textRect = rect;
    QString caption = title->Caption();
    if (leaf) {
        caption = leaf->Caption;
        textRect.Top = std::max(rect.Top, rect.Bottom - leaf->CellHeight + 3);
    }
    QFont font = title->Font();
    ui::TColor background = title->Color();
    int marker = title->SortMarker();
    if (column->Field() && OnGetBtnParams) {
        OnGetBtnParams(this, column, font, background, marker, pressed);
        canvas.SetFont(font);
        OnGetBtnParams(this, column, font, background, marker, pressed);
    }
    canvas.SetFont(font);
    const int shift = !pressed ? 0 : (useMultiTitle_ || titleHeight_ || titleLines_) ? 2 : 1;
    textRect = {textRect.Left + shift, textRect.Top + shift, textRect.Right + shift,
                textRect.Bottom};
    const TGridUnitResources* resources = GridUnitResources();
    const TGridPictureList* markers = resources ? resources->SortMarkerImages.get() : nullptr;
    bool markerShown = marker != smNoneX && markers;
    QString indexText;
    int indexWidth = 0;
    if (marker != smNoneX) {
        textRect.Right -= SortMarkerSpace;
        if (sortMarkedColumns_->Count() > 1) {
            indexText = QString::number(title->SortIndex());
            indexWidth = QFontMetrics(resources ? resources->SortIndexFont : font)
                             .horizontalAdvance(indexText);
        }
        if (markers && textRect.Width() < markers->Width()) {
            markerShown = false;
            if (textRect.Width() + SortMarkerSpace < markers->Width() + indexWidth)
                indexText.clear();
        }
    }
    ui::TColor fontColor = ui::clBtnText;
    const bool highlighted = IsCellSelected(cell.Col, cell.Row, column->Index(), -1);
    FixedCellHighlight(font, fontColor, background, highlighted, faDataColumn, farTitle);
    canvas.SetBrushColor(background);
    canvas.SetFontColor(fontColor);
    DrawCellFrame(canvas, rect, pressed || highlighted);
    const bool fill = !cell.Themed;
    if (title->Orientation() == tohVertical) {
        if (fill)
            canvas.FillRect(textRect);
        WriteVerticalText(canvas, textRect, false, false, tlBottom, title->Alignment(), caption,
                          cell.DY, cell.DX);
    } else if (leaf) {
        WriteCellText(column, canvas, textRect, fill, cell.DX, cell.DY, caption, db::taCenter,
                      tlCenter, true, false, 0, 0);
    } else if (titleHeight_ || titleLines_) {
        WriteCellText(column, canvas, textRect, fill, cell.DX, cell.DY, caption, title->Alignment(),
                      tlCenter, true, false, 0, 0);
    } else {
        WriteCellText(column, canvas, textRect, fill, cell.DX, cell.DY, caption, title->Alignment(),
                      tlTop, false, title->EndEllipsis(), 0, 0);
    }
    const int right = rect.Right + shift;
    if (markerShown) {
        const QImage& image = markers->Picture(marker == smDownX ? smpDown : smpUp);
        canvas.Painter().drawImage(right - image.width() - indexWidth - 2,
                                   (rect.Top + rect.Bottom - image.height()) / 2 + shift, image);
    }
    if (!indexText.isEmpty()) {
        canvas.SetFont(resources->SortIndexFont);
        canvas.SetFontColor(highlighted ? ui::clWhite : fontColor);
        canvas.TextOut(right - indexWidth - 2,
                       (rect.Top + rect.Bottom - canvas.TextHeight(indexText)) / 2 + shift,
                       indexText);
        canvas.SetFont(font);
    }
    if (leaf)
        for (THeadTreeNode* node = leaf->Parent(); node && node->Parent(); node = node->Parent())
            DrawTitleGroup(node, column);
}

// ---- Record cells and empty rows -------------------------------------------

void TCustomDBGridX::DrawDataCellText(const ui::TRect& rect, TColumnX* column, int recordRow,
                                      TGridDrawState state) {
    ui::TCanvas& canvas = Canvas();
    if (!dataLink_->Active()) {
        canvas.SetBrushColor(column->Color());
        canvas.FillRect(rect);
        return;
    }
    if (recordRow >= ReadableRowCount()) {
        DrawEmptyRowCell(rect, column);
        return;
    }
    const TPaintedCell cell = paintedCell_;
    const int dataCol = column->Index();
    const db::TDataSet* dataSet = dataLink_->DataSet();
    const int recordNumber = dataSet && !memTable_
                                 ? dataSet->RecNo() - dataLink_->ActiveRecord() + recordRow
                                 : recordRow + 1;
    const bool currentRecord = IsCurrentRecordRow(recordRow);
    const TReadRowScope read(*this, recordRow);
    TColCellParamsX& params = *cellParams_;
    column->FillCellParams(params);
    params.CellCol = cell.Col;
    params.CellRow = cell.Row;
    params.CellState = state;
    params.CellColor = RecordRowColor(column, recordNumber);
    FireGetCellParams(column, params.CellFont, params.CellColor, state);
    column->FireGetCellParams(false, params);
    ui::TColor fontColor = ui::clWindowText;
    const bool highlighted = DataCellHighlight(column, params.CellFont, fontColor, params.CellColor,
                                               state, dataCol, recordRow);
    canvas.SetBrushColor(params.CellColor);
    canvas.SetFont(params.CellFont);
    canvas.SetFontColor(fontColor);
    ui::TRect textRect = rect;
    if (TreeViewShown() && IsFirstVisibleColumn(column))
        DrawTreePart(canvas, textRect, cell.Raised);
    if (column->AlwaysShowEditButton())
        textRect.Right = std::max(textRect.Left, textRect.Right - column->EditButtonsWidth());
    const bool duplicate = column->HideDuplicates() && IsHiddenDuplicate(column, recordRow);
    if (defaultDrawing_)
        DrawCellContent(canvas, textRect, column, duplicate);
    if (column->AlwaysShowEditButton())
        DrawCellEditButtons(canvas, {textRect.Right, rect.Top, rect.Right, rect.Bottom}, column);
    DrawRequiredMark(canvas, rect, column, currentRecord);
    if (!columns_->GetState())
        DrawDataCell(rect, column->Field(), state);
    FireDrawColumnCell(rect, dataCol, column, state);
    if (incSearchActive_ && highlighted && cell.Col == Col() && currentRecord &&
        (GridOrEditorFocused() || (options_ & dgAlwaysShowSelection)) && !LayoutUpdateHeld())
        DrawIncSearchText(canvas, textRect, params.CellText);
    if (duplicate && (options_ & dgRowLines)) {
        canvas.SetBrushColor(column->Color());
        canvas.FillRect(
            {rect.Left, cell.Bounds.Top - GridLineWidth(), rect.Right, cell.Bounds.Top});
    }
}

void TCustomDBGridX::DrawEmptyRowCell(const ui::TRect& rect, TColumnX* column) {
    ui::TCanvas& canvas = Canvas();
    QFont font = column->Font();
    ui::TColor fontColor = ui::clWindowText;
    ui::TColor background = canvas.BrushColor();
    const bool selected = IsCellSelected(paintedCell_.Col, paintedCell_.Row, column->Index(), -1);
    FixedCellHighlight(font, fontColor, background, selected, faDataColumn, farData);
    canvas.SetBrushColor(background);
    canvas.FillRect(rect);
    const int minDigits = MoneyDigitsOfColumn(fieldsData_, column->FieldName());
    if (minDigits != DigitCellsNone) {
        canvas.SetFont(font);
        DrawMoneyCells(canvas, rect, {}, minDigits, column->Width());
    }
}

ui::TColor TCustomDBGridX::RecordRowColor(const TColumnX* column, int recordNumber) const {
    const db::TDataSet* dataSet = dataLink_->DataSet();
    const bool sequenced = dataSet && dataSet->IsSequenced();
    if (column->Color() != Color() ||
        !(sequenced || (sumList_->Active() && sumList_->VirtualRecords())))
        return column->Color();
    if (recordNumber % 2 == 1)
        return oddRowColorSet_ ? oddRowColor_ : Color();
    return evenRowColorSet_ ? evenRowColor_ : Color();
}

void TCustomDBGridX::DrawCellContent(ui::TCanvas& canvas, const ui::TRect& rect, TColumnX* column,
                                     bool duplicate) {
    const TPaintedCell cell = paintedCell_;
    const TColCellParamsX& params = *cellParams_;
    if (cell.Raised && cell.Themed)
        DrawCellFrame(canvas, rect, false);
    ui::TRect textRect = rect;
    const TGridPictureList* images = column->ImageList();
    const bool imageIndexShown =
        images && params.CellImageIndex >= 0 && params.CellImageIndex < images->Count();
    const TColumnCellKind kind = column->ReadCellKind();
    if (images && column->ShowImageAndText() && kind != cellImages) {
        const ui::TRect box{rect.Left, rect.Top,
                            std::min(rect.Right, rect.Left + images->Width() + 4), rect.Bottom};
        const ui::TColor brush = canvas.BrushColor();
        canvas.SetBrushColor(column->Color());
        canvas.FillRect(box);
        canvas.SetBrushColor(brush);
        if (imageIndexShown && !duplicate)
            DrawCellImage(canvas, images->Picture(params.CellImageIndex), db::taLeftJustify, 2,
                          box);
        textRect.Left = box.Right;
    }
    switch (kind) {
    case cellImages:
        canvas.FillRect(rect);
        if (imageIndexShown && !duplicate)
            DrawCellImage(canvas, images->Picture(params.CellImageIndex), db::taLeftJustify, 2,
                          rect);
        return;
    case cellCheckBox:
        canvas.FillRect(rect);
        PaintCellButton(canvas, FitCheckBoxRect(rect, 2, 1), canvas.BrushColor(), cpsCheckboxX,
                        bppNone, flat_, false, true, params.CellCheckState);
        return;
    default:
        WriteCellText(column, canvas, textRect, true, cell.DX, cell.DY,
                      duplicate ? QString() : params.CellText, params.CellAlignment,
                      column->Layout(), wrapAllowed_ && column->WordWrap(), column->EndEllipsis(),
                      0, 0);
        return;
    }
}

void TCustomDBGridX::DrawCellEditButtons(ui::TCanvas& canvas, const ui::TRect& area,
                                         TColumnX* column) {
    int left = area.Left;
    const auto place = [&](int width) {
        const ui::TRect button{left, area.Top, std::min(area.Right, left + width),
                               std::min(area.Bottom, area.Top + editButtonHeight_)};
        left += width + (flat_ ? 1 : 0);
        return button;
    };
    const TColumnButtonStyleX style = column->ButtonStyle();
    if (style == cbsEllipsis || style == cbsDropDown ||
        (style == cbsAuto && column->ReadCellKind() != cellPlain))
        DrawEditButton(canvas, place(editButtonWidth_), column, false, dataLink_->Active());
    for (int i = 0; i < column->EditButtons()->Count(); ++i) {
        const TEditButtonX* button = column->EditButtons()->ButtonAt(i);
        if (!button->Visible())
            continue;
        const ui::TRect face = place(button->Width() > 0 ? button->Width() : editButtonWidth_);
        const QPixmap glyph =
            button->Glyph().isNull()
                ? QPixmap()
                : button->Glyph().copy(0, 0,
                                       button->Glyph().width() / std::max(1, button->NumGlyphs()),
                                       button->Glyph().height());
        PaintEditButtonFace(canvas, face, button->Style(), glyph, flat_, dataLink_->Active());
    }
    if (editButtonHeight_ < area.Height())
        canvas.FillRect({area.Left, area.Top + editButtonHeight_, area.Right, area.Bottom});
}

void TCustomDBGridX::DrawEditButton(ui::TCanvas& canvas, const ui::TRect& rect, TColumnX* column,
                                    bool pressed, bool active) {
    const TEditButtonStyleX style =
        column->ButtonStyle() == cbsEllipsis ? ebsEllipsisX : ebsDropDownX;
    if (!pressed) {
        PaintEditButtonFace(canvas, rect, style, QPixmap(), flat_, active);
        return;
    }
    PaintCellButton(canvas, rect, canvas.BrushColor(), EditButtonPaintStyles[style], bppButton,
                    flat_, false, active, cbUnchecked);
}

void TCustomDBGridX::DrawRequiredMark(ui::TCanvas& canvas, const ui::TRect& rect, TColumnX* column,
                                      bool currentRecord) {
    const db::TDataSet* dataSet = dataLink_->DataSet();
    if (!column->HighlightRequired() || !currentRecord || !dataSet ||
        (dataSet->State() != db::dsEdit && dataSet->State() != db::dsInsert))
        return;
    const db::TField* field = column->Field();
    bool draw = field && field->Required() && field->IsNull();
    if (column->OnCheckDrawRequiredState)
        column->OnCheckDrawRequiredState(column, draw);
    if (!draw)
        return;
    const ui::TColor pen = canvas.PenColor();
    const ui::TPenStyle penStyle = canvas.PenStyle();
    canvas.SetPenColor(ui::clRed);
    canvas.SetPenStyle(ui::TPenStyle::psDot);
    canvas.MoveTo(rect.Left + 2, rect.Bottom - 1);
    canvas.LineTo(rect.Right - 3, rect.Bottom - 1);
    canvas.SetPenColor(pen);
    canvas.SetPenStyle(penStyle);
}

bool TCustomDBGridX::IsHiddenDuplicate(TColumnX* column, int recordRow) {
    if (recordRow <= 0)
        return false;
    const QString text = cellParams_->CellText;
    const TReadRowScope above(*this, recordRow - 1);
    TColCellParamsX params;
    column->FillCellParams(params);
    params.CellRow = TopRow() + titleOffset_ - 1;
    params.CellCol = paintedCell_.Col;
    FireGetCellParams(column, params.CellFont, params.CellColor, paintedCell_.State);
    column->FireGetCellParams(false, params);
    return params.CellText == text;
}

void TCustomDBGridX::DrawIncSearchText(ui::TCanvas& canvas, const ui::TRect& rect,
                                       const QString& cellText) {
    const QString searched = cellText.left(incSearchText_.size());
    if (searched.isEmpty())
        return;
    ui::TRect area{rect.Left + paintedCell_.DX, rect.Top + paintedCell_.DY, rect.Right,
                   rect.Bottom};
    const int rest = canvas.TextWidth(cellText.mid(searched.size()));
    const int width = canvas.TextWidth(searched);
    if (cellParams_->CellAlignment == db::taRightJustify)
        area.Left = rect.Right - 3 - rest - width;
    else if (cellParams_->CellAlignment == db::taCenter)
        area.Left = rect.Left + rect.Width() / 2 - (width + rest) / 2;
    area.Right = std::min(rect.Right, area.Left + width);
    canvas.SetBrushColor(IncSearchColor);
    canvas.SetFontColor(IncSearchFontColor);
    canvas.TextRect(area, area.Left, area.Top, searched);
}

void TCustomDBGridX::DrawDataCell(const ui::TRect& rect, db::TField* field, TGridDrawState state) {
    if (OnDrawDataCell)
        OnDrawDataCell(this, rect, field, state);
    if (!field)
        return;
    const int minDigits = MoneyDigitsOfColumn(fieldsData_, field->FieldName());
    if (minDigits == DigitCellsNone)
        return;
    const bool blank = field->IsNull() || field->DisplayText().isEmpty();
    const QString amount = blank ? QString() : MoneyValueText(field->AsCurrency());
    DrawMoneyCells(Canvas(), rect, MoneyDigitsOf(amount), minDigits, rect.Width());
}

void TCustomDBGridX::DefaultDrawDataCell(const ui::TRect& rect, db::TField* field,
                                         TGridDrawState state) {
    Q_UNUSED(state);
    ui::TCanvas& canvas = Canvas();
    if (!field) {
        canvas.FillRect(rect);
        return;
    }
    WriteCellTextPlain(canvas, rect, 2, field->Alignment(), field->DisplayText(), 2);
}

// ---- Footers -----------------------------------------------------------------

void TCustomDBGridX::DrawFooterCell(const ui::TRect& rect, TColumnX* column, int dataCol,
                                    int footerRow) {
    ui::TCanvas& canvas = Canvas();
    const TPaintedCell cell = paintedCell_;
    const TColumnFooterX* footer = column->FooterForRow(footerRow);
    QFont font = footer->Font();
    ui::TColor background = footer->Color();
    canvas.SetFont(font);
    canvas.SetBrushColor(background);
    if (!dataLink_->Active()) {
        canvas.SetBrushColor(column->Color());
        canvas.FillRect(rect);
        return;
    }
    if (defaultDrawing_) {
        int alignment = footer->Alignment();
        QString text = GetFooterText(footerRow, column);
        FireGetFooterParams(dataCol, footerRow, column, font, background, alignment, cell.State,
                            text);
        ui::TColor fontColor = ui::clWindowText;
        const bool selected = IsCellSelected(cell.Col, cell.Row, dataCol, -1);
        FixedCellHighlight(font, fontColor, background, selected, faDataColumn, farFooter);
        canvas.SetBrushColor(background);
        canvas.SetFont(font);
        canvas.SetFontColor(fontColor);
        text = RoundedFooterText(fieldsData_, column->FieldName(), text);
        if (cell.Raised && cell.Themed)
            DrawCellFrame(canvas, rect, selected);
        const bool fill = !(cell.Raised && cell.Themed && background == ui::clBtnFace);
        WriteCellText(column, canvas, rect, fill, cell.DX, cell.DY, text, alignment,
                      column->Layout(), wrapAllowed_ && footer->WordWrap(), footer->EndEllipsis(),
                      0, 0);
        const int minDigits = MoneyDigitsOfColumn(fieldsData_, column->FieldName());
        if (minDigits != DigitCellsNone)
            DrawMoneyCells(canvas, rect, MoneyDigitsOf(FooterMoneyText(text)), minDigits,
                           column->Width());
        else if (FooterLeftEmpty(fieldsData_, column->FieldName()))
            canvas.FillRect(rect);
    }
    if (OnDrawFooterCell)
        OnDrawFooterCell(this, dataCol, footerRow, column, rect, cell.State);
}

// ---- Title groups --------------------------------------------------------------

void TCustomDBGridX::DrawTitleGroup(THeadTreeNode* node, TColumnX* column) {
    ui::TCanvas& canvas = Canvas();
    const ui::TRect cellRect = paintedCell_.Bounds;
    const int lineWidth = (options_ & dgColLines) ? GridLineWidth() : 0;
    const auto span = [&](int dataCol) {
        const int width = GetColWidths(DataToRawColumn(dataCol));
        return width > 0 ? width + lineWidth : 0;
    };
    const int first = EdgeLeaf(node, false)->OwnerColumn->Index();
    const int last = EdgeLeaf(node, true)->OwnerColumn->Index();
    ui::TRect group{cellRect.Left, cellRect.Top, cellRect.Left, cellRect.Top};
    for (int i = first; i < column->Index(); ++i)
        group.Left -= span(i);
    for (int i = column->Index(); i <= last; ++i)
        group.Right += span(i);
    group.Right -= lineWidth;
    int top = cellRect.Top;
    for (THeadTreeNode* above = node->Parent(); above && above->Parent(); above = above->Parent())
        top += above->CellHeight;
    group.Top = top;
    group.Bottom = top + node->CellHeight - lineWidth;
    // Inside the group the column line is covered, so the group reads as
    // one cell.
    const ui::TRect band{std::max(group.Left, cellRect.Left), group.Top,
                         std::min(group.Right, cellRect.Right + lineWidth), group.Bottom};
    if (band.IsEmpty())
        return;
    const ui::TClip saved = canvas.Clip();
    canvas.IntersectClipRect(band);
    QFont font = titleFont_;
    ui::TColor fontColor = ui::clBtnText;
    ui::TColor background = FixedColor();
    FixedCellHighlight(font, fontColor, background, false, faDataColumn, farTitle);
    canvas.SetFont(font);
    canvas.SetFontColor(fontColor);
    canvas.SetBrushColor(background);
    if (paintedCell_.Themed)
        DrawCellFrame(canvas, group, false);
    else
        canvas.FillRect(band);
    WriteTextEx(canvas, group, false, false, 0, 0, false, true, tlCenter, db::taCenter,
                node->Caption, 1, 1);
    node->Painted = true;
    if ((optionsX_ & dghFixed3D) && !paintedCell_.Themed)
        DrawEdgeX(canvas, group, true, true, false);
    canvas.SetClip(saved);
    if ((options_ & dgRowLines) && !paintedCell_.Themed) {
        canvas.SetPenColor(flat_ ? ui::clGray : ui::clBlack);
        canvas.MoveTo(band.Left, group.Bottom);
        canvas.LineTo(band.Right + lineWidth, group.Bottom);
    }
}

} // namespace kx
