// The filter row's editor: its list, its key table, and filtering the
// rows of the grid demo's payments by choosing entries and pressing Enter.

#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/dbgridfilter.h"
#include "grid/dbgrid/filterrowlist.h"
#include "grid/dbgrid/gridpictures.h"
#include "grid/dbgrid/inplacefilteredit.h"
#include "platform/db/field.h"
#include "tools/griddemo/filterrowdemo.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace kx::test {
namespace {

QStringList Texts(const QList<TFilterListItem>& items) {
    QStringList texts;
    for (const TFilterListItem& item : items)
        texts.append(item.Text);
    return texts;
}

TEST(FilterRowListTest, SpecialEntriesComeFirstInReverseOrder) {
    const QList<TFilterListItem> plain = BuildFilterList({"a", "b"}, {}, {}, false);
    EXPECT_EQ(Texts(plain),
              (QStringList{"(Clear filter)", "(All)", "(Not empty)", "(Empty)", "a", "b"}));
    EXPECT_EQ(plain[3].Code, fseEmpty);
    EXPECT_EQ(plain[4].Code, fseValue);
    const QList<TFilterListItem> sorted = BuildFilterList({"a"}, {}, {}, true);
    EXPECT_EQ(Texts(sorted).mid(0, 4), (QStringList{"(Order by descending)", "(Order by ascending)",
                                                    "-", "(Clear filter)"}));
    EXPECT_EQ(sorted[0].Code, fseOrderDescending);
    // Key values show as their pick texts.
    EXPECT_EQ(Texts(BuildFilterList({"1", "2", "3"}, {"1", "2"}, {"one", "two"}, false)).mid(4),
              (QStringList{"one", "two", "3"}));
}

TEST(FilterRowListTest, EntryTexts) {
    QString text = QStringLiteral("abc");
    EXPECT_TRUE(FilterEntryText(fseEmpty, text));
    EXPECT_EQ(text, "=Null");
    EXPECT_TRUE(FilterEntryText(fseNotEmpty, text));
    EXPECT_EQ(text, "<>Null");
    EXPECT_TRUE(FilterEntryText(fseAll, text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(FilterEntryText(fseSeparator, text));
}

TEST(FilterRowListTest, KeyTable) {
    struct Case {
        const char* Name;
        int Key;
        ui::TShiftState Shift;
        TFilterCaret Caret; // position, selection start and length, text length
        bool Tabs;
        TFilterKeyAction Action;
    };
    const Case cases[] = {
        {"tab", Qt::Key_Tab, 0, {2, 2, 0, 4}, true, fkaNext},
        {"shift tab", Qt::Key_Tab, ui::ssShift, {2, 2, 0, 4}, true, fkaPrior},
        {"tab without dgTabs", Qt::Key_Tab, 0, {2, 2, 0, 4}, false, fkaPass},
        {"end at the end", Qt::Key_End, 0, {4, 4, 0, 4}, true, fkaLast},
        {"end inside", Qt::Key_End, 0, {2, 2, 0, 4}, true, fkaPass},
        {"end, all selected", Qt::Key_End, 0, {4, 0, 4, 4}, true, fkaLast},
        {"end, part selected", Qt::Key_End, 0, {4, 2, 2, 4}, true, fkaPass},
        {"home at the start", Qt::Key_Home, 0, {0, 0, 0, 4}, true, fkaFirst},
        {"ctrl home", Qt::Key_Home, ui::ssCtrl, {2, 2, 0, 4}, true, fkaFirst},
        {"left inside", Qt::Key_Left, 0, {2, 2, 0, 4}, true, fkaPass},
        {"left at the start", Qt::Key_Left, 0, {0, 0, 0, 4}, true, fkaPrior},
        {"ctrl left", Qt::Key_Left, ui::ssCtrl, {2, 2, 0, 4}, true, fkaFirst},
        {"right at the end", Qt::Key_Right, 0, {4, 4, 0, 4}, true, fkaNext},
        {"ctrl right", Qt::Key_Right, ui::ssCtrl, {0, 0, 0, 4}, true, fkaLast},
        {"right in an empty text", Qt::Key_Right, 0, {0, 0, 0, 0}, true, fkaNext},
        {"up", Qt::Key_Up, 0, {0, 0, 0, 0}, true, fkaSwallow},
        {"shift up", Qt::Key_Up, ui::ssShift, {0, 0, 0, 0}, true, fkaPass},
        {"down", Qt::Key_Down, 0, {0, 0, 0, 0}, true, fkaLeave},
        {"ctrl down", Qt::Key_Down, ui::ssCtrl, {0, 0, 0, 0}, true, fkaLeave},
        {"alt down", Qt::Key_Down, ui::ssAlt, {0, 0, 0, 0}, true, fkaPass},
        {"f2", Qt::Key_F2, 0, {0, 0, 4, 4}, true, fkaCaretToEnd},
        {"a letter", Qt::Key_A, 0, {0, 0, 0, 0}, true, fkaPass},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilterEditorKeyAction(c.Key, c.Shift, c.Caret, c.Tabs, true), c.Action) << c.Name;
    EXPECT_EQ(FilterEditorKeyAction(Qt::Key_Down, 0, {}, true, false), fkaPass);
}

class FilterRowTest : public ::testing::Test {
protected:
    FilterRowTest() {
        StartGridUnit();
        demo_ = std::make_unique<TFilterRowDemo>();
        demo_->resize(700, 400);
        demo_->show();
        demo_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(demo_.get()));
        Grid().setFocus();
        QApplication::processEvents();
    }
    ~FilterRowTest() override {
        demo_.reset();
        EndGridUnit();
    }

    TCustomDBGridX& Grid() { return demo_->Grid(); }
    TInplaceFilterEditX* Editor() { return Grid().FilterEditor(); }
    int Rows() { return demo_->Data().ViewRecordCount(); }

    // Opens the editor over data column dataCol with Up from the first record.
    void EnterFilterCell(int dataCol) {
        Grid().MoveToColumn(dataCol);
        demo_->Data().First();
        QTest::keyClick(&Grid(), Qt::Key_Up);
        ASSERT_TRUE(Editor());
        ASSERT_TRUE(Editor()->isVisible());
    }

    // Opens the list and chooses the entry with the text.
    void Choose(const QString& text) {
        Editor()->showPopup();
        const int index = Editor()->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        Editor()->hidePopup();
        Editor()->ChooseEntry(index);
    }

    std::unique_ptr<TFilterRowDemo> demo_;
};

TEST_F(FilterRowTest, EmptyFiltersOnlyOnEnterAndClearFilterRefiltersAtOnce) {
    ASSERT_EQ(Rows(), 24);
    EnterFilterCell(1);
    EXPECT_EQ(Grid().FilterColumn(), 1);
    EXPECT_TRUE(Grid().FilterEditMode());
    Choose(QStringLiteral("(Empty)"));
    EXPECT_EQ(Editor()->Text(), "=Null");
    EXPECT_EQ(Rows(), 24);
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_EQ(Rows(), 6);
    EXPECT_EQ(Grid().Columns()->GetColumn(1)->STFilter()->ExpressionText(), "=Null");
    EXPECT_TRUE(Editor()->isVisible());

    // A second column narrows further.
    QTest::keyClick(Editor(), Qt::Key_Tab);
    EXPECT_EQ(Grid().FilterColumn(), 2);
    Editor()->SetText(QStringLiteral(">1000"));
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_EQ(Rows(), 4);

    Choose(QStringLiteral("(Clear filter)"));
    EXPECT_EQ(Rows(), 24);
    EXPECT_TRUE(Grid().Columns()->GetColumn(1)->STFilter()->ExpressionText().isEmpty());
}

TEST_F(FilterRowTest, TabWrapsRoundTheFilterCellsAndOnlyWithTabs) {
    EnterFilterCell(3);
    QTest::keyClick(Editor(), Qt::Key_Tab);
    EXPECT_EQ(Grid().FilterColumn(), 0);
    QTest::keyClick(Editor(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Grid().FilterColumn(), 3);
    // A column without a filter cell is passed over.
    Grid().Columns()->GetColumn(0)->STFilter()->SetVisible(false);
    QTest::keyClick(Editor(), Qt::Key_Tab);
    EXPECT_EQ(Grid().FilterColumn(), 1);
    Grid().SetOptions(Grid().Options() & ~dgTabs);
    QTest::keyClick(Editor(), Qt::Key_Tab);
    EXPECT_EQ(Grid().FilterColumn(), 1);
}

TEST_F(FilterRowTest, ArrowsMoveTheCaretInsideTheTextAndTheEditorAtItsEdges) {
    EnterFilterCell(1);
    Editor()->SetText(QStringLiteral("Harbour"));
    Editor()->SetCaretToEnd();
    QTest::keyClick(Editor(), Qt::Key_Left);
    EXPECT_EQ(Grid().FilterColumn(), 1);
    EXPECT_EQ(Editor()->CaretPosition(), 6);
    QTest::keyClick(Editor(), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Grid().FilterColumn(), 0);
    QTest::keyClick(Editor(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Grid().FilterColumn(), 3);
    // Down goes back to the records, in the filter's column.
    QTest::keyClick(Editor(), Qt::Key_Down);
    EXPECT_FALSE(Grid().FilterEditMode());
    EXPECT_FALSE(Editor()->isVisible());
    EXPECT_EQ(Grid().CurrentDataColumn(), 3);
}

TEST_F(FilterRowTest, OrderEntriesLeaveOnlyThisColumnMarked) {
    Grid().SetOptionsX(Grid().OptionsX() | dghAutoSortMarking);
    for (int i = 0; i < Grid().Columns()->Count(); ++i)
        Grid().Columns()->GetColumn(i)->Title()->SetTitleButton(true);
    Grid().Columns()->GetColumn(0)->Title()->SetSortMarker(smUpX);
    EnterFilterCell(2);
    Choose(QStringLiteral("(Order by ascending)"));
    EXPECT_EQ(Grid().Columns()->GetColumn(0)->Title()->SortMarker(), smNoneX);
    EXPECT_EQ(Grid().Columns()->GetColumn(2)->Title()->SortMarker(), smDownX);
}

TEST_F(FilterRowTest, TheListOpensAtItsDefaultSizeUntilTheUserSizesIt) {
    EnterFilterCell(1);
    ASSERT_TRUE(Editor()->HasDropDown());
    EXPECT_EQ(Editor()->DropDownWidth(), 100);
    EXPECT_EQ(Editor()->DropDownRows(), 17);
    Editor()->showPopup();
    // The city values follow the special entries, each once.
    EXPECT_EQ(Editor()->count(), 4 + 3);
    Editor()->hidePopup();
    Editor()->SetDropDown(true, 160, 9);
    Choose(QStringLiteral("Harbour"));
    QTest::keyClick(Editor(), Qt::Key_Tab);
    EXPECT_EQ(Editor()->DropDownWidth(), 100);
    QTest::keyClick(Editor(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Editor()->DropDownWidth(), 160);
    EXPECT_EQ(Editor()->DropDownRows(), 9);
}

} // namespace
} // namespace kx::test
