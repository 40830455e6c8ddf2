#include "tablereport/reportcontrol.h"

#include "tablereport/qttextmeasurer.h"
#include "tests/tablereport/fakemeasurer.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

class ReportControlTest : public ::testing::Test {
protected:
    FakeMeasurer measurer;
    TReportControl control{&measurer};

    // A table of equal columns 100 pixels wide.
    void Build(int columns, int rows) {
        for (int r = 0; r < rows; ++r)
            control.AppendLine()->CreateCells(0, columns, columns * 100);
        control.UpdateLines();
    }
    TReportCell* Cell(int line, int cell) { return control.Lines[line]->Cells[cell].get(); }
};

TEST_F(ReportControlTest, NewControlDefaults) {
    EXPECT_EQ(control.PageWidth, 758);
    EXPECT_EQ(control.PageHeight, 1037);
    EXPECT_EQ(control.LeftMarginPx, 77);
    EXPECT_EQ(control.RightMarginPx, 38);
    EXPECT_EQ(control.TopMarginPx, 77);
    EXPECT_EQ(control.BottomMarginPx, 58);
    EXPECT_EQ(control.SelectedFont.Height(), -16);
    EXPECT_EQ(control.SelectedFont.FaceName(), QStringLiteral("宋体"));
    const TReportCell cell;
    EXPECT_TRUE(cell.LeftBorder().Line && cell.BottomBorder().Line);
    EXPECT_EQ(cell.VertAlign, 1);
    EXPECT_EQ(cell.BackColor, 0xFFFFFFu);
}

TEST_F(ReportControlTest, PageSizeFollowsPrinterOnlyWhenNothingIsRecorded) {
    control.PrinterPage = [] { return TPrinterPage{4760, 6779, 600, 600}; };
    control.UpdatePageSize();
    EXPECT_EQ(control.PageWidth, 758); // recorded already: kept
    control.RecordedPageWidth = 0;
    control.UpdatePageSize();
    EXPECT_EQ(control.PageWidth, 762);   // 4760 / 600 * 96 = 761.6
    EXPECT_EQ(control.PageHeight, 1085); // 6779 / 600 * 96 = 1084.64
    control.SetZoom(150);
    EXPECT_EQ(control.ControlWidth, 1143);
}

TEST_F(ReportControlTest, NeededHeights) {
    Build(1, 1);
    TReportCell* cell = Cell(0, 0);
    EXPECT_EQ(cell->RequiredHeight, 16 + 2 + 2); // empty text measures as one line
    cell->SetCellText(QStringLiteral("ab\r\n"));
    EXPECT_EQ(cell->RequiredHeight, 32 + 2 + 2); // the final empty line counts
    cell->SetTopLineWidth(3);
    EXPECT_EQ(cell->RequiredHeight, 32 + 2 + 4);
    cell->SetWidth(4); // stored as 10, too narrow for text
    EXPECT_EQ(cell->CellWidth(), 10);
    EXPECT_EQ(cell->RequiredHeight, 3 + 1 + 18);
}

TEST_F(ReportControlTest, LinesPackFromLeftMarginAndStack) {
    Build(3, 2);
    EXPECT_EQ(Cell(0, 0)->CellLeft(), 77);
    EXPECT_EQ(Cell(0, 2)->CellLeft(), 277);
    EXPECT_EQ(control.Lines[1]->LineTop(), 77 + 20);
    control.Lines[0]->RemoveCell(Cell(0, 1));
    control.UpdateLines();
    EXPECT_EQ(Cell(0, 1)->CellLeft(), 177);
    EXPECT_EQ(Cell(0, 1)->CellIndex, 1);
    EXPECT_EQ(control.Lines[0]->LineRect, (TRect{77, 77, 277, 97}));
}

TEST_F(ReportControlTest, UserHeightNeverBelowContent) {
    Build(1, 1);
    TReportLine& line = *control.Lines[0];
    line.SetUserHeight(5);
    control.UpdateLines();
    EXPECT_EQ(line.Height(), 20);
    line.SetUserHeight(60);
    control.UpdateLines();
    TReportCell* cell = Cell(0, 0);
    EXPECT_EQ(cell->CellRect, (TRect{77, 77, 177, 137}));
    // middle: text box moved down by half of the 40 spare pixels
    EXPECT_EQ(cell->TextRect, (TRect{83, 77 + 2 + 20, 171, 77 + 18 + 20}));
    cell->VertAlign = 2;
    cell->CalcRects();
    EXPECT_EQ(cell->TextRect.Top, 77 + 2 + 40);
    cell->VertAlign = 0;
    cell->CalcRects();
    EXPECT_EQ(cell->TextRect.Top, 77 + 2);
}

TEST_F(ReportControlTest, OwnerTextGrowsLowestLineOfMergedArea) {
    Build(2, 3);
    TReportCell* owner = Cell(0, 0);
    owner->AddMergedCell(Cell(1, 0));
    owner->AddMergedCell(Cell(2, 0));
    // ten lines of text: 160 + 4 pixels over three lines of 20
    owner->SetCellText(QStringLiteral("%1").arg(QString(90, QLatin1Char('x'))));
    control.UpdateLines();
    EXPECT_EQ(control.Lines[0]->Height(), 20);
    EXPECT_EQ(control.Lines[1]->Height(), 20);
    EXPECT_EQ(control.Lines[2]->Height(), 164 - 40);
    EXPECT_EQ(owner->CellRect, (TRect{77, 77, 177, 77 + 164}));
    // the text box of an owner reaches one pixel further right
    EXPECT_EQ(owner->TextRect.Right, 177 - 5);
}

TEST_F(ReportControlTest, HitTestFindsMergeOwnerAndNothingOutside) {
    Build(2, 2);
    Cell(0, 0)->AddMergedCell(Cell(1, 0));
    control.UpdateLines();
    EXPECT_EQ(control.CellAt({80, 100}), Cell(0, 0)); // inside the merged cell's line
    EXPECT_EQ(control.CellAt({177, 80}), Cell(0, 1)); // left edge belongs to the cell
    EXPECT_EQ(control.CellAt({277, 80}), nullptr);    // right edge does not
    EXPECT_EQ(control.CellAt({10, 10}), nullptr);
}

TEST_F(ReportControlTest, MarginsRoundHalvesToEvenAndRepeatIsNoOp) {
    Build(1, 1);
    int repaints = 0;
    control.OnInvalidate = [&](const TRect&) { ++repaints; };
    control.SetMargins(20, 10, 10, 15);
    EXPECT_EQ(control.LeftMarginPx, 72);   // 72.19
    EXPECT_EQ(control.TopMarginPx, 35);    // 34.92
    EXPECT_EQ(control.BottomMarginPx, 52); // 52.37
    EXPECT_EQ(Cell(0, 0)->CellLeft(), 72);
    EXPECT_EQ(control.GetMargins(), (std::array<int32_t, 4>{20, 10, 10, 15}));
    repaints = 0;
    control.SetMargins(20, 10, 10, 15);
    EXPECT_EQ(repaints, 0);
}

TEST_F(ReportControlTest, CopyFromJoinsOwnerBesideOrAtEnd) {
    Build(1, 3);
    TReportCell* owner = Cell(0, 0);
    owner->AddMergedCell(Cell(1, 0));
    owner->AddMergedCell(Cell(2, 0));
    TReportLine* extra = control.AppendLine();
    TReportCell* beside = extra->AppendCell();
    beside->CopyFrom(*Cell(2, 0), true);
    TReportCell* atEnd = extra->AppendCell();
    atEnd->CopyFrom(*Cell(1, 0), false);
    EXPECT_EQ(owner->MergedCells,
              (std::vector<TReportCell*>{Cell(1, 0), beside, Cell(2, 0), atEnd}));
    EXPECT_EQ(beside->MergeOwner, owner);
}

TEST_F(ReportControlTest, MergingMovesTextAndInnerCells) {
    Build(1, 3);
    Cell(0, 0)->SetCellText(QStringLiteral("甲"));
    Cell(1, 0)->SetCellText(QStringLiteral("乙"));
    Cell(1, 0)->AddMergedCell(Cell(2, 0));
    Cell(0, 0)->AddMergedCell(Cell(1, 0));
    EXPECT_EQ(Cell(0, 0)->Text(), QStringLiteral("甲乙"));
    EXPECT_TRUE(Cell(1, 0)->Text().isEmpty());
    EXPECT_EQ(Cell(2, 0)->MergeOwner, Cell(0, 0));
    EXPECT_TRUE(Cell(1, 0)->MergedCells.empty());
    Cell(0, 0)->ReleaseMergedCells();
    EXPECT_EQ(Cell(2, 0)->MergeOwner, nullptr);
}

TEST_F(ReportControlTest, FreedCellsLeaveNoReferences) {
    Build(2, 2);
    Cell(0, 0)->AddMergedCell(Cell(1, 0));
    control.SelectCell(Cell(0, 1));
    control.EditingCell = Cell(0, 1);
    control.Lines[0]->RemoveCell(Cell(0, 1));
    EXPECT_EQ(control.LastSelected, nullptr);
    EXPECT_EQ(control.EditingCell, nullptr);
    EXPECT_TRUE(control.Selection.empty());
    TReportCell* merged = Cell(1, 0);
    control.Lines[0]->RemoveCell(Cell(0, 0));
    EXPECT_EQ(merged->MergeOwner, nullptr);
    control.SelectCell(merged);
    control.ClearTable();
    EXPECT_EQ(control.LastSelected, nullptr);
}

TEST(ReportLineTest, CreateCellsRoundsWidthsAndIgnoresZeroCount) {
    FakeMeasurer measurer;
    TReportLine line(nullptr, &measurer);
    line.CreateCells(10, 0, 100);
    EXPECT_TRUE(line.Cells.empty());
    line.CreateCells(10, 3, 100);
    ASSERT_EQ(line.Cells.size(), 3u);
    EXPECT_EQ(line.Cells[2]->CellLeft(), 10 + 33 * 2);
    line.UpdateHeight(); // no control: the first cell keeps its left edge
    EXPECT_EQ(line.Cells[0]->CellLeft(), 10);
}

TEST(QtTextMeasurerTest, WrapsLongWordsAndCountsLineBreaks) {
    TQtTextMeasurer measurer;
    const TLogFont font = TLogFont::Default();
    const int one = measurer.TextHeight(font, QStringLiteral("汉"), 200);
    ASSERT_GT(one, 0);
    EXPECT_EQ(measurer.TextHeight(font, QStringLiteral("汉\r\n汉"), 200), 2 * one);
    EXPECT_EQ(measurer.TextHeight(font, QStringLiteral("汉\r\n"), 200), one);
    // one unbroken word wider than the cell still wraps
    EXPECT_GE(measurer.TextHeight(font, QString(40, QLatin1Char('W')), 100), 3 * one);
}

} // namespace
} // namespace kx
