#include "core/sqlfunctions.h"
#include "platform/db/field.h"
#include "platform/sys/exception.h"
#include "tests/frame/kxqueryfixture.h"

#include <QDateTime>
#include <QLineEdit>
#include <QRegularExpression>

namespace kx {
namespace {

using test::KXQueryTest;

QString FieldText(TKXQuery* query, const char* name) {
    return query->FieldByName(name)->AsString();
}

TEST_F(KXQueryTest, AddFillsTimeStampMonthCounterAndConstants) {
    AddMoneyRecord("070301000001", "200703000007", "001", 10, "未审核");
    AddMoneyRecord("070301000002", "200702000099", "001", 10, "未审核");
    TKXQuery* query = MoneyQuery();
    query->OpenQuery();
    const QString before = QDateTime::currentDateTime().toString("yyMMddHHmmss");
    query->AppendRecord();
    const QString after = QDateTime::currentDateTime().toString("yyMMddHHmmss");
    const QString recordId = FieldText(query, "MONEY_RECORD_ID");
    EXPECT_TRUE(recordId == before || recordId == after) << recordId.toStdString();
    EXPECT_EQ(FieldText(query, "MONEY_ID"), "200703000008");
    EXPECT_EQ(FieldText(query, "STATUS"), "未审核");
    EXPECT_EQ(FieldText(query, "CREATE_NAME"), "张三");

    query->FieldByName("MONEY_TYPE_ID")->SetAsString("001");
    query->FieldByName("MONEY_DATE")->SetAsString("2007-3-5");
    query->FieldByName("MONEY_INTO_NUMBER")->SetAsFloat(12.5);
    query->PostRecord();
    EXPECT_TRUE(query->Saved);
    EXPECT_EQ(query->State(), db::dsBrowse);
    EXPECT_EQ(Column("SELECT MONEY_DATE || '/' || MONEY_INTO_NUMBER || '/' || CREATE_DATE FROM "
                     "KX_INTO_OUT_MONEY_TABLE WHERE MONEY_ID = '200703000008'"),
              QStringList{"2007-03-05/12.5/2007-03-05"});
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join('|').toStdString();
}

TEST_F(KXQueryTest, CountersCountOnFromTheLargestNumberInUse) {
    const struct {
        const char* kind;
        int width;
        const char* prefix;
        QStringList stored;
        const char* expected;
    } cases[] = {
        {"M", 12, "", {}, "200703000001"},
        {"M", 12, "", {"200703000041", "200702000099"}, "200703000042"},
        {"M", 12, "BX", {"BX200703000005", "200703000077"}, "BX200703000006"},
        {"Y", 8, "", {"20070012", "20060099"}, "20070013"},
        {"D", 11, "", {"20070305007", "20070304009"}, "20070305008"},
        {"C", 3, "001", {"001001", "001004", "002009"}, "001005"},
        {"C", 3, "001", {"002009"}, "001001"},
        {"C", 4, "a'b", {"a'b0007"}, "a'b0008"},
        {"C", 0, "", {"41", "7"}, "8"}, // the largest value of the field, as text
    };
    int record = 0;
    for (const auto& c : cases) {
        Exec("DELETE FROM KX_INTO_OUT_MONEY_TABLE");
        for (const QString& id : c.stored)
            AddMoneyRecord(QString::number(++record), id, "001", 0, "");
        TKXQuery* query = MoneyQuery();
        TInsertData counter;
        counter.FieldName = "MONEY_ID";
        counter.Kind = c.kind;
        counter.Width = c.width;
        counter.Prefix = c.prefix;
        query->SetInsertData({counter});
        query->OpenQuery();
        query->AppendRecord();
        EXPECT_EQ(FieldText(query, "MONEY_ID"), c.expected) << c.kind << c.width << c.prefix;
        query->CancelRecord();
    }
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join('|').toStdString();
}

TEST_F(KXQueryTest, CounterWithinAParentAndOrderWithinIt) {
    AddSubject("001", "G001", "收入", 1);
    AddSubject("002", "G001", "支出", 5);
    AddSubject("001001", "001", "销售", 3);
    AddSubject("001004", "001", "利息", 7);
    TKXQuery* top = SubjectQuery("G001");
    top->OpenQuery();
    top->AppendRecord();
    EXPECT_EQ(FieldText(top, "MONEY_TYPE_ID"), "003");
    EXPECT_EQ(FieldText(top, "ORDER_ID"), "6");
    top->CancelRecord();
    TKXQuery* below = SubjectQuery("001");
    below->OpenQuery();
    below->AppendRecord();
    EXPECT_EQ(FieldText(below, "MONEY_TYPE_ID"), "001005");
    EXPECT_EQ(FieldText(below, "PRIOR_ID"), "001");
    EXPECT_EQ(FieldText(below, "ORDER_ID"), "8");
}

TEST_F(KXQueryTest, NumberingThatCannotGoOnRefusesTheAdd) {
    const struct {
        const char* kind;
        int width;
        QStringList stored;
        bool withTable;
        const char* dayPrefix;
        QStringList texts;
        bool cancelled;
    } cases[] = {
        // A counter past its width would start again at 000 and repeat.
        {"C",
         3,
         {"001999"},
         true,
         "20070305",
         {"编号字段的编号已用完,不能增加新的记录", "数据插入错误"},
         true},
        {"M", 6, {}, true, "20070305", {"编号字段需插入的值是空的", "数据插入错误"}, true},
        {"C", 3, {}, false, "20070305", {"Query必须有一个表名", "数据插入错误"}, false},
        {"D", 11, {}, true, "", {"没有Day值", "数据插入错误"}, false},
    };
    for (const auto& c : cases) {
        messages_.Clear();
        Exec("DELETE FROM KX_INTO_OUT_MONEY_TABLE");
        for (const QString& id : c.stored)
            AddMoneyRecord("1", id, "001", 0, "");
        TKXQuery* query = MoneyQuery();
        TInsertData counter;
        counter.FieldName = "MONEY_ID";
        counter.DisplayLabel = "编号";
        counter.Kind = c.kind;
        counter.Width = c.width;
        counter.Prefix = c.kind == QStringLiteral("C") ? "001" : "";
        query->SetInsertData({counter});
        query->DayPrefix = c.dayPrefix;
        if (!c.withTable) {
            query->SetTableName(QString());
            query->SQL().SetText("SELECT * FROM KX_INTO_OUT_MONEY_TABLE");
        }
        query->OpenQuery();
        query->AppendRecord();
        EXPECT_EQ(messages_.Texts(), c.texts) << c.kind << c.width;
        EXPECT_EQ(messages_.Requests().last().caption, "错误信息");
        EXPECT_EQ(query->State(), c.cancelled ? db::dsBrowse : db::dsInsert) << c.kind << c.width;
        query->Close();
    }
}

TEST_F(KXQueryTest, DuplicateNumberIsRenumberedWithoutAMessage) {
    AddSubject("001001", "001", "销售", 1);
    TKXQuery* query = SubjectQuery("001");
    query->OpenQuery();
    query->AppendRecord();
    ASSERT_EQ(FieldText(query, "MONEY_TYPE_ID"), "001002");
    AddSubject("001002", "001", "另一个窗口加的", 2); // meanwhile, elsewhere
    query->FieldByName("MONEY_TYPE_NAME")->SetAsString("利息");
    query->FieldByName("ORDER_ID")->SetAsString("3");
    query->PostRecord();
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join('|').toStdString();
    EXPECT_EQ(Value("SELECT MONEY_TYPE_ID FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE "
                    "MONEY_TYPE_NAME = '利息'"),
              "001003");
}

TEST_F(KXQueryTest, DuplicateIsRefusedWithItsMessageAndCheckedOnlyWhenChanged) {
    AddSubject("001001", "001", "销售", 1);
    AddSubject("001002", "001", "利息", 1); // stored twice already
    TKXQuery* query = SubjectQuery("001");
    query->OpenQuery();
    query->AppendRecord();
    query->FieldByName("MONEY_TYPE_NAME")->SetAsString("租金");
    query->FieldByName("ORDER_ID")->SetAsString("1");
    EXPECT_THROW(query->PostRecord(), EAbort);
    EXPECT_EQ(messages_.Texts(), QStringList{"序号重复"});
    EXPECT_EQ(query->State(), db::dsInsert);
    query->CancelRecord();

    // An edit that leaves the order alone is not checked against it.
    messages_.Clear();
    query->First();
    query->EditRecord();
    query->FieldByName("MONEY_TYPE_NAME")->SetAsString("销售收入");
    query->PostRecord();
    EXPECT_TRUE(messages_.Texts().isEmpty());
    EXPECT_EQ(Value("SELECT MONEY_TYPE_NAME FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE "
                    "MONEY_TYPE_ID = '001001'"),
              "销售收入");
}

TEST_F(KXQueryTest, AskedCheckIsAskedOncePerSelectUntilSavedOrCancelled) {
    AddMoneyRecord("1", "200703000001", "001", 0, "");
    TKXQuery* query = MoneyQuery();
    TCheckData sameNote;
    sameNote.BaseSelect = "SELECT MONEY_ID FROM KX_INTO_OUT_MONEY_TABLE WHERE ";
    sameNote.Links[0] = {"MONEY_TYPE_ID", "MONEY_TYPE_ID", "", "", "C"};
    sameNote.NumberField = "MONEY_TYPE_ID";
    sameNote.MustNotExist = true;
    sameNote.AskInstead = true;
    sameNote.Message = "该科目已有记录,是否继续";
    query->SetCheckData({sameNote});
    query->OpenQuery();
    query->AppendRecord();
    query->FieldByName("MONEY_TYPE_ID")->SetAsString("001");
    query->FieldByName("MONEY_DATE")->SetAsString("2007-03-05");
    EXPECT_TRUE(query->ValidateRecord());
    EXPECT_TRUE(query->ValidateRecord());
    EXPECT_EQ(messages_.Texts(), QStringList{"该科目已有记录,是否继续 ?"});
    query->CancelRecord();
    query->AppendRecord();
    query->FieldByName("MONEY_TYPE_ID")->SetAsString("001");
    query->FieldByName("MONEY_DATE")->SetAsString("2007-03-05");
    messages_.answer = false;
    EXPECT_FALSE(query->ValidateRecord());
    EXPECT_EQ(messages_.Texts().size(), 2);
}

TEST_F(KXQueryTest, LinkCheckCopiesTheFoundRowOrRefuses) {
    AddSubject("001", "G001", "收入", 4);
    TKXQuery* query = MoneyQuery();
    TCheckData subject;
    subject.BaseSelect =
        "SELECT MONEY_TYPE_NAME, ORDER_ID FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE ";
    subject.Links[0] = {"MONEY_TYPE_ID", "MONEY_TYPE_ID", "", "", "C"};
    subject.NumberField = "MONEY_TYPE_ID";
    subject.CopyFields = "MONEY_TEXT_NOTE, MONEY_ACCOUNT_ID";
    subject.Message = "没有这个借贷科目";
    query->SetCheckData({subject});
    query->OpenQuery();
    query->AppendRecord();
    query->FieldByName("MONEY_DATE")->SetAsString("2007-03-05");
    query->FieldByName("MONEY_TYPE_ID")->SetAsString("009");
    EXPECT_THROW(query->PostRecord(), EAbort);
    EXPECT_EQ(messages_.Texts(), QStringList{"没有这个借贷科目"});
    query->FieldByName("MONEY_TYPE_ID")->SetAsString("001");
    query->PostRecord();
    EXPECT_EQ(Column("SELECT MONEY_TEXT_NOTE || '/' || MONEY_ACCOUNT_ID FROM "
                     "KX_INTO_OUT_MONEY_TABLE"),
              QStringList{"收入/4"});
}

TEST_F(KXQueryTest, FieldRulesRefuseEmptyAndMalformedValues) {
    const struct {
        const char* type;
        const char* note;
        bool required;
        const char* message;
        const char* stored;
    } cases[] = {
        {"C", "", true, "摘要必须有一个值", nullptr},
        {"N", "12a", false, "摘要是错误的数据", nullptr},
        {"N", "1,234", false, "摘要是错误的数据", nullptr},
        {"N", " -12.5 ", false, nullptr, " -12.5 "},
        {"D", "2007-13-45", false, "摘要是错误的数据", nullptr},
        {"D", "2007-3-5", false, nullptr, "2007-03-05"},
        {"C", "", false, nullptr, ""},
    };
    int record = 0;
    for (const auto& c : cases) {
        messages_.Clear();
        TKXQuery* query = MoneyQuery();
        query->FieldsData()[4].TypeCode = c.type;
        query->FieldsData()[4].Required = c.required;
        query->SetInsertData({});
        query->SetCheckData({});
        query->OpenQuery();
        query->AppendRecord();
        query->FieldByName("MONEY_RECORD_ID")->SetAsString(QString::number(++record));
        query->FieldByName("MONEY_DATE")->SetAsString("2007-03-05");
        query->FieldByName("MONEY_TEXT_NOTE")->SetAsString(c.note);
        if (c.message) {
            EXPECT_THROW(query->PostRecord(), EAbort) << c.note;
            EXPECT_EQ(messages_.Texts(), QStringList{c.message}) << c.note;
            query->CancelRecord();
        } else {
            query->PostRecord();
            EXPECT_EQ(Value("SELECT MONEY_TEXT_NOTE FROM KX_INTO_OUT_MONEY_TABLE WHERE "
                            "MONEY_RECORD_ID = '" +
                            QString::number(record) + "'"),
                      c.stored);
        }
        query->CloseQuery();
    }
}

TEST_F(KXQueryTest, RequiredFieldPassesWhileItsControlShowsAText) {
    TKXQuery* query = MoneyQuery();
    auto* control = new QLineEdit(&window_);
    query->FieldsData()[1].Control = control;
    query->OpenQuery();
    query->AppendRecord();
    control->setText("2007-03-05");
    EXPECT_TRUE(query->ValidateRecord());
    control->clear();
    EXPECT_FALSE(query->ValidateRecord());
    EXPECT_EQ(messages_.Texts(), QStringList{"日期必须有一个值"});
}

TEST_F(KXQueryTest, EditSavesByTheKeyTheRowHadWhenEditingBegan) {
    AddMoneyRecord("070301000001", "200703000007", "001", 10, "未审核");
    TKXQuery* query = MoneyQuery();
    query->OpenQuery();
    query->EditRecord();
    QString keyWhere;
    query->BuildKeyWhere(keyWhere);
    EXPECT_EQ(keyWhere, "  MONEY_RECORD_ID ='070301000001' AND   MONEY_ID ='200703000007' AND   "
                        "MONEY_TYPE_ID ='001'");
    EXPECT_EQ(query->KeySelect(), "SELECT * FROM ");
    query->FieldByName("MONEY_ID")->SetAsString("200703000099");
    query->FieldByName("MONEY_INTO_NUMBER")->SetAsFloat(20.25);
    query->PostRecord();
    EXPECT_EQ(Column("SELECT MONEY_ID || '/' || MONEY_INTO_NUMBER || '/' || EDIT_NAME FROM "
                     "KX_INTO_OUT_MONEY_TABLE"),
              QStringList{"200703000099/20.25/张三"});
}

TEST_F(KXQueryTest, KeyConditionWritesDatesAsTheDialectDoes) {
    Exec("INSERT INTO KX_MONEY_DAY_TABLE (MONEY_DAY_DATE, MONEY_ACCOUNT_ID, NOTE) VALUES "
         "('2007-03-05', 'O''Neil', 'a')");
    TKXQuery* query = NewQuery("KX_MONEY_DAY_TABLE", {"MONEY_DAY_DATE", "MONEY_ACCOUNT_ID", "NOTE"},
                               {"MONEY_DAY_DATE", "MONEY_ACCOUNT_ID"});
    query->OpenQuery();
    query->EditRecord();
    QString keyWhere;
    query->BuildKeyWhere(keyWhere);
    EXPECT_EQ(keyWhere, "  MONEY_DAY_DATE ='03/05/2007' AND   MONEY_ACCOUNT_ID ='O''Neil'");
    query->FieldByName("NOTE")->SetAsString("b'c");
    query->PostRecord();
    EXPECT_EQ(Value("SELECT NOTE FROM KX_MONEY_DAY_TABLE"), "b'c");
}

TEST_F(KXQueryTest, ValuesWithApostrophesSaveCheckAndFindTheirRow) {
    TKXQuery* query = SubjectQuery("00'1");
    TCheckData sameName;
    sameName.BaseSelect = "SELECT MONEY_TYPE_ID FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE ";
    sameName.Links[0] = {"MONEY_TYPE_NAME", "MONEY_TYPE_NAME", "", "", "C"};
    sameName.NumberField = "MONEY_TYPE_NAME";
    sameName.MustNotExist = true;
    sameName.Message = "科目名称重复";
    query->CheckData().Append(sameName);
    query->OpenQuery();
    query->AppendRecord();
    EXPECT_EQ(FieldText(query, "MONEY_TYPE_ID"), "00'1001");
    query->FieldByName("MONEY_TYPE_NAME")->SetAsString("O'Neil");
    query->PostRecord();
    query->AppendRecord();
    EXPECT_EQ(FieldText(query, "MONEY_TYPE_ID"), "00'1002");
    query->FieldByName("MONEY_TYPE_NAME")->SetAsString("O'Neil");
    EXPECT_THROW(query->PostRecord(), EAbort);
    EXPECT_EQ(messages_.Texts(), QStringList{"科目名称重复"});
    query->CancelRecord();
    query->First();
    query->EditRecord();
    query->FieldByName("NOTE")->SetAsString("it's");
    query->PostRecord();
    EXPECT_EQ(Column("SELECT MONEY_TYPE_ID || '/' || MONEY_TYPE_NAME || '/' || NOTE FROM "
                     "KX_MONEY_INTO_OUT_TYPE_TABLE"),
              QStringList{"00'1001/O'Neil/it's"});
}

TEST_F(KXQueryTest, VanishedRowKeepsTheEditOpenOrIsWrittenAgain) {
    AddMoneyRecord("070301000001", "200703000007", "001", 10, "未审核");
    TKXQuery* query = MoneyQuery();
    query->OpenQuery();
    query->EditRecord();
    query->FieldByName("MONEY_INTO_NUMBER")->SetAsFloat(30);
    Exec("DELETE FROM KX_INTO_OUT_MONEY_TABLE");
    query->PostRecord();
    EXPECT_EQ(messages_.Texts(), QStringList{"该记录已被其它用户删除或在其它窗口被删除"});
    EXPECT_FALSE(query->Saved);
    EXPECT_EQ(query->State(), db::dsEdit);
    query->ReinsertMissing = true;
    query->PostRecord();
    EXPECT_TRUE(query->Saved);
    EXPECT_FALSE(query->ReinsertMissing);
    EXPECT_EQ(Value("SELECT MONEY_INTO_NUMBER FROM KX_INTO_OUT_MONEY_TABLE"), "30");
}

TEST_F(KXQueryTest, InsertOverAStoredKeyUpdatesThatRow) {
    AddMoneyRecord("070301000001", "200703000007", "001", 10, "未审核");
    TKXQuery* query = MoneyQuery();
    query->SetCheckData({});
    query->OpenQuery();
    query->AppendRecord();
    query->FieldByName("MONEY_RECORD_ID")->SetAsString("070301000001");
    query->FieldByName("MONEY_ID")->SetAsString("200703000007");
    query->FieldByName("MONEY_TYPE_ID")->SetAsString("001");
    query->FieldByName("MONEY_DATE")->SetAsString("2007-03-05");
    query->FieldByName("MONEY_INTO_NUMBER")->SetAsFloat(99);
    query->PostRecord();
    EXPECT_EQ(Column("SELECT MONEY_INTO_NUMBER FROM KX_INTO_OUT_MONEY_TABLE"), QStringList{"99"});
}

TEST_F(KXQueryTest, StatementsOfAnotherTableRunAgainstTheTableName) {
    TKXQuery* query = NewQuery("SYS_ID_TABLE", {"NAME_ID", "AUTO_ID"}, {"NAME_ID"});
    query->SetTableName("SYS_ID_TABLE");
    query->UpDateTable = true;
    query->OpenQuery();
    query->AppendRecord();
    query->FieldByName("NAME_ID")->SetAsString("分类编号");
    query->FieldByName("AUTO_ID")->SetAsString("2");
    query->PostRecord();
    EXPECT_EQ(Value("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = '分类编号'"), "2");

    auto* other = new db::TUpdateSQL(&window_);
    other->ModifySQL().SetLines({"update KX_WRONG_TABLE", "set", "  AUTO_ID = :AUTO_ID", "where",
                                 "  NAME_ID = :OLD_NAME_ID"});
    other->InsertSQL().SetLines(
        {"insert into KX_WRONG_TABLE", "  (NAME_ID, AUTO_ID)", "values", "  (:NAME_ID, :AUTO_ID)"});
    other->DeleteSQL().SetLines(
        {"delete from KX_WRONG_TABLE", "where", "  NAME_ID = :OLD_NAME_ID"});
    query->SetUpdateObject(other);
    query->EditRecord();
    query->FieldByName("AUTO_ID")->SetAsString("3");
    query->PostRecord();
    EXPECT_EQ(Value("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = '分类编号'"), "3");
}

TEST_F(KXQueryTest, StoredKeyViolationIsTheSavesOwnMessage) {
    AddMoneyRecord("070301000001", "200703000001", "001", 10, "未审核");
    AddMoneyRecord("070301000001", "200703000002", "001", 20, "未审核");
    TKXQuery* query = MoneyQuery();
    query->SetCheckData({});
    query->OpenQuery();
    query->EditRecord();
    query->FieldByName("MONEY_ID")->SetAsString("200703000002");
    query->PostRecord();
    EXPECT_EQ(messages_.Texts(), QStringList{"数据保存过程发生错误"});
    EXPECT_EQ(query->State(), db::dsEdit);
    EXPECT_FALSE(query->Saved);
    EXPECT_EQ(Column("SELECT MONEY_ID FROM KX_INTO_OUT_MONEY_TABLE ORDER BY 1"),
              QStringList({"200703000001", "200703000002"}));
}

TEST_F(KXQueryTest, CacheOnlyRowsStayInTheQuery) {
    AddMoneyRecord("1", "200703000001", "001", 10, "已审核");
    TKXQuery* query = MoneyQuery();
    query->OpenQuery();
    query->CacheOnly = true;
    query->AppendRecord();
    query->FieldByName("MONEY_DATE")->SetAsString("2007-03-05");
    query->PostRecord();
    EXPECT_FALSE(query->CacheOnly);
    EXPECT_EQ(query->RecordCount(), 2);
    query->First();
    query->CacheOnly = true;
    query->NoDeleteConfirm = true;
    query->DeleteRecord(); // no status lock for a cached-only delete
    EXPECT_EQ(query->RecordCount(), 1);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_INTO_OUT_MONEY_TABLE"), "1");
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(KXQueryTest, WithoutATableTheCachedChangesAreApplied) {
    TKXQuery* query = NewQuery("SYS_ID_TABLE", {"NAME_ID", "AUTO_ID"}, {"NAME_ID"});
    query->SetTableName(QString());
    query->SQL().SetText("SELECT * FROM SYS_ID_TABLE");
    int updateErrors = 0;
    query->OnUpdateError = [&updateErrors](db::TDataSet*, db::EDatabaseError&, db::TUpdateKind,
                                           db::TUpdateAction&) { ++updateErrors; };
    query->OpenQuery();
    query->AppendRecord();
    query->FieldByName("NAME_ID")->SetAsString("a");
    query->FieldByName("AUTO_ID")->SetAsString("1");
    query->PostRecord();
    EXPECT_EQ(Value("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'a'"), "1");

    // A write that fails reaches the window's handler and leaves the row in editing.
    Exec("INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES ('b', '2')");
    query->AppendRecord();
    query->FieldByName("NAME_ID")->SetAsString("b");
    EXPECT_THROW(query->PostRecord(), db::EDBEngineError);
    EXPECT_EQ(updateErrors, 1);
    EXPECT_EQ(query->State(), db::dsEdit);
    query->CancelRecord();
}

} // namespace
} // namespace kx
