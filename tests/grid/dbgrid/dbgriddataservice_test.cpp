#include "grid/dbgrid/dbgriddataservice.h"

#include "grid/editors/datasetfeaturesx.h"
#include "tests/grid/dbgrid/servicegridfixture.h"

#include <gtest/gtest.h>

namespace kx::test {
namespace {

// Rows 1..4 over ID, NAME, AMOUNT, DAY and FLAG.
class ColumnSearchTest : public ServiceGridTest {
protected:
    void SetUp() override {
        Rows({"1, 'ab', 10, NULL, 'x'", "2, 'cd', 20, NULL, 'Ab'", "3, 'xy', 30, NULL, 'q'",
              "4, 'AB', 40, NULL, 'z'"});
        OpenGrid();
    }
    bool Find(const char* text, int options, TLocateTextDirection direction,
              TLocateTextMatching matching = ltmWhole) {
        return FindTextInGridColumn(&grid_, QString(), QString::fromLatin1(text), options,
                                    direction, matching, 0);
    }
    QString CurrentFieldName() const { return grid_.CurrentField()->FieldName(); }
};

TEST_F(ColumnSearchTest, AllColumnsWalkCellByCellAndMakeTheFoundColumnCurrent) {
    const struct {
        const char* text;
        int options;
        TLocateTextDirection direction;
        int startRecNo;
        const char* startField;
        int foundRecNo;
        const char* foundField;
    } cases[] = {
        {"Ab", ltoAllColumns, ltdDown, 1, "NAME", 2, "FLAG"},
        {"ab", ltoAllColumns | ltoCaseInsensitive, ltdDown, 2, "FLAG", 4, "NAME"},
        {"ab", ltoAllColumns | ltoCaseInsensitive, ltdUp, 4, "NAME", 2, "FLAG"},
        {"10", ltoAllColumns, ltdAll, 3, "NAME", 1, "AMOUNT"},
        {"q", ltoAllColumns, ltdUp, 3, "FLAG", 0, ""},
        {"AB", 0, ltdUp, 4, "FLAG", 0, ""},
    };
    for (const auto& c : cases) {
        query_.SetRecNo(c.startRecNo);
        MakeCurrentColumn(QString::fromLatin1(c.startField));
        const bool found = Find(c.text, c.options, c.direction);
        EXPECT_EQ(found, c.foundRecNo != 0) << c.text << " from " << c.startRecNo;
        EXPECT_EQ(query_.RecNo(), found ? c.foundRecNo : c.startRecNo) << c.text;
        EXPECT_EQ(CurrentFieldName(), QString::fromLatin1(found ? c.foundField : c.startField))
            << c.text;
        EXPECT_FALSE(query_.ControlsDisabled());
    }
}

// A case-sensitive match moves to its column as well.
TEST_F(ColumnSearchTest, ACaseSensitiveMatchShowsItsCellToo) {
    MakeCurrentColumn(QStringLiteral("ID"));
    ASSERT_TRUE(Find("xy", ltoAllColumns, ltdAll));
    EXPECT_EQ(query_.RecNo(), 3);
    EXPECT_EQ(CurrentFieldName(), QStringLiteral("NAME"));
}

// Columns scrolled out of the window are searched as well.
TEST_F(ColumnSearchTest, ColumnsOutOfSightAreSearched) {
    grid_.resize(130, 300);
    MakeCurrentColumn(QStringLiteral("ID"));
    ASSERT_LT(grid_.VisibleColCount(), grid_.VisibleColumns()->Count());
    ASSERT_TRUE(Find("q", ltoAllColumns, ltdAll));
    EXPECT_EQ(query_.RecNo(), 3);
    EXPECT_EQ(CurrentFieldName(), QStringLiteral("FLAG"));
}

TEST_F(ColumnSearchTest, NothingFoundPutsTheGridBackOnItsRowAndPlace) {
    grid_.resize(600, 60);
    query_.Last();
    query_.SetRecNo(3);
    const int topBefore = TopRecNo();
    MakeCurrentColumn(QStringLiteral("NAME"));
    EXPECT_FALSE(Find("none", ltoAllColumns, ltdAll, ltmAnyPart));
    EXPECT_EQ(query_.RecNo(), 3);
    EXPECT_EQ(TopRecNo(), topBefore);
    EXPECT_EQ(CurrentFieldName(), QStringLiteral("NAME"));
}

TEST_F(ColumnSearchTest, AnEmptyTextMatchesAsItsKindSays) {
    MakeCurrentColumn(QStringLiteral("NAME"));
    query_.SetRecNo(3);
    EXPECT_TRUE(Find("", 0, ltdAll, ltmAnyPart));
    EXPECT_EQ(query_.RecNo(), 1);
    EXPECT_TRUE(Find("", 0, ltdDown, ltmFromBeginning));
    EXPECT_EQ(query_.RecNo(), 2);
    EXPECT_FALSE(Find("", 0, ltdAll, ltmWhole));
}

// A features object of the nearest class takes the work; without one the
// service takes its own way.
class FakeFeatures : public TDatasetFeaturesX {
public:
    FakeFeatures(const QString& className, int* calls)
        : TDatasetFeaturesX(className), calls_(calls) {}
    void ApplyFilter(TCustomDBGridX*, db::TDataSet*, bool) override { ++*calls_; }
    void ApplySorting(TCustomDBGridX*, db::TDataSet*, bool) override { ++*calls_; }
    bool LocateText(TCustomDBGridX*, const QString&, const QString&, int, TLocateTextDirection,
                    TLocateTextMatching, int) override {
        ++*calls_;
        return true;
    }
    bool MoveRecords(TCustomDBGridX*, const QList<db::TBookmark>&, int, bool) override {
        return true;
    }
    void OpenFindDialog(TCustomDBGridX*, const QString&, const QString&, bool) override {}

private:
    int* calls_;
};

TEST_F(ColumnSearchTest, TheNearestRegisteredFeaturesTakeTheWork) {
    EXPECT_EQ(DataSetFeaturesFor(&query_), nullptr);
    EXPECT_EQ(ClassDistance(query_.metaObject(), QStringLiteral("TQuery")), 0);
    EXPECT_EQ(ClassDistance(query_.metaObject(), QStringLiteral("tdataset")),
              ClassDistance(query_.metaObject(), QStringLiteral("QObject")) - 1);
    EXPECT_EQ(ClassDistance(query_.metaObject(), QStringLiteral("TTable")), INT_MAX);

    int baseCalls = 0;
    int queryCalls = 0;
    ASSERT_TRUE(RegisterDatasetFeatures(
        std::make_unique<FakeFeatures>(QStringLiteral("TDataSet"), &baseCalls)));
    ASSERT_TRUE(RegisterDatasetFeatures(
        std::make_unique<FakeFeatures>(QStringLiteral("TQuery"), &queryCalls)));
    EXPECT_FALSE(RegisterDatasetFeatures(
        std::make_unique<FakeFeatures>(QStringLiteral("tquery"), &queryCalls)))
        << "one object per class";
    EXPECT_TRUE(grid_.LocateText(QString(), QStringLiteral("nowhere"), 0, ltdAll, ltmWhole, 0));
    GridDataService()->ApplySorting(&grid_);
    EXPECT_EQ(queryCalls, 2);
    EXPECT_EQ(baseCalls, 0);
    UnregisterDatasetFeatures(QStringLiteral("TQuery"));
    UnregisterDatasetFeatures(QStringLiteral("TDataSet"));
    EXPECT_EQ(DataSetFeaturesFor(&query_), nullptr);
    EXPECT_FALSE(grid_.LocateText(QString(), QStringLiteral("nowhere"), 0, ltdAll, ltmWhole, 0));
}

} // namespace
} // namespace kx::test
