#include "grid/dbgrid/dblookupgridcolumnx.h"
#include "grid/dbgrid/dblookupgridx.h"
#include "grid/dbgrid/lookupgridmath.h"
#include "platform/db/dberrors.h"
#include "platform/db/fieldtypes.h"
#include "tests/grid/dbgrid/lookupgridfixture.h"

#include <QTest>

#include <gtest/gtest.h>

namespace kx::test {
namespace {

TEST(LookupGridMath, HeightAndRows) {
    TLookupGridHeights h;
    h.Title = 20;
    h.SpecRow = 17;
    h.Row = 17;
    h.Line = 1;
    h.Border = 4;
    const int fixed = 20 + 17 + 1 + 4;
    struct Case {
        int rows;
        int height;
    };
    for (const Case c : {Case{0, fixed + 17}, Case{1, fixed + 17}, Case{7, fixed + 7 * 17},
                         Case{250, fixed + 100 * 17}, Case{-3, fixed + 17}})
        EXPECT_EQ(LookupGridHeightForRows(c.rows, h), c.height) << c.rows;
    EXPECT_EQ(LookupGridRowsForHeight(fixed + 3 * 17 + 16, h), 3);
    EXPECT_EQ(LookupGridRowsForHeight(fixed + 5, h), 1); // less than a row
    EXPECT_EQ(LookupGridRowsForHeight(0, h), 1);
}

TEST(LookupGridMath, KeySteps) {
    struct Case {
        int key;
        bool horzBar;
        TLookupStepKind kind;
        int distance;
    };
    const Case cases[] = {
        {Qt::Key_PageUp, false, TLookupStepKind::Step, -6},
        {Qt::Key_PageDown, false, TLookupStepKind::Step, 6},
        {Qt::Key_Up, true, TLookupStepKind::Step, -1},
        {Qt::Key_Down, true, TLookupStepKind::Step, 1},
        {Qt::Key_Home, false, TLookupStepKind::First, 0},
        {Qt::Key_End, false, TLookupStepKind::Last, 0},
        {Qt::Key_Left, false, TLookupStepKind::Step, -1},
        {Qt::Key_Right, false, TLookupStepKind::Step, 1},
        // with a horizontal bar, Left and Right scroll it instead
        {Qt::Key_Left, true, TLookupStepKind::None, 0},
        {Qt::Key_Right, true, TLookupStepKind::None, 0},
        {Qt::Key_A, false, TLookupStepKind::None, 0},
    };
    for (const Case& c : cases) {
        const TLookupStep step = LookupKeyStep(c.key, 7, c.horzBar);
        EXPECT_EQ(step.Kind, c.kind) << c.key;
        EXPECT_EQ(step.Distance, c.distance) << c.key;
    }
    EXPECT_EQ(LookupAutoScrollInterval(0), 200);
    EXPECT_EQ(LookupAutoScrollInterval(4), 140);
    EXPECT_EQ(LookupAutoScrollInterval(40), 10); // never a spinning timer
}

TEST_F(LookupGridTest, HeightFollowsTheRowCount) {
    TDBLookupGridX grid;
    SetUpList(grid);
    grid.show(); // a hidden window hears of its size only when it shows
    const auto heightFor = [&grid](int rows) {
        TLookupGridHeights h;
        h.Title = grid.TitlePartHeight();
        h.SpecRow = grid.SpecRowHeight();
        h.Row = grid.DataRowHeight();
        h.Border = grid.BorderHeight();
        return LookupGridHeightForRows(rows, h);
    };
    grid.SetRowCount(0);
    EXPECT_EQ(grid.ListRowCount(), 1);
    EXPECT_EQ(grid.height(), heightFor(1));
    grid.SetRowCount(250);
    EXPECT_EQ(grid.ListRowCount(), 100);
    EXPECT_EQ(grid.height(), heightFor(100));
    // a size from outside snaps to whole rows, at least one
    grid.resize(200, heightFor(4) + grid.DataRowHeight() / 2);
    EXPECT_EQ(grid.ListRowCount(), 4);
    EXPECT_EQ(grid.height(), heightFor(4));
    grid.SetBounds(0, 0, 200, 3);
    EXPECT_EQ(grid.ListRowCount(), 1);
    EXPECT_EQ(grid.height(), heightFor(1));
    // the special row adds its own height
    grid.SpecRow()->SetVisible(true);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.height(), heightFor(3));
    EXPECT_EQ(grid.SpecRowHeight(), grid.DefaultRowHeight());
}

TEST_F(LookupGridTest, ListFieldsAreResolvedOrRefused) {
    TDBLookupGridX grid;
    SetUpList(grid);
    EXPECT_TRUE(grid.ListActive());
    ASSERT_NE(grid.DisplayField(), nullptr);
    EXPECT_EQ(grid.DisplayField()->FieldName(), "NAME");
    EXPECT_EQ(grid.Columns()->Count(), 1);
    try {
        grid.SetListFieldName("NAME;NOPE");
        FAIL() << "an unknown list field was taken";
    } catch (const db::EDatabaseError& error) {
        EXPECT_EQ(error.Message(), "Field 'NAME;NOPE' not found");
    }
    EXPECT_FALSE(grid.ListActive());
    grid.SetListFieldName("CODE;NAME");
    grid.SetListFieldIndex(1);
    EXPECT_TRUE(grid.ListActive());
    EXPECT_EQ(grid.DisplayField()->FieldName(), "NAME");
    EXPECT_EQ(grid.Columns()->Count(), 2);
    // no list field: the key fields are shown
    grid.SetListFieldName("");
    grid.SetListFieldIndex(0);
    EXPECT_EQ(grid.DisplayField()->FieldName(), "CODE");

    // the list may not be the data side's own data set
    TDBLookupGridX circular;
    SetUpList(circular);
    circular.SetLookupDataSource(&listSource_);
    try {
        circular.SetDataFieldName("CODE");
        FAIL() << "a circular link was taken";
    } catch (const db::EDatabaseError& error) {
        EXPECT_EQ(error.Message(), "Circular datalinks are not allowed");
    }
}

TEST_F(LookupGridTest, LookupFieldDefinesTheList) {
    data_ = NewQuery("SELECT * FROM LOOKUP_DATA ORDER BY ID");
    const auto add = [this](db::TField* field, const char* name, db::TFieldKind kind) {
        field->SetFieldName(name);
        field->SetFieldKind(kind);
        field->SetDataSet(data_);
        return field;
    };
    add(new db::TIntegerField(&owner_), "ID", db::fkData);
    add(new db::TStringField(&owner_), "CODE", db::fkData);
    db::TField* fruit = add(new db::TStringField(&owner_), "FRUIT", db::fkLookup);
    fruit->SetLookupDataSet(list_);
    fruit->SetKeyFields("CODE");
    fruit->SetLookupKeyFields("CODE");
    fruit->SetLookupResultField("NAME");
    data_->Open();
    dataSource_.SetDataSet(data_);

    TDBLookupGridX grid;
    grid.resize(200, 120);
    grid.SetLookupDataSource(&dataSource_);
    grid.SetDataFieldName("FRUIT");
    EXPECT_TRUE(grid.LookupMode());
    EXPECT_EQ(grid.ListDataSet(), list_);
    EXPECT_EQ(grid.KeyFieldName(), "CODE");
    EXPECT_EQ(grid.DataKeyFieldNames(), "CODE");
    EXPECT_EQ(grid.DisplayField()->FieldName(), "NAME");
    EXPECT_EQ(grid.KeyValue().toString(), "02");
    EXPECT_EQ(grid.DisplayText(), "Banana");
    for (const auto& refused : {std::function<void()>([&] { grid.SetKeyFieldName("NAME"); }),
                                std::function<void()>([&] { grid.SetListSource(&listSource_); })}) {
        try {
            refused();
            ADD_FAILURE() << "a list property was changed in lookup mode";
        } catch (const db::EDatabaseError& error) {
            EXPECT_EQ(error.Message(), "Property already defined by lookup field");
        }
    }
    data_->Next();
    EXPECT_EQ(grid.KeyValue().toString(), "77");
    EXPECT_EQ(grid.DisplayText(), "");
}

TEST_F(LookupGridTest, KeyValueAndSpecialRow) {
    TDBLookupGridX grid;
    SetUpList(grid);
    grid.SetKeyValue("03");
    EXPECT_EQ(grid.DisplayText(), "Cherry");
    EXPECT_EQ(ListCode(), "03");
    EXPECT_EQ(grid.KeyRowIndex() >= 0, true);
    EXPECT_TRUE(grid.HasValue());

    // a key the list does not hold shows nothing and stays as it was given
    grid.SetKeyValue("99");
    EXPECT_EQ(grid.KeyValue().toString(), "99");
    EXPECT_EQ(grid.DisplayText(), "");
    EXPECT_EQ(grid.KeyRowIndex(), -1);

    grid.SpecRow()->SetCellsText("(none)");
    grid.SpecRow()->SetValue("00");
    grid.SpecRow()->SetVisible(true);
    EXPECT_TRUE(grid.SpecRowSelected());
    EXPECT_EQ(grid.DisplayText(), "(none)");
    grid.SpecRow()->SetShowIfNotInKeyList(false);
    grid.SetKeyValue("98");
    EXPECT_FALSE(grid.SpecRowSelected());
    EXPECT_EQ(grid.DisplayText(), "");
    grid.SetKeyValue("00");
    EXPECT_TRUE(grid.SpecRowSelected());
    EXPECT_EQ(grid.DisplayText(), "(none)");
}

void Press(TDBLookupGridX& grid, int key) {
    int k = key;
    grid.KeyDown(k, 0);
}

TEST_F(LookupGridTest, KeysMoveThePick) {
    TDBLookupGridX grid;
    SetUpList(grid);
    grid.SpecRow()->SetCellsText("(none)");
    grid.SpecRow()->SetVisible(true);
    grid.SpecRow()->SetShowIfNotInKeyList(false);
    grid.SetKeyValue("02");
    struct Step {
        int key;
        const char* key_after; // empty: the special row
    };
    const Step steps[] = {
        {Qt::Key_Down, "03"}, {Qt::Key_End, "06"}, {Qt::Key_Up, "05"},   {Qt::Key_Home, "01"},
        {Qt::Key_Up, ""},     {Qt::Key_Up, ""},    {Qt::Key_Down, "01"}, {Qt::Key_Down, "02"},
    };
    for (const Step& step : steps) {
        Press(grid, step.key);
        if (*step.key_after) {
            EXPECT_FALSE(grid.SpecRowSelected()) << step.key;
            EXPECT_EQ(grid.KeyValue().toString(), step.key_after) << step.key;
        } else {
            EXPECT_TRUE(grid.SpecRowSelected()) << step.key;
            EXPECT_TRUE(grid.KeyValue().isNull()) << step.key;
            EXPECT_EQ(grid.DisplayText(), "(none)");
        }
    }
    EXPECT_EQ(grid.DisplayText(), "Banana");
}

TEST_F(LookupGridTest, TypingSearchesTheDisplayField) {
    TDBLookupGridX grid;
    SetUpList(grid);
    qint64 now = 1'000'000;
    TDBLookupGridX::SearchClock = [&now] { return now; };
    const auto type = [&grid](QChar ch) {
        QChar key = ch;
        grid.KeyPress(key);
    };
    type('b');
    EXPECT_EQ(grid.DisplayText(), "Banana");
    now += 1500;
    type('L'); // without regard to case, within the pause
    EXPECT_EQ(grid.DisplayText(), "Blueberry");
    EXPECT_EQ(grid.SearchText(), "bL");
    now += 2500; // a pause starts anew
    type('a');
    EXPECT_EQ(grid.DisplayText(), "Apple");
    now += 100;
    type('v');
    EXPECT_EQ(grid.DisplayText(), "avocado");
    now += 100;
    type('x'); // nothing begins with "avx": the pick stays
    EXPECT_EQ(grid.DisplayText(), "avocado");
    type(QChar(8));
    EXPECT_EQ(grid.SearchText(), "");
    TDBLookupGridX::SearchClock = [] { return QDateTime::currentMSecsSinceEpoch(); };
}

TEST_F(LookupGridTest, ClickPicksAndWritesTheDataSide) {
    TDBLookupGridX grid;
    SetUpList(grid);
    SetUpData(grid);
    EXPECT_EQ(grid.KeyValue().toString(), "02");
    EXPECT_EQ(grid.DisplayText(), "Banana");
    grid.SetRowCount(6);
    grid.show();
    grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    int clicks = 0;
    grid.OnClick = [&clicks](QObject*) { ++clicks; };
    const ui::TRect row = grid.CellRect(grid.IndicatorOffset(), grid.FixedRows() + 3);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, row.ToQRect().center());
    EXPECT_EQ(data_->State(), db::dsEdit);
    EXPECT_EQ(data_->FieldByName("CODE")->AsString(), "04");
    EXPECT_EQ(grid.KeyValue().toString(), "04");
    EXPECT_EQ(grid.DisplayText(), "avocado");
    EXPECT_GE(clicks, 1);
    data_->Post();
    EXPECT_EQ(Column("SELECT CODE FROM LOOKUP_DATA ORDER BY ID"), (QStringList{"04", "77"}));

    // a record whose key is not in the list: nothing shown, nothing written
    data_->Next();
    EXPECT_EQ(grid.KeyValue().toString(), "77");
    EXPECT_EQ(grid.DisplayText(), "");
    EXPECT_EQ(data_->State(), db::dsBrowse);

    // a read-only data side is not changed by a click
    grid.SetDataReadOnly(true);
    EXPECT_FALSE(grid.CanModifyData());
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, row.ToQRect().center());
    EXPECT_EQ(data_->State(), db::dsBrowse);
    EXPECT_EQ(grid.KeyValue().toString(), "77");
}

} // namespace
} // namespace kx::test

namespace kx::test {
namespace {

class TrackedLookupGrid : public TDBLookupGridX {
public:
    using TDBLookupGridX::TimerFired;
    using TDBLookupGridX::TimerInterval;
    using TDBLookupGridX::TimerRunning;
};

TEST_F(LookupGridTest, DraggingPicksAndScrollsBeyondTheRows) {
    TrackedLookupGrid grid;
    SetUpList(grid);
    grid.SpecRow()->SetCellsText("(none)");
    grid.SpecRow()->SetVisible(true);
    grid.SpecRow()->SetShowIfNotInKeyList(false);
    grid.SetRowCount(4);
    grid.MouseSelectsWithoutFocus = true;
    grid.show();
    QWidget* view = grid.viewport();
    const auto rowCenter = [&grid](int dataRow) {
        return grid.CellRect(grid.IndicatorOffset(), grid.FixedRows() + dataRow).ToQRect().center();
    };
    QTest::mousePress(view, Qt::LeftButton, {}, rowCenter(2));
    EXPECT_EQ(grid.KeyValue().toString(), "03");
    QMouseEvent move(QEvent::MouseMove, QPointF(rowCenter(0)),
                     QPointF(view->mapToGlobal(rowCenter(0))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(view, &move);
    EXPECT_EQ(grid.KeyValue().toString(), "01");
    // four pixels above the rows: one row a step, 140 ms apart
    QMouseEvent above(QEvent::MouseMove, QPointF(10, -4),
                      QPointF(view->mapToGlobal(QPoint(10, -4))), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(view, &above);
    ASSERT_TRUE(grid.TimerRunning());
    EXPECT_EQ(grid.TimerInterval(), 140);
    grid.TimerFired(1);
    EXPECT_TRUE(grid.SpecRowSelected()); // the list was at its first row
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(10, -4));
    EXPECT_FALSE(grid.TimerRunning());
    EXPECT_TRUE(grid.SpecRowSelected());
    EXPECT_EQ(grid.DisplayText(), "(none)");
}

// ---- Columns and their special-row cells ------------------------------------

TEST_F(LookupGridTest, ColumnsTakeTheirSpecialRowCellUnlessTheyHaveTheirOwn) {
    TDBLookupGridX grid;
    SetUpList(grid);
    grid.SetListFieldName("CODE;NAME");
    grid.SpecRow()->SetCellsText("--;(none)");
    grid.SpecRow()->SetColor(ui::clYellow);
    grid.SpecRow()->SetVisible(true);
    ASSERT_EQ(grid.Columns()->Count(), 2);
    auto* code = dynamic_cast<TDBLookupGridColumnX*>(grid.Columns()->GetColumn(0));
    auto* name = dynamic_cast<TDBLookupGridColumnX*>(grid.Columns()->GetColumn(1));
    ASSERT_TRUE(code && name) << "the grid makes lookup columns";
    EXPECT_EQ(code->SpecCell()->Text(), "--");
    EXPECT_EQ(name->SpecCell()->Text(), "(none)");
    EXPECT_EQ(name->SpecCell()->Color(), ui::clYellow);
    EXPECT_FALSE(name->SpecCell()->TextAssigned());

    name->SpecCell()->SetText("(none)");
    EXPECT_FALSE(name->SpecCell()->TextAssigned()) << "the row's own text assigns nothing";
    name->SpecCell()->SetText("nothing");
    name->SpecCell()->SetColor(ui::clRed);
    grid.SpecRow()->SetCellsText("--;(empty)");
    EXPECT_EQ(name->SpecCell()->Text(), "nothing") << "an own text stays";
    EXPECT_EQ(name->SpecCell()->Color(), ui::clRed);
    EXPECT_EQ(code->SpecCell()->Color(), ui::clYellow);

    grid.SetKeyValue("02"); // a picked row leaves the special row unselected
    grid.show();
    const int y = grid.TitlePartHeight() + grid.SpecRowHeight() / 2;
    const ui::TRect cell = grid.CellRect(grid.IndicatorOffset() + 1, 0);
    const QImage shown = grid.viewport()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(cell.Right - 3, y), QColor(Qt::red)) << "the cell is painted so";
}

TEST_F(LookupGridTest, MovingAColumnTakesItsSpecialRowCellAndKeepsTheListFields) {
    TDBLookupGridX grid;
    SetUpList(grid);
    grid.SetListFieldName("CODE;NAME");
    grid.SpecRow()->SetCellsText("\"-;-\";(none)");
    grid.SpecRow()->SetVisible(true);
    ASSERT_EQ(grid.DisplayField()->FieldName(), "CODE");
    grid.Columns()->GetColumn(0)->SetIndex(1);
    EXPECT_EQ(grid.SpecRow()->CellTextAt(0), "(none)");
    EXPECT_EQ(grid.SpecRow()->CellTextAt(1), "-;-") << "a cell with the separator stays whole";
    EXPECT_EQ(grid.ListFieldName(), "NAME;CODE");
    EXPECT_FALSE(grid.Columns()->GetState()) << "the columns are still made from the fields";
    EXPECT_EQ(grid.ListFieldIndex(), 1);
    EXPECT_EQ(grid.DisplayField()->FieldName(), "CODE") << "the display field moved with it";
    EXPECT_EQ(grid.Columns()->GetColumn(0)->FieldName(), "NAME");
}

} // namespace
} // namespace kx::test
