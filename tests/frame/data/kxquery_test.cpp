#include "frame/data/kxquery.h"

#include "core/sqlfunctions.h"
#include "platform/db/field.h"
#include "platform/db/fieldtypes.h"
#include "platform/sys/exception.h"
#include "tests/frame/kxqueryfixture.h"

namespace kx {
namespace {

using test::KXQueryTest;
using test::TestListGrid;

const QString kVerified = QStringLiteral("已审核");

TEST_F(KXQueryTest, OwnStatusLocksEditAndDelete) {
    const struct {
        bool endList;
        const char* editText;
        const char* deleteText;
    } cases[] = {
        {false, "状态为： “ 已审核 ”  的记录不能编辑", "状态为： “ 已审核 ”   的记录不能删除"},
        {true, "状态为： “ 已审核 ”  的记录不能编辑", "状态为：  “ 已审核 ”   的记录不能删除"},
    };
    AddMoneyRecord("1", "200703000001", "001", 10, kVerified);
    for (const auto& c : cases) {
        messages_.Clear();
        TKXQuery* query = NewQuery("KX_INTO_OUT_MONEY_TABLE", {"STATUS"}, {"MONEY_RECORD_ID"});
        query->ActiveStatus = true;
        if (c.endList)
            query->SetStatusEditEndValue(kVerified);
        else
            query->SetStatusEditValue("未审核");
        query->OpenQuery();
        EXPECT_THROW(query->EditRecord(), EAbort);
        EXPECT_EQ(query->State(), db::dsBrowse);
        EXPECT_THROW(query->DeleteRecord(), EAbort);
        EXPECT_EQ(messages_.Texts(), QStringList({c.editText, c.deleteText}));
        EXPECT_EQ(query->RecordCount(), 1);
    }
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_INTO_OUT_MONEY_TABLE"), "1");
}

TEST_F(KXQueryTest, NoLockForAnEmptyStatusOrWithoutLists) {
    AddMoneyRecord("1", "200703000001", "001", 10, "");
    AddMoneyRecord("2", "200703000002", "001", 10, kVerified);
    TKXQuery* locked = MoneyQuery();
    locked->SQL().SetText("SELECT * FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_RECORD_ID = '1'");
    locked->OpenQuery();
    locked->EditRecord();
    locked->CancelRecord();
    locked->DeleteRecord();
    TKXQuery* open = MoneyQuery();
    open->SetStatusEditValue("未审核");
    open->ActiveStatus = false;
    open->OpenQuery();
    open->EditRecord();
    open->CancelRecord();
    EXPECT_EQ(messages_.Texts(), QStringList{"请确认是否删除 ?"});
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_INTO_OUT_MONEY_TABLE"), "1");
}

TEST_F(KXQueryTest, MasterStatusLocksTheDetailRows) {
    const QString verified = " 已审核 ";
    const struct {
        char operation; // Insert, Edit, Delete
        bool endList;
        const char* statusMsg;
        const char* text;
    } cases[] = {
        {'I', true, "凭证", "凭证的状态是 “已审核 ” , 不能增加新的记录"},
        {'I', true, "", "主档纪录状态为：  “已审核 ”  的从档不能增加新记录"},
        {'I', false, "凭证", "凭证的状态是 “ 已审核 ” , 不能增加新的记录"},
        {'I', false, "", "主档纪录状态为： “ 已审核 ”的从档不能增加新记录"},
        {'E', true, "凭证", "凭证的状态是 “已审核 ” , 不能修改记录"},
        {'E', true, "", "主档纪录状态为：  “已审核 ”  的记录不能编辑"},
        {'E', false, "凭证", "凭证的状态是 “ 已审核 ” , 不能修改记录"},
        {'E', false, "", "主档纪录状态为： “ 已审核 ”的记录不能编辑"},
        {'D', true, "凭证", "凭证的状态是 “ 已审核 ” , 该记录不能删除"},
        {'D', false, "", "主档纪录状态为： “ 已审核 ”   的记录不能删除"},
    };
    AddMoneyRecord("1", "200703000001", "001", 10, verified);
    AddSubject("001001", "001", "销售", 1);
    for (const auto& c : cases) {
        messages_.Clear();
        TKXQuery* master = NewQuery("KX_INTO_OUT_MONEY_TABLE", {"STATUS"}, {"MONEY_RECORD_ID"});
        master->ActiveStatus = true;
        if (c.endList)
            master->SetStatusEditEndValue(kVerified);
        else
            master->SetStatusEditValue("未审核");
        master->OpenQuery();
        TKXQuery* detail = SubjectQuery("001");
        detail->SetQyMaster(master);
        detail->StatusMsg = c.statusMsg;
        detail->OpenQuery();
        if (c.operation == 'I')
            EXPECT_THROW(detail->AppendRecord(), EAbort);
        else if (c.operation == 'E')
            EXPECT_THROW(detail->EditRecord(), EAbort);
        else
            EXPECT_THROW(detail->DeleteRecord(), EAbort);
        EXPECT_EQ(messages_.Texts(), QStringList{c.text}) << c.operation << c.statusMsg;
        EXPECT_EQ(detail->State(), db::dsBrowse);
        EXPECT_EQ(detail->RecordCount(), 1);
    }
}

TEST_F(KXQueryTest, DetailOfAnEmptyMasterTakesNoRows) {
    TKXQuery* master = MoneyQuery();
    master->OpenQuery();
    TKXQuery* detail = SubjectQuery("001");
    detail->SetQyMaster(master);
    detail->OpenQuery();
    EXPECT_THROW(detail->AppendRecord(), EAbort);
    EXPECT_EQ(messages_.Texts(), QStringList{"主数据库页面没有数据纪录，从数据页面不能有新的纪录"});
}

TEST_F(KXQueryTest, OneShotsSkipTheEditValuesAndTheQuestionOnce) {
    AddMoneyRecord("1", "200703000001", "001", 10, "未审核");
    AddMoneyRecord("2", "200703000002", "001", 20, "未审核");
    TKXQuery* query = MoneyQuery();
    query->OpenQuery();
    query->NotEdit = true;
    query->EditRecord();
    EXPECT_EQ(query->FieldByName("EDIT_NAME")->AsString(), "");
    EXPECT_FALSE(query->NotEdit);
    query->CancelRecord();
    query->EditRecord();
    EXPECT_EQ(query->FieldByName("EDIT_NAME")->AsString(), "张三");
    EXPECT_EQ(query->OldValues.size(), query->FieldCount());
    query->CancelRecord();

    query->NoDeleteConfirm = true;
    query->DeleteRecord();
    EXPECT_TRUE(messages_.Texts().isEmpty());
    EXPECT_TRUE(query->Saved);
    messages_.answer = false;
    EXPECT_THROW(query->DeleteRecord(), EAbort);
    EXPECT_EQ(messages_.Texts(), QStringList{"请确认是否删除 ?"});
    EXPECT_FALSE(query->Saved);
    EXPECT_EQ(query->RecordCount(), 1);
    EXPECT_EQ(Column("SELECT MONEY_RECORD_ID FROM KX_INTO_OUT_MONEY_TABLE"), QStringList{"2"});
}

TEST_F(KXQueryTest, VerifyStampPassesTheLocksAndWritesTheVerifier) {
    AddMoneyRecord("1", "200703000001", "001", 10, "未审核");
    TKXQuery* query = MoneyQuery();
    query->SetVerifyStatus(kVerified); // closed: nothing
    query->OpenQuery();
    query->SetVerifyStatus(kVerified);
    EXPECT_EQ(Column("SELECT STATUS || '/' || VERIFY_NAME || '/' || VERIFY_DATE || '/' || "
                     "EDIT_NAME FROM KX_INTO_OUT_MONEY_TABLE"),
              QStringList{"已审核/李四/2007-03-06/张三"});
    EXPECT_FALSE(query->InternalEdit);
    EXPECT_THROW(query->EditRecord(), EAbort);
    query->SetVerifyStatus("未审核");
    EXPECT_EQ(Value("SELECT STATUS FROM KX_INTO_OUT_MONEY_TABLE"), "未审核");
    EXPECT_EQ(query->State(), db::dsBrowse);

    Exec("DELETE FROM KX_INTO_OUT_MONEY_TABLE");
    query->CloseQuery();
    query->OpenQuery();
    query->SetVerifyStatus(kVerified); // empty: nothing
    EXPECT_EQ(messages_.Texts(), QStringList{"状态为： “ 已审核 ”  的记录不能编辑"});
}

// A subject with its records as detail rows.
class DetailDeleteTest : public KXQueryTest {
protected:
    void SetUp() override {
        AddSubject("001", "G001", "收入", 1);
        AddSubject("002", "G001", "支出", 2);
        AddMoneyRecord("1", "200703000001", "001", 10, "");
        AddMoneyRecord("2", "200703000002", "001", 20, "");
        AddMoneyRecord("3", "200703000003", "002", 30, "");
        subjects_ = SubjectQuery("G001");
        subjects_->DetailTable = "KX_INTO_OUT_MONEY_TABLE";
        subjects_->KeyValue = "MONEY_TYPE_ID";
        subjects_->DetailDError = "借贷记录";
        subjects_->OpenQuery();
    }

    QStringList Stored() {
        return Column("SELECT MONEY_TYPE_ID FROM KX_MONEY_INTO_OUT_TYPE_TABLE ORDER BY 1") +
               Column("SELECT MONEY_RECORD_ID FROM KX_INTO_OUT_MONEY_TABLE ORDER BY 1");
    }

    TKXQuery* subjects_ = nullptr;
};

TEST_F(DetailDeleteTest, DetailRowsGoWithTheirRow) {
    subjects_->DeleteRecord();
    EXPECT_EQ(Stored(), QStringList({"002", "3"}));
    EXPECT_EQ(subjects_->RecordCount(), 1);
    EXPECT_TRUE(subjects_->Saved);
}

TEST_F(DetailDeleteTest, WindowSeesTheRowAndItsDetailRowsUntilTheRowLeavesTheList) {
    // By the key of the update statements, and without a table name through
    // the cached delete.
    const struct {
        bool byKey;
        const char* id;
        const char* seen; // stored rows, detail rows
    } cases[] = {{true, "001", "1 2"}, {false, "002", "1 1"}};
    const auto storedAndDetails = [this](const QString& id) {
        return Value("SELECT COUNT(*) FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE MONEY_TYPE_ID = " +
                     QuotedStr(id)) +
               ' ' +
               Value("SELECT COUNT(*) FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_TYPE_ID = " +
                     QuotedStr(id));
    };
    QString seen;
    subjects_->BeforeDelete = [&](db::TDataSet* dataSet) {
        seen = storedAndDetails(dataSet->FieldByName("MONEY_TYPE_ID")->AsString());
    };
    for (const auto& c : cases) {
        if (!c.byKey) {
            subjects_->CloseQuery();
            subjects_->SetTableName(QString());
            subjects_->SQL().SetText("SELECT * FROM KX_MONEY_INTO_OUT_TYPE_TABLE");
            subjects_->OpenQuery();
        }
        subjects_->First();
        ASSERT_EQ(subjects_->FieldByName("MONEY_TYPE_ID")->AsString(), c.id);
        subjects_->DeleteRecord();
        EXPECT_EQ(seen, QString(c.seen)) << c.id;
        EXPECT_EQ(storedAndDetails(c.id), "0 0") << c.id;
        EXPECT_TRUE(subjects_->Saved);
    }
    EXPECT_TRUE(subjects_->IsEmpty());
}

TEST_F(DetailDeleteTest, NothingIsDeletedWhenAnyPartFails) {
    const struct {
        const char* detailTable;
        const char* keyValue;
        bool lockStoredRow;
        const char* message;
    } cases[] = {
        {"KX_INTO_OUT_MONEY_TABLE", "MONEY_TYPE_ID", true, "数据删除过程发生错误"},
        {"KX_NO_SUCH_TABLE", "MONEY_TYPE_ID", false, "借贷记录删除过程发生错误"},
        {"KX_INTO_OUT_MONEY_TABLE", "", false, "没有KeyValue 属性"},
    };
    // A saved edit of another row stays in the list the failure leaves.
    subjects_->Last();
    subjects_->EditRecord();
    subjects_->FieldByName("MONEY_TYPE_NAME")->SetAsString("支出费用");
    subjects_->PostRecord();
    for (const auto& c : cases) {
        messages_.Clear();
        if (c.lockStoredRow)
            Exec("CREATE TRIGGER KEEP_SUBJECTS BEFORE DELETE ON KX_MONEY_INTO_OUT_TYPE_TABLE "
                 "BEGIN SELECT RAISE(ABORT, 'kept'); END");
        subjects_->DetailTable = c.detailTable;
        subjects_->KeyValue = c.keyValue;
        subjects_->First();
        EXPECT_THROW(subjects_->DeleteRecord(), EAbort);
        EXPECT_EQ(messages_.Texts(), QStringList({"请确认是否删除 ?", c.message}));
        EXPECT_EQ(Stored(), QStringList({"001", "002", "1", "2", "3"}));
        EXPECT_EQ(subjects_->RecordCount(), 2);
        EXPECT_EQ(subjects_->FieldByName("MONEY_TYPE_ID")->AsString(), "001");
        EXPECT_EQ(subjects_->Lookup("MONEY_TYPE_ID", "002", "MONEY_TYPE_NAME").toString(),
                  "支出费用");
        EXPECT_FALSE(subjects_->Saved);
        if (c.lockStoredRow)
            Exec("DROP TRIGGER KEEP_SUBJECTS");
    }
}

TEST_F(KXQueryTest, ChildQueryFollowsTheCurrentRow) {
    AddSubject("00'1", "G001", "收入", 1);
    AddSubject("002", "G001", "支出", 2);
    AddMoneyRecord("1", "200703000001", "00'1", 10, "");
    AddMoneyRecord("2", "200703000002", "002", 10, "");
    AddMoneyRecord("3", "200703000003", "009", 10, "");
    auto* child = new db::TQuery(&window_);
    child->SetDatabaseName(kDatabaseName);
    TKXQuery* query = MoneyQuery();
    query->ChildOpen.Links[0] = {"MONEY_TYPE_ID", "MONEY_TYPE_ID", "C"};
    query->ChildOpen.BaseSelect = "SELECT MONEY_TYPE_NAME FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE ";
    query->ChildOpen.Child = child;
    query->ChildOpen.Active = true;
    query->OpenQuery();
    QStringList names;
    for (; !query->Eof(); query->Next())
        names.append(child->IsEmpty() ? "-" : child->Fields()[0]->AsString());
    EXPECT_EQ(names, QStringList({"收入", "支出", "-"}));
}

TEST_F(KXQueryTest, OpeningAppliesTheFieldRules) {
    AddMoneyRecord("1", "200703000001", "001", 10, "");
    TKXQuery* query = MoneyQuery();
    query->FieldsData()[4].DisplayWidth = 30;
    query->FieldsData()[5].DisplayWidth = -1;
    query->FieldsData()[5].Visible = false;
    query->OpenQuery();
    const db::TField* in = query->FieldByName("MONEY_INTO_NUMBER");
    EXPECT_EQ(in->DisplayWidth(), 13);
    EXPECT_EQ(in->DisplayFormat(), "0.########");
    EXPECT_EQ(in->DisplayLabel(), "借入金额");
    EXPECT_EQ(query->FieldByName("MONEY_DATE")->DisplayWidth(), 10);
    EXPECT_EQ(query->FieldByName("MONEY_TEXT_NOTE")->DisplayWidth(), 30);
    EXPECT_TRUE(query->FieldByName("STATUS")->Visible());
    EXPECT_FALSE(query->FieldByName("MONEY_RECORD_ID")->Visible());
    EXPECT_TRUE(query->FieldByName("MONEY_ID")->Visible());
}

TEST_F(KXQueryTest, OpeningAppliesTheUsersSavedLayout) {
    auto* grid = new TestListGrid(&window_);
    grid->Table = "SYS_MONEY_INTO_OUT_TABLE";
    grid->Rows = {{"MONEY_ID", "75", "2"},
                  {"MONEY_DATE", "10", "1"},
                  {"MONEY_INTO_NUMBER", "5", "3"},
                  {"MONEY_TEXT_NOTE", "6", "4"}};
    TKXQuery* query = MoneyQuery();
    query->FieldsData()[2].FooterValue = "@Sum";
    query->SetDBNGride(grid);
    query->OpenQuery();
    const TFieldsDataArray& rules = query->FieldsData();
    EXPECT_EQ(rules[0].DisplayWidth, 12);
    EXPECT_EQ(rules[1].DisplayWidth, 2);
    EXPECT_TRUE(rules[1].Visible);
    EXPECT_EQ(rules[2].DisplayWidth, 0); // too narrow, but a footer needs it
    EXPECT_TRUE(rules[2].Visible);
    EXPECT_FALSE(rules[4].Visible); // too narrow: hidden and forgotten
    EXPECT_FALSE(rules[3].Visible); // not in the layout
    EXPECT_EQ(grid->Deleted, QStringList{"MONEY_TEXT_NOTE"});
    EXPECT_TRUE(grid->LaidOut);
    EXPECT_FALSE(grid->RecordingWhileLayingOut) << "the opened columns are not the user's";
    EXPECT_TRUE(grid->RecordingWidths);
    query->CloseQuery();
    EXPECT_FALSE(grid->LaidOut);
}

TEST_F(KXQueryTest, SavedOrderMovesTheFields) {
    auto* grid = new TestListGrid(&window_);
    grid->Table = "SYS_MONEY_INTO_OUT_TABLE";
    grid->KeepOrder = true;
    grid->Rows = {{"NAME_ID", "80", "2"}, {"AUTO_ID", "80", "1"}};
    TKXQuery* query = NewQuery("SYS_ID_TABLE", {"NAME_ID", "AUTO_ID"}, {"NAME_ID"});
    for (const char* name : {"NAME_ID", "AUTO_ID"}) {
        db::TField* field = db::CreateField(db::ftString, query);
        field->SetFieldName(name);
        field->SetDataSet(query);
        TFieldsData rule;
        rule.FieldName = name;
        rule.Visible = true;
        query->FieldsData().Append(rule);
    }
    query->SetDBNGride(grid);
    query->OpenQuery();
    EXPECT_EQ(query->Fields()[0]->FieldName(), "AUTO_ID");
    EXPECT_EQ(query->Fields()[1]->FieldName(), "NAME_ID");
}

TEST_F(KXQueryTest, SavedOrderMovesFieldsMadeWhenTheQueryOpens) {
    auto* grid = new TestListGrid(&window_);
    grid->Table = "SYS_MONEY_INTO_OUT_TABLE";
    grid->KeepOrder = true;
    grid->Rows = {{"NAME_ID", "80", "2"}, {"AUTO_ID", "80", "1"}};
    TKXQuery* query = NewQuery("SYS_ID_TABLE", {"NAME_ID", "AUTO_ID"}, {"NAME_ID"});
    query->SQL().SetText("SELECT NAME_ID, AUTO_ID FROM SYS_ID_TABLE");
    for (const char* name : {"NAME_ID", "AUTO_ID"}) {
        TFieldsData rule;
        rule.FieldName = name;
        rule.Visible = true;
        query->FieldsData().Append(rule);
    }
    query->SetDBNGride(grid);
    query->OpenQuery();
    ASSERT_EQ(query->FieldCount(), 2);
    EXPECT_EQ(query->Fields()[0]->FieldName(), "AUTO_ID");
    EXPECT_EQ(query->Fields()[1]->FieldName(), "NAME_ID");
}

TEST_F(KXQueryTest, WindowHandlersRunAfterTheQuerysOwnWork) {
    AddMoneyRecord("1", "200703000001", "001", 10, kVerified);
    AddMoneyRecord("2", "200703000002", "001", 10, "未审核");
    TKXQuery* query = MoneyQuery();
    QStringList calls;
    query->BeforeEdit = [&](db::TDataSet*) { calls.append("edit"); };
    query->AfterOpen = [&](db::TDataSet*) { calls.append("open"); };
    query->AfterScroll = [&](db::TDataSet*) { calls.append("scroll"); };
    query->BeforePost = [&](db::TDataSet*) { calls.append("post"); };
    query->OpenQuery();
    EXPECT_EQ(calls, QStringList({"open", "scroll"}));
    calls.clear();
    EXPECT_THROW(query->EditRecord(), EAbort); // the lock comes first
    query->Next();
    query->EditRecord();
    query->PostRecord();
    EXPECT_EQ(calls, QStringList({"scroll", "edit", "post"}));
}

TEST_F(KXQueryTest, FootersFollowEveryStep) {
    AddMoneyRecord("1", "200703000001", "001", 10, "未审核");
    AddMoneyRecord("2", "200703000002", "001", 20.5, "未审核");
    auto* grid = new TestListGrid(&window_);
    TDBSum* sum = grid->Sums.SumCollection().Add();
    sum->SetFieldName("MONEY_INTO_NUMBER");
    TDBSum* count = grid->Sums.SumCollection().Add();
    count->SetGroupOperation(goCount);
    TKXQuery* query = MoneyQuery();
    grid->Sums.SetDataSet(query);
    grid->Sums.SetActive(true);
    query->SetDBNGride(grid);
    query->OpenQuery();
    EXPECT_EQ(sum->Value(), 30.5);
    int scans = 0;
    grid->Sums.OnRecalcAll = [&](TDBSumListProducer*) { ++scans; };

    query->AppendRecord();
    query->FieldByName("MONEY_DATE")->SetAsString("2007-03-05");
    query->FieldByName("MONEY_INTO_NUMBER")->SetAsFloat(4.25);
    query->PostRecord();
    EXPECT_EQ(sum->Value(), 34.75);
    EXPECT_EQ(count->Value(), 3);
    EXPECT_EQ(query->RecNo(), 3) << "the saved row stays current";

    query->First();
    query->EditRecord();
    query->FieldByName("MONEY_INTO_NUMBER")->SetAsFloat(100);
    query->CancelRecord();
    EXPECT_EQ(sum->Value(), 34.75);
    query->EditRecord();
    query->FieldByName("MONEY_INTO_NUMBER")->SetAsFloat(11);
    query->PostRecord();
    EXPECT_EQ(sum->Value(), 35.75);

    query->SetVerifyStatus(kVerified);
    EXPECT_EQ(sum->Value(), 35.75);
    query->Next();
    query->DeleteRecord();
    EXPECT_EQ(sum->Value(), 15.25);
    EXPECT_EQ(count->Value(), 2);
    EXPECT_EQ(Value("SELECT SUM(MONEY_INTO_NUMBER) FROM KX_INTO_OUT_MONEY_TABLE"), "15.25");
    EXPECT_EQ(scans, 0) << "every step followed by its change, no row read again";

    // An amount past 15 digits is no decimal the footers can follow
    // exactly: they are read again, still on the saved row.
    query->EditRecord();
    query->FieldByName("MONEY_INTO_NUMBER")->SetAsFloat(1e20);
    query->PostRecord();
    EXPECT_EQ(scans, 1);
    EXPECT_DOUBLE_EQ(sum->Value(), 1e20);
    EXPECT_EQ(query->FieldByName("MONEY_INTO_NUMBER")->AsFloat(), 1e20);
}

} // namespace
} // namespace kx
