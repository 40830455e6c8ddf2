#include "grid/dbgrid/customdbgridx.h"

#include "grid/dbgrid/columndefvaluesx.h"
#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/columnxinterceptors.h"
#include "grid/dbgrid/dbgridselection.h"
#include "grid/dbgrid/gridpictures.h"
#include "grid/dbgrid/headtreenode.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/sys/exception.h"
#include "platform/ui/application.h"
#include "tests/platform/db/dbfixture.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <memory>

namespace kx {
namespace {

// Counts the layouts through a step that only the layout runs, twice; and
// lets a test act as the user sizing and moving columns.
class CountingGrid : public TCustomDBGridX {
public:
    using TCustomDBGridX::ColumnMoved;
    using TCustomDBGridX::ColWidthsChanged;
    int TabStopUpdates = 0;
    void UpdateColumnTabStops() override {
        ++TabStopUpdates;
        TCustomDBGridX::UpdateColumnTabStops();
    }
};

// A grid over a live query of a small table in a fresh data folder.
class DBGridTest : public db::test::DbTest {
protected:
    DBGridTest() {
        StartGridUnit();
        Exec({"CREATE TABLE GRID_TEST (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), AMOUNT REAL, "
              "QTY INTEGER, FLAG VARCHAR(1), NOTE VARCHAR(10))"});
    }
    ~DBGridTest() override { EndGridUnit(); }

    void Rows(const QStringList& values) {
        for (const QString& row : values)
            Exec({QStringLiteral("INSERT INTO GRID_TEST VALUES (%1)").arg(row)});
    }

    // Opens the query behind a grid of 600 x 300 pixels.
    CountingGrid& OpenGrid() {
        query_.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        query_.SetRequestLive(true);
        query_.SQL().SetText(QStringLiteral("SELECT * FROM GRID_TEST ORDER BY ID"));
        source_.SetDataSet(&query_);
        grid_.resize(600, 300);
        grid_.SetDataSource(&source_);
        query_.Open();
        return grid_;
    }

    TColumnX* Column(const QString& fieldName) const {
        for (int i = 0; i < grid_.Columns()->Count(); ++i) {
            if (grid_.Columns()->GetColumn(i)->FieldName() == fieldName)
                return grid_.Columns()->GetColumn(i);
        }
        return nullptr;
    }

    QStringList ColumnNames() const {
        QStringList names;
        for (int i = 0; i < grid_.Columns()->Count(); ++i)
            names.append(grid_.Columns()->GetColumn(i)->FieldName());
        return names;
    }

    TColumnFooterX* SumFooter(const QString& fieldName, TFooterValueType type) {
        grid_.SetFooterRowCount(1);
        grid_.SumList()->SetActive(true);
        TColumnFooterX* footer = Column(fieldName)->Footer();
        footer->SetValueType(type);
        return footer;
    }

    QString FooterText(const QString& fieldName, int row = 0) const {
        return grid_.GetFooterText(row, Column(fieldName));
    }

    QImage Render() {
        QImage image(grid_.size(), QImage::Format_RGB32);
        grid_.render(&image);
        return image;
    }

    db::TQuery query_;
    db::TDataSource source_;
    CountingGrid grid_;
};

TEST_F(DBGridTest, DefaultColumnsFollowTheVisibleFieldsInOrder) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    EXPECT_EQ(ColumnNames(), QStringList({"ID", "NAME", "AMOUNT", "QTY", "FLAG", "NOTE"}));
    EXPECT_EQ(grid_.ColCount(), 7) << "the indicator and six columns";

    query_.FieldByName(QStringLiteral("NOTE"))->SetVisible(false);
    EXPECT_EQ(ColumnNames(), QStringList({"ID", "NAME", "AMOUNT", "QTY", "FLAG"}));
    EXPECT_EQ(grid_.DataLink()->MapCount(), 5);
    EXPECT_EQ(grid_.DataLink()->MappedField(5), nullptr);
    EXPECT_TRUE(grid_.DataLink()->UsesDefaultFields());

    // A default column is as wide as its field's characters.
    TColumnX* name = Column(QStringLiteral("NAME"));
    name->SetWidth(150);
    EXPECT_EQ(name->Width(), 150);
    EXPECT_FALSE(name->Customized());
    EXPECT_EQ(grid_.GetColWidths(grid_.DataToRawColumn(name->Index())), 150);
}

TEST_F(DBGridTest, DefaultColumnsFollowTheDataSetOpenAndClosed) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    query_.Close();
    EXPECT_EQ(ColumnNames(), QStringList({""})) << "one empty column while closed";
    query_.Open();
    EXPECT_EQ(ColumnNames().size(), 6);
}

TEST_F(DBGridTest, MovingADefaultColumnMovesItsField) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    Column(QStringLiteral("AMOUNT"))->SetIndex(0);
    EXPECT_EQ(query_.Fields()[0]->FieldName(), QStringLiteral("AMOUNT"));
    EXPECT_EQ(ColumnNames().first(), QStringLiteral("AMOUNT"));
}

TEST_F(DBGridTest, CustomizedColumnsBindByNameAndMayMissTheirField) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    TColumnX* name = grid_.Columns()->Add();
    name->SetFieldName(QStringLiteral("NAME"));
    TColumnX* missing = grid_.Columns()->Add();
    missing->SetFieldName(QStringLiteral("NO_SUCH_FIELD"));
    OpenGrid();
    EXPECT_EQ(ColumnNames(), QStringList({"NAME", "NO_SUCH_FIELD"}));
    EXPECT_NE(name->Field(), nullptr);
    EXPECT_EQ(missing->Field(), nullptr);
    EXPECT_EQ(missing->ShownText(), QString());
    EXPECT_FALSE(grid_.DataLink()->UsesDefaultFields());
    EXPECT_EQ(missing->Width(), grid_.DefaultColWidth());
}

TEST_F(DBGridTest, ColumnWidthLimits) {
    TColumnX* column = grid_.Columns()->Add();
    column->SetWidth(100);
    column->SetMaxWidth(80);
    EXPECT_EQ(column->Width(), 80);
    column->SetMaxWidth(0);
    EXPECT_EQ(column->Width(), 80) << "removing a limit keeps the width";
    column->SetWidth(20);
    column->SetMinWidth(30);
    EXPECT_EQ(column->Width(), 30);
    column->SetWidth(-1);
    EXPECT_EQ(column->Width(), 30) << "-1 stores nothing";
}

TEST_F(DBGridTest, HidingTheCurrentColumnMovesToTheFirstVisible) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    grid_.MoveToColumn(2);
    ASSERT_EQ(grid_.CurrentDataColumn(), 2);
    grid_.Columns()->GetColumn(0)->SetVisible(false);
    grid_.Columns()->GetColumn(2)->SetVisible(false);
    EXPECT_EQ(grid_.CurrentDataColumn(), 1);
}

TEST_F(DBGridTest, LayoutRequestsWhileHeldRunOnce) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    grid_.TabStopUpdates = 0;
    grid_.BeginLayoutUpdate();
    grid_.SetTitleHeight(5);
    grid_.SetTitleLines(1);
    grid_.Columns()->GetColumn(1)->SetWidth(77);
    EXPECT_EQ(grid_.TabStopUpdates, 0);
    grid_.EndLayoutUpdate();
    EXPECT_EQ(grid_.TabStopUpdates, 2);
}

TEST_F(DBGridTest, FrozenColsIgnoresNegativeAndUnchangedValues) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    grid_.SetFrozenCols(2);
    EXPECT_EQ(grid_.FixedCols(), 3);
    grid_.TabStopUpdates = 0;
    grid_.SetFrozenCols(-1);
    grid_.SetFrozenCols(2);
    EXPECT_EQ(grid_.TabStopUpdates, 0);
    EXPECT_EQ(grid_.FrozenCols(), 2);
    // A hidden column inside the span widens it so two visible stay frozen.
    grid_.Columns()->GetColumn(0)->SetVisible(false);
    EXPECT_EQ(grid_.FixedCols(), 4);
}

TEST_F(DBGridTest, EmptyGridHasOneColumnAndOneDataRow) {
    grid_.resize(300, 200);
    grid_.LayoutChanged();
    EXPECT_EQ(grid_.Columns()->Count(), 1);
    EXPECT_EQ(grid_.ColCount(), 2);
    EXPECT_EQ(grid_.RowCount(), 2);
}

TEST_F(DBGridTest, GridWithoutTitlesSurvivesItsDataSetEmptying) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    grid_.SetOptions(grid_.Options() & ~(dgIndicator | dgTitles));
    OpenGrid();
    EXPECT_NO_THROW(query_.Delete());
    EXPECT_TRUE(query_.IsEmpty());
    EXPECT_NO_THROW(query_.Close());
    EXPECT_NO_THROW(query_.Open());
}

TEST_F(DBGridTest, ShowEmptyRowsGivesAHundredRows) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'", "2, 'B', 2, 2, 'N', 'y'", "3, 'C', 3, 3, 'Y', 'z'"});
    grid_.ShowEmptyRows = true;
    OpenGrid();
    EXPECT_EQ(grid_.RowCount(), 100);
    EXPECT_EQ(grid_.DataLink()->RecordCount(), 3);
}

TEST_F(DBGridTest, FooterRowsAreContraRows) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    grid_.SetFooterRowCount(2);
    EXPECT_EQ(grid_.ContraRowCount(), 2);
    int dataCol = -1;
    int dataRow = -1;
    EXPECT_EQ(grid_.GetCellType(1, grid_.RowCount(), dataCol, dataRow), cakFooter);
    EXPECT_EQ(dataRow, 0);
    EXPECT_EQ(dataCol, 0);
    EXPECT_EQ(grid_.GetCellType(1, 0, dataCol, dataRow), cakTitle);
    EXPECT_EQ(grid_.GetCellType(0, 1, dataCol, dataRow), cakIndicator);
}

TEST_F(DBGridTest, FootersSumCountAndFollowEdits) {
    Rows({"1, 'A', 1000, 1, 'Y', 'x'", "2, 'B', 200.5, 2, 'N', 'y'", "3, 'C', 34, 4, 'Y', 'z'"});
    OpenGrid();
    SumFooter(QStringLiteral("AMOUNT"), fvtSum);
    SumFooter(QStringLiteral("ID"), fvtCount);
    SumFooter(QStringLiteral("QTY"), fvtAvg);
    grid_.SumList()->RecalculateSums();
    EXPECT_EQ(FooterText(QStringLiteral("AMOUNT")), QStringLiteral("1234.5"));
    EXPECT_EQ(FooterText(QStringLiteral("ID")), QStringLiteral("3"));
    // An integer average rounds its half to the even neighbour: 7/3 -> 2.
    EXPECT_EQ(FooterText(QStringLiteral("QTY")), QStringLiteral("2"));

    query_.Append();
    query_.FieldByName(QStringLiteral("ID"))->SetAsInteger(4);
    query_.FieldByName(QStringLiteral("AMOUNT"))->SetAsFloat(0.5);
    query_.FieldByName(QStringLiteral("QTY"))->SetAsInteger(3);
    query_.Post();
    EXPECT_EQ(FooterText(QStringLiteral("AMOUNT")), QStringLiteral("1235"));
    EXPECT_EQ(FooterText(QStringLiteral("ID")), QStringLiteral("4"));
    EXPECT_EQ(FooterText(QStringLiteral("QTY")), QStringLiteral("2")) << "10/4 = 2.5 -> 2";

    query_.First();
    query_.Edit();
    query_.FieldByName(QStringLiteral("AMOUNT"))->SetAsFloat(1001);
    query_.FieldByName(QStringLiteral("QTY"))->SetAsInteger(5);
    query_.Post();
    EXPECT_EQ(FooterText(QStringLiteral("AMOUNT")), QStringLiteral("1236"));
    EXPECT_EQ(FooterText(QStringLiteral("QTY")), QStringLiteral("4")) << "14/4 = 3.5 -> 4";

    query_.Delete();
    EXPECT_EQ(FooterText(QStringLiteral("AMOUNT")), QStringLiteral("235"));
    EXPECT_EQ(FooterText(QStringLiteral("ID")), QStringLiteral("3"));
}

TEST_F(DBGridTest, FooterKindsAndRows) {
    Rows({"1, 'A', 5, 1, 'Y', 'x'"});
    OpenGrid();
    TColumnFooterX* footer = SumFooter(QStringLiteral("QTY"), fvtSum);
    grid_.SumList()->RecalculateSums();
    EXPECT_EQ(footer->GetSumValue().toDouble(), 1);
    // An empty footer field sums the column's field; naming another moves it.
    footer->SetFieldName(QStringLiteral("AMOUNT"));
    grid_.SumList()->RecalculateSums();
    EXPECT_EQ(footer->GetSumValue().toDouble(), 5);
    footer->SetValueType(fvtStaticText);
    footer->SetValue(QStringLiteral("合计"));
    EXPECT_FALSE(footer->GetSumValue().isValid()) << "a text footer owns no sum";
    EXPECT_EQ(FooterText(QStringLiteral("QTY")), QStringLiteral("合计"));

    footer->SetValueType(fvtFieldValue);
    footer->SetFieldName(QStringLiteral("NO_SUCH_FIELD"));
    EXPECT_EQ(FooterText(QStringLiteral("QTY")), QString()) << "no error out of painting";
    footer->SetFieldName(QStringLiteral("NAME"));
    EXPECT_EQ(FooterText(QStringLiteral("QTY")), QStringLiteral("A"));

    // Two footer rows: the first from Footers, the second the column's own.
    grid_.SetFooterRowCount(2);
    TColumnFooterX* first = Column(QStringLiteral("QTY"))->Footers()->Add();
    first->SetValueType(fvtStaticText);
    first->SetValue(QStringLiteral("row 0"));
    EXPECT_EQ(FooterText(QStringLiteral("QTY"), 0), QStringLiteral("row 0"));
    EXPECT_EQ(FooterText(QStringLiteral("QTY"), 1), QStringLiteral("A"));
}

TEST_F(DBGridTest, SumListEventsGetTheSumListAsSender) {
    Rows({"1, 'A', 5, 1, 'Y', 'x'"});
    OpenGrid();
    TDBSumListProducer* sender = nullptr;
    grid_.OnSumListRecalcAll = [&](TDBSumListProducer* list) { sender = list; };
    SumFooter(QStringLiteral("AMOUNT"), fvtSum);
    grid_.SumList()->RecalculateSums();
    EXPECT_EQ(sender, grid_.SumList());
}

TEST_F(DBGridTest, CellValuesFromKeyAndPickLists) {
    Rows({"1, 'A', 1, 3, 'y', 'x'", "2, NULL, 1, NULL, NULL, 'y'"});
    OpenGrid();
    TColumnX* qty = Column(QStringLiteral("QTY"));
    qty->SetKeyList({"1", "2", "3"});
    qty->SetPickList({"One", "Two"});
    EXPECT_EQ(qty->ReadCellKind(), cellKeyToPick);
    EXPECT_EQ(qty->ShownText(), QString());
    qty->SetNotInKeyListIndex(0);
    EXPECT_EQ(qty->ShownText(), QStringLiteral("One"));

    TColumnX* flag = Column(QStringLiteral("FLAG"));
    flag->SetCheckboxes(true);
    flag->SetKeyList({"Y;y;1", "N;n;0"});
    EXPECT_EQ(flag->ReadCellKind(), cellCheckBox);
    EXPECT_EQ(flag->ReadCheckState(), cbChecked);

    TColumnX* name = Column(QStringLiteral("NAME"));
    name->SetDisplayFormat(QStringLiteral("0.00"));
    EXPECT_EQ(name->ShownText(), QString()) << "a number format shows no text";

    query_.Next();
    EXPECT_EQ(flag->ReadCheckState(), cbGrayed);
    flag->StepCellValue(1);
    EXPECT_EQ(flag->ReadCheckState(), cbChecked);
    EXPECT_EQ(query_.FieldByName(QStringLiteral("FLAG"))->AsString(), QStringLiteral("Y"));

    qty->SetPickList({});
    qty->SetKeyList({});
    qty->StepCellValue(1);
    EXPECT_EQ(query_.FieldByName(QStringLiteral("QTY"))->AsInteger(), 0) << "null steps to 0";
    query_.Cancel();
}

TEST_F(DBGridTest, SteppingKeyListsWraps) {
    struct Case {
        QString Start;
        double Step;
        QString Expected;
    };
    const Case cases[] = {{"3", 1, "1"}, {"1", -1, "3"}, {"1", 1, "2"}, {"2", -1, "1"}};
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    TColumnX* note = Column(QStringLiteral("NOTE"));
    note->SetKeyList({"1", "2", "3"});
    note->SetPickList({"One", "Two", "Three"});
    for (const Case& c : cases) {
        query_.Edit();
        query_.FieldByName(QStringLiteral("NOTE"))->SetAsString(c.Start);
        note->StepCellValue(c.Step);
        EXPECT_EQ(query_.FieldByName(QStringLiteral("NOTE"))->AsString(), c.Expected)
            << c.Start.toStdString() << " stepped " << c.Step;
        query_.Cancel();
    }
    // An image column without keys has nothing to step to.
    TGridPictureList pictures(4, 4);
    note->SetPickList({});
    note->SetKeyList({});
    note->SetImageList(&pictures);
    EXPECT_EQ(note->ReadCellKind(), cellImages);
    EXPECT_NO_THROW(note->StepCellValue(1));
    query_.Cancel();
}

TEST_F(DBGridTest, SortMarking) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    const auto indexes = [this] {
        std::vector<int> result;
        for (int i = 0; i < 3; ++i)
            result.push_back(grid_.Columns()->GetColumn(i)->Title()->SortIndex());
        return result;
    };
    grid_.SetOptionsX(grid_.OptionsX() | dghMultiSortMarking);
    for (int i = 0; i < 3; ++i)
        grid_.Columns()->GetColumn(i)->Title()->SetSortMarker(smDownX);
    EXPECT_EQ(indexes(), std::vector<int>({1, 2, 3}));
    grid_.Columns()->GetColumn(1)->Title()->SetSortMarker(smNoneX);
    EXPECT_EQ(indexes(), std::vector<int>({1, 0, 2}));
    EXPECT_EQ(grid_.SortMarkedColumns()->Count(), 2);
    grid_.Columns()->GetColumn(2)->Title()->SetSortIndex(5);
    EXPECT_EQ(indexes(), std::vector<int>({1, 0, 2})) << "no column holds index 5";
    grid_.Columns()->GetColumn(2)->Title()->SetSortIndex(1);
    EXPECT_EQ(indexes(), std::vector<int>({2, 0, 1}));

    grid_.SetOptionsX(grid_.OptionsX() & ~dghMultiSortMarking);
    grid_.Columns()->GetColumn(1)->Title()->SetSortMarker(smUpX);
    EXPECT_EQ(indexes(), std::vector<int>({0, 1, 0}));

    // Three clicks without Ctrl: down, up, down; with Ctrl: down, up, none.
    TColumnTitleX* title = grid_.Columns()->GetColumn(0)->Title();
    std::vector<TSortMarkerX> plain;
    std::vector<TSortMarkerX> keeping;
    for (int i = 0; i < 3; ++i) {
        title->CycleSortMarker(false);
        plain.push_back(title->SortMarker());
    }
    title->SetSortMarker(smNoneX);
    for (int i = 0; i < 3; ++i) {
        title->CycleSortMarker(true);
        keeping.push_back(title->SortMarker());
    }
    EXPECT_EQ(plain, std::vector<TSortMarkerX>({smDownX, smUpX, smDownX}));
    EXPECT_EQ(keeping, std::vector<TSortMarkerX>({smDownX, smUpX, smNoneX}));
}

TEST_F(DBGridTest, SortMarkerWidthFollowsTheColumnWidth) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    TColumnX* column = grid_.Columns()->GetColumn(0);
    column->Title()->SetSortMarker(smDownX);
    for (const auto& [width, expected] : {std::pair{5, 0}, {19, 2}, {20, 16}}) {
        column->SetWidth(width);
        EXPECT_EQ(column->Title()->SortMarkerWidth(), expected) << width;
    }
}

TEST_F(DBGridTest, TitleTreeRaisesTheTitleRow) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    const int plainHeight = grid_.GetRowHeights(0);
    grid_.Columns()->GetColumn(0)->Title()->SetCaption(QStringLiteral("A|B|C"));
    grid_.Columns()->GetColumn(0)->SetWidth(60);
    EXPECT_EQ(query_.FieldByName(QStringLiteral("ID"))->DisplayLabel(), QStringLiteral("A|B|C"))
        << "a default column writes the caption into its field's label";
    query_.FieldByName(QStringLiteral("NAME"))->SetDisplayLabel(QStringLiteral("A|B|D"));
    query_.FieldByName(QStringLiteral("AMOUNT"))->SetDisplayLabel(QStringLiteral("A|E"));
    grid_.SetUseMultiTitle(true);
    ASSERT_EQ(grid_.LeafCols().size(), 6u);
    THeadTreeNode* leafC = grid_.LeafCols()[0].Leaf;
    THeadTreeNode* leafE = grid_.LeafCols()[2].Leaf;
    EXPECT_EQ(leafC->Caption, QStringLiteral("C"));
    EXPECT_EQ(leafC->Parent()->Caption, QStringLiteral("B"));
    EXPECT_EQ(leafC->Parent()->Parent()->Caption, QStringLiteral("A"));
    EXPECT_EQ(leafE->Parent(), leafC->Parent()->Parent());
    EXPECT_GT(grid_.GetRowHeights(0), 2 * plainHeight);
    EXPECT_EQ(grid_.Columns()->GetColumn(3)->Title()->Alignment(), db::taCenter);
}

TEST_F(DBGridTest, ColumnsIndexText) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    for (int i = grid_.Columns()->Count() - 1; i >= 3; --i)
        grid_.Columns()->GetColumn(i)->SetVisible(false);
    TColumnsXPropertyInterceptor interceptor(grid_.Columns());
    EXPECT_EQ(interceptor.GetColumnsIndex(),
              QStringLiteral(R"("ID","NAME","AMOUNT","QTY","FLAG","NOTE")"));
    interceptor.SetColumnsIndex(QStringLiteral(R"("NAME","ID")"));
    EXPECT_EQ(ColumnNames().mid(0, 3), QStringList({"NAME", "ID", "AMOUNT"}));
    interceptor.SetColumnsIndex(QStringLiteral(R"("X","NAME")"));
    EXPECT_EQ(ColumnNames().mid(0, 3), QStringList({"ID", "NAME", "AMOUNT"}));

    TCustomDBGridX empty;
    empty.Columns()->Clear();
    EXPECT_EQ(TColumnsXPropertyInterceptor(empty.Columns()).GetColumnsIndex(), QString());
}

TEST_F(DBGridTest, AutoFitSharesTheClientWidth) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    grid_.SetAutoFitColWidths(true);
    int total = 0;
    for (TColumnX* column : *grid_.VisibleColumns())
        total += column->Width();
    // Indicator 11, one line per column and one more.
    EXPECT_EQ(total, grid_.ClientWidth() - 11 - 6 - 1);
    // A grid column that shrank to nothing leaves the base widths sane.
    grid_.SetColWidths(2, 0);
    EXPECT_NO_THROW(grid_.Columns()->GetColumn(1)->NotifyChanged());
    EXPECT_GE(grid_.Columns()->GetColumn(1)->BaseWidth, 0);
}

TEST_F(DBGridTest, EvenRowColourIsBlueGreenRed) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'", "2, 'B', 2, 2, 'N', 'y'"});
    OpenGrid();
    grid_.SetEvenRowColor(14744728);
    grid_.show();
    const QImage image = Render();
    const ui::TRect cell = grid_.CellRect(2, 2);
    const QColor drawn = image.pixelColor(cell.Right - 3, cell.Top + 2);
    EXPECT_EQ(drawn, QColor(152, 252, 224));
}

TEST_F(DBGridTest, DefaultColumnSettingsGoToTheirField) {
    TColumnX* column = grid_.Columns()->AddDefaultColumn();
    column->SetAlignment(db::taRightJustify);
    EXPECT_EQ(column->Alignment(), db::taLeftJustify) << "no field: nothing happens";
    column->SetReadOnly(true);
    EXPECT_TRUE(column->ReadOnly());
    EXPECT_TRUE(column->IsAssigned(cvReadOnly));

    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    TColumnX* name = Column(QStringLiteral("NAME"));
    name->SetAlignment(db::taCenter);
    EXPECT_EQ(query_.FieldByName(QStringLiteral("NAME"))->Alignment(), db::taCenter);
    EXPECT_FALSE(name->IsAssigned(cvAlignment));
    // Word wrap given its default value keeps following the default.
    EXPECT_TRUE(name->WordWrap());
    name->SetWordWrap(true);
    EXPECT_FALSE(name->IsAssigned(cvWordWrap));
    name->SetWordWrap(false);
    EXPECT_TRUE(name->IsAssigned(cvWordWrap));
    EXPECT_FALSE(name->WordWrap());
}

TEST_F(DBGridTest, UserSizingAndMovingColumns) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    TColumnX* amount = Column(QStringLiteral("AMOUNT"));
    amount->SetMinWidth(40);
    grid_.SetColWidths(3, 10);
    grid_.ColWidthsChanged();
    EXPECT_EQ(amount->Width(), 40);
    EXPECT_EQ(grid_.GetColWidths(3), 40) << "sized below its minimum, it snaps back";

    std::pair<int, int> moved{-1, -1};
    grid_.OnColumnMoved = [&](TCustomDBGridX*, int from, int to) { moved = {from, to}; };
    grid_.ColumnMoved(3, 1);
    EXPECT_EQ(moved, std::make_pair(2, 0));
    EXPECT_EQ(ColumnNames().first(), QStringLiteral("AMOUNT"));
}

TEST_F(DBGridTest, UserSizingUnderFittedWidths) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    for (int i = grid_.Columns()->Count() - 1; i >= 3; --i)
        grid_.Columns()->GetColumn(i)->SetVisible(false);
    grid_.SetAutoFitColWidths(true);
    TColumnX* first = grid_.Columns()->GetColumn(0);
    TColumnX* second = grid_.Columns()->GetColumn(1);
    const int bases = first->BaseWidth + second->BaseWidth;
    grid_.SetColWidths(1, first->Width() + 30);
    grid_.ColWidthsChanged();
    EXPECT_GT(first->BaseWidth, 0);
    EXPECT_EQ(first->BaseWidth + second->BaseWidth, bases) << "the right neighbour pays";

    grid_.SetOptionsX(grid_.OptionsX() | dghResizeWholeRightPart);
    grid_.SetColWidths(1, grid_.ClientWidth());
    grid_.ColWidthsChanged();
    for (int i = 1; i < 3; ++i)
        EXPECT_GE(grid_.Columns()->GetColumn(i)->BaseWidth, 1) << i;
}

TEST_F(DBGridTest, ScalingKeepsTheTotalWidth) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    for (int i = 3; i < query_.FieldCount(); ++i)
        query_.Fields()[i]->SetVisible(false);
    ASSERT_EQ(grid_.Columns()->Count(), 3);
    for (int i = 0; i < 3; ++i)
        grid_.Columns()->GetColumn(i)->SetWidth(33);
    grid_.ChangeScale(3, 2);
    std::vector<int> widths;
    for (int i = 0; i < 3; ++i)
        widths.push_back(grid_.Columns()->GetColumn(i)->Width());
    EXPECT_EQ(widths, std::vector<int>({50, 49, 50}));
}

TEST_F(DBGridTest, ScrollBarSettings) {
    EXPECT_EQ(grid_.VertScrollBar()->VisibleMode(), sbAutoShowX);
    grid_.VertScrollBar()->SetVisible(false);
    EXPECT_EQ(grid_.VertScrollBar()->VisibleMode(), sbNeverShowX);
    grid_.VertScrollBar()->SetVisible(true);
    EXPECT_EQ(grid_.VertScrollBar()->VisibleMode(), sbAutoShowX);

    QScrollBar bar;
    bar.setObjectName(QStringLiteral("ExtBar"));
    TCustomDBGridX other;
    grid_.VertScrollBar()->SetExtScrollBar(&bar);
    try {
        other.VertScrollBar()->SetExtScrollBar(&bar);
        ADD_FAILURE() << "a bar serves one grid";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("Possible ExtBar already attached to the other control."));
    }
    EXPECT_EQ(other.VertScrollBar()->ExtScrollBar(), nullptr);
    grid_.VertScrollBar()->SetExtScrollBar(nullptr);
    EXPECT_NO_THROW(other.VertScrollBar()->SetExtScrollBar(&bar));
    other.VertScrollBar()->SetExtScrollBar(nullptr);
}

TEST_F(DBGridTest, ColumnDefaultsCopyWithoutLayoutAndRequired) {
    TCustomDBGridX source;
    source.ColumnDefValues()->SetLayout(tlBottom);
    source.ColumnDefValues()->SetHighlightRequired(true);
    source.ColumnDefValues()->SetEndEllipsis(true);
    grid_.ColumnDefValues()->Assign(*source.ColumnDefValues());
    EXPECT_TRUE(grid_.ColumnDefValues()->EndEllipsis());
    EXPECT_EQ(grid_.ColumnDefValues()->Layout(), tlTop);
    EXPECT_FALSE(grid_.ColumnDefValues()->HighlightRequired());
}

TEST_F(DBGridTest, EscReloadsTypedTextOrCancelsTheEdit) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    query_.Edit();
    query_.FieldByName(QStringLiteral("NAME"))->SetAsString(QStringLiteral("B"));
    grid_.DataLink()->MarkEditorChanged();
    grid_.DataLink()->Reset();
    EXPECT_EQ(query_.State(), db::dsEdit) << "typed text is reloaded, the edit stays";
    EXPECT_FALSE(grid_.DataLink()->EditorChanged());
    grid_.DataLink()->Reset();
    EXPECT_EQ(query_.State(), db::dsBrowse);
    EXPECT_EQ(query_.FieldByName(QStringLiteral("NAME"))->AsString(), QStringLiteral("A"));
}

TEST_F(DBGridTest, SelectedRecordsAndColumnsAreDrawnSelected) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'", "2, 'B', 2, 2, 'N', 'y'", "3, 'C', 3, 3, 'Y', 'z'"});
    OpenGrid();
    grid_.SetOptions(grid_.Options() | dgMultiSelect | dgAlwaysShowSelection);
    grid_.show();
    const auto pixel = [this](int col, int row) {
        const ui::TRect cell = grid_.CellRect(col, row);
        return Render().pixelColor(cell.Left + cell.Width() / 2, cell.Bottom - 2);
    };
    const QColor plain = pixel(3, 3);
    query_.Next();
    grid_.SelectedRows().MarkCurrentRow(true);
    EXPECT_NE(pixel(3, 2), plain) << "the marked second record";
    EXPECT_EQ(pixel(3, 3), plain) << "the third record is not marked";
    grid_.Selection().SetSelectionType(gstAll);
    EXPECT_NE(pixel(3, 3), plain);
}

TEST_F(DBGridTest, PaintingSurvivesAFailingCellEvent) {
    Rows({"1, 'A', 1, 1, 'Y', 'x'"});
    OpenGrid();
    int reported = 0;
    ui::SetExceptionHandler([&](const std::exception_ptr&) { ++reported; });
    grid_.OnGetCellParams = [](TCustomDBGridX*, TColumnX*, QFont&, ui::TColor&, TGridDrawState) {
        throw Exception(QStringLiteral("cell"));
    };
    grid_.show();
    EXPECT_NO_THROW(Render());
    EXPECT_GT(reported, 0);
    ui::SetExceptionHandler({});
}

} // namespace
} // namespace kx
