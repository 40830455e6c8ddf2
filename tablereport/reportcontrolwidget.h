#pragma once
// The window of a table-report page: paints the page at its zoom and turns
// the mouse into selection, edge drags and the in-place text editor.

#include "tablereport/reportcontrol.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

namespace kx {

class TReportControlWidget : public QWidget {
public:
    TReportControlWidget(TTextMeasurer* measurer, QWidget* parent = nullptr);

    TReportControl Control;

    // Follows the page size and zoom of the control.
    void UpdateSize();
    // Closes the in-place editor; its text is already in the cell.
    void EndCellEdit();
    QPlainTextEdit* Editor() const { return editor_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    enum class TDrag { None, Select, Line, Column };

    void Press(QPoint point, Qt::KeyboardModifiers modifiers);
    void Move(QPoint point, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void Release();
    void OpenEditor(QPoint point);
    void CommitEditor();
    void PlaceEditor();
    void SetCursorFor(QPoint point);

    TDrag drag_ = TDrag::None;
    QPoint start_;
    QPoint dragPoint_;
    TReportCell* dragCell_ = nullptr;
    TReportControl::TColumnDrag columnDrag_;
    int lineLow_ = 0;
    int lineHigh_ = 0;
    QPointer<QPlainTextEdit> editor_;
};

} // namespace kx
