#include "tablereport/reportcontrolwidget.h"

#include "platform/sys/cp936.h"
#include "platform/ui/application.h"
#include "tablereport/qttextmeasurer.h"
#include "tablereport/reportpainter.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>

#include <cstdlib>

namespace kx {
namespace {

constexpr int kEdgeReach = 3;

bool NearBottom(const TReportCell& cell, QPoint p) {
    return std::abs(p.y() - cell.CellRect.Bottom) <= kEdgeReach;
}

bool NearRight(const TReportCell& cell, QPoint p) {
    return std::abs(p.x() - cell.CellRect.Right) <= kEdgeReach;
}

// Exactly the left button with Shift: other keys held make a plain drag.
bool ShiftOnly(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    return buttons == Qt::LeftButton && modifiers == Qt::ShiftModifier;
}

} // namespace

TReportControlWidget::TReportControlWidget(TTextMeasurer* measurer, QWidget* parent)
    : QWidget(parent), Control(measurer) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    Control.OnInvalidate = [this](const TRect&) { update(); };
    UpdateSize();
}

void TReportControlWidget::UpdateSize() {
    Control.UpdatePageSize();
    resize(Control.ControlWidth, Control.ControlHeight);
}

void TReportControlWidget::paintEvent(QPaintEvent* event) {
    try {
        QPainter painter(this);
        const double scale = Control.Zoom / 100.0;
        painter.scale(scale, scale);
        const QRect area = event->rect();
        PaintPage(painter, Control,
                  {int(area.left() / scale), int(area.top() / scale), int(area.right() / scale + 1),
                   int(area.bottom() / scale + 1)});
        if (drag_ == TDrag::Line || drag_ == TDrag::Column) {
            painter.resetTransform();
            painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
            if (drag_ == TDrag::Line)
                painter.drawLine(0, dragPoint_.y(), width(), dragPoint_.y());
            else
                painter.drawLine(dragPoint_.x(), 0, dragPoint_.x(), height());
        }
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TReportControlWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    try {
        Press(event->position().toPoint(), event->modifiers());
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TReportControlWidget::Press(QPoint point, Qt::KeyboardModifiers modifiers) {
    // A click on a zoomed page only brings it back to its own size, where
    // screen and page pixels agree again.
    if (Control.Zoom != 100) {
        Control.Zoom = 100;
        UpdateSize();
        update();
        return;
    }
    if (editor_) {
        CommitEditor();
        EndCellEdit();
    }
    TReportCell* cell = Control.CellAt(point);
    dragPoint_ = point;
    if (cell && NearBottom(*cell, point)) {
        drag_ = TDrag::Line;
        dragCell_ = cell;
        lineLow_ = cell->LineTop() + 5;
        lineHigh_ = height() - 10;
        setCursor(Qt::SizeVerCursor);
    } else if (cell && NearRight(*cell, point)) {
        drag_ = TDrag::Column;
        columnDrag_ = Control.BeginColumnResize(cell);
        columnDrag_.High = std::min(columnDrag_.High, width() - 10);
        setCursor(Qt::SizeHorCursor);
    } else {
        drag_ = TDrag::Select;
        start_ = point;
        if (modifiers != Qt::ShiftModifier)
            Control.ClearSelection();
        Control.SelectCell(cell);
    }
    update();
}

void TReportControlWidget::mouseMoveEvent(QMouseEvent* event) {
    try {
        Move(event->position().toPoint(), event->buttons(), event->modifiers());
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TReportControlWidget::Move(QPoint point, Qt::MouseButtons buttons,
                                Qt::KeyboardModifiers modifiers) {
    switch (drag_) {
    case TDrag::None:
        SetCursorFor(point);
        return;
    case TDrag::Select:
        Control.SelectRect(start_, point, ShiftOnly(buttons, modifiers));
        break;
    case TDrag::Line:
        dragPoint_.setY(std::clamp(point.y(), lineLow_, std::max(lineLow_, lineHigh_)));
        break;
    case TDrag::Column:
        dragPoint_.setX(
            std::clamp(point.x(), columnDrag_.Low, std::max(columnDrag_.Low, columnDrag_.High)));
        break;
    }
    update();
}

void TReportControlWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    try {
        Release();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TReportControlWidget::Release() {
    const TDrag finished = std::exchange(drag_, TDrag::None);
    if (finished == TDrag::Line)
        Control.ResizeLine(dragCell_, dragPoint_.y());
    else if (finished == TDrag::Column)
        Control.EndColumnResize(columnDrag_, dragPoint_.x());
    dragCell_ = nullptr;
    unsetCursor();
    update();
}

void TReportControlWidget::SetCursorFor(QPoint point) {
    const TReportCell* cell = Control.CellAt(point);
    if (!cell)
        setCursor(Qt::ArrowCursor);
    else if (NearRight(*cell, point))
        setCursor(Qt::SizeHorCursor);
    else if (NearBottom(*cell, point))
        setCursor(Qt::SizeVerCursor);
    else
        setCursor(Qt::IBeamCursor);
}

void TReportControlWidget::contextMenuEvent(QContextMenuEvent* event) {
    TReportCell* cell = Control.CellAt(event->pos());
    if (cell && Control.IsCellSelected(cell))
        return;
    Control.ClearSelection();
    Control.SelectCell(cell);
}

void TReportControlWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !Control.EditAllowed)
        return;
    try {
        OpenEditor(event->position().toPoint());
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TReportControlWidget::OpenEditor(QPoint point) {
    drag_ = TDrag::None;
    Control.ClearSelection();
    TReportCell* cell = Control.CellAt(point);
    EndCellEdit();
    if (!cell || cell->CellWidth() <= kMinCellWidth)
        return;
    Control.EditingCell = cell;
    editor_ = new QPlainTextEdit(this);
    editor_->setFrameShape(QFrame::NoFrame);
    editor_->setFont(FontFromLogFont(cell->LogFont()));
    QPalette palette = editor_->palette();
    palette.setColor(QPalette::Text, ColorFromColorRef(cell->TextColor));
    palette.setColor(QPalette::Base, ColorFromColorRef(cell->BackColor));
    editor_->setPalette(palette);
    editor_->setPlainText(
        QString(cell->Text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    const Qt::Alignment align = cell->HorzAlign == 1   ? Qt::AlignHCenter
                                : cell->HorzAlign == 2 ? Qt::AlignRight
                                                       : Qt::AlignLeft;
    editor_->document()->setDefaultTextOption(QTextOption(align));
    PlaceEditor();
    // Every change goes into the cell at once, so the page grows while typing.
    connect(editor_, &QPlainTextEdit::textChanged, this, ui::Guard([this] {
                CommitEditor();
                PlaceEditor();
            }));
    editor_->show();
    editor_->setFocus();
}

void TReportControlWidget::CommitEditor() {
    TReportCell* cell = Control.EditingCell;
    if (!editor_ || !cell)
        return;
    QString text = editor_->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
    cell->SetCellText(cp936::CutToBytes(text, kMaxCellTextBytes));
    Control.UpdateLines();
    update();
}

void TReportControlWidget::PlaceEditor() {
    const TReportCell* cell = Control.EditingCell;
    if (!editor_ || !cell)
        return;
    const TRect& box = cell->TextRect;
    editor_->setGeometry(box.Left, box.Top, box.Right - box.Left, box.Bottom - box.Top);
}

void TReportControlWidget::EndCellEdit() {
    if (editor_)
        editor_->deleteLater();
    editor_ = nullptr;
    Control.EditingCell = nullptr;
}

} // namespace kx
