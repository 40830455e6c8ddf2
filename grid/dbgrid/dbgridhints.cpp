// Tool tips over cut cell texts: the whole text laid over the cell in the
// cell's font and alignment, at once, for data cells, titles and footers
// that ask for it; a title's hint after the usual pause.

#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridinputstate.h"
#include "grid/dbgrid/gridpictures.h"
#include "grid/dbgrid/headtreenode.h"
#include "grid/dbgrid/tooltipplacement.h"
#include "grid/dbgrid/tooltipswindow.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"

#include <QApplication>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>

#include <algorithm>

namespace kx {

namespace {

int NormalHintPause() {
    return QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay);
}

} // namespace

QString TCustomDBGridX::CellHintText(TColumnX* column) const {
    const TColumnCellKind kind = column->ReadCellKind();
    if (kind == cellImages || kind == cellCheckBox) {
        const db::TField* field = column->Field();
        int index = -1;
        if (kind == cellCheckBox)
            index = static_cast<int>(column->ReadCheckState());
        else if (field)
            index = column->KeyList().indexOf(field->EditText());
        const QStringList picks = column->PickList();
        return index >= 0 && index < picks.size() ? picks[index] : QString();
    }
    return column->Field() ? column->ShownText() : QString();
}

// Rows past the last record (the empty ruled rows) have no data cell to
// show, so they get neither a tip nor its pause.
int TCustomDBGridX::HintShowPause(QPoint point) const {
    const TGridCoord cell = MouseCoord(point.x(), point.y());
    const int dataCol = cell.X - indicatorOffset_;
    if (cell.X < indicatorOffset_ || cell.Y < 0 || dataCol >= columns_->Count())
        return NormalHintPause();
    const TColumnX* column = columns_->GetColumn(dataCol);
    const int row = cell.Y;
    if (row >= RowCount() && footerRowCount_ > 0) {
        const TColumnFooterX* footer = column->FooterForRow(row - RowCount());
        return footer && footer->ToolTips() ? 0 : NormalHintPause();
    }
    if (row >= titleOffset_ && row < ReadableRowCount() + titleOffset_ && dataLink_->Active())
        return column->ToolTips() ? 0 : NormalHintPause();
    if ((options_ & dgTitles) && row == 0)
        return column->Title()->ToolTips() && column->Title()->Hint.isEmpty() ? 0
                                                                              : NormalHintPause();
    return NormalHintPause();
}

bool TCustomDBGridX::CellHintInfo(QPoint point, TCellHintInfo& info) {
    info = TCellHintInfo();
    const TGridCoord cell = MouseCoord(point.x(), point.y());
    const int dataCol = cell.X - indicatorOffset_;
    if (cell.X < indicatorOffset_ || cell.Y < 0 || dataCol >= columns_->Count())
        return false;
    TColumnX* column = columns_->GetColumn(dataCol);
    const int row = cell.Y;
    const bool titleCell = (options_ & dgTitles) && row == 0;
    if (titleCell && !column->Title()->Hint.isEmpty()) {
        info.Text = column->Title()->Hint.section(u'|', 0, 0);
        info.CursorRect = CellRect(cell.X, row);
        return !info.Text.isEmpty();
    }
    const bool dataCell =
        row >= titleOffset_ && row < ReadableRowCount() + titleOffset_ && dataLink_->Active();
    const bool footerCell = row >= RowCount() && footerRowCount_ >= 1;
    const bool wanted = (titleCell && column->Title()->ToolTips()) ||
                        (dataCell && column->ToolTips()) ||
                        (footerCell && column->FooterForRow(row - RowCount()) &&
                         column->FooterForRow(row - RowCount())->ToolTips());
    const bool captured = input_->Tracking || QWidget::mouseGrabber() != nullptr;
    if (!wanted || captured || (QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier))
        return false;

    ui::TRect r = CellRect(cell.X, row);
    int x = point.x();
    const int clientWidth = ClientWidth();
    const bool rightToLeft = column->RightToLeftAlignment();
    if (rightToLeft) {
        r = {clientWidth - r.Right, r.Top, clientWidth - r.Left, r.Bottom};
        x = clientWidth - x;
    }
    int e = r.Left + column->Width();
    QString text;
    int alignment = db::taLeftJustify;
    bool wrap = false;
    bool alwaysWanted = false;
    QFont font;
    if (titleCell) {
        const TColumnTitleX* title = column->Title();
        const int markerWidth = title->SortMarkerWidth();
        if (markerWidth > 2) {
            r.Right -= markerWidth - 2;
            e -= markerWidth - 2;
        }
        const THeadTreeNode* leaf = useMultiTitle_ && column->Index() < int(leafCols_.size())
                                        ? leafCols_[std::size_t(column->Index())].Leaf
                                        : nullptr;
        if (leaf) {
            text = leaf->Caption;
            r.Top = r.Bottom - leaf->CellHeight + 1;
            if (point.y() < r.Top)
                return false;
        } else {
            text = title->Caption();
        }
        wrap = useMultiTitle_ || titleHeight_ != 0 || titleLines_ != 0;
        alignment = title->Alignment();
        font = title->Font();
        if (title->Orientation() == tohVertical) {
            wrap = false;
            r = {r.Left, r.Top, r.Left + r.Height(), r.Top + r.Width()};
        }
    } else if (dataCell) {
        const TReadRowScope read(*this, row - titleOffset_);
        text = CellHintText(column);
        if (column->AlwaysShowEditButton()) {
            e = r.Left + column->Width() - column->EditButtonsWidth();
            r.Right = std::min(r.Right, e);
            if (r.Right < x)
                text.clear();
        }
        if (IsFirstVisibleColumn(column))
            r.Left += TreeIndent();
        if (column->ImageList() && column->ShowImageAndText())
            r.Left += column->ImageList()->Width() + 5;
        if (x < r.Left)
            text.clear();
        const TColumnCellKind kind = column->ReadCellKind();
        alwaysWanted = kind == cellImages || kind == cellCheckBox;
        alignment = alwaysWanted ? db::taLeftJustify : column->Alignment();
        wrap = column->WordWrap() && wrapAllowed_;
        font = column->Font();
        TColCellParamsX& params = *cellParams_;
        column->FillCellParams(params);
        params.CellColor = column->Color();
        params.CellFont = font;
        params.CellState = 0;
        params.CellAlignment = static_cast<db::TAlignment>(alignment);
        params.CellText = text;
        params.CellCol = cell.X;
        params.CellRow = row;
        FireGetCellParams(column, params.CellFont, params.CellColor, 0);
        column->FireGetCellParams(false, params);
        text = params.CellText;
        alignment = params.CellAlignment;
        font = params.CellFont;
    } else if (footerCell) {
        const TColumnFooterX* footer = column->FooterForRow(row - RowCount());
        font = footer->Font();
        wrap = footer->WordWrap();
        alignment = footer->Alignment();
        text = GetFooterText(row - RowCount(), column);
    } else {
        return false;
    }
    if (text.isEmpty())
        return false;

    TToolTipCell tip;
    tip.Rect = r;
    tip.TextEnd = e;
    tip.Alignment = alignment;
    tip.Flat = flat_;
    tip.RightToLeft = rightToLeft;
    tip.ClientWidth = clientWidth;
    int textHeight = 0;
    const bool overflows = HintTextOverflows(font, wrap ? 2 : 0, wrap, r, text, textPadding_,
                                             tip.TextWidth, textHeight);
    tip.Fits = !alwaysWanted && !overflows;
    QPoint position;
    if (!PlaceCellToolTip(tip, position))
        return false;
    info.Text = text;
    info.ToolTip = true;
    info.CursorRect =
        rightToLeft ? ui::TRect{clientWidth - r.Right, r.Top, clientWidth - r.Left, r.Bottom} : r;
    info.Position = position;
    info.MaxWidth = wrap ? r.Right - r.Left - 4 : 0;
    info.Font = font;
    return true;
}

bool TCustomDBGridX::ToolTipShown() const {
    return toolTipWindow_ && toolTipWindow_->isVisible();
}

void TCustomDBGridX::ShowToolTip(const TCellHintInfo& info) {
    if (!toolTipWindow_)
        toolTipWindow_ = new TToolTipsWindow(this);
    toolTipRect_ = info.CursorRect;
    toolTipWindow_->ShowAt(viewport()->mapToGlobal(info.Position), info.MaxWidth, info.Text,
                           info.Font);
}

void TCustomDBGridX::HideToolTip() {
    if (toolTipWindow_)
        toolTipWindow_->hide();
}

// A cell whose tip needs no pause shows it as soon as the pointer rests
// on it; leaving the cell takes the tip away.
void TCustomDBGridX::TrackToolTip(QPoint point) {
    const bool inside = point.x() >= toolTipRect_.Left && point.x() < toolTipRect_.Right &&
                        point.y() >= toolTipRect_.Top && point.y() < toolTipRect_.Bottom;
    if (ToolTipShown() && inside)
        return;
    HideToolTip();
    if (HintShowPause(point) != 0)
        return;
    TCellHintInfo info;
    if (CellHintInfo(point, info) && info.ToolTip)
        ShowToolTip(info);
}

bool TCustomDBGridX::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::ToolTip: {
        const QPoint point = static_cast<QHelpEvent*>(event)->pos();
        TCellHintInfo info;
        bool found = false;
        ui::Guard([&] { found = CellHintInfo(point, info); })();
        if (found && info.ToolTip)
            ShowToolTip(info);
        else if (found)
            QToolTip::showText(viewport()->mapToGlobal(point), info.Text, viewport(),
                               info.CursorRect.ToQRect());
        else
            QToolTip::hideText();
        return true;
    }
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        HideToolTip();
        break;
    default:
        break;
    }
    return TCustomGridX::viewportEvent(event);
}

} // namespace kx
