#include "platform/db/dataset.h"

#include "platform/db/datalink.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/fielddatalink.h"
#include "platform/db/table.h"
#include "platform/db/variants.h"
#include "tests/platform/db/dbfixture.h"

#include <functional>

namespace kx::db::test {
namespace {

class DataSetTest : public DbTest {
protected:
    void SetUp() override {
        Seed();
        query_ = NewQuery("SELECT  *  FROM  SYS_USER_TABLE ORDER BY USE_ID");
    }

    void Seed() {
        Exec({"DELETE FROM SYS_USER_TABLE",
              "INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME, SYS_USER) VALUES ('G001', '张三', "
              "'是')",
              "INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME, SYS_USER, NOTE) VALUES ('G002', "
              "'李四', "
              "'否', 'x')",
              "INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME, SYS_USER, NOTE) VALUES ('G003', "
              "'Alice', '否', 'y')"});
    }

    QString Id() const { return query_->FieldByName("USE_ID")->AsString(); }

    // Every event of the data set and of a data source over it, in order.
    void Trace() {
        const std::pair<TDataSet::TDataSetNotifyEvent TDataSet::*, const char*> events[] = {
            {&TDataSet::BeforeOpen, "BeforeOpen"},     {&TDataSet::AfterOpen, "AfterOpen"},
            {&TDataSet::BeforeClose, "BeforeClose"},   {&TDataSet::AfterClose, "AfterClose"},
            {&TDataSet::BeforeInsert, "BeforeInsert"}, {&TDataSet::AfterInsert, "AfterInsert"},
            {&TDataSet::BeforeEdit, "BeforeEdit"},     {&TDataSet::AfterEdit, "AfterEdit"},
            {&TDataSet::BeforePost, "BeforePost"},     {&TDataSet::AfterPost, "AfterPost"},
            {&TDataSet::BeforeCancel, "BeforeCancel"}, {&TDataSet::AfterCancel, "AfterCancel"},
            {&TDataSet::BeforeDelete, "BeforeDelete"}, {&TDataSet::AfterDelete, "AfterDelete"},
            {&TDataSet::BeforeScroll, "BeforeScroll"}, {&TDataSet::AfterScroll, "AfterScroll"},
            {&TDataSet::OnNewRecord, "OnNewRecord"},
        };
        for (const auto& [member, name] : events)
            query_->*member = [this, name = QString::fromLatin1(name)](TDataSet*) { log_ << name; };
        source_.SetDataSet(query_);
        source_.OnStateChange = [this](TDataSource* source) {
            static const char* names[] = {"Inactive", "Browse", "Edit", "Insert"};
            log_ << QStringLiteral("State:") + names[source->State()];
        };
        source_.OnDataChange = [this](TDataSource*, TField* field) {
            log_ << (field ? QStringLiteral("FieldChange:") + field->FieldName()
                           : QStringLiteral("DataChange"));
        };
    }

    TQuery* query_ = nullptr;
    TDataSource source_;
    QStringList log_;
};

struct EventCase {
    const char* name;
    std::function<void(TQuery*)> prepare;
    std::function<void(TQuery*)> operation;
    QStringList expected;
};

TEST_F(DataSetTest, FiresEventsInTheOrderWindowsRelyOn) {
    const auto open = [](TQuery* q) { q->Open(); };
    const auto editName = [](TQuery* q) {
        q->Open();
        q->Edit();
        q->FieldByName("NOTE")->SetAsString("z");
    };
    const auto insert = [](TQuery* q) {
        q->Open();
        q->Append();
    };
    const EventCase cases[] = {
        {"open", nullptr, open, {"BeforeOpen", "State:Browse", "AfterOpen", "AfterScroll"}},
        {"next", open, [](TQuery* q) { q->Next(); }, {"BeforeScroll", "DataChange", "AfterScroll"}},
        {"append",
         open,
         [](TQuery* q) { q->Append(); },
         {"BeforeInsert", "BeforeScroll", "State:Insert", "OnNewRecord", "DataChange",
          "AfterInsert", "AfterScroll"}},
        {"edit",
         open,
         [](TQuery* q) { q->Edit(); },
         {"BeforeEdit", "State:Edit", "DataChange", "AfterEdit"}},
        {"set field",
         [](TQuery* q) {
             q->Open();
             q->Edit();
         },
         [](TQuery* q) { q->FieldByName("NOTE")->SetAsString("z"); },
         {"FieldChange:NOTE"}},
        {"post",
         editName,
         [](TQuery* q) { q->Post(); },
         {"BeforePost", "State:Browse", "DataChange", "AfterPost"}},
        {"cancel edit",
         editName,
         [](TQuery* q) { q->Cancel(); },
         {"BeforeCancel", "State:Browse", "DataChange", "AfterCancel"}},
        {"cancel insert",
         insert,
         [](TQuery* q) { q->Cancel(); },
         {"BeforeCancel", "BeforeScroll", "State:Browse", "DataChange", "AfterCancel",
          "AfterScroll"}},
        {"delete",
         open,
         [](TQuery* q) { q->Delete(); },
         {"BeforeDelete", "BeforeScroll", "DataChange", "AfterDelete", "AfterScroll"}},
        {"next posts a changed record",
         editName,
         [](TQuery* q) { q->Next(); },
         {"BeforePost", "State:Browse", "DataChange", "AfterPost", "BeforeScroll", "DataChange",
          "AfterScroll"}},
        {"next cancels an unchanged record",
         [](TQuery* q) {
             q->Open();
             q->Edit();
         },
         [](TQuery* q) { q->Next(); },
         {"BeforeCancel", "State:Browse", "DataChange", "AfterCancel", "BeforeScroll", "DataChange",
          "AfterScroll"}},
        {"locate",
         open,
         [](TQuery* q) { q->Locate("USE_ID", "G003"); },
         {"BeforeScroll", "DataChange", "AfterScroll"}},
        {"locate without a match",
         open,
         [](TQuery* q) { q->Locate("USE_ID", "G009"); },
         {"BeforeScroll"}},
        {"close",
         open,
         [](TQuery* q) { q->Close(); },
         {"BeforeClose", "State:Inactive", "AfterClose"}},
    };
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.name);
        query_->Close();
        query_->Cancel();
        if (c.prepare)
            c.prepare(query_);
        Trace();
        log_.clear();
        c.operation(query_);
        EXPECT_EQ(log_, c.expected);
        query_->Close();
        Seed();
    }
}

TEST_F(DataSetTest, OpenOnAnEmptyResultSkipsAfterScroll) {
    query_->SQL().SetText("SELECT * FROM SYS_USER_TABLE WHERE USE_ID = 'none'");
    Trace();
    query_->Open();
    EXPECT_EQ(log_, QStringList({"BeforeOpen", "State:Browse", "AfterOpen"}));
    EXPECT_TRUE(query_->IsEmpty());
    EXPECT_TRUE(query_->Bof());
    EXPECT_TRUE(query_->Eof());
    EXPECT_EQ(query_->RecNo(), 0);
    EXPECT_EQ(query_->FieldByName("USE_ID")->AsString(), QString());
}

// A refusal in a before-event leaves the data set as it was.
TEST_F(DataSetTest, SilentAbortInABeforeEventChangesNothing) {
    struct AbortCase {
        const char* name;
        TDataSet::TDataSetNotifyEvent TDataSet::*event;
        std::function<void(TQuery*)> prepare;
        std::function<void(TQuery*)> operation;
        TDataSetState state;
    };
    const auto edited = [](TQuery* q) {
        q->Edit();
        q->FieldByName("NOTE")->SetAsString("changed");
    };
    const AbortCase cases[] = {
        {"before insert", &TDataSet::BeforeInsert, nullptr, [](TQuery* q) { q->Append(); },
         dsBrowse},
        {"before scroll of an insert", &TDataSet::BeforeScroll, nullptr,
         [](TQuery* q) { q->Insert(); }, dsBrowse},
        {"new record", &TDataSet::OnNewRecord, nullptr, [](TQuery* q) { q->Append(); }, dsBrowse},
        {"before edit", &TDataSet::BeforeEdit, nullptr, [](TQuery* q) { q->Edit(); }, dsBrowse},
        {"before post", &TDataSet::BeforePost, edited, [](TQuery* q) { q->Post(); }, dsEdit},
        {"before cancel", &TDataSet::BeforeCancel, edited, [](TQuery* q) { q->Cancel(); }, dsEdit},
        {"before delete", &TDataSet::BeforeDelete, nullptr, [](TQuery* q) { q->Delete(); },
         dsBrowse},
        {"before scroll", &TDataSet::BeforeScroll, nullptr, [](TQuery* q) { q->Next(); }, dsBrowse},
        {"before close", &TDataSet::BeforeClose, nullptr, [](TQuery* q) { q->Close(); }, dsBrowse},
    };
    for (const AbortCase& c : cases) {
        SCOPED_TRACE(c.name);
        TQuery* query = NewQuery("SELECT * FROM SYS_USER_TABLE ORDER BY USE_ID");
        query->Open();
        query->Next();
        if (c.prepare)
            c.prepare(query);
        const QString note = query->FieldByName("NOTE")->AsString();
        query->*c.event = [](TDataSet*) { Abort(); };
        EXPECT_THROW(c.operation(query), EAbort);
        EXPECT_EQ(query->State(), c.state);
        EXPECT_EQ(query->RecNo(), 2);
        EXPECT_EQ(query->RecordCount(), 3);
        EXPECT_EQ(query->FieldByName("USE_ID")->AsString(), "G002");
        EXPECT_EQ(query->FieldByName("NOTE")->AsString(), note);
        query->*c.event = nullptr;
        query->Cancel();
        query->Close();
    }
    EXPECT_EQ(Column("SELECT NOTE FROM SYS_USER_TABLE ORDER BY USE_ID"),
              QStringList({"", "x", "y"}));
}

TEST_F(DataSetTest, BeforeOpenAbortLeavesItClosed) {
    query_->BeforeOpen = [](TDataSet*) { Abort(); };
    EXPECT_THROW(query_->Open(), EAbort);
    EXPECT_FALSE(query_->Active());
    EXPECT_EQ(query_->State(), dsInactive);
}

struct Move {
    const char* name;
    std::function<int(TQuery*)> step;
    int moved;
    int recNo;
    bool bof;
    bool eof;
};

// Bof and Eof turn true only when a move runs past an end.
TEST_F(DataSetTest, BofAndEofFollowTheMovesPastTheEnds) {
    const Move moves[] = {
        {"next", [](TQuery* q) { return q->MoveBy(1); }, 1, 2, false, false},
        {"next onto the last", [](TQuery* q) { return q->MoveBy(1); }, 1, 3, false, false},
        {"next past the last", [](TQuery* q) { return q->MoveBy(1); }, 0, 3, false, true},
        {"next again", [](TQuery* q) { return q->MoveBy(1); }, 0, 3, false, true},
        {"prior", [](TQuery* q) { return q->MoveBy(-1); }, -1, 2, false, false},
        {"first",
         [](TQuery* q) {
             q->First();
             return 0;
         },
         0, 1, true, false},
        {"prior past the first", [](TQuery* q) { return q->MoveBy(-1); }, 0, 1, true, false},
        {"last",
         [](TQuery* q) {
             q->Last();
             return 0;
         },
         0, 3, false, true},
        {"move back too far", [](TQuery* q) { return q->MoveBy(-5); }, -2, 1, true, false},
        {"move forward too far", [](TQuery* q) { return q->MoveBy(7); }, 2, 3, false, true},
        {"record number",
         [](TQuery* q) {
             q->SetRecNo(2);
             return 0;
         },
         0, 2, false, false},
    };
    query_->Open();
    EXPECT_TRUE(query_->Bof());
    EXPECT_FALSE(query_->Eof());
    for (const Move& move : moves) {
        SCOPED_TRACE(move.name);
        EXPECT_EQ(move.step(query_), move.moved);
        EXPECT_EQ(query_->RecNo(), move.recNo);
        EXPECT_EQ(query_->Bof(), move.bof);
        EXPECT_EQ(query_->Eof(), move.eof);
    }
}

TEST_F(DataSetTest, DeletingTheLastRecordReachesEof) {
    query_->Open();
    query_->Next();
    QStringList deleted;
    while (!query_->Eof()) {
        deleted << Id();
        query_->Delete();
    }
    EXPECT_EQ(deleted, QStringList({"G002", "G003"}));
    EXPECT_EQ(Column("SELECT USE_ID FROM SYS_USER_TABLE"), QStringList({"G001"}));
}

TEST_F(DataSetTest, BookmarksReturnAndCompareInRecordOrder) {
    query_->Open();
    query_->Last();
    const TBookmark last = query_->Bookmark();
    query_->First();
    const TBookmark first = query_->Bookmark();
    query_->Next();
    query_->Insert();
    query_->FieldByName("USE_ID")->SetAsString("G010");
    query_->Post();
    const TBookmark inserted = query_->Bookmark();

    EXPECT_EQ(query_->CompareBookmarks(first, inserted), -1);
    EXPECT_EQ(query_->CompareBookmarks(inserted, last), -1);
    EXPECT_EQ(query_->CompareBookmarks(last, first), 1);
    EXPECT_EQ(query_->CompareBookmarks(last, last), 0);
    EXPECT_EQ(query_->CompareBookmarks(TBookmark(), first), -1);
    EXPECT_EQ(query_->CompareBookmarks(TBookmark(), TBookmark()), 0);

    query_->GotoBookmark(last);
    EXPECT_EQ(Id(), "G003");
    EXPECT_EQ(query_->RecNo(), 4);
    query_->Delete();
    EXPECT_FALSE(query_->BookmarkValid(last));
    EXPECT_TRUE(query_->BookmarkValid(first));
    EXPECT_THROW(query_->GotoBookmark(last), EDatabaseError);
    query_->GotoBookmark(inserted);
    EXPECT_EQ(Id(), "G010");
}

TEST_F(DataSetTest, BookmarkKeepsTheRowAcrossAScanWithControlsDisabled) {
    query_->Open();
    query_->Next();
    const TBookmark kept = query_->Bookmark();
    int dataChanges = 0;
    source_.SetDataSet(query_);
    source_.OnDataChange = [&](TDataSource*, TField*) { ++dataChanges; };
    query_->DisableControls();
    query_->DisableControls();
    for (query_->First(); !query_->Eof(); query_->Next()) {
    }
    query_->EnableControls();
    EXPECT_EQ(dataChanges, 0);
    query_->GotoBookmark(kept);
    query_->EnableControls();
    EXPECT_EQ(dataChanges, 1);
    EXPECT_EQ(Id(), "G002");
}

TEST_F(DataSetTest, EnableControlsReportsAStateChangeOnce) {
    query_->Open();
    Trace();
    query_->DisableControls();
    query_->Edit();
    query_->FieldByName("NOTE")->SetAsString("n");
    log_.clear();
    query_->EnableControls();
    EXPECT_EQ(log_, QStringList({"State:Edit", "DataChange"}));
}

struct LocateCase {
    const char* fields;
    QVariant values;
    TLocateOptions options;
    const char* found;
};

TEST_F(DataSetTest, LocateMatchesSeveralFieldsWithOptions) {
    const LocateCase cases[] = {
        {"USE_NAME", "李四", {}, "G002"},
        {"use_name", "李四", {}, "G002"},
        {"USE_NAME;SYS_USER", QVariantList{"Alice", "否"}, {}, "G003"},
        {"USE_NAME;SYS_USER", QVariantList{"Alice", "是"}, {}, nullptr},
        {"USE_NAME", "alice", {}, nullptr},
        {"USE_NAME", "alice", loCaseInsensitive, "G003"},
        {"USE_NAME", "Al", {}, nullptr},
        {"USE_NAME", "Al", loPartialKey, "G003"},
        {"USE_NAME", "al", loPartialKey | loCaseInsensitive, "G003"},
        {"NOTE", NullVariant(), {}, "G001"},
        {"NOTE", QVariant(), {}, "G001"},
    };
    query_->Open();
    for (const LocateCase& c : cases) {
        SCOPED_TRACE(c.fields);
        query_->Last();
        EXPECT_EQ(query_->Locate(c.fields, c.values, c.options), c.found != nullptr);
        EXPECT_EQ(Id(), c.found ? QString::fromUtf8(c.found) : QStringLiteral("G003"));
    }
    EXPECT_THROW(query_->Locate("NO_SUCH", "x"), EDatabaseError);
}

TEST_F(DataSetTest, LocateAndLookupConvertKeysToTheFieldType) {
    TQuery* groups = NewQuery("SELECT * FROM SYS_COMPOSE_TABLE ORDER BY COMPOSE_ID");
    groups->Open();
    EXPECT_TRUE(groups->Locate("COMPOSE_ID", 2));
    EXPECT_EQ(groups->FieldByName("COMPOSE_NAME")->AsString(), "基本数据录入编辑");
    groups->First();
    EXPECT_TRUE(groups->Locate("COMPOSE_ID", "3"));
    EXPECT_EQ(groups->RecNo(), 3);
    EXPECT_THROW(groups->Locate("COMPOSE_ID", "three"), EConvertError);

    groups->First();
    EXPECT_EQ(groups->Lookup("COMPOSE_ID", 3, "COMPOSE_NAME").toString(), "系统管理");
    EXPECT_TRUE(VarIsNull(groups->Lookup("COMPOSE_ID", 9, "COMPOSE_NAME")));
    EXPECT_EQ(groups->Lookup("COMPOSE_NAME", "系统管理", "COMPOSE_ID;COMPOSE_NAME").toList(),
              QVariantList({3.0, "系统管理"}));
    EXPECT_EQ(groups->RecNo(), 1);
}

// A grid's link: records what it hears and shows two rows.
class RecordingLink : public TDataLink {
public:
    QStringList calls;
    std::function<void()> onUpdateData;

protected:
    void ActiveChanged() override { calls << QStringLiteral("Active:%1").arg(Active()); }
    void DataSetChanged() override { calls << "DataSetChanged"; }
    void DataSetScrolled(int distance) override {
        calls << QStringLiteral("Scrolled:%1").arg(distance);
    }
    void EditingChanged() override { calls << QStringLiteral("Editing:%1").arg(Editing()); }
    void RecordChanged(TField* field) override {
        calls << QStringLiteral("RecordChanged:") + (field ? field->FieldName() : QString());
    }
    void LayoutChanged() override { calls << "LayoutChanged"; }
    void FieldListChanged() override { calls << "FieldListChanged"; }
    void UpdateData() override {
        calls << "UpdateData";
        if (onUpdateData)
            onUpdateData();
    }
};

TEST_F(DataSetTest, DataLinksFollowTheDataSet) {
    RecordingLink link;
    link.SetBufferCount(2);
    source_.SetDataSet(query_);
    link.SetDataSource(&source_);
    query_->Open();
    EXPECT_EQ(link.calls, QStringList({"FieldListChanged", "Active:1"}));

    link.calls.clear();
    query_->Next();
    query_->Next();
    EXPECT_EQ(link.calls, QStringList({"Scrolled:0", "Scrolled:1"}));
    EXPECT_EQ(link.ActiveRecord(), 1);
    EXPECT_EQ(link.RecordCount(), 2);

    link.SetActiveRecord(0);
    EXPECT_EQ(Id(), "G002");
    link.SetActiveRecord(1);
    EXPECT_EQ(Id(), "G003");

    link.calls.clear();
    link.onUpdateData = [this] { query_->FieldByName("NOTE")->SetAsString("from control"); };
    EXPECT_TRUE(link.Edit());
    query_->Post();
    EXPECT_EQ(link.calls, QStringList({"Editing:1", "RecordChanged:", "UpdateData", "Editing:0",
                                       "DataSetChanged"}));
    EXPECT_EQ(Column("SELECT NOTE FROM SYS_USER_TABLE WHERE USE_ID = 'G003'"),
              QStringList({"from control"}));

    link.calls.clear();
    link.onUpdateData = nullptr;
    query_->FieldByName("USE_NAME")->SetDisplayWidth(30);
    query_->Close();
    EXPECT_EQ(link.calls, QStringList({"LayoutChanged", "Active:0", "FieldListChanged"}));
}

TEST_F(DataSetTest, AutoEditOffKeepsControlsFromEditing) {
    RecordingLink link;
    source_.SetDataSet(query_);
    source_.SetAutoEdit(false);
    link.SetDataSource(&source_);
    query_->Open();
    EXPECT_FALSE(link.Edit());
    EXPECT_EQ(query_->State(), dsBrowse);
    link.SetReadOnly(true);
    source_.SetAutoEdit(true);
    EXPECT_FALSE(link.Edit());
    link.SetReadOnly(false);
    EXPECT_TRUE(link.Edit());
    EXPECT_EQ(query_->State(), dsEdit);
}

// A data-aware edit box: shows the field, writes what was typed on post.
TEST_F(DataSetTest, FieldLinkShowsAndWritesItsField) {
    TFieldDataLink link;
    QString shown;
    QStringList editing;
    link.OnDataChange = [&] { shown = link.Field() ? link.Field()->Text() : QString(); };
    link.OnEditingChange = [&] { editing << QString::number(link.FieldEditing()); };
    link.OnUpdateData = [&] { link.Field()->SetText(shown); };
    link.SetFieldName("USE_NAME");
    source_.SetDataSet(query_);
    link.SetDataSource(&source_);
    query_->Open();
    EXPECT_EQ(shown, "张三");
    query_->Next();
    EXPECT_EQ(shown, "李四");

    ASSERT_TRUE(link.Edit());
    shown = "李四四";
    link.Modified();
    query_->Post();
    EXPECT_EQ(Column("SELECT USE_NAME FROM SYS_USER_TABLE WHERE USE_ID = 'G002'"),
              QStringList({"李四四"}));
    EXPECT_EQ(editing, QStringList({"1", "0"}));

    link.Edit();
    shown = "typed";
    link.Modified();
    link.Reset();
    EXPECT_EQ(shown, "李四四");
    query_->Cancel();

    query_->Close();
    EXPECT_EQ(link.Field(), nullptr);
    query_->Open();
    ASSERT_NE(link.Field(), nullptr);
    EXPECT_EQ(link.Field(), query_->FieldByName("USE_NAME"));
    link.SetReadOnly(true);
    EXPECT_FALSE(link.Edit());
}

TEST_F(DataSetTest, TableOpensByNameWithOrWithoutExtension) {
    TTable table;
    table.SetDatabaseName("RUReravezDataBase");
    table.SetTableName("SYS_USER_TABLE.DB");
    table.SetExclusive(true);
    table.Open();
    EXPECT_EQ(table.RecordCount(), 3);
    EXPECT_EQ(table.TableType(), "PARADOX");
    table.Edit();
    table.FieldByName("NOTE")->SetAsString("t");
    table.Post();
    EXPECT_EQ(Column("SELECT NOTE FROM SYS_USER_TABLE WHERE USE_ID = 'G001'"), QStringList({"t"}));
}

TEST_F(DataSetTest, FieldByNameNamesTheMissingField) {
    query_->Open();
    try {
        query_->FieldByName("NO_SUCH");
        FAIL();
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), "Field 'NO_SUCH' not found");
    }
    EXPECT_EQ(query_->FindField("NO_SUCH"), nullptr);
}

TEST_F(DataSetTest, MovingAFieldReordersTheList) {
    query_->Open();
    TField* name = query_->FieldByName("USE_NAME");
    name->SetIndex(0);
    EXPECT_EQ(query_->Fields()[0], name);
    EXPECT_EQ(query_->Fields()[1]->FieldName(), "USE_ID");
    name->SetIndex(99);
    EXPECT_EQ(query_->Fields()[query_->FieldCount() - 1], name);
    EXPECT_EQ(name->AsString(), "张三");
}

} // namespace
} // namespace kx::db::test
