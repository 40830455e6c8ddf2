// Tool tips over cut cells: where the tip goes, when a text counts as cut,
// and which cells of a grid show one.

#include "tests/grid/dbgrid/cursorgridfixture.h"
#include "tests/grid/dbgrid/servicegridfixture.h"

#include "grid/dbgrid/tooltipplacement.h"

namespace kx::test {
namespace {

TEST(ToolTipPlacementTest, TipsGoOverTheCellWhereItsTextStands) {
    struct Case {
        const char* Name;
        TToolTipCell Cell;
        bool Shown;
        QPoint Position;
    };
    const ui::TRect r{100, 40, 180, 60};
    const Case cases[] = {
        {"fits", {r, 180, db::taLeftJustify, 50, true, false, false, 500}, false, {}},
        {"cut, left", {r, 180, db::taLeftJustify, 120, false, false, false, 500}, true, {99, 39}},
        {"cut, flat", {r, 180, db::taLeftJustify, 120, false, true, false, 500}, true, {99, 38}},
        {"cut, right",
         {r, 180, db::taRightJustify, 120, false, false, false, 500},
         true,
         {180 - 120 - 6, 39}},
        // Right-aligned and fitting, but the column runs on past the grid's
        // edge: its right end is hidden.
        {"right end hidden",
         {r, 230, db::taRightJustify, 50, true, false, false, 500},
         true,
         {230 - 50 - 6, 39}},
        {"right end shown", {r, 182, db::taRightJustify, 50, true, false, false, 500}, false, {}},
        {"cut, centred",
         {r, 180, db::taCenter, 121, false, false, false, 500},
         true,
         {180 - 61 - 38 - 5, 39}},
        {"cut, right to left",
         {r, 180, db::taLeftJustify, 120, false, false, true, 500},
         true,
         {500 - 99, 39}},
    };
    for (const Case& c : cases) {
        QPoint position;
        EXPECT_EQ(PlaceCellToolTip(c.Cell, position), c.Shown) << c.Name;
        if (c.Shown) {
            EXPECT_EQ(position, c.Position) << c.Name;
        }
    }
}

TEST(ToolTipPlacementTest, OneLetterMoreThanTheCellHoldsOverflows) {
    const QFont font;
    const QString text = QStringLiteral("Payment");
    int width = 0;
    int height = 0;
    EXPECT_FALSE(HintTextOverflows(font, 0, false, {0, 0, 1000, 1000}, text, 4, width, height));
    const ui::TRect rect{0, 0, width + 2, height + 3};
    int textWidth = 0;
    int textHeight = 0;
    EXPECT_FALSE(HintTextOverflows(font, 0, false, rect, text, 4, textWidth, textHeight));
    EXPECT_EQ(textWidth, width);
    EXPECT_TRUE(HintTextOverflows(font, 0, false, rect, text + u'W', 4, textWidth, textHeight));
    // Wrapped into two lines it no longer fits the height of one.
    EXPECT_TRUE(HintTextOverflows(font, 2, true, rect, text + QStringLiteral(" Payment"), 4,
                                  textWidth, textHeight));
}

class CursorHintTest : public CursorGridTest {};

TEST_F(CursorHintTest, ACutDataCellShowsItsWholeTextAtOnce) {
    Fill({{1, QStringLiteral("Short"), true},
          {1, QStringLiteral("A name far too long for the narrow column"), true}});
    CursorGrid& grid = Open();
    data_.SetTreeView(false);
    TColumnX* column = grid.Columns()->GetColumn(0);
    column->SetWidth(80);
    const auto middle = [&](int dataRow) {
        const ui::TRect rect = grid.CellRect(1, dataRow + grid.TitleOffset());
        return QPoint(rect.Left + 10, (rect.Top + rect.Bottom) / 2);
    };
    TCellHintInfo info;
    // Without ToolTips the usual pause and no tip.
    EXPECT_GT(grid.HintShowPause(middle(1)), 0);
    EXPECT_FALSE(grid.CellHintInfo(middle(1), info));

    column->SetToolTips(true);
    EXPECT_EQ(grid.HintShowPause(middle(1)), 0);
    ASSERT_TRUE(grid.CellHintInfo(middle(1), info));
    EXPECT_TRUE(info.ToolTip);
    EXPECT_EQ(info.Text, "A name far too long for the narrow column");
    const ui::TRect cell = grid.CellRect(1, 1 + grid.TitleOffset());
    EXPECT_EQ(info.Position, QPoint(cell.Left - 1, cell.Top - 1));
    EXPECT_EQ(info.CursorRect, cell);
    EXPECT_FALSE(grid.CellHintInfo(middle(0), info));

    // A title's hint shows its short part, after the usual pause.
    column->Title()->Hint = QStringLiteral("Account name|The name of the account");
    column->Title()->SetToolTips(true);
    const ui::TRect title = grid.CellRect(1, 0);
    const QPoint titlePoint(title.Left + 5, title.Top + 3);
    EXPECT_GT(grid.HintShowPause(titlePoint), 0);
    ASSERT_TRUE(grid.CellHintInfo(titlePoint, info));
    EXPECT_FALSE(info.ToolTip);
    EXPECT_EQ(info.Text, "Account name");
}

TEST_F(CursorHintTest, TheTipStartsAfterTheTreeIndentation) {
    Fill({{1, QStringLiteral("Top"), true},
          {2, QStringLiteral("Second"), true},
          {3, QStringLiteral("A child name far too long for the column"), true}});
    CursorGrid& grid = Open();
    TColumnX* column = grid.Columns()->GetColumn(0);
    column->SetWidth(120);
    column->SetToolTips(true);
    const ui::TRect cell = grid.CellRect(1, 2 + grid.TitleOffset());
    const int y = (cell.Top + cell.Bottom) / 2;
    TCellHintInfo info;
    // Over the indentation there is no text to show.
    EXPECT_FALSE(grid.CellHintInfo({cell.Left + 20, y}, info));
    ASSERT_TRUE(grid.CellHintInfo({cell.Left + 60, y}, info));
    EXPECT_EQ(info.Position.x(), cell.Left + 54 - 1);
}

using EmptyRowHintTest = ServiceGridTest;

// The empty ruled rows below the records hold no data cell to show.
TEST_F(EmptyRowHintTest, EmptyRowsShowNoTip) {
    Rows({"1, 'A text that the narrow column cuts off', 1, '2026-01-01', 'Y'"});
    ServiceGrid& grid = OpenGrid();
    grid.ShowEmptyRows = true;
    grid.LayoutChanged();
    TColumnX* column = Column(QStringLiteral("NAME"));
    column->SetWidth(40);
    column->SetToolTips(true);
    const int col = grid.DataToRawColumn(column->Index());
    const ui::TRect first = grid.CellRect(col, grid.TitleOffset());
    const ui::TRect empty = grid.CellRect(col, grid.TitleOffset() + 3);
    TCellHintInfo info;
    EXPECT_EQ(grid.HintShowPause({first.Left + 5, first.Top + 5}), 0);
    EXPECT_TRUE(grid.CellHintInfo({first.Left + 5, first.Top + 5}, info));
    ASSERT_FALSE(empty.IsEmpty());
    EXPECT_GT(grid.HintShowPause({empty.Left + 5, empty.Top + 5}), 0);
    EXPECT_FALSE(grid.CellHintInfo({empty.Left + 5, empty.Top + 5}, info));
}

} // namespace
} // namespace kx::test
