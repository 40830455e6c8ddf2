#include "grid/dbgrid/dbgridfilter.h"

#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/datasetfieldvaluelistx.h"
#include "grid/dbgrid/dbgriddataservice.h"
#include "tests/grid/dbgrid/servicegridfixture.h"

namespace kx::test {
namespace {

class ColumnFilterTest : public ServiceGridTest {};

struct NormalTextCase {
    const char* field;
    const char* typed;
    const char* normal;
};

TEST_F(ColumnFilterTest, NormalTextsWriteEachOperandByItsType) {
    OpenGrid();
    const NormalTextCase cases[] = {
        {"AMOUNT", "5", "= 5"},
        {"AMOUNT", "> 5 AND < 10.5", "> 5 AND < 10.5"},
        {"AMOUNT", "1,5", "In (1,5)"},
        {"NAME", "abc", "~ 'abc'"},
        {"NAME", "<>'it'", "<> 'it'"},
        {"NAME", "a | b", "~ 'a' OR ~ 'b'"},
        {"NAME", "= NULL", "=Null"},
        {"NAME", "<> null", "<>Null"},
        {"NAME", "IN (a,b)", "In ('a','b')"},
        {"DAY", "2026-03-05", "= 2026-03-05"},
        {"NAME", "", ""},
    };
    for (const NormalTextCase& c : cases) {
        TSTColumnFilterX* filter = Column(QString::fromLatin1(c.field))->STFilter();
        filter->SetExpressionText(QString::fromLatin1(c.typed));
        EXPECT_EQ(filter->ExpressionAsText(), QString::fromLatin1(c.normal)) << c.typed;
        EXPECT_EQ(filter->ExpressionText(), QString::fromLatin1(c.typed));
    }
}

TEST_F(ColumnFilterTest, PickedTextsStandForTheirKeys) {
    OpenGrid();
    TColumnX* flag = Column(QStringLiteral("FLAG"));
    flag->SetPickList({QStringLiteral("Yes"), QStringLiteral("No")});
    flag->SetKeyList({QStringLiteral("1"), QStringLiteral("0")});
    TSTColumnFilterX* filter = flag->STFilter();

    filter->SetExpressionText(QStringLiteral("= Yes"));
    EXPECT_EQ(filter->GetExpression().Operand1, QVariant(QStringLiteral("1")));
    EXPECT_EQ(filter->ExpressionAsText(), QStringLiteral("= '1'"));

    filter->SetExpressionText(QStringLiteral("IN (Yes,No,Maybe) AND <> No"));
    EXPECT_EQ(
        filter->GetExpression().Operand1,
        QVariant(QVariantList{QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("Maybe")}));
    EXPECT_EQ(filter->GetExpression().Operand2, QVariant(QStringLiteral("0")));
}

// A column whose filter text is looked up in a list of kinds.
class LookupFilterTest : public ServiceGridTest {
protected:
    LookupFilterTest() {
        Exec({"CREATE TABLE KINDS (CODE VARCHAR(2), TITLE VARCHAR(10))",
              "INSERT INTO KINDS VALUES ('C', 'Cash')", "INSERT INTO KINDS VALUES ('B', 'Bank')"});
        kinds_ = NewQuery(QStringLiteral("SELECT * FROM KINDS"));
        kinds_->Open();
        kindSource_.SetDataSet(kinds_);
        OpenGrid();
        filter_ = Column(QStringLiteral("FLAG"))->STFilter();
        filter_->SetKeyField(QStringLiteral("CODE"));
        filter_->SetListField(QStringLiteral("TITLE"));
        filter_->SetListSource(&kindSource_);
    }

    db::TQuery* kinds_ = nullptr;
    db::TDataSource kindSource_;
    TSTColumnFilterX* filter_ = nullptr;
};

TEST_F(LookupFilterTest, TypedTextBecomesItsKeyOrAnIsNullFilter) {
    filter_->SetExpressionText(QStringLiteral("Bank"));
    EXPECT_EQ(filter_->KeyValues(), QVariant(QStringLiteral("B")));
    EXPECT_EQ(filter_->GetOperand1(), QVariant(QStringLiteral("B")));
    EXPECT_EQ(filter_->GetExpression().Operator1, fopIn);
    EXPECT_EQ(filter_->ExpressionAsText(), QStringLiteral("Bank"));

    filter_->SetExpressionText(QStringLiteral("Gold"));
    EXPECT_TRUE(filter_->KeyValues().isNull());
    EXPECT_EQ(filter_->GetExpression().Operator1, fopIsNull);
    EXPECT_EQ(filter_->ExpressionText(), QStringLiteral("Gold"));

    filter_->SetExpressionText(QString());
    EXPECT_TRUE(filter_->KeyValues().isNull());
    EXPECT_EQ(filter_->GetExpression().Operator1, fopNone);
}

TEST_F(LookupFilterTest, NoListLeavesNoKeyOfAnEarlierText) {
    filter_->SetExpressionText(QStringLiteral("Cash"));
    ASSERT_EQ(filter_->KeyValues(), QVariant(QStringLiteral("C")));
    filter_->SetListSource(nullptr);
    filter_->SetExpressionText(QStringLiteral("Bank"));
    EXPECT_TRUE(filter_->KeyValues().isNull()) << "a stale key would still filter on C";
    EXPECT_EQ(filter_->GetExpression().Operator1, fopIsNull);
}

TEST_F(LookupFilterTest, TheListOffersItsDistinctTitles) {
    EXPECT_TRUE(filter_->HasValueList());
    const auto list = filter_->GetValueList();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->DistinctValues(),
              QStringList({QStringLiteral("Bank"), QStringLiteral("Cash")}));

    kinds_->Close();
    EXPECT_FALSE(filter_->GetValueList()) << "no list from a closed data set";
    filter_->SetListSource(nullptr);
    EXPECT_FALSE(filter_->HasValueList());
}

TEST_F(LookupFilterTest, ClearAndAssignKeepTheirOwnParts) {
    filter_->SetExpressionText(QStringLiteral("Cash"));
    TSTColumnFilterX* other = Column(QStringLiteral("NAME"))->STFilter();
    other->Assign(*filter_);
    EXPECT_EQ(other->KeyField(), QStringLiteral("CODE"));
    EXPECT_EQ(other->ListSource(), &kindSource_);
    EXPECT_TRUE(other->ExpressionText().isEmpty()) << "the expression is not copied";

    filter_->Clear();
    EXPECT_TRUE(filter_->KeyValues().isNull());
    EXPECT_TRUE(filter_->ExpressionText().isEmpty());
    EXPECT_EQ(filter_->GetExpression().Operator1, fopNone);
}

// ---- Sort marking ------------------------------------------------------

class SortMarkingTest : public ServiceGridTest {
protected:
    SortMarkingTest() {
        OpenGrid();
        grid_.SetOptionsX(grid_.OptionsX() | dghMultiSortMarking | dghAutoSortMarking);
        GridDataService()->SortingHandler = [this](TCustomDBGridX*) { ++sortings_; };
    }

    void Mark(const char* field) {
        Column(QString::fromLatin1(field))->Title()->SetSortMarker(smDownX);
    }

    TSortMarkerX Marker(const char* field) const {
        return Column(QString::fromLatin1(field))->Title()->SortMarker();
    }

    int sortings_ = 0;
};

TEST_F(SortMarkingTest, LeavingMultiSortKeepsOnlyTheFirstMarker) {
    Mark("AMOUNT");
    Mark("NAME");
    Mark("ID");
    ASSERT_EQ(grid_.SortMarkedColumns()->Count(), 3);

    grid_.SetOptionsX(grid_.OptionsX() & ~dghMultiSortMarking);
    EXPECT_EQ(Marker("AMOUNT"), smDownX);
    EXPECT_EQ(Marker("NAME"), smNoneX);
    EXPECT_EQ(Marker("ID"), smNoneX);
    EXPECT_EQ(grid_.SortMarkedColumns()->Count(), 1);

    grid_.SetOptionsX(grid_.OptionsX() | dghMultiSortMarking);
    EXPECT_EQ(Marker("AMOUNT"), smDownX);
    EXPECT_EQ(grid_.SortMarkedColumns()->Count(), 1);
}

TEST_F(SortMarkingTest, GapsInTheSortIndexesLeaveNoEmptyPlaces) {
    // Columns as read from stored settings, whose indexes may skip a number.
    grid_.Columns()->BeginUpdate();
    grid_.Columns()->Clear();
    for (const auto& [field, index] : {std::pair{"AMOUNT", 1}, std::pair{"NAME", 3}}) {
        TColumnX* column = grid_.Columns()->Add();
        column->SetFieldName(QString::fromLatin1(field));
        column->Title()->SetSortMarker(smDownX);
        column->Title()->SetSortIndex(index);
    }
    grid_.Columns()->EndUpdate();
    ASSERT_EQ(grid_.SortMarkedColumns()->Count(), 2);
    EXPECT_EQ(grid_.SortMarkedColumns()->GetColumn(1), Column(QStringLiteral("NAME")));

    grid_.SetOptionsX(grid_.OptionsX() & ~dghMultiSortMarking);
    EXPECT_EQ(grid_.SortMarkedColumns()->Count(), 1);
}

TEST_F(SortMarkingTest, ReleasingCtrlAppliesAPendingSortingOnce) {
    int key = Qt::Key_Control;
    grid_.KeyUp(key, 0);
    EXPECT_EQ(sortings_, 0) << "nothing was pending";

    grid_.SetMultiSortPending(true);
    int other = Qt::Key_Shift;
    grid_.KeyUp(other, ui::ssCtrl);
    EXPECT_EQ(sortings_, 0);
    grid_.KeyUp(key, 0);
    EXPECT_EQ(sortings_, 1);
    EXPECT_FALSE(grid_.MultiSortPending());

    grid_.SetMultiSortPending(true);
    grid_.FocusOut(nullptr);
    EXPECT_EQ(sortings_, 2) << "losing the focus applies it too";

    int events = 0;
    grid_.OnSortMarkingChanged = [&events](TCustomDBGridX*) { ++events; };
    grid_.SortMarkingChanged();
    EXPECT_EQ(events, 1);
    EXPECT_EQ(sortings_, 2) << "the event takes the place of the service";

    grid_.SetOptionsX(grid_.OptionsX() & ~dghAutoSortMarking);
    grid_.SortMarkingChanged();
    EXPECT_EQ(events, 1);
}

// ---- Text search -------------------------------------------------------

class TextSearchTest : public ServiceGridTest {};

struct SearchCase {
    const char* text;
    int options;
    TLocateTextDirection direction;
    TLocateTextMatching matching;
    int startRecNo;
    int foundRecNo; // 0: not found, the record stays
};

TEST_F(TextSearchTest, SearchesTheCurrentColumnByDirectionAndMatching) {
    Rows({"1, 'Alpha', 1, NULL, 'Y'", "2, 'beta', 2, NULL, 'Y'", "3, 'Beta2', 3, NULL, 'Y'",
          "4, 'gamma', 4, NULL, 'Y'"});
    OpenGrid();
    MakeCurrentColumn(QStringLiteral("NAME"));
    const SearchCase cases[] = {
        {"b", ltoCaseInsensitive, ltdAll, ltmFromBeginning, 4, 2},
        {"b", 0, ltdAll, ltmFromBeginning, 4, 2},
        {"B", 0, ltdAll, ltmFromBeginning, 1, 3},
        {"b", ltoCaseInsensitive, ltdDown, ltmFromBeginning, 2, 3},
        {"b", ltoCaseInsensitive, ltdUp, ltmFromBeginning, 3, 2},
        {"b", ltoCaseInsensitive, ltdUp, ltmFromBeginning, 2, 0},
        {"ETA", ltoCaseInsensitive, ltdAll, ltmAnyPart, 1, 2},
        {"beta", ltoCaseInsensitive, ltdDown, ltmWhole, 2, 0},
        {"amm", 0, ltdAll, ltmWhole, 1, 0},
        {"Alpha", 0, ltdAll, ltmWhole, 3, 1},
    };
    for (const SearchCase& c : cases) {
        query_.SetRecNo(c.startRecNo);
        const bool found = grid_.LocateText(QString(), QString::fromLatin1(c.text), c.options,
                                            c.direction, c.matching, 0);
        EXPECT_EQ(found, c.foundRecNo != 0) << c.text << " from " << c.startRecNo;
        EXPECT_EQ(query_.RecNo(), found ? c.foundRecNo : c.startRecNo) << c.text;
    }
}

TEST_F(TextSearchTest, AClosedDataSetFindsNothing) {
    NumberedRows(3);
    OpenGrid();
    query_.Close();
    EXPECT_FALSE(grid_.LocateText(QString(), QStringLiteral("N"), 0, ltdAll, ltmFromBeginning, 0));
    grid_.SetDataSource(nullptr);
    EXPECT_FALSE(grid_.LocateText(QString(), QStringLiteral("N"), 0, ltdAll, ltmFromBeginning, 0));
}

TEST_F(TextSearchTest, TheServiceFiltersSortsAndMovesOnlyThroughHandlers) {
    OpenGrid();
    TDBGridXDataService* service = GridDataService();
    EXPECT_FALSE(service->MoveRecords(&grid_, {}, 0, true));
    int filters = 0;
    service->ApplyFilter(&grid_);
    service->FilterHandler = [&filters](TCustomDBGridX*) { ++filters; };
    service->ApplyFilter(&grid_);
    EXPECT_EQ(filters, 1);

    QString dialogText;
    QString dialogField = QStringLiteral("unset");
    GridFindDialogProc = [&](TCustomDBGridX*, const QString& text, const QString& field, bool) {
        dialogText = text;
        dialogField = field;
    };
    service->OpenFindDialog(&grid_, QStringLiteral("abc"), QStringLiteral("NAME"), true);
    GridFindDialogProc = nullptr;
    EXPECT_EQ(dialogText, QStringLiteral("abc"));
    EXPECT_TRUE(dialogField.isEmpty());
}

} // namespace
} // namespace kx::test
