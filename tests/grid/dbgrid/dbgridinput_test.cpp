// Key and mouse scripts over a data-aware grid on a live query.

#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/columntitlex.h"
#include "platform/db/field.h"
#include "platform/ui/messagedialog.h"
#include "tests/grid/dbgrid/dbgridinputfixture.h"

#include <QFontMetrics>
#include <QScopeGuard>
#include <QTest>

#include <gtest/gtest.h>

namespace kx::test {
namespace {

class InputTest : public DBGridInputTest {
protected:
    InputGrid& ShowGrid(int rows, TDBGridOptions add = 0, TDBGridOptions remove = 0) {
        OpenGrid(rows);
        grid_.SetOptions((grid_.Options() | add) & ~remove);
        grid_.show();
        grid_.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&grid_));
        grid_.setFocus();
        return grid_;
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(&grid_, static_cast<Qt::Key>(key), modifiers);
    }

    QPoint CellCenter(int col, int row) const {
        return grid_.CellRect(col, row).ToQRect().center();
    }

    void Click(int col, int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(grid_.viewport(), Qt::LeftButton, modifiers, CellCenter(col, row));
    }

    void Press(QPoint at) { QTest::mousePress(grid_.viewport(), Qt::LeftButton, {}, at); }
    void MoveTo(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, grid_.viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(grid_.viewport(), &move);
    }
    void Release(QPoint at) { QTest::mouseRelease(grid_.viewport(), Qt::LeftButton, {}, at); }

    std::vector<int> MarkedIds() {
        std::vector<int> ids;
        TBookmarkListX& rows = grid_.SelectedRows();
        for (int i = 0; i < rows.BookmarkCount(); ++i) {
            query_.GotoBookmark(rows.ItemAt(i));
            ids.push_back(CurrentId());
        }
        return ids;
    }

    // Answers every message box, recording its text.
    void AnswerBoxes(bool yes) {
        ui::SetMessageSink([this, yes](const ui::MessageRequest& request) {
            boxes_.append(request.text);
            return yes;
        });
    }
    ~InputTest() override { ui::SetMessageSink({}); }

    QStringList boxes_;
};

TEST_F(InputTest, RowSelectKeysMoveThroughRecordsAndScrollColumnsSideways) {
    ShowGrid(40, dgRowSelect);
    grid_.resize(200, 300);
    const int page = grid_.VisibleDataRowCount();
    ASSERT_GT(page, 2);
    struct Step {
        int key;
        Qt::KeyboardModifiers modifiers;
        int id;
    };
    for (const Step& step :
         {Step{Qt::Key_Down, {}, 2}, Step{Qt::Key_Down, {}, 3}, Step{Qt::Key_Up, {}, 2},
          Step{Qt::Key_PageDown, {}, 2 + page}, Step{Qt::Key_PageUp, {}, 2},
          Step{Qt::Key_End, {}, 40}, Step{Qt::Key_Down, {}, 40}, Step{Qt::Key_Home, {}, 1},
          Step{Qt::Key_Up, {}, 1}, Step{Qt::Key_End, Qt::ControlModifier, 40},
          Step{Qt::Key_Home, Qt::ControlModifier, 1}}) {
        Key(step.key, step.modifiers);
        EXPECT_EQ(CurrentId(), step.id) << "key " << step.key;
        EXPECT_EQ(grid_.Row(), grid_.DataLink()->ActiveRecord() + grid_.TitleOffset());
    }
    EXPECT_EQ(query_.RecordCount(), 40) << "a grid without editing appends nothing";

    const int left = grid_.LeftCol();
    Key(Qt::Key_Right);
    EXPECT_EQ(grid_.LeftCol(), left + 1);
    EXPECT_EQ(CurrentId(), 1) << "sideways keys leave the record alone";
    Key(Qt::Key_Left);
    Key(Qt::Key_Left);
    EXPECT_EQ(grid_.LeftCol(), left) << "never past the fixed columns";
}

TEST_F(InputTest, CellKeysMoveColumnsAndTabWrapsOverRecords) {
    ShowGrid(5, 0, dgEditing);
    const int first = grid_.IndicatorOffset();
    const int last = grid_.ColCount() - 1;
    Key(Qt::Key_Right);
    EXPECT_EQ(grid_.Col(), first + 1);
    Key(Qt::Key_End);
    EXPECT_EQ(grid_.Col(), last);
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid_.Col(), first);
    EXPECT_EQ(CurrentId(), 2) << "Tab past the last column goes to the next record";
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(grid_.Col(), last);
    EXPECT_EQ(CurrentId(), 1);
    Key(Qt::Key_Home);
    EXPECT_EQ(grid_.Col(), first);
    grid_.SetOptionsX(grid_.OptionsX() | dghEnterAsTab);
    Key(Qt::Key_Return);
    EXPECT_EQ(grid_.Col(), first + 1) << "Enter moves as Tab does";
    Key(Qt::Key_Home);

    grid_.Columns()->GetColumn(1)->SetVisible(false);
    Key(Qt::Key_Right);
    EXPECT_EQ(grid_.RawToDataColumn(grid_.Col()), 2) << "a hidden column is skipped";

    for (int col = first; col <= last; ++col)
        grid_.SetTabStops(col, false);
    const int col = grid_.Col();
    Key(Qt::Key_Tab);
    EXPECT_EQ(CurrentId(), 2) << "with no tab stop Tab moves to the next record";
    EXPECT_EQ(grid_.Col(), col);
}

TEST_F(InputTest, DownAppendsAtTheEndAndUpCancelsTheUntouchedRecord) {
    ShowGrid(3);
    int colExits = 0;
    grid_.OnColExit = [&colExits](TCustomDBGridX*) { ++colExits; };
    Key(Qt::Key_End, Qt::ControlModifier);
    Key(Qt::Key_Down);
    EXPECT_EQ(query_.State(), db::dsInsert);
    Key(Qt::Key_Down);
    EXPECT_EQ(query_.State(), db::dsInsert) << "an empty new record at the end stays";
    Key(Qt::Key_Up);
    EXPECT_EQ(query_.State(), db::dsBrowse);
    EXPECT_EQ(query_.RecordCount(), 3);
    EXPECT_EQ(CurrentId(), 3);
    Key(Qt::Key_Down);
    Key(Qt::Key_Escape);
    EXPECT_EQ(query_.State(), db::dsBrowse) << "Esc cancels the new record";
    EXPECT_EQ(query_.RecordCount(), 3);

    grid_.SetAllowedOperations(alopInsertX | alopUpdateX | alopDeleteX);
    Key(Qt::Key_Down);
    EXPECT_EQ(query_.State(), db::dsBrowse) << "appending is not allowed";
    EXPECT_EQ(colExits, 0);
}

TEST_F(InputTest, CtrlDeleteDeletesOnlyWhereTheGridIsToldTo) {
    ShowGrid(5, dgRowSelect | dgMultiSelect);
    AnswerBoxes(true);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(query_.RecordCount(), 5) << "no delete of its own by default";
    EXPECT_TRUE(boxes_.isEmpty());

    grid_.KeyDeletesRecords = true;
    struct Case {
        std::vector<int> marked;
        bool yes;
        QString question;
        int countAfter;
    };
    for (const Case& c : {Case{{}, false, "Delete record?", 5}, Case{{}, true, "Delete record?", 4},
                          Case{{3}, true, "Delete record?", 3},
                          Case{{4, 5}, true, "Delete all selected records?", 1}}) {
        boxes_.clear();
        AnswerBoxes(c.yes);
        for (int id : c.marked) {
            ASSERT_TRUE(query_.Locate(QStringLiteral("ID"), id));
            grid_.SelectedRows().MarkCurrentRow(true);
        }
        query_.First();
        Key(Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(boxes_, QStringList{c.question});
        EXPECT_EQ(query_.RecordCount(), c.countAfter);
        for (int id : c.marked)
            EXPECT_FALSE(query_.Locate(QStringLiteral("ID"), id)) << id;
    }
    query_.First();
    EXPECT_EQ(CurrentId(), 2) << "the first record went with the first yes";
}

TEST_F(InputTest, ShiftArrowsExtendAndTakeBackARecordSelection) {
    ShowGrid(6, dgRowSelect | dgMultiSelect);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(MarkedIds(), (std::vector<int>{2, 3}));
    query_.Locate(QStringLiteral("ID"), 3);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(MarkedIds(), (std::vector<int>{2}));
    EXPECT_EQ(grid_.Selection().SelectionType(), gstRecordBookmarks);
    query_.Locate(QStringLiteral("ID"), 2);
    Key(Qt::Key_Down);
    EXPECT_TRUE(MarkedIds().empty()) << "a plain move clears the selection";
    EXPECT_EQ(grid_.Selection().SelectionType(), gstNon);
}

TEST_F(InputTest, ShiftArrowsInCellModeSpanARectangle) {
    ShowGrid(6, dgMultiSelect, dgEditing);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_EQ(grid_.Selection().SelectionType(), gstRectangle);
    EXPECT_EQ(grid_.Selection().Rect().GetLeftCol(), 1);
    EXPECT_EQ(grid_.Selection().Rect().GetRightCol(), 2);
    EXPECT_EQ(grid_.Selection().CoveredGridRect(), (TGridRect{2, 1, 3, 2}));
}

TEST_F(InputTest, ClicksMoveTheRecordAndShiftClickSelectsTheRange) {
    ShowGrid(6, dgRowSelect | dgMultiSelect);
    grid_.ShowEmptyRows = true;
    Click(2, 3);
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_EQ(MarkedIds(), (std::vector<int>{3}));
    Click(2, 6, Qt::ShiftModifier);
    EXPECT_EQ(MarkedIds(), (std::vector<int>{3, 4, 5, 6}));
    EXPECT_EQ(CurrentId(), 6);
    Click(2, 1, Qt::ControlModifier);
    EXPECT_EQ(MarkedIds(), (std::vector<int>{1, 3, 4, 5, 6}));
    Click(2, 2);
    EXPECT_EQ(MarkedIds(), (std::vector<int>{2})) << "a plain click starts afresh";
}

TEST_F(InputTest, DraggingOverRowsSelectsRecordsAndOverCellsARectangle) {
    ShowGrid(8, dgRowSelect | dgMultiSelect);
    Press(CellCenter(2, 1));
    MoveTo(CellCenter(2, 4));
    Release(CellCenter(2, 4));
    EXPECT_EQ(MarkedIds(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(grid_.TrackingMode(), 0);

    grid_.SetOptions(grid_.Options() & ~dgRowSelect);
    Press(CellCenter(2, 2));
    EXPECT_EQ(grid_.TrackingMode(), 3);
    MoveTo(CellCenter(4, 3));
    Release(CellCenter(4, 3));
    ASSERT_EQ(grid_.Selection().SelectionType(), gstRectangle);
    EXPECT_EQ(grid_.Selection().CoveredGridRect(), (TGridRect{2, 2, 4, 3}));

    // A right click keeps a selection it lands on and clears one it misses.
    QTest::mouseClick(grid_.viewport(), Qt::RightButton, {}, CellCenter(3, 3));
    EXPECT_EQ(grid_.Selection().SelectionType(), gstRectangle);
    QTest::mouseClick(grid_.viewport(), Qt::RightButton, {}, CellCenter(6, 5));
    EXPECT_EQ(grid_.Selection().SelectionType(), gstNon);
}

TEST_F(InputTest, AClickBelowTheLastRecordGoesToTheLastRecord) {
    ShowGrid(3, dgRowSelect);
    grid_.ShowEmptyRows = true;
    grid_.LayoutChanged();
    ASSERT_GT(grid_.RowCount(), 6) << "empty rows are shown";
    int cellClicks = 0;
    grid_.OnCellClick = [&cellClicks](TColumnX*) { ++cellClicks; };
    Click(2, 2);
    EXPECT_EQ(CurrentId(), 2);
    Click(2, 6);
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_EQ(cellClicks, 2);
}

TEST_F(InputTest, TitleClicksCycleSortMarkersAndCtrlKeepsTheOthers) {
    ShowGrid(3);
    grid_.SetOptionsX(grid_.OptionsX() | dghAutoSortMarking | dghMultiSortMarking);
    for (int i = 0; i < grid_.Columns()->Count(); ++i)
        Col(i)->Title()->SetTitleButton(true);
    int announced = 0;
    grid_.OnSortMarkingChanged = [&announced](TCustomDBGridX*) { ++announced; };
    const auto marker = [this](int dataCol) { return Col(dataCol)->Title()->SortMarker(); };
    const int title = 0;
    Click(grid_.DataToRawColumn(1), title);
    EXPECT_EQ(marker(1), smDownX);
    Click(grid_.DataToRawColumn(1), title);
    EXPECT_EQ(marker(1), smUpX);
    Click(grid_.DataToRawColumn(1), title);
    EXPECT_EQ(marker(1), smDownX);
    EXPECT_EQ(announced, 3);

    Click(grid_.DataToRawColumn(2), title, Qt::ControlModifier);
    EXPECT_EQ(marker(1), smDownX) << "Ctrl keeps the other markers";
    EXPECT_EQ(marker(2), smDownX);
    Click(grid_.DataToRawColumn(2), title, Qt::ControlModifier);
    Click(grid_.DataToRawColumn(2), title, Qt::ControlModifier);
    EXPECT_EQ(marker(2), smNoneX) << "with Ctrl up steps to none";
    EXPECT_EQ(announced, 3) << "not announced while Ctrl is held";
    QTest::keyRelease(&grid_, Qt::Key_Control);
    EXPECT_EQ(announced, 4) << "announced once Ctrl is let go";

    Click(grid_.DataToRawColumn(3), title);
    EXPECT_EQ(marker(1), smNoneX) << "a plain click removes the others";
    EXPECT_EQ(marker(3), smDownX);
}

TEST_F(InputTest, ATitleButtonDraggedFourPixelsMovesItsColumnAndThreeStaysAClick) {
    ShowGrid(3);
    for (int i = 0; i < grid_.Columns()->Count(); ++i)
        Col(i)->Title()->SetTitleButton(true);
    int buttonClicks = 0;
    grid_.OnTitleBtnClick = [&buttonClicks](TColumnX*) { ++buttonClicks; };
    int moves = 0;
    grid_.OnColumnMoved = [&moves](TCustomDBGridX*, int, int) { ++moves; };
    TColumnX* second = Col(1);
    const QPoint start = CellCenter(grid_.DataToRawColumn(1), 0);

    Press(start);
    MoveTo(start + QPoint(3, 0));
    Release(start + QPoint(3, 0));
    EXPECT_EQ(buttonClicks, 1);
    EXPECT_EQ(moves, 0);

    Press(start);
    MoveTo(start + QPoint(4, 0));
    // The base grid follows a column move over the data rows.
    const QPoint target = CellCenter(grid_.DataToRawColumn(3), 1);
    MoveTo(target);
    Release(target);
    EXPECT_EQ(buttonClicks, 1) << "the drag is no click";
    EXPECT_EQ(moves, 1);
    EXPECT_NE(second->Index(), 1) << "the column went elsewhere";
}

TEST_F(InputTest, TitlesSizeColumnsAndADoubleClickOnTheLineFitsTheColumn) {
    ShowGrid(3);
    TColumnX* column = Col(2);
    const int col = grid_.DataToRawColumn(2);
    const int width = column->Width();
    const int line = grid_.CellRect(col, 0).Right;
    const int y = CellCenter(col, 0).y();
    Press({line, y});
    MoveTo({line + 30, y});
    Release({line + 30, y});
    EXPECT_EQ(column->Width(), width + 30);

    int doubleClicks = 0;
    grid_.OnDblClick = [&doubleClicks](QObject*) { ++doubleClicks; };
    grid_.SetOptionsX(grid_.OptionsX() | dghDblClickOptimizeColWidth);
    const int sizedLine = grid_.CellRect(col, 0).Right;
    QTest::mouseDClick(grid_.viewport(), Qt::LeftButton, {}, {sizedLine, y});
    EXPECT_LT(column->Width(), width + 30) << "fitted to its content";
    EXPECT_EQ(doubleClicks, 0);
    QTest::mouseDClick(grid_.viewport(), Qt::LeftButton, {}, CellCenter(col, 2));
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(InputTest, TypedTextSearchesTheColumnAndItsKeysSteerTheSearch) {
    ShowGrid(40, 0, dgEditing);
    grid_.SetOptionsX(grid_.OptionsX() | dghIncSearch);
    QTest::keyClicks(&grid_, QStringLiteral("3"));
    EXPECT_TRUE(grid_.IncSearchActive());
    EXPECT_EQ(CurrentId(), 3);
    QTest::keyClicks(&grid_, QStringLiteral("1"));
    EXPECT_EQ(grid_.IncSearchText(), QStringLiteral("31"));
    EXPECT_EQ(CurrentId(), 31);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(grid_.IncSearchText(), QStringLiteral("3"));
    Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(CurrentId(), 32) << "Ctrl+Enter finds the next match";
    Key(Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
    Key(Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(CurrentId(), 30) << "Ctrl+Shift+Enter the one before";
    Key(Qt::Key_Escape);
    EXPECT_FALSE(grid_.IncSearchActive());
    EXPECT_EQ(CurrentId(), 30);

    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(grid_.IncSearchActive()) << "Ctrl+F starts an empty search";
    EXPECT_TRUE(grid_.IncSearchText().isEmpty());
    Key(Qt::Key_Right);
    EXPECT_FALSE(grid_.IncSearchActive()) << "a column change ends it";
}

TEST_F(InputTest, EditActionKeysRunOnlyWhatTheGridOffers) {
    ShowGrid(5, dgRowSelect | dgMultiSelect);
    int copies = 0;
    const TGridClipboardCommands saved = GridClipboardCommands;
    const auto restore = qScopeGuard([saved] { GridClipboardCommands = saved; });
    GridClipboardCommands.Copy = [&copies](TCustomDBGridX*, bool wholeGrid) {
        EXPECT_FALSE(wholeGrid);
        ++copies;
    };
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid_.Selection().SelectionType(), gstNon) << "select all is not offered";
    grid_.SetEditActions(geaCopyX | geaSelectAllX);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copies, 0) << "nothing selected to copy";
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid_.Selection().SelectionType(), gstAll);
    Key(Qt::Key_C, Qt::ControlModifier);
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(copies, 2);
}

TEST_F(InputTest, FittingMeasuresEveryRecordAndTheFootersAndNeedsData) {
    Exec({"INSERT INTO INPUT_TEST VALUES (99, 2111111111, 0, 0, 0, 0, 0, 0)"});
    ShowGrid(30);
    TColumnX* wide = Col(1);
    ASSERT_LT(grid_.DataLink()->RecordCount(), 31) << "the long value lies past the buffer";
    grid_.OptimizeColWidth(wide);
    const QFontMetrics cells(wide->Font());
    EXPECT_EQ(wide->Width(), 4 + cells.horizontalAdvance(QStringLiteral("2111111111")));
    EXPECT_EQ(CurrentId(), 1) << "the current record stays";

    TColumnX* footed = Col(2);
    grid_.SetFooterRowCount(1);
    footed->Footer()->SetValueType(fvtStaticText);
    const QString footer = QStringLiteral("a footer wider than any number");
    footed->Footer()->SetValue(footer);
    grid_.OptimizeColWidth(footed);
    EXPECT_EQ(footed->Width(), 5 + QFontMetrics(grid_.FooterFont()).horizontalAdvance(footer));

    // Closing frees the columns made from the fields; one empty one stays.
    query_.Close();
    TColumnX* empty = Col(0);
    const int width = empty->Width();
    grid_.OptimizeColWidth(empty);
    EXPECT_EQ(empty->Width(), width) << "nothing changes without data";
}

TEST_F(InputTest, ClicksAndSpaceStepACheckBoxAndDeleteClearsIt) {
    ShowGrid(3);
    Exec({"UPDATE INPUT_TEST SET C1 = 0"});
    query_.Close();
    query_.Open();
    TColumnX* check = Col(1);
    check->SetCheckboxes(true);
    check->SetKeyList({QStringLiteral("1"), QStringLiteral("0")});
    db::TField* field = query_.FieldByName(QStringLiteral("C1"));
    const int col = grid_.DataToRawColumn(1);

    Click(col, 1);
    EXPECT_EQ(field->AsInteger(), 1) << "a click checks";
    QTest::keyClick(&grid_, Qt::Key_Space);
    EXPECT_EQ(field->AsInteger(), 0) << "space unchecks";
    Key(Qt::Key_Delete);
    EXPECT_TRUE(field->IsNull()) << "Delete clears a field that may be empty";
}

TEST_F(InputTest, ADoubleClickStepsACheckBoxThatWantsIt) {
    ShowGrid(3);
    Exec({"UPDATE INPUT_TEST SET C1 = 0"});
    query_.Close();
    query_.Open();
    TColumnX* check = Col(1);
    check->SetCheckboxes(true);
    check->SetKeyList({QStringLiteral("1"), QStringLiteral("0")});
    check->SetDblClickNextVal(true);
    // A user's double click: a click, then the second press as a double click.
    Click(grid_.DataToRawColumn(1), 2);
    EXPECT_EQ(query_.FieldByName(QStringLiteral("C1"))->AsInteger(), 0);
    QTest::mouseDClick(grid_.viewport(), Qt::LeftButton, {},
                       CellCenter(grid_.DataToRawColumn(1), 2));
    EXPECT_EQ(CurrentId(), 2);
    EXPECT_EQ(query_.FieldByName(QStringLiteral("C1"))->AsInteger(), 1)
        << "stepped once, by the double click";
}

TEST_F(InputTest, AFrozenColumnIsSizedByItsBorderInTheTitles) {
    OpenGrid(3);
    grid_.SetFrozenCols(1);
    const int before = Col(0)->Width();
    const ui::TRect title = grid_.CellRect(1, 0);
    const int border = title.Right;
    const int y = title.Top + 2;
    ASSERT_TRUE(grid_.IsFrozenSizingPoint(border, y));
    EXPECT_FALSE(grid_.IsFrozenSizingPoint(border, grid_.CellRect(1, 1).Top + 2))
        << "only in the titles";
    grid_.MouseDown(ui::TMouseButton::mbLeft, 0, border, y);
    EXPECT_EQ(grid_.TrackingMode(), 6);
    grid_.MouseMove(ui::ssLeft, border + 25, y);
    EXPECT_EQ(Col(0)->Width(), before) << "the line moves, the column waits for the release";
    grid_.MouseUp(ui::TMouseButton::mbLeft, 0, border + 25, y);
    EXPECT_EQ(grid_.TrackingMode(), 0);
    EXPECT_EQ(Col(0)->Width(), before + 25);

    grid_.SetOptionsX(grid_.OptionsX() | dghTraceColSizing);
    const int border2 = grid_.CellRect(1, 0).Right;
    grid_.MouseDown(ui::TMouseButton::mbLeft, 0, border2, y);
    grid_.MouseMove(ui::ssLeft, border2 - 10, y);
    EXPECT_EQ(Col(0)->Width(), before + 15) << "traced sizing follows the pointer";
    grid_.MouseUp(ui::TMouseButton::mbLeft, 0, border2 - 10, y);
    EXPECT_EQ(Col(0)->Width(), before + 15);
}

} // namespace
} // namespace kx::test
