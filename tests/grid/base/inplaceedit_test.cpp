// The in-place editor over the current cell: opening by typing, F2 and
// clicks, writing back, the keys it passes to the grid, the read-only limit,
// and double clicks that begin on the grid.

#include "tests/grid/testgrid.h"

#include <QClipboard>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace kx::test {
namespace {

std::unique_ptr<TTestGrid> EditingGrid(TGridOptionsX extra = 0) {
    auto grid = ShownGrid(400, 200);
    if (!grid)
        return nullptr;
    grid->texts.insert(TTestGrid::Key(1, 1), QStringLiteral("abc"));
    grid->texts.insert(TTestGrid::Key(2, 1), QStringLiteral("def"));
    grid->SetOptions(grid->Options() | goEditing | extra);
    return grid;
}

TInplaceEdit* Editor(const TTestGrid& grid) {
    return grid.InplaceEditor();
}

TEST(InplaceEdit, TypingOnTheGridOpensTheEditorWithTheCharacterAndEnterWritesBack) {
    auto grid = EditingGrid();
    ASSERT_TRUE(grid);
    QTest::keyClick(grid.get(), Qt::Key_X);
    QApplication::processEvents();
    TInplaceEdit* editor = Editor(*grid);
    ASSERT_TRUE(editor);
    EXPECT_TRUE(editor->GetVisible());
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(ui::TRect::FromQRect(editor->geometry()), grid->CellRect(1, 1));
    EXPECT_EQ(editor->Text(), QStringLiteral("x"));
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_TRUE(grid->IsActiveControl()) << "focus in the editor counts as the grid's";
    QTest::keyClicks(editor, QStringLiteral("yz"));
    EXPECT_EQ(grid->Text(1, 1), QStringLiteral("xyz")) << "every change goes back to the grid";
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->GetVisible());
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->Text(1, 1), QStringLiteral("xyz"));
}

TEST(InplaceEdit, F2OpensWithTheCaretAfterTheText) {
    auto grid = EditingGrid();
    ASSERT_TRUE(grid);
    QTest::keyClick(grid.get(), Qt::Key_F2);
    TInplaceEdit* editor = Editor(*grid);
    ASSERT_TRUE(editor && editor->GetVisible());
    EXPECT_EQ(editor->Text(), QStringLiteral("abc"));
    EXPECT_EQ(editor->CaretPos(), 3);
    EXPECT_EQ(editor->SelLength(), 0);
}

TEST(InplaceEdit, MovingToAnotherCellWritesBackAndReloads) {
    auto grid = EditingGrid(goAlwaysShowEditor | goTabs);
    ASSERT_TRUE(grid);
    TInplaceEdit* editor = Editor(*grid);
    ASSERT_TRUE(editor && editor->GetVisible());
    EXPECT_EQ(editor->SelLength(), 3) << "a loaded cell is selected whole";
    QTest::keyClicks(editor, QStringLiteral("q"));
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Text(1, 1), QStringLiteral("q"));
    EXPECT_EQ(editor->Text(), QStringLiteral("def"));
    EXPECT_EQ(ui::TRect::FromQRect(editor->geometry()), grid->CellRect(2, 1));
    QTest::keyClick(editor, Qt::Key_Tab, Qt::AltModifier);
    EXPECT_EQ(grid->Col(), 2) << "Tab with Alt stays in the editor";
}

TEST(InplaceEdit, LeftAtTheFirstCharacterMovesToThePreviousCellWhenTheEditorAlwaysShows) {
    auto grid = EditingGrid(goAlwaysShowEditor);
    ASSERT_TRUE(grid);
    grid->FocusCell(2, 1, true, true);
    grid->UpdateEdit();
    TInplaceEdit* editor = Editor(*grid);
    ASSERT_TRUE(editor && editor->GetVisible());
    editor->SetSel(1, 1);
    QTest::keyClick(editor, Qt::Key_Left);
    EXPECT_EQ(grid->Col(), 2) << "in the middle of the text Left moves the caret";
    EXPECT_EQ(editor->CaretPos(), 0);
    QTest::keyClick(editor, Qt::Key_Left);
    EXPECT_EQ(grid->Col(), 1);
    editor->SetSel(3, 3);
    QTest::keyClick(editor, Qt::Key_End);
    EXPECT_EQ(grid->Col(), 4);
}

TEST(InplaceEdit, HomeAndEndMoveOnlyTheCaretWithoutAlwaysShowEditor) {
    auto grid = EditingGrid();
    ASSERT_TRUE(grid);
    QTest::keyClick(grid.get(), Qt::Key_F2);
    TInplaceEdit* editor = Editor(*grid);
    ASSERT_TRUE(editor && editor->GetVisible());
    QTest::keyClick(editor, Qt::Key_Home);
    EXPECT_EQ(editor->CaretPos(), 0);
    QTest::keyClick(editor, Qt::Key_End);
    EXPECT_EQ(editor->CaretPos(), 3);
    EXPECT_EQ(grid->Col(), 1);
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2) << "Down always goes to the grid";
}

TEST(InplaceEdit, EnterAlternatesBetweenSelectingAllAndCaretToTheEnd) {
    auto grid = EditingGrid(goAlwaysShowEditor);
    ASSERT_TRUE(grid);
    TInplaceEdit* editor = Editor(*grid);
    ASSERT_TRUE(editor && editor->GetVisible());
    ASSERT_EQ(editor->SelLength(), 3);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(editor->SelLength(), 0);
    EXPECT_EQ(editor->CaretPos(), 3);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(editor->SelLength(), 3);
    EXPECT_TRUE(editor->GetVisible());
}

TEST(InplaceEdit, ALimitOfMinusOneMakesTheEditorReadOnly) {
    auto grid = EditingGrid(goAlwaysShowEditor);
    ASSERT_TRUE(grid);
    grid->editLimit = -1;
    grid->InvalidateEditor();
    TInplaceEdit* editor = Editor(*grid);
    ASSERT_TRUE(editor && editor->GetVisible());
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    editor->SetSel(1, 2);
    QTest::keyClicks(editor, QStringLiteral("zz"));
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(editor->Text(), QStringLiteral("abc"));
    EXPECT_EQ(grid->Text(1, 1), QStringLiteral("abc"));
}

// A press on the grid and a press on the editor within the double-click time
// make a double click; the editor cannot see the grid's press itself.
TEST(InplaceEdit, PressesOnTheGridAndThenTheEditorMakeADoubleClick) {
    auto grid = EditingGrid();
    ASSERT_TRUE(grid);
    int doubleClicks = 0;
    grid->OnDblClick = [&](QObject*) { ++doubleClicks; };
    const QPoint cell = grid->CellRect(1, 1).ToQRect().center();
    const auto press = [](QWidget* target, QPoint pos, ulong time) {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(pos), target->mapToGlobal(QPointF(pos)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        event.setTimestamp(time);
        QApplication::sendEvent(target, &event);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pos),
                            target->mapToGlobal(QPointF(pos)), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        release.setTimestamp(time + 1);
        QApplication::sendEvent(target, &release);
    };
    press(grid->viewport(), cell, 10000);
    TInplaceEdit* editor = Editor(*grid);
    ASSERT_TRUE(editor && editor->GetVisible()) << "a press on the current cell opens the editor";
    press(editor, QPoint(5, 5), 10000 + 50);
    EXPECT_EQ(doubleClicks, 1);
    press(grid->viewport(), cell, 20000);
    press(editor, QPoint(5, 5), 20000 + QApplication::doubleClickInterval() + 10);
    EXPECT_EQ(doubleClicks, 1);
}

} // namespace
} // namespace kx::test
