#include "tablereport/reportcontrolwidget.h"

#include "tests/tablereport/fakemeasurer.h"

#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace kx {
namespace {

class ReportControlWidgetTest : public ::testing::Test {
protected:
    ReportControlWidgetTest() {
        widget.Control.NewTable(3, 3);
        widget.show();
    }
    TReportCell* Cell(int line, int cell) { return widget.Control.Lines[line]->Cells[cell].get(); }
    static QPoint Inside(const TReportCell* cell) {
        return {cell->CellRect.Left + 20, cell->CellRect.Top + 8};
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = {}) {
        QTest::mousePress(&widget, Qt::LeftButton, keys, from);
        QMouseEvent move(QEvent::MouseMove, to, widget.mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, keys);
        QCoreApplication::sendEvent(&widget, &move);
        QTest::mouseRelease(&widget, Qt::LeftButton, keys, to);
    }

    FakeMeasurer measurer;
    TReportControlWidget widget{&measurer};
};

TEST_F(ReportControlWidgetTest, ClickAtZoomOnlyResetsZoomThenSelects) {
    widget.Control.SetZoom(150);
    widget.UpdateSize();
    QTest::mouseClick(&widget, Qt::LeftButton, {}, Inside(Cell(0, 0)));
    EXPECT_EQ(widget.Control.Zoom, 100);
    EXPECT_EQ(widget.width(), 758);
    EXPECT_TRUE(widget.Control.Selection.empty());
    QTest::mouseClick(&widget, Qt::LeftButton, {}, Inside(Cell(1, 1)));
    EXPECT_EQ(widget.Control.Selection, std::vector<TReportCell*>{Cell(1, 1)});
}

TEST_F(ReportControlWidgetTest, DragReplacesSelectionAndShiftDragAdds) {
    Drag(Inside(Cell(0, 0)), Inside(Cell(1, 1)));
    EXPECT_EQ(widget.Control.Selection.size(), 4u);
    Drag(Inside(Cell(2, 2)), Inside(Cell(2, 2)), Qt::ShiftModifier);
    EXPECT_EQ(widget.Control.Selection.size(), 5u);
    Drag(Inside(Cell(2, 2)), Inside(Cell(2, 2)));
    EXPECT_EQ(widget.Control.Selection, std::vector<TReportCell*>{Cell(2, 2)});
}

TEST_F(ReportControlWidgetTest, EdgeDragsResizeColumnsAndLines) {
    const TReportCell* first = Cell(0, 0);
    const QPoint edge(first->CellRect.Right - 1, first->CellRect.Top + 8);
    Drag(edge, edge + QPoint(50, 0));
    // the edge goes where the mouse is let go: 49 pixels right of it
    for (int line = 0; line < 3; ++line)
        EXPECT_EQ(Cell(line, 0)->CellWidth(), 214 + 49) << line;
    EXPECT_EQ(Cell(0, 1)->CellWidth(), 214 - 49);

    const QPoint bottom(Inside(Cell(1, 1)).x(), Cell(1, 1)->CellRect.Bottom - 1);
    Drag(bottom, bottom + QPoint(0, 30));
    EXPECT_EQ(widget.Control.Lines[1]->Height(), 20 + 29);
}

TEST_F(ReportControlWidgetTest, EditorCommitsEveryChangeWithCrLf) {
    QTest::mouseDClick(&widget, Qt::LeftButton, {}, Inside(Cell(0, 1)));
    ASSERT_NE(widget.Editor(), nullptr);
    EXPECT_EQ(widget.Control.EditingCell, Cell(0, 1));
    widget.Editor()->setPlainText(QStringLiteral("第一行\n第二行"));
    EXPECT_EQ(Cell(0, 1)->Text(), QStringLiteral("第一行\r\n第二行"));
    EXPECT_EQ(widget.Control.Lines[0]->Height(), 32 + 4);
    QTest::mouseClick(&widget, Qt::LeftButton, {}, Inside(Cell(2, 2)));
    EXPECT_EQ(widget.Control.EditingCell, nullptr);

    // a deleted cell ends what the editor may write
    QTest::mouseDClick(&widget, Qt::LeftButton, {}, Inside(Cell(2, 0)));
    widget.Control.SelectCell(Cell(2, 0));
    widget.Control.DeleteCell();
    EXPECT_EQ(widget.Control.EditingCell, nullptr);
    widget.Editor()->setPlainText(QStringLiteral("x"));
}

TEST_F(ReportControlWidgetTest, ContextClickKeepsSelectionOnSelectedCell) {
    Drag(Inside(Cell(0, 0)), Inside(Cell(0, 1)));
    QContextMenuEvent onSelected(QContextMenuEvent::Mouse, Inside(Cell(0, 1)),
                                 widget.mapToGlobal(Inside(Cell(0, 1))));
    QCoreApplication::sendEvent(&widget, &onSelected);
    EXPECT_EQ(widget.Control.Selection.size(), 2u);
    QContextMenuEvent elsewhere(QContextMenuEvent::Mouse, Inside(Cell(2, 2)),
                                widget.mapToGlobal(Inside(Cell(2, 2))));
    QCoreApplication::sendEvent(&widget, &elsewhere);
    EXPECT_EQ(widget.Control.Selection, std::vector<TReportCell*>{Cell(2, 2)});
}

} // namespace
} // namespace kx
