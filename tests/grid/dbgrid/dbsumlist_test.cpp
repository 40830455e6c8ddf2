#include "grid/dbgrid/dbsumlist.h"

#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/sys/exception.h"
#include "tests/platform/db/dbfixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace kx {
namespace {

using db::TDataSet;
using db::TQuery;

// A small live table of two amounts in a fresh data folder.
class SumListTest : public db::test::DbTest {
protected:
    SumListTest() { Exec({"CREATE TABLE SUM_TEST (ID INTEGER PRIMARY KEY, A REAL, B REAL)"}); }

    // Rows of (A, B); an empty text stores NULL.
    void Rows(const QList<QPair<QString, QString>>& rows) {
        int id = 1;
        for (const auto& [a, b] : rows) {
            Exec({QStringLiteral("INSERT INTO SUM_TEST VALUES (%1, %2, %3)")
                      .arg(id++)
                      .arg(a.isEmpty() ? QStringLiteral("NULL") : a)
                      .arg(b.isEmpty() ? QStringLiteral("NULL") : b)});
        }
    }

    TQuery* Query() {
        if (!query_) {
            query_ = std::make_unique<TQuery>();
            query_->SetDatabaseName(QStringLiteral("RUReravezDataBase"));
            query_->SetRequestLive(true);
            query_->SQL().SetText(QStringLiteral("SELECT * FROM SUM_TEST ORDER BY ID"));
        }
        return query_.get();
    }

    TDBSum* Item(TGroupOperation operation, const QString& fieldName) {
        TDBSum* sum = producer_.SumCollection().Add();
        sum->SetGroupOperation(operation);
        sum->SetFieldName(fieldName);
        return sum;
    }

    // The producer over the query, which opens afterwards.
    void OpenWithItems(const QList<QPair<TGroupOperation, QString>>& items) {
        producer_.SetDataSet(Query());
        for (const auto& [operation, name] : items)
            Item(operation, name);
        Query()->Open();
    }

    double Value(int index) const { return producer_.SumCollection().Items(index)->Value(); }

    std::unique_ptr<TQuery> query_;
    TDBSumListProducer producer_;
};

TEST_F(SumListTest, FullScanRoundsEachRunningSumToTheDecimalsSeen) {
    struct Case {
        QStringList values;
        double expected;
    };
    const Case cases[] = {
        {{"1.25", "2.5"}, 3.75},
        {{"0.1", "0.2"}, 0.3}, // no binary remainder survives the rounding
        {{"1.25", "2.5", "0.001"}, 3.751},
        {{"0.123456789", "1"}, 1.12345679}, // at most 8 decimals
        {{"-1.5", "0.25", ""}, -1.25},
        // Values whose double carries more than 15 digits are read as their
        // text shows them: 0.07000000000000001 as 0.07.
        {{"7 * 0.01", "0.3 * 3"}, 0.97},
        {{"1.25", "7 * 0.01", "2", "1e20"}, 1e20 + 3.32},
    };
    for (const Case& c : cases) {
        Exec({"DELETE FROM SUM_TEST"});
        QList<QPair<QString, QString>> rows;
        for (const QString& value : c.values)
            rows.append({value, QString()});
        Rows(rows);
        TDBSumListProducer producer;
        TDBSum* sum = producer.SumCollection().Add();
        sum->SetFieldName("A");
        producer.SetDataSet(Query());
        Query()->Open();
        EXPECT_EQ(sum->Value(), c.expected) << c.values.join(',').toStdString();
        Query()->Close();
    }
}

TEST_F(SumListTest, EmptyDataSetGivesZerosAndStillTellsTheGrid) {
    int changes = 0;
    producer_.SumListChanged = [&](TDBSumListProducer*) { ++changes; };
    OpenWithItems({{goSum, "A"}, {goAvg, "A"}, {goCount, ""}});
    EXPECT_EQ(Value(0), 0);
    EXPECT_EQ(Value(1), 0);
    EXPECT_EQ(Value(2), 0);
    EXPECT_GT(changes, 0);
}

TEST_F(SumListTest, AverageSkipsNullsAndFollowsAnEdit) {
    Rows({{"2", ""}, {"", ""}, {"4", ""}});
    OpenWithItems({{goAvg, "A"}});
    EXPECT_EQ(Value(0), 3);
    Query()->SetRecNo(2);
    Query()->Edit();
    Query()->FieldByName("A")->SetAsFloat(6);
    Query()->Post();
    EXPECT_EQ(Value(0), 4);
}

TEST_F(SumListTest, CountsFollowInsertDeleteAndEdit) {
    Rows({{"1", "5"}, {"2", ""}, {"3", "7"}});
    OpenWithItems({{goCount, ""}, {goCount, "B"}, {goSum, "A"}});
    EXPECT_EQ(Value(0), 3);
    EXPECT_EQ(Value(1), 2);
    EXPECT_EQ(Value(2), 6);

    // A value the new row already holds when the insert begins counts once.
    Query()->OnNewRecord = [](TDataSet* dataSet) { dataSet->FieldByName("B")->SetAsFloat(9); };
    Query()->Append();
    Query()->FieldByName("ID")->SetAsInteger(4);
    Query()->FieldByName("A")->SetAsFloat(10);
    Query()->Post();
    EXPECT_EQ(Value(0), 4);
    EXPECT_EQ(Value(1), 3);
    EXPECT_EQ(Value(2), 16);

    Query()->First();
    Query()->Edit();
    Query()->FieldByName("A")->SetAsFloat(1.5);
    Query()->Post();
    EXPECT_EQ(Value(0), 4);
    EXPECT_EQ(Value(1), 3);
    EXPECT_EQ(Value(2), 16.5);

    Query()->Delete();
    EXPECT_EQ(Value(0), 3);
    EXPECT_EQ(Value(1), 2);
    EXPECT_EQ(Value(2), 15);
}

TEST_F(SumListTest, CancelledEditAndRefusedDeleteLeaveTheSums) {
    Rows({{"1", ""}, {"2", ""}});
    OpenWithItems({{goSum, "A"}, {goCount, ""}});
    Query()->Edit();
    Query()->FieldByName("A")->SetAsFloat(100);
    Query()->Cancel();
    Query()->BeforeDelete = [](TDataSet*) { Abort(); };
    EXPECT_THROW(Query()->Delete(), EAbort);
    EXPECT_EQ(Value(0), 3);
    EXPECT_EQ(Value(1), 2);
}

// Saves, deletes and cancels in random order: after each, the aggregates
// the producer followed equal those of a fresh scan to the last bit, with
// no scan of its own.
TEST_F(SumListTest, FollowedChangesGiveWhatAScanGives) {
    Rows({{"0.1", "0.2"}, {"", "3"}, {"12.34", ""}});
    const QList<QPair<TGroupOperation, QString>> items = {
        {goSum, "A"}, {goSum, "B"}, {goAvg, "A"}, {goAvg, "B"}, {goCount, ""}, {goCount, "B"}};
    // The rows stay in the data set: the sums follow the data set, not the
    // table.
    Query()->SetCachedUpdates(true);
    OpenWithItems(items);
    int scans = 0;
    producer_.OnRecalcAll = [&](TDBSumListProducer*) { ++scans; };
    std::mt19937 random(36);
    const auto chance = [&](int percent) {
        return std::uniform_int_distribution<int>(0, 99)(random) < percent;
    };
    const auto cents = [&] { return std::uniform_int_distribution<int>(-500000, 500000)(random); };
    const auto setValue = [&](const char* name) {
        db::TField* field = Query()->FieldByName(name);
        if (chance(15))
            field->Clear();
        else if (chance(20)) // a difference of two amounts, as a balance: 4000.01 - 4007.83
            field->SetAsFloat(cents() / 100.0 - cents() / 100.0);
        else
            field->SetAsFloat(chance(10) ? cents() / 1000.0 : cents() / 100.0);
    };
    int nextId = 4;
    for (int step = 0; step < 600; ++step) {
        if (!Query()->IsEmpty())
            Query()->SetRecNo(
                std::uniform_int_distribution<int>(1, Query()->RecordCount())(random));
        const int operation = std::uniform_int_distribution<int>(0, 9)(random);
        if (operation < 2 && !Query()->IsEmpty()) {
            Query()->Delete();
        } else {
            if (operation < 5) {
                Query()->Append();
                Query()->FieldByName("ID")->SetAsInteger(nextId++);
            } else {
                Query()->Edit();
            }
            setValue("A");
            setValue("B");
            if (chance(20))
                Query()->Cancel();
            else
                Query()->Post();
        }
        ASSERT_TRUE(producer_.FollowsExactly()) << "step " << step;
        TDBSumListProducer scan;
        for (const auto& [operation, name] : items) {
            TDBSum* sum = scan.SumCollection().Add();
            sum->SetGroupOperation(operation);
            sum->SetFieldName(name);
        }
        scan.SetDataSet(Query());
        for (int i = 0; i < items.size(); ++i)
            ASSERT_EQ(Value(i), scan.SumCollection().Items(i)->Value())
                << "step " << step << ", item " << i;
    }
    EXPECT_EQ(scans, 0);
}

// A value that is no decimal the totals can hold, as a third, cannot be
// followed exactly; the producer says so until a scan has read the list
// again.
TEST_F(SumListTest, SaysWhenItCannotFollowExactly) {
    Rows({{"1.25", ""}, {"2", ""}});
    OpenWithItems({{goSum, "A"}, {goCount, ""}});
    EXPECT_TRUE(producer_.FollowsExactly());
    Query()->Edit();
    Query()->FieldByName("A")->SetAsFloat(1e20);
    Query()->Post();
    EXPECT_FALSE(producer_.FollowsExactly());
    Query()->Edit();
    Query()->FieldByName("A")->SetAsFloat(0.5);
    Query()->Post();
    EXPECT_FALSE(producer_.FollowsExactly()) << "the total still holds the large value's remainder";
    producer_.RecalculateSums();
    EXPECT_TRUE(producer_.FollowsExactly());
    EXPECT_EQ(Value(0), 2.5);
}

TEST_F(SumListTest, ScanEndsOnTheFirstRecord) {
    Rows({{"1", ""}, {"2", ""}, {"3", ""}});
    OpenWithItems({{goSum, "A"}});
    Query()->Last();
    producer_.RecalculateSums();
    EXPECT_EQ(Query()->RecNo(), 1);
}

TEST_F(SumListTest, FilterChangeSeenAtTheNextScroll) {
    Rows({{"1", ""}, {"2", ""}, {"3", ""}});
    int scans = 0;
    producer_.OnRecalcAll = [&](TDBSumListProducer*) { ++scans; };
    OpenWithItems({{goSum, "A"}});
    ASSERT_EQ(scans, 1);

    Query()->SetFilter("A > 1"); // not filtered: nothing to recompute
    Query()->Next();
    EXPECT_EQ(scans, 1);
    Query()->SetFiltered(true);
    Query()->Next();
    EXPECT_EQ(scans, 2);
    Query()->Next(); // unchanged
    EXPECT_EQ(scans, 2);
    Query()->SetFilter("A > 2");
    Query()->Next();
    EXPECT_EQ(scans, 3);
}

TEST_F(SumListTest, ExternalRecalcLeavesTheAggregatesToTheHandler) {
    Rows({{"1", ""}, {"2", ""}});
    int after = 0;
    int changes = 0;
    producer_.SetExternalRecalc(true);
    producer_.OnAfterRecalcAll = [&](TDBSumListProducer*) { ++after; };
    producer_.SumListChanged = [&](TDBSumListProducer*) { ++changes; };
    OpenWithItems({{goSum, "A"}});
    EXPECT_EQ(Value(0), 0);
    EXPECT_EQ(after, 0);
    EXPECT_GT(changes, 0);
}

TEST_F(SumListTest, WritingTheSameSettingRecalculatesNothing) {
    Rows({{"1", ""}});
    int scans = 0;
    producer_.OnRecalcAll = [&](TDBSumListProducer*) { ++scans; };
    producer_.SetActive(false);
    OpenWithItems({{goSum, "A"}});
    producer_.SetActive(true);
    producer_.SetActive(true);
    EXPECT_EQ(scans, 1);
    producer_.SetExternalRecalc(false);
    producer_.SetVirtualRecords(false);
    EXPECT_EQ(scans, 1);
    EXPECT_EQ(Value(0), 1);
}

TEST_F(SumListTest, UnknownFieldStillEnablesTheControlsAndFinishes) {
    Rows({{"1", ""}});
    int changes = 0;
    producer_.SumListChanged = [&](TDBSumListProducer*) { ++changes; };
    producer_.SetDataSet(Query());
    Query()->Open();
    TDBSum* sum = producer_.SumCollection().Add();
    changes = 0;
    EXPECT_THROW(sum->SetFieldName("NO_SUCH_FIELD"), db::EDatabaseError);
    EXPECT_FALSE(Query()->ControlsDisabled());
    EXPECT_GT(changes, 0);
}

TEST_F(SumListTest, ChainsTheWindowHandlersInTheirOrder) {
    Rows({{"1", ""}, {"2", ""}});
    double sumSeenAfterPost = -1;
    double sumSeenBeforeDelete = -1;
    Query()->AfterPost = [&](TDataSet*) { sumSeenAfterPost = Value(0); };
    Query()->BeforeDelete = [&](TDataSet*) { sumSeenBeforeDelete = Value(0); };
    OpenWithItems({{goSum, "A"}});
    Query()->Edit();
    Query()->FieldByName("A")->SetAsFloat(5);
    Query()->Post();
    EXPECT_EQ(sumSeenAfterPost, 7); // the producer's work comes first
    Query()->Delete();
    EXPECT_EQ(sumSeenBeforeDelete, 7); // the window's handler comes first
    EXPECT_EQ(Value(0), 2);
}

TEST_F(SumListTest, WindowAfterEditRunsAlsoWhileSwitchedOff) {
    Rows({{"1", ""}});
    int edits = 0;
    Query()->AfterEdit = [&](TDataSet*) { ++edits; };
    OpenWithItems({{goSum, "A"}});
    producer_.SetActive(false);
    Query()->Edit();
    EXPECT_EQ(edits, 1);
}

TEST_F(SumListTest, LetsGoOfADataSetItNoLongerServes) {
    Rows({{"1", ""}});
    int windowScrolls = 0;
    Query()->AfterScroll = [&](TDataSet*) { ++windowScrolls; };
    OpenWithItems({{goSum, "A"}});

    TQuery other;
    other.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
    other.SQL().SetText(QStringLiteral("SELECT 10 AS A"));
    producer_.SetDataSet(&other);
    other.Open();
    EXPECT_EQ(Value(0), 10);

    // The first data set has its own handler back and no longer moves the sums.
    const int scrollsBefore = windowScrolls;
    Query()->First();
    EXPECT_EQ(windowScrolls, scrollsBefore + 1);
    Query()->Edit();
    Query()->FieldByName("A")->SetAsFloat(50);
    Query()->Post();
    EXPECT_EQ(Value(0), 10);
}

TEST_F(SumListTest, AHandlerChainedInFrontOutlivesTheProducer) {
    Rows({{"1", ""}});
    int windowPosts = 0;
    Query()->AfterPost = [&](TDataSet*) { ++windowPosts; };
    {
        TDBSumListProducer producer;
        producer.SumCollection().Add()->SetFieldName("A");
        producer.SetDataSet(Query());
        Query()->Open();
        // Another component takes the event over after the producer.
        Query()->AfterPost = [saved = Query()->AfterPost](TDataSet* dataSet) { saved(dataSet); };
    }
    Query()->Edit();
    Query()->FieldByName("A")->SetAsFloat(2);
    Query()->Post();
    EXPECT_EQ(windowPosts, 1);
}

TEST_F(SumListTest, FindSumIgnoresLetterCase) {
    TDBSum* count = Item(goCount, "");
    TDBSum* sum = Item(goSum, "Money_In");
    EXPECT_EQ(producer_.SumCollection().FindSum(goSum, "MONEY_IN"), sum);
    EXPECT_EQ(producer_.SumCollection().FindSum(goCount, ""), count);
    EXPECT_EQ(producer_.SumCollection().FindSum(goAvg, "MONEY_IN"), nullptr);
}

} // namespace
} // namespace kx
