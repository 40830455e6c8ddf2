#include "tablereport/reportcontrol.h"

#include "platform/ui/messagedialog.h"
#include "tests/tablereport/fakemeasurer.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

class ReportEditingTest : public ::testing::Test {
protected:
    FakeMeasurer measurer;
    TReportControl control{&measurer};

    TReportCell* Cell(int line, int cell) { return control.Lines[line]->Cells[cell].get(); }
    std::vector<int32_t> Widths(int line) {
        std::vector<int32_t> widths;
        for (const auto& cell : control.Lines[line]->Cells)
            widths.push_back(cell->CellWidth());
        return widths;
    }
    void Select(std::initializer_list<std::pair<int, int>> cells) {
        control.ClearSelection();
        for (auto [line, cell] : cells)
            control.SelectCell(Cell(line, cell));
    }
};

TEST_F(ReportEditingTest, NewTableSplitsPrintableWidthAndRefusesSecondTable) {
    control.NewTable(4, 3);
    ASSERT_EQ(control.Lines.size(), 3u);
    EXPECT_EQ(Widths(2), (std::vector<int32_t>{161, 161, 161, 161})); // 643 / 4
    EXPECT_EQ(Cell(2, 3)->CellLeft(), 77 + 3 * 161);
    EXPECT_EQ(control.Lines[2]->LineTop(), 77 + 2 * 20);

    std::vector<ui::MessageRequest> shown;
    const auto old = ui::SetMessageSink([&](const ui::MessageRequest& r) {
        shown.push_back(r);
        return false;
    });
    control.NewTable(2, 2);
    ui::SetMessageSink(old);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, QStringLiteral("警告"));
    EXPECT_EQ(shown[0].text, QStringLiteral("关闭正在编辑的报表后，才能建立新表格。"));
    EXPECT_EQ(control.Lines.size(), 3u);
}

TEST_F(ReportEditingTest, AddLineGrowsMergeReachingLastLineAndInsertLineCopiesBeside) {
    control.NewTable(2, 2);
    Select({{0, 0}, {1, 0}});
    control.CombineCells();
    TReportCell* owner = Cell(0, 0);
    control.ClearSelection();
    control.AddLine();
    EXPECT_EQ(owner->MergedCells, (std::vector<TReportCell*>{Cell(1, 0), Cell(2, 0)}));
    EXPECT_EQ(owner->CellRect.Bottom, control.Lines[2]->LineRect.Bottom);

    Select({{2, 1}});
    control.InsertLine(); // above line 2, its merged copy listed before line 2's cell
    ASSERT_EQ(control.Lines.size(), 4u);
    EXPECT_EQ(owner->MergedCells, (std::vector<TReportCell*>{Cell(1, 0), Cell(2, 0), Cell(3, 0)}));
    EXPECT_EQ(control.Lines[3]->LineTop(), 77 + 3 * 20);
}

TEST_F(ReportEditingTest, DeleteLineReleasesMerges) {
    control.NewTable(2, 3);
    Select({{0, 0}, {1, 0}, {2, 0}});
    control.CombineCells();
    Select({{0, 1}});
    control.DeleteLine();
    ASSERT_EQ(control.Lines.size(), 2u);
    EXPECT_EQ(Cell(0, 0)->MergeOwner, nullptr);
    EXPECT_EQ(Cell(1, 0)->MergeOwner, nullptr);
    EXPECT_EQ(control.LastSelected, nullptr);
    EXPECT_EQ(control.Lines[0]->LineTop(), 77);
}

TEST_F(ReportEditingTest, CombineTwoByTwoKeepsTextsOfLeftColumn) {
    control.NewTable(3, 2);
    const char* texts[] = {"A", "B", "x", "C", "D", "y"};
    for (int i = 0; i < 6; ++i)
        Cell(i / 3, i % 3)->SetCellText(QString::fromLatin1(texts[i]));
    Select({{1, 1}, {0, 0}, {0, 1}, {1, 0}});
    control.CombineCells();
    TReportCell* owner = Cell(0, 0);
    EXPECT_EQ(owner->Text(), QStringLiteral("AC"));
    EXPECT_EQ(Widths(0), (std::vector<int32_t>{428, 214}));
    EXPECT_EQ(Widths(1), (std::vector<int32_t>{428, 214}));
    EXPECT_EQ(owner->MergedCells, std::vector<TReportCell*>{Cell(1, 0)});
    EXPECT_EQ(control.Selection, std::vector<TReportCell*>{owner});
    EXPECT_EQ(control.CellAt({80, 100}), owner);

    control.SplitCell();
    EXPECT_EQ(Cell(1, 0)->MergeOwner, nullptr);
    EXPECT_EQ(owner->Text(), QStringLiteral("AC"));
}

TEST_F(ReportEditingTest, CombineRefusesWhatIsNoRectangle) {
    control.NewTable(3, 3);
    const struct {
        const char* name;
        std::initializer_list<std::pair<int, int>> cells;
    } cases[] = {
        {"ragged right edge", {{0, 0}, {0, 1}, {1, 0}}},
        {"gap inside a line", {{0, 0}, {0, 2}}},
        {"lines not adjacent", {{0, 0}, {2, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Select(c.cells);
        const auto before = control.Selection;
        control.CombineCells();
        EXPECT_EQ(control.Selection, before);
        EXPECT_EQ(Widths(0), (std::vector<int32_t>{214, 214, 214}));
        EXPECT_EQ(Cell(2, 0)->MergeOwner, nullptr);
    }
}

TEST_F(ReportEditingTest, VerticalSplitPutsRemainderBesideAndSplitsMergedArea) {
    control.NewTable(1, 2);
    Select({{0, 0}, {1, 0}});
    control.CombineCells();
    Cell(0, 0)->SetWidth(40);
    Cell(1, 0)->SetWidth(40);
    control.VSplitCell(5);
    EXPECT_EQ(Widths(0), (std::vector<int32_t>{13, 14, 13}));
    EXPECT_EQ(Widths(1), (std::vector<int32_t>{13, 14, 13}));
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(Cell(1, c)->MergeOwner, Cell(0, c)) << c;

    Select({{0, 0}});
    Cell(0, 0)->SetWidth(4); // 10 wide after the setter's floor: one piece only
    control.VSplitCell(3);
    EXPECT_EQ(control.Lines[0]->Cells.size(), 3u);
}

TEST_F(ReportEditingTest, AddedCellNeverJoinsMergeOfLastCell) {
    control.NewTable(2, 2);
    Select({{0, 1}, {1, 1}});
    control.CombineCells();
    Select({{1, 0}});
    control.AddCell();
    ASSERT_EQ(control.Lines[1]->Cells.size(), 3u);
    EXPECT_EQ(Cell(1, 2)->MergeOwner, nullptr);
    EXPECT_EQ(Cell(0, 1)->MergedCells, std::vector<TReportCell*>{Cell(1, 1)});
    EXPECT_EQ(Cell(1, 2)->CellLeft(), Cell(1, 1)->CellRight());

    control.InsertCell();
    EXPECT_EQ(control.Lines[1]->Cells.size(), 4u);
    EXPECT_EQ(Cell(1, 1)->CellLeft(), 77 + 322);
}

TEST_F(ReportEditingTest, DeletingEveryCellOfLineRemovesLineAndForgetsSelection) {
    control.NewTable(2, 3);
    Select({{1, 0}, {2, 0}});
    control.CombineCells();
    TReportCell* kept = Cell(2, 1);
    Select({{1, 0}, {1, 1}});
    control.EditingCell = Cell(1, 1);
    control.DeleteCell();
    ASSERT_EQ(control.Lines.size(), 2u);
    EXPECT_EQ(control.Lines[1]->Cells.size(), 1u);
    EXPECT_EQ(Cell(1, 0), kept);
    EXPECT_EQ(control.Lines[1]->LineTop(), 97);
    EXPECT_EQ(control.LastSelected, nullptr);
    EXPECT_EQ(control.EditingCell, nullptr);
    EXPECT_TRUE(control.Selection.empty());
}

TEST_F(ReportEditingTest, AttributeSettersReachEverySelectedCell) {
    control.NewTable(2, 1);
    Select({{0, 0}, {0, 1}});
    control.SetCellBorders({true, 3}, {false, 1}, {true, 1}, {true, 2});
    control.SetCellColors(0xFF, 0xEEEEEE);
    control.SetCellDiagonal(DiagonalLeftToCorner);
    control.SetSelectedCellsText(QStringLiteral("合计"));
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(Cell(0, c)->LeftBorder(), (TBorder{true, 3}));
        EXPECT_EQ(Cell(0, c)->BackColor, 0xEEEEEEu);
        EXPECT_EQ(Cell(0, c)->Text(), QStringLiteral("合计"));
    }
    EXPECT_EQ(control.Lines[0]->Height(), 16 + 2 + 1 + 2);
}

TEST_F(ReportEditingTest, RectangleSelectionReplacesOrAddsAndPicksOwners) {
    control.NewTable(3, 3);
    Select({{1, 0}, {2, 0}});
    control.CombineCells();
    Select({{0, 2}});
    // from inside cell (0,0) to inside cell (2,1): the merged cell's owner
    control.SelectRect({80, 80}, {300, 120}, false);
    EXPECT_EQ(control.Selection.size(), 5u);
    EXPECT_FALSE(control.IsCellSelected(Cell(0, 2)));
    EXPECT_TRUE(control.IsCellSelected(Cell(1, 0)));
    EXPECT_FALSE(control.IsCellSelected(Cell(2, 0)));
    Select({{0, 2}});
    control.SelectRect({80, 80}, {80, 80}, true);
    EXPECT_EQ(control.Selection, (std::vector<TReportCell*>{Cell(0, 2), Cell(0, 0)}));
}

TEST_F(ReportEditingTest, ColumnEdgeMovesInEveryLineWithinLimits) {
    control.NewTable(3, 2);
    Cell(1, 0)->SetWidth(100); // line 1 ends its first cell elsewhere
    control.UpdateLines();
    auto drag = control.BeginColumnResize(Cell(0, 0));
    ASSERT_EQ(drag.Cells, std::vector<TReportCell*>{Cell(0, 0)});
    EXPECT_EQ(drag.Low, 77 + 10);
    EXPECT_EQ(drag.High, 77 + 428 - 10);
    control.EndColumnResize(drag, 1000); // held at the neighbour's 10 pixels
    EXPECT_EQ(Widths(0), (std::vector<int32_t>{418, 10, 214}));

    control.ClearTable();
    control.NewTable(2, 3);
    auto all = control.BeginColumnResize(Cell(1, 0));
    EXPECT_EQ(all.Cells.size(), 3u);
    control.EndColumnResize(all, 77 + 300);
    for (int line = 0; line < 3; ++line)
        EXPECT_EQ(Widths(line), (std::vector<int32_t>{300, 344})) << line;

    Select({{1, 1}});
    auto selected = control.BeginColumnResize(Cell(1, 0));
    EXPECT_EQ(selected.Cells, std::vector<TReportCell*>{Cell(1, 0)});
}

TEST_F(ReportEditingTest, ColumnMoveCuttingMergedNeighbourIsDropped) {
    control.NewTable(2, 2);
    Select({{0, 1}, {1, 1}});
    control.CombineCells();
    Select({{0, 0}});
    const auto drag = control.BeginColumnResize(Cell(0, 0));
    ASSERT_EQ(drag.Cells, std::vector<TReportCell*>{Cell(0, 0)});
    control.EndColumnResize(drag, 77 + 200);
    EXPECT_EQ(Widths(0), (std::vector<int32_t>{322, 322}));

    // the whole column moves the merged area with it
    control.ClearSelection();
    control.EndColumnResize(control.BeginColumnResize(Cell(1, 0)), 77 + 200);
    EXPECT_EQ(Widths(0), (std::vector<int32_t>{200, 444}));
    EXPECT_EQ(Widths(1), (std::vector<int32_t>{200, 444}));
}

TEST_F(ReportEditingTest, LineDragKeepsContentAndTargetsLowestMergedLine) {
    control.NewTable(2, 3);
    control.ResizeLine(Cell(0, 1), 77 + 2);
    EXPECT_EQ(control.Lines[0]->Height(), 20); // never below content
    control.ResizeLine(Cell(0, 1), 77 + 50);
    EXPECT_EQ(control.Lines[0]->Height(), 50);
    Select({{1, 0}, {2, 0}});
    control.CombineCells();
    control.ResizeLine(Cell(1, 0), 127 + 20 + 40);
    EXPECT_EQ(control.Lines[1]->Height(), 20);
    EXPECT_EQ(control.Lines[2]->Height(), 40);
}

} // namespace
} // namespace kx
