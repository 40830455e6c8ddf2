#include "grid/dbgrid/dbgridproperties.h"

#include "grid/dbgrid/dbgridselection.h"
#include "tests/grid/dbgrid/servicegridfixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace kx::test {
namespace {

class GridPropertiesTest : public ServiceGridTest {};

TEST_F(GridPropertiesTest, RowColoursFollowTheGridUntilSet) {
    OpenGrid();
    grid_.SetColor(ui::clWhite);
    EXPECT_EQ(grid_.EvenRowColor(), ui::clWhite);
    EXPECT_FALSE(grid_.EvenRowColorSet());

    constexpr ui::TColor lightGreen = 14744728;
    grid_.SetEvenRowColor(lightGreen);
    EXPECT_EQ(grid_.EvenRowColor(), lightGreen);
    EXPECT_TRUE(grid_.EvenRowColorSet());
    grid_.SetColor(ui::clYellow);
    EXPECT_EQ(grid_.EvenRowColor(), lightGreen);
    EXPECT_EQ(grid_.OddRowColor(), ui::clYellow);

    grid_.SetOddRowColor(grid_.OddRowColor());
    EXPECT_TRUE(grid_.OddRowColorSet()) << "the same colour still counts as set";
    grid_.SetColor(ui::clWhite);
    EXPECT_EQ(grid_.OddRowColor(), ui::clYellow);
}

struct ModifyCase {
    bool empty;
    bool inserting;
    TDBGridAllowedOperations allowed;
    bool canModify;
};

TEST_F(GridPropertiesTest, TheCurrentRecordChangesOnlyAsAllowed) {
    OpenGrid();
    const ModifyCase cases[] = {
        {true, false, alopUpdateX, false},
        {true, false, alopUpdateX | alopAppendX, true},
        {true, false, alopUpdateX | alopInsertX, true},
        {false, false, alopUpdateX, true},
        {false, false, alopInsertX | alopAppendX, false},
        {false, true, 0, true},
    };
    for (const ModifyCase& c : cases) {
        query_.Cancel();
        Exec({"DELETE FROM SVC_TEST"});
        if (!c.empty)
            NumberedRows(2);
        query_.Close();
        query_.Open();
        if (c.inserting)
            query_.Insert();
        grid_.SetAllowedOperations(c.allowed);
        EXPECT_EQ(grid_.CanModifyRecord(), c.canModify) << c.empty << c.inserting << int(c.allowed);
    }
    query_.Cancel();
    query_.Close();
    EXPECT_FALSE(grid_.CanModifyRecord());
}

TEST_F(GridPropertiesTest, PastingTextNeedsUpdatesUnlessInserting) {
    NumberedRows(2);
    OpenGrid();
    QApplication::clipboard()->clear();
    EXPECT_FALSE(grid_.CanPasteSelection()) << "nothing to paste";
    QApplication::clipboard()->setText(QStringLiteral("x"));
    EXPECT_TRUE(grid_.CanPasteSelection());

    grid_.SetAllowedOperations(alopInsertX | alopAppendX);
    EXPECT_FALSE(grid_.CanPasteSelection());
    query_.Insert();
    EXPECT_TRUE(grid_.CanPasteSelection());
    query_.Cancel();

    grid_.SetAllowedOperations(alopUpdateX);
    grid_.SetReadOnly(true);
    EXPECT_FALSE(grid_.CanPasteSelection());
}

TEST_F(GridPropertiesTest, SelectAllNeedsRecordsAndTheKind) {
    OpenGrid();
    EXPECT_FALSE(grid_.CanSelectAll());
    NumberedRows(1);
    query_.Close();
    query_.Open();
    EXPECT_TRUE(grid_.CanSelectAll());
    grid_.SetAllowedSelections(SelectionTypeBit(gstRecordBookmarks));
    EXPECT_FALSE(grid_.CanSelectAll());
}

TEST(GridEditActions, StandardActionsAreKnownByTheirShortcuts) {
    QAction copy;
    copy.setShortcut(QKeySequence::Copy);
    EXPECT_EQ(EditActionKind(&copy), geaCopyX);
    QAction selectAll;
    selectAll.setShortcut(QKeySequence::SelectAll);
    EXPECT_EQ(EditActionKind(&selectAll), geaSelectAllX);
    QAction other;
    EXPECT_EQ(EditActionKind(&other), 0);
    other.setShortcut(QKeySequence(Qt::Key_F5));
    EXPECT_EQ(EditActionKind(&other), 0);
}

// A frozen column at grid index 1 whose right edge lies at x = 100.
TFrozenSizingGeometry FrozenGeometry(int lineWidth) {
    TFrozenSizingGeometry geometry;
    geometry.ClientWidth = 400;
    geometry.DrawnWidth = 400;
    geometry.TitleBottom = 20;
    geometry.LineWidth = lineWidth;
    geometry.IndicatorWidth = 11 + lineWidth;
    geometry.FirstFrozen = 1;
    geometry.FrozenWidths = {100 - 11 - lineWidth, 60};
    return geometry;
}

TEST(FrozenSizing, TheBorderBandAroundTheGridLine) {
    const struct {
        int lineWidth;
        int x;
        bool sizing;
    } cases[] = {{1, 96, false}, {1, 97, true},  {1, 100, true}, {1, 104, true}, {1, 105, false},
                 {9, 99, false}, {9, 100, true}, {9, 109, true}, {9, 110, false}};
    for (const auto& c : cases) {
        const TFrozenSizingHit hit = CalcFrozenSizing(FrozenGeometry(c.lineWidth), c.x, 5);
        EXPECT_EQ(hit.Sizing, c.sizing) << c.lineWidth << " at " << c.x;
        if (hit.Sizing) {
            EXPECT_EQ(hit.Index, 1);
            EXPECT_EQ(hit.SizingPos, 100);
            EXPECT_EQ(hit.SizingOfs, 100 - c.x);
        }
    }
    EXPECT_FALSE(CalcFrozenSizing(FrozenGeometry(1), 100, 20).Sizing) << "below the titles";
    EXPECT_TRUE(CalcFrozenSizing(FrozenGeometry(1), 161, 5).Sizing) << "the second column";
}

TEST(FrozenSizing, AColumnCutByTheClientEdgeIsSizedThere) {
    TFrozenSizingGeometry geometry = FrozenGeometry(1);
    geometry.ClientWidth = 150;
    geometry.DrawnWidth = 150;
    const TFrozenSizingHit hit = CalcFrozenSizing(geometry, 148, 5);
    EXPECT_TRUE(hit.Sizing);
    EXPECT_EQ(hit.SizingPos, 150);
    EXPECT_EQ(hit.SizingOfs, 2);
    EXPECT_FALSE(CalcFrozenSizing(geometry, 140, 5).Sizing);
}

TEST_F(GridPropertiesTest, AFlatGridDrawsAPlainOnePixelBorder) {
    OpenGrid();
    EXPECT_EQ(grid_.FlatBorderWidth(), 0);
    grid_.SetFlat(true);
    EXPECT_EQ(grid_.FlatBorderWidth(), 1);
    EXPECT_EQ(grid_.frameShadow(), QFrame::Plain);
    EXPECT_EQ(grid_.frameWidth(), 1);
    EXPECT_EQ(grid_.TextPadding(), 2);
    grid_.SetFlat(false);
    EXPECT_EQ(grid_.FlatBorderWidth(), 0);
    EXPECT_EQ(grid_.frameShadow(), QFrame::Sunken);
}

TEST_F(GridPropertiesTest, RowSizingOnlyInTheIndicator) {
    NumberedRows(5);
    OpenGrid();
    grid_.SetRowSizingAllowed(true);
    TGridLayoutX layout;
    grid_.CalcDrawInfo(layout);
    const ui::TRect cell = grid_.CellRect(2, 2);
    TGridStateX state = gsNormal;
    int index = 0;
    int pos = 0;
    int ofs = 0;
    grid_.CalcSizingState(cell.Left + 5, cell.Bottom, layout, state, index, pos, ofs);
    EXPECT_EQ(state, gsNormal);
    const ui::TRect indicator = grid_.CellRect(0, 2);
    grid_.CalcSizingState(indicator.Left + 3, indicator.Bottom, layout, state, index, pos, ofs);
    EXPECT_EQ(state, gsRowSizing);
}

// ---- Edit actions ------------------------------------------------------

class GridEditActionTest : public ServiceGridTest {
protected:
    GridEditActionTest() {
        NumberedRows(3);
        OpenGrid();
        grid_.SetOptions(grid_.Options() | dgMultiSelect);
    }
    ~GridEditActionTest() override { GridClipboardCommands = {}; }

    void Select(TDBGridSelectionType kind) {
        grid_.Selection().Clear();
        switch (kind) {
        case gstRecordBookmarks:
            grid_.SelectedRows().MarkCurrentRow(true);
            break;
        case gstRectangle:
            grid_.Selection().Rect().Select(1, query_.Bookmark(), false);
            grid_.Selection().Rect().Select(2, query_.Bookmark(), true);
            break;
        case gstColumns:
            grid_.Selection().Columns().Select(Column(QStringLiteral("NAME")), false);
            break;
        case gstAll:
            grid_.Selection().SelectAll();
            break;
        default:
            break;
        }
        ASSERT_EQ(int(grid_.Selection().SelectionType()), int(kind));
    }
};

TEST_F(GridEditActionTest, DeletingRecordsNeedsDeletesAndClearingCellsUpdates) {
    const struct {
        TDBGridSelectionType kind;
        TDBGridAllowedOperations allowed;
        bool canDelete;
    } cases[] = {
        {gstNon, alopDeleteX | alopUpdateX, false},
        {gstRecordBookmarks, alopDeleteX, true},
        {gstRecordBookmarks, alopUpdateX, false},
        {gstAll, alopDeleteX, true},
        {gstAll, alopUpdateX, false},
        {gstRectangle, alopUpdateX, true},
        {gstRectangle, alopDeleteX, false},
        {gstColumns, alopUpdateX, true},
        {gstColumns, alopDeleteX, false},
    };
    for (const auto& c : cases) {
        Select(c.kind);
        grid_.SetAllowedOperations(c.allowed);
        EXPECT_EQ(grid_.CanDeleteSelection(), c.canDelete) << int(c.kind) << " " << int(c.allowed);
        EXPECT_EQ(grid_.CanCopySelection(), c.kind != gstNon) << int(c.kind);
        EXPECT_EQ(grid_.CanCutSelection(), c.canDelete && c.kind != gstNon) << int(c.kind);
    }
    Select(gstAll);
    grid_.SetAllowedOperations(alopDeleteX);
    grid_.SetReadOnly(true);
    EXPECT_FALSE(grid_.CanDeleteSelection());
    EXPECT_TRUE(grid_.CanCopySelection());
}

TEST_F(GridEditActionTest, ActionsRunOnlyWhenOfferedPossibleAndFocused) {
    grid_.show();
    grid_.activateWindow();
    grid_.setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(grid_.GridOrEditorFocused());

    int copies = 0;
    GridClipboardCommands.Cut = nullptr;
    GridClipboardCommands.Copy = [&copies](TCustomDBGridX*, bool wholeGrid) {
        EXPECT_FALSE(wholeGrid);
        ++copies;
    };
    QAction copy;
    copy.setShortcut(QKeySequence::Copy);
    QAction selectAll;
    selectAll.setShortcut(QKeySequence::SelectAll);
    QAction cut;
    cut.setShortcut(QKeySequence::Cut);

    EXPECT_FALSE(grid_.ExecuteAction(&selectAll)) << "the grid offers no actions yet";
    grid_.SetEditActions(geaCopyX | geaSelectAllX | geaCutX);
    EXPECT_FALSE(grid_.ExecuteAction(&copy)) << "nothing selected";
    EXPECT_TRUE(grid_.UpdateAction(&copy));
    EXPECT_FALSE(copy.isEnabled());

    EXPECT_TRUE(grid_.ExecuteAction(&selectAll));
    EXPECT_EQ(grid_.Selection().SelectionType(), gstAll);
    EXPECT_TRUE(grid_.UpdateAction(&copy));
    EXPECT_TRUE(copy.isEnabled());
    EXPECT_TRUE(grid_.ExecuteAction(&copy));
    EXPECT_EQ(copies, 1);

    EXPECT_TRUE(grid_.UpdateAction(&cut));
    EXPECT_FALSE(cut.isEnabled()) << "no cut command in the program";
    EXPECT_FALSE(grid_.ExecuteAction(&cut));

    grid_.clearFocus();
    QCoreApplication::processEvents();
    EXPECT_FALSE(grid_.ExecuteAction(&copy));
    EXPECT_EQ(copies, 1);
}

} // namespace
} // namespace kx::test
