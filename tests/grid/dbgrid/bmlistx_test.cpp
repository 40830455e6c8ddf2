#include "grid/dbgrid/bmlistx.h"
#include "grid/dbgrid/datasetfieldvaluelistx.h"

#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/sys/exception.h"
#include "tests/platform/db/dbfixture.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

using db::TQuery;

// A live table of ten numbered rows with a name each.
class DataHelpersTest : public db::test::DbTest {
protected:
    DataHelpersTest() {
        Exec({"CREATE TABLE BM_TEST (ID INTEGER PRIMARY KEY, NAME VARCHAR(10))"});
        const char* names[] = {"b", "a", "b", "", "A", "c", "b", "a", "d", "e"};
        for (int id = 1; id <= 10; ++id)
            Exec({QStringLiteral("INSERT INTO BM_TEST VALUES (%1, '%2')")
                      .arg(id)
                      .arg(QString::fromLatin1(names[id - 1]))});
        query_.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        query_.SetRequestLive(true);
        query_.SQL().SetText(QStringLiteral("SELECT * FROM BM_TEST ORDER BY ID"));
        query_.Open();
    }

    void GoTo(int id) { ASSERT_TRUE(query_.Locate(QStringLiteral("ID"), id)); }
    int CurrentId() { return query_.FieldByName(QStringLiteral("ID"))->AsInteger(); }

    TQuery query_;
};

class TCountingList : public TBMListX {
public:
    explicit TCountingList(db::TDataSet* dataSet) : dataSet_(dataSet) {}
    mutable int comparisons = 0;
    int selectionChanges = 0;
    int refreshes = 0;

protected:
    db::TDataSet* LinkedDataSet() const override { return dataSet_; }
    void RefreshOwner() override { ++refreshes; }
    void SelectionChanged() override { ++selectionChanges; }
    int CompareItems(const db::TBookmark& a, const db::TBookmark& b) const override {
        ++comparisons;
        return TBMListX::CompareItems(a, b);
    }

private:
    db::TDataSet* dataSet_;
};

TEST_F(DataHelpersTest, MarkedRowsStayInRecordOrder) {
    TCountingList list(&query_);
    list.SetLinkActive(true);
    GoTo(9);
    list.MarkCurrentRow(true);
    GoTo(3);
    list.MarkCurrentRow(true);
    GoTo(5);
    list.MarkCurrentRow(true);
    ASSERT_EQ(list.BookmarkCount(), 3);
    EXPECT_EQ(list.IndexOfBookmark(query_.Bookmark()), 1); // between 3 and 9
    list.MarkCurrentRow(true);
    EXPECT_EQ(list.BookmarkCount(), 3);
    list.MarkCurrentRow(false);
    EXPECT_EQ(list.BookmarkCount(), 2);
    EXPECT_FALSE(list.IsCurrentRowMarked());
    GoTo(9);
    EXPECT_TRUE(list.IsCurrentRowMarked());
}

TEST_F(DataHelpersTest, RepeatedSearchIsAnsweredFromTheCacheUntilTheListChanges) {
    TCountingList list(&query_);
    list.SetLinkActive(true);
    for (const int id : {2, 4, 6, 8}) {
        GoTo(id);
        list.MarkCurrentRow(true);
    }
    GoTo(7);
    const db::TBookmark seven = query_.Bookmark();
    int index = -1;
    list.comparisons = 0;
    EXPECT_FALSE(list.SearchBookmark(seven, index));
    EXPECT_EQ(index, 3);
    EXPECT_GT(list.comparisons, 0);
    list.comparisons = 0;
    EXPECT_FALSE(list.SearchBookmark(seven, index));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(list.comparisons, 0);
    GoTo(2);
    list.MarkCurrentRow(false);
    list.comparisons = 0;
    list.SearchBookmark(seven, index);
    EXPECT_EQ(index, 2);
    EXPECT_GT(list.comparisons, 0);
}

TEST_F(DataHelpersTest, ClearAllAndLinkChangesNotify) {
    TCountingList list(&query_);
    EXPECT_THROW(list.MarkCurrentRow(true), Exception);
    try {
        list.CurrentBookmark();
        ADD_FAILURE() << "a closed link gave a bookmark";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot perform this operation on a closed dataset"));
    }
    list.ClearAll();
    EXPECT_EQ(list.selectionChanges, 0);
    EXPECT_EQ(list.refreshes, 0);
    list.SetLinkActive(true);
    EXPECT_EQ(list.selectionChanges, 1);
    list.MarkCurrentRow(true);
    list.ClearAll();
    EXPECT_EQ(list.BookmarkCount(), 0);
    EXPECT_EQ(list.selectionChanges, 2);
    EXPECT_EQ(list.refreshes, 1);
}

TEST_F(DataHelpersTest, DeleteRecordsRemovesTheMarkedRows) {
    TCountingList list(&query_);
    list.SetLinkActive(true);
    list.DeleteRecords();
    EXPECT_EQ(list.selectionChanges, 2); // the link change and the empty deletion
    EXPECT_EQ(query_.RecordCount(), 10);
    for (const int id : {3, 7, 10}) {
        GoTo(id);
        list.MarkCurrentRow(true);
    }
    list.DeleteRecords();
    EXPECT_EQ(list.BookmarkCount(), 0);
    EXPECT_EQ(query_.RecordCount(), 7);
    for (const int id : {3, 7, 10})
        EXPECT_FALSE(query_.Locate(QStringLiteral("ID"), id)) << id;
    EXPECT_FALSE(query_.ControlsDisabled());
}

TEST_F(DataHelpersTest, DistinctValuesAreSortedOnceAndLeaveTheCurrentRecord) {
    TDatasetFieldValueListX values;
    values.ChangeDataSet(&query_);
    values.ChangeFieldName(QStringLiteral("NAME"));
    GoTo(6);
    // "A" and "a" are one value.
    const QStringList expected{QString(),           QStringLiteral("a"), QStringLiteral("b"),
                               QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e")};
    EXPECT_EQ(values.DistinctValues(), expected);
    EXPECT_EQ(CurrentId(), 6);
    EXPECT_FALSE(values.Obsolete());
    query_.Next();
    EXPECT_FALSE(values.Obsolete()); // scrolling changes no values
    query_.AppendRecord({11, QStringLiteral("f")});
    EXPECT_TRUE(values.Obsolete());
    EXPECT_EQ(values.DistinctValues().size(), 7);
    values.ChangeFieldName(QStringLiteral("NAME"));
    EXPECT_FALSE(values.Obsolete());
    values.ChangeFieldName(QStringLiteral("MISSING"));
    EXPECT_TRUE(values.DistinctValues().isEmpty());
    EXPECT_TRUE(values.Obsolete()); // tried again on the next request
}

TEST_F(DataHelpersTest, DistinctValuesWaitWhileARecordIsEdited) {
    TDatasetFieldValueListX values;
    values.ChangeDataSet(&query_);
    values.ChangeFieldName(QStringLiteral("NAME"));
    GoTo(4);
    query_.Edit();
    query_.FieldByName(QStringLiteral("NAME"))->SetAsString(QStringLiteral("zz"));
    EXPECT_TRUE(values.DistinctValues().isEmpty());
    EXPECT_EQ(query_.State(), db::dsEdit);
    EXPECT_EQ(query_.FieldByName(QStringLiteral("NAME"))->AsString(), QStringLiteral("zz"));
    query_.Cancel();
    EXPECT_EQ(values.DistinctValues().size(), 6);
}

} // namespace
} // namespace kx
