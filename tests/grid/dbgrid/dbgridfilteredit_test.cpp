// The filter row's editor: its list, its key table, and filtering the
// rows of the grid demo's payments by choosing entries and pressing Enter.

#include "grid/base/inplaceedit.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/dbgridfilter.h"
#include "grid/dbgrid/filterrowlist.h"
#include "grid/dbgrid/gridpictures.h"
#include "grid/dbgrid/inplacefilteredit.h"
#include "grid/editors/popuplistboxx.h"
#include "platform/db/field.h"
#include "platform/db/variants.h"
#include "tools/griddemo/filterrowdemo.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

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

    // Opens the list and chooses the entry with the text by Enter.
    void Choose(const QString& text) {
        Editor()->DropDown();
        ASSERT_TRUE(Editor()->ListVisible());
        const int index = Editor()->IndexOfEntry(text);
        ASSERT_GE(index, 0) << text.toStdString();
        Editor()->PopupList()->setCurrentRow(index);
        QTest::keyClick(Editor(), Qt::Key_Return);
        ASSERT_FALSE(Editor()->ListVisible());
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
    // A narrow payee column: 24 payees and the special entries, more than
    // the 17 rows the list shows.
    Grid().Columns()->GetColumn(0)->SetWidth(80);
    EnterFilterCell(0);
    ASSERT_TRUE(Editor()->HasDropDown());
    EXPECT_EQ(Editor()->DropDownWidth(), 100);
    EXPECT_EQ(Editor()->DropDownRows(), 17);
    QTest::keyClick(Editor(), Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Editor()->ListVisible());
    TPopupListboxX* list = Editor()->PopupList();
    EXPECT_EQ(list->count(), 4 + 24);
    EXPECT_EQ(list->width() - 2 * list->frameWidth(), 100);
    EXPECT_EQ(list->RowsFit(), 17);

    // The user drags the list's grip, then takes a payee.
    list->SetBounds(list->x(), list->y(), 160 + 2 * list->frameWidth(),
                    9 * list->ItemHeight() + list->BorderHeight());
    list->setCurrentRow(Editor()->IndexOfEntry(QStringLiteral("Payee 05")));
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_EQ(Editor()->Text(), "Payee 05");
    EXPECT_EQ(Grid().Columns()->GetColumn(0)->STFilter()->DropDownWidth, 160);
    EXPECT_EQ(Grid().Columns()->GetColumn(0)->STFilter()->DropDownRows, 9);

    // The city column keeps its own size; the payee column its new one.
    QTest::keyClick(Editor(), Qt::Key_Tab);
    EXPECT_EQ(Editor()->DropDownWidth(), 100);
    EXPECT_EQ(Editor()->DropDownRows(), 17);
    QTest::keyClick(Editor(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Editor()->Text(), "Payee 05");
    QTest::keyClick(Editor(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(list->width() - 2 * list->frameWidth(), 160);
    EXPECT_EQ(list->RowsFit(), 9);
    QTest::keyClick(Editor(), Qt::Key_Escape);
    EXPECT_FALSE(Editor()->ListVisible());
}

TEST_F(FilterRowTest, TheColumnKeepsItsValuesUntilItsFieldIsForgotten) {
    EnterFilterCell(1);
    TColumnX* city = Grid().Columns()->GetColumn(1);
    EXPECT_FALSE(city->FieldValueList());
    Editor()->DropDown();
    const std::shared_ptr<IMemTableDataFieldValueListX> cached = city->FieldValueList();
    ASSERT_TRUE(cached);
    EXPECT_EQ(cached->DistinctValues(), (QStringList{"Harbour", "Hilltown", "Riverside"}));
    Editor()->CloseUp(false);
    Editor()->DropDown();
    EXPECT_EQ(city->FieldValueList(), cached);
    Editor()->CloseUp(false);
    city->ForgetField();
    EXPECT_FALSE(city->FieldValueList());
}

TEST_F(FilterRowTest, APickTextIsShownAndTheRowsAreFilteredByItsKey) {
    TColumnX* city = Grid().Columns()->GetColumn(1);
    city->SetKeyList({"Harbour", "Hilltown", "Riverside"});
    city->SetPickList({"港口", "山城", "河畔"});
    EnterFilterCell(1);
    Editor()->DropDown();
    EXPECT_EQ(Editor()->Items().mid(4), (QStringList{"港口", "山城", "河畔"}));
    Editor()->CloseUp(false);
    Choose(QStringLiteral("山城"));
    EXPECT_EQ(Editor()->Text(), "山城");
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_EQ(Rows(), 6);
    EXPECT_EQ(city->STFilter()->ExpressionText(), "山城");
    EXPECT_EQ(city->STFilter()->GetExpression().Operand1, QVariant(QStringLiteral("Hilltown")));
    for (int i = 0; i < Rows(); ++i) {
        demo_->Data().BeginReadRecord(i);
        EXPECT_EQ(demo_->Data().FieldByName(QStringLiteral("CITY"))->AsString(), "Hilltown");
        demo_->Data().EndReadRecord();
    }
}

TEST_F(FilterRowTest, AKeyValueStandsWhileItsTextIsShown) {
    EnterFilterCell(1);
    Editor()->SetKeyAndText(QVariantList{3, 7}, QStringLiteral("Harbour, Riverside"));
    EXPECT_EQ(Editor()->Text(), "Harbour, Riverside");
    EXPECT_EQ(Editor()->KeyValue(), QVariant(QVariantList{3, 7}));
    QTest::keyClick(Editor(), Qt::Key_End);
    QTest::keyClick(Editor(), Qt::Key_Backspace);
    EXPECT_TRUE(db::VarIsNull(Editor()->KeyValue()));
}

TEST_F(FilterRowTest, TheWheelScrollsTheOpenListAndLeavesTheRecordsAlone) {
    EnterFilterCell(0);
    const QPoint dataCell = Grid().CellRect(2, Grid().TitleOffset() + 3).ToQRect().center();
    const auto wheelDown = [&] {
        QWheelEvent wheel(dataCell, Grid().viewport()->mapToGlobal(dataCell), {}, {0, -120},
                          Qt::NoButton, Qt::ShiftModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Grid().viewport(), &wheel);
    };
    const int recNo = demo_->Data().RecNo();
    Editor()->DropDown();
    QScrollBar* bar = Editor()->PopupList()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    const int top = bar->value();
    wheelDown();
    EXPECT_EQ(bar->value(), top + 1);
    EXPECT_EQ(demo_->Data().RecNo(), recNo);
    EXPECT_TRUE(Editor()->ListVisible());

    // With the list closed the wheel neither steps the entries nor the rows.
    QTest::keyClick(Editor(), Qt::Key_Escape);
    const QString text = Editor()->Text();
    wheelDown();
    EXPECT_EQ(Editor()->Text(), text);
    EXPECT_EQ(demo_->Data().RecNo(), recNo);

    // Back in the records the wheel moves them again.
    QTest::keyClick(Editor(), Qt::Key_Down, Qt::ControlModifier);
    wheelDown();
    EXPECT_EQ(demo_->Data().RecNo(), recNo + 1);
}

TEST_F(FilterRowTest, TheFocusGoesOnToTheFilterEditorWhileItIsOpen) {
    auto* other = new QLineEdit(demo_.get());
    other->show();
    EnterFilterCell(1);
    EXPECT_EQ(QApplication::focusWidget(), Editor());
    // Coming back to the grid from elsewhere lands in the filter editor.
    other->setFocus();
    Grid().setFocus();
    EXPECT_EQ(QApplication::focusWidget(), Editor());
    other->setFocus();
    EXPECT_TRUE(Grid().AcquireFocus());
    EXPECT_EQ(QApplication::focusWidget(), Editor());

    // A click on another filter cell moves the editor and keeps the focus
    // in it; a click on a record ends the filter editing.
    const ui::TRect amount = Grid().CellRect(3, Grid().TitleOffset() - 1);
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {},
                      QPoint(amount.Left + 8, (amount.Top + amount.Bottom) / 2));
    EXPECT_EQ(Grid().FilterColumn(), 2);
    EXPECT_EQ(QApplication::focusWidget(), Editor());
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {},
                      Grid().CellRect(2, Grid().TitleOffset() + 2).ToQRect().center());
    EXPECT_FALSE(Grid().FilterEditMode());
    EXPECT_FALSE(Editor()->isVisible());
    EXPECT_TRUE(Grid().GridOrEditorFocused());
    other->setFocus();
    Grid().setFocus();
    EXPECT_TRUE(Grid().GridOrEditorFocused());
}

TEST_F(FilterRowTest, TheOpeningPressActsOnTheEditorAtItsPlace) {
    const ui::TRect city = Grid().CellRect(2, Grid().TitleOffset() - 1);
    const int middle = (city.Top + city.Bottom) / 2;
    // On the cell's button the list drops down at once.
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, QPoint(city.Right - 4, middle));
    ASSERT_TRUE(Editor() && Editor()->isVisible());
    EXPECT_TRUE(Editor()->ListVisible());
    QTest::keyClick(Editor(), Qt::Key_Escape);
    // In its text the caret goes where the press was.
    Editor()->SetText(QStringLiteral("Harbour"));
    QTest::keyClick(Editor(), Qt::Key_Down);
    const QPoint inText(city.Left + 4, middle);
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, inText);
    EXPECT_FALSE(Editor()->ListVisible());
    EXPECT_FALSE(Editor()->hasSelectedText());
    EXPECT_EQ(Editor()->CaretPosition(), 0);
    // A second press soon after on the editor is its double click.
    QTest::mouseDClick(Editor(), Qt::LeftButton, {},
                       Editor()->mapFromGlobal(Grid().viewport()->mapToGlobal(inText)));
    EXPECT_EQ(Editor()->selectedText(), "Harbour");
}

TEST_F(FilterRowTest, ACellEditorAndTheFilterEditorAreNeverOpenTogether) {
    Grid().SetOptions(Grid().Options() | dgEditing);
    EnterFilterCell(1);
    Grid().ShowEditor();
    EXPECT_FALSE(Grid().FilterEditMode());
    EXPECT_FALSE(Editor()->isVisible());
    ASSERT_TRUE(Grid().InplaceEditor());
    EXPECT_TRUE(Grid().InplaceEditor()->isVisible());
    Grid().ShowFilterEditor(2);
    EXPECT_TRUE(Editor()->isVisible());
    EXPECT_FALSE(Grid().InplaceEditor()->isVisible());

    // With the editor always shown it comes back when filter editing ends.
    Grid().SetOptions(Grid().Options() | dgAlwaysShowEditor);
    Grid().ShowFilterEditor(2);
    EXPECT_FALSE(Grid().InplaceEditor()->isVisible());
    QTest::keyClick(Editor(), Qt::Key_Down);
    EXPECT_FALSE(Editor()->isVisible());
    EXPECT_TRUE(Grid().InplaceEditor()->isVisible());
}

TEST_F(FilterRowTest, AChangedFilterTextPlacesTheOpenEditorAgain) {
    EnterFilterCell(1);
    const QRect placed = Editor()->geometry();
    Editor()->setGeometry(0, 0, 5, 5);
    Grid().Columns()->GetColumn(2)->STFilter()->ChangeExpressionText("=Null");
    EXPECT_EQ(Editor()->geometry(), placed);
}

} // namespace
} // namespace kx::test
