#include "platform/db/dataset.h"

#include "platform/db/collation.h"

#include "platform/db/field.h"
#include "platform/db/updatesql.h"
#include "tests/platform/db/dbfixture.h"

#include <sqlite3.h>

#include <functional>

namespace kx::db::test {
namespace {

class WritingTest : public DbTest {
protected:
    void SetUp() override {
        Exec({"INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME, ORDER_ID) VALUES "
              "('G001', 'G002', '总公司', 1)",
              "INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME, ORDER_ID) VALUES "
              "('G001001', 'G001', '财务部', 1)",
              "INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME, ORDER_ID) VALUES "
              "('G001002', 'G001', '销售部', 2)"});
    }

    QStringList Companies() {
        return Column("SELECT COMPANY_ID || ':' || COMPANY_NAME FROM SYS_COMPANY_TABLE ORDER BY "
                      "COMPANY_ID");
    }

    TQuery* Departments(bool live = true) {
        TQuery* query = NewQuery("SELECT * FROM SYS_COMPANY_TABLE WHERE PRIOR_ID = 'G001' ORDER "
                                 "BY COMPANY_ID",
                                 live);
        query->Open();
        return query;
    }

    // The update statements of the department window, keyed by the old key.
    TUpdateSQL* DepartmentStatements() {
        auto* update = new TUpdateSQL(&owner_);
        update->ModifySQL().Add("update SYS_COMPANY_TABLE");
        update->ModifySQL().Add("set COMPANY_ID = :COMPANY_ID, PRIOR_ID = :PRIOR_ID,");
        update->ModifySQL().Add("  COMPANY_NAME = :COMPANY_NAME, ORDER_ID = :ORDER_ID");
        update->ModifySQL().Add("where COMPANY_ID = :OLD_COMPANY_ID and PRIOR_ID = :OLD_PRIOR_ID");
        update->InsertSQL().Add("insert into SYS_COMPANY_TABLE");
        update->InsertSQL().Add("  (COMPANY_ID, PRIOR_ID, COMPANY_NAME, ORDER_ID)");
        update->InsertSQL().Add("values (:COMPANY_ID, :PRIOR_ID, :COMPANY_NAME, :ORDER_ID)");
        update->DeleteSQL().Add("delete from SYS_COMPANY_TABLE");
        update->DeleteSQL().Add("where COMPANY_ID = :OLD_COMPANY_ID and PRIOR_ID = :OLD_PRIOR_ID");
        return update;
    }

    TQuery* CachedDepartments() {
        TQuery* query = Departments(false);
        query->SetCachedUpdates(true);
        query->SetUpdateObject(DepartmentStatements());
        return query;
    }

    static void SetName(TDataSet* query, const QString& name) {
        query->Edit();
        query->FieldByName("COMPANY_NAME")->SetAsString(name);
    }

    static void AppendDepartment(TDataSet* query, const QString& id, const QString& name) {
        query->Append();
        query->FieldByName("COMPANY_ID")->SetAsString(id);
        query->FieldByName("PRIOR_ID")->SetAsString("G001");
        query->FieldByName("COMPANY_NAME")->SetAsString(name);
        query->FieldByName("ORDER_ID")->SetAsInteger(9);
        query->Post();
    }
};

TEST_F(WritingTest, LiveQueryWritesEachPostAtOnce) {
    TQuery* query = Departments();
    SetName(query, "会计部");
    query->Post();
    EXPECT_EQ(Companies(), QStringList({"G001:总公司", "G001001:会计部", "G001002:销售部"}));
    AppendDepartment(query, "G001003", "新部门");
    query->Prior();
    query->Delete();
    EXPECT_EQ(Companies(), QStringList({"G001:总公司", "G001001:会计部", "G001003:新部门"}));
    EXPECT_EQ(Column("SELECT ORDER_ID FROM SYS_COMPANY_TABLE WHERE COMPANY_ID = 'G001003'"),
              QStringList({"9"}));
}

TEST_F(WritingTest, PostedRowIsInTheFileAfterCloseAndReopen) {
    TQuery* query = Departments();
    AppendDepartment(query, "G001003", "新部门");
    query->Close();
    database_->Close();
    database_.reset();

    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open_v2(folder_.DatabaseFile().toUtf8().constData(), &raw,
                              SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    RegisterCollations(raw);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(raw,
                       "SELECT COMPANY_NAME FROM SYS_COMPANY_TABLE WHERE COMPANY_ID = 'G001003'",
                       -1, &statement, nullptr);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    EXPECT_EQ(QString::fromUtf8(sqlite3_column_text(statement, 0)), "新部门");
    sqlite3_finalize(statement);
    sqlite3_close(raw);
}

TEST_F(WritingTest, AVanishedRowIsReportedAndNothingIsWritten) {
    struct VanishCase {
        const char* name;
        std::function<void(TQuery*)> change;
    };
    const VanishCase cases[] = {
        {"edit",
         [](TQuery* q) {
             SetName(q, "改名");
             q->Post();
         }},
        {"delete", [](TQuery* q) { q->Delete(); }},
    };
    for (const VanishCase& c : cases) {
        SCOPED_TRACE(c.name);
        TQuery* query = Departments();
        Exec({"DELETE FROM SYS_COMPANY_TABLE WHERE COMPANY_ID = 'G001001'"});
        try {
            c.change(query);
            FAIL();
        } catch (const EDBEngineError& error) {
            EXPECT_EQ(error.Errors().first().ErrorCode, kErrRecordChanged);
        }
        EXPECT_EQ(query->FieldByName("COMPANY_ID")->AsString(), "G001001");
        EXPECT_EQ(Companies(), QStringList({"G001:总公司", "G001002:销售部"}));
        query->Cancel();
        Exec({"INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME, ORDER_ID) "
              "VALUES ('G001001', 'G001', '财务部', 1)"});
    }
}

TEST_F(WritingTest, ReadOnlyResultsRefuseEditing) {
    TQuery* notLive = Departments(false);
    EXPECT_FALSE(notLive->CanModify());
    EXPECT_THROW(notLive->Edit(), EDatabaseError);
    TQuery* join = NewQuery("SELECT A.COMPANY_NAME, B.COMPANY_NAME AS PARENT FROM "
                            "SYS_COMPANY_TABLE A, SYS_COMPANY_TABLE B WHERE A.PRIOR_ID = "
                            "B.COMPANY_ID");
    join->Open();
    EXPECT_THROW(join->Append(), EDatabaseError);
    TQuery* sums =
        NewQuery("SELECT PRIOR_ID, COUNT(*) AS N FROM SYS_COMPANY_TABLE GROUP BY PRIOR_ID");
    sums->Open();
    EXPECT_THROW(sums->Edit(), EDatabaseError);
}

TEST_F(WritingTest, CachedUpdatesWriteThroughTheUpdateObjectWithOldKeys) {
    TQuery* query = CachedDepartments();
    query->Edit();
    query->FieldByName("COMPANY_ID")->SetAsString("G001009");
    query->FieldByName("COMPANY_NAME")->SetAsString("改号部门");
    query->Post();
    EXPECT_EQ(query->UpdateStatus(), usModified);
    EXPECT_EQ(query->FieldByName("COMPANY_ID")->OldValue().toString(), "G001001");
    query->Next();
    query->Delete();
    AppendDepartment(query, "G001003", "新部门");
    EXPECT_EQ(query->UpdateStatus(), usInserted);
    EXPECT_TRUE(query->UpdatesPending());
    EXPECT_EQ(Companies(), QStringList({"G001:总公司", "G001001:财务部", "G001002:销售部"}));

    query->ApplyUpdates();
    EXPECT_FALSE(query->UpdatesPending());
    EXPECT_EQ(query->UpdateStatus(), usUnmodified);
    EXPECT_EQ(Companies(), QStringList({"G001:总公司", "G001003:新部门", "G001009:改号部门"}));
}

TEST_F(WritingTest, CancelUpdatesShowsTheRowsAsRead) {
    TQuery* query = CachedDepartments();
    SetName(query, "改名");
    query->Post();
    query->Next();
    query->Delete();
    AppendDepartment(query, "G001003", "新部门");
    query->CancelUpdates();
    EXPECT_FALSE(query->UpdatesPending());
    QStringList names;
    for (query->First(); !query->Eof(); query->Next())
        names << query->FieldByName("COMPANY_NAME")->AsString();
    EXPECT_EQ(names, QStringList({"财务部", "销售部"}));
}

TEST_F(WritingTest, AnAppliedChangeIsTheRowAsReadForTheNextOne) {
    TQuery* query = Departments();
    query->SetCachedUpdates(true);
    TField* name = query->FieldByName("COMPANY_NAME");
    SetName(query, "会计部");
    query->Post();
    query->ApplyUpdates();
    EXPECT_EQ(name->OldValue().toString(), "会计部");
    query->CancelUpdates();
    EXPECT_EQ(name->AsString(), "会计部");
    SetName(query, "审计部");
    query->Post();
    EXPECT_EQ(name->OldValue().toString(), "会计部");
    query->ApplyUpdates();
    EXPECT_EQ(Companies(), QStringList({"G001:总公司", "G001001:审计部", "G001002:销售部"}));
}

TEST_F(WritingTest, ACacheThatIsNeverAppliedNeverReachesTheTable) {
    TQuery* buffer = NewQuery("SELECT  *  FROM  SYS_COMPANY_TABLE WHERE ORDER_ID = :ORDER_ID");
    buffer->SetCachedUpdates(true);
    buffer->ParamByName("ORDER_ID")->SetAsInteger(0);
    buffer->Open();
    EXPECT_TRUE(buffer->IsEmpty());
    AppendDepartment(buffer, "G001003", "打印行");
    AppendDepartment(buffer, "G001004", "打印行");
    EXPECT_EQ(buffer->RecordCount(), 2);
    buffer->CancelUpdates();
    buffer->Close();
    EXPECT_EQ(Companies().size(), 3);
}

TEST_F(WritingTest, CachedUpdatesOfALiveQueryNeedNoUpdateObject) {
    TQuery* query = Departments();
    query->SetCachedUpdates(true);
    SetName(query, "会计部");
    query->Post();
    AppendDepartment(query, "G001003", "新部门");
    EXPECT_EQ(Companies().size(), 3);
    query->ApplyUpdates();
    EXPECT_EQ(Companies(),
              QStringList({"G001:总公司", "G001001:会计部", "G001002:销售部", "G001003:新部门"}));
}

TEST_F(WritingTest, AFailedApplyWritesNothingAndKeepsTheCache) {
    TQuery* query = CachedDepartments();
    SetName(query, "会计部");
    query->Post();
    AppendDepartment(query, "G001", "重复");
    query->FieldByName("PRIOR_ID");
    query->Edit();
    query->FieldByName("PRIOR_ID")->SetAsString("G002");
    query->Post();
    try {
        query->ApplyUpdates();
        FAIL();
    } catch (const EDBEngineError& error) {
        EXPECT_EQ(error.Errors().first().ErrorCode, kErrKeyViolation);
    }
    EXPECT_TRUE(query->UpdatesPending());
    EXPECT_EQ(Companies(), QStringList({"G001:总公司", "G001001:财务部", "G001002:销售部"}));
}

struct UpdateErrorCase {
    const char* name;
    TUpdateAction action;
    bool raises;
    QStringList stored;
    bool pending;
};

TEST_F(WritingTest, UpdateErrorHandlerDecidesWhatHappens) {
    const UpdateErrorCase cases[] = {
        {"fail", uaFail, true, {"G001:总公司", "G001001:财务部", "G001002:销售部"}, true},
        {"abort", uaAbort, true, {"G001:总公司", "G001001:财务部", "G001002:销售部"}, true},
        {"skip", uaSkip, false, {"G001:总公司", "G001001:会计部", "G001002:销售部"}, true},
        {"applied", uaApplied, false, {"G001:总公司", "G001001:会计部", "G001002:销售部"}, false},
    };
    for (const UpdateErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        TQuery* query = CachedDepartments();
        SetName(query, "会计部");
        query->Post();
        AppendDepartment(query, "G001002", "重复");
        int calls = 0;
        query->OnUpdateError = [&](TDataSet* dataSet, EDatabaseError&, TUpdateKind kind,
                                   TUpdateAction& action) {
            ++calls;
            EXPECT_EQ(kind, ukInsert);
            EXPECT_EQ(dataSet->FieldByName("COMPANY_NAME")->AsString(), "重复");
            action = c.action;
        };
        if (c.raises)
            EXPECT_ANY_THROW(query->ApplyUpdates());
        else
            query->ApplyUpdates();
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(Companies(), c.stored);
        EXPECT_EQ(query->UpdatesPending(), c.pending);
        query->Close();
        Exec({"UPDATE SYS_COMPANY_TABLE SET COMPANY_NAME = '财务部' WHERE COMPANY_ID = "
              "'G001001'"});
    }
}

TEST_F(WritingTest, RetryAfterTheHandlerMendedTheCause) {
    TQuery* query = CachedDepartments();
    AppendDepartment(query, "G001002", "替换");
    query->OnUpdateError = [this](TDataSet*, EDatabaseError&, TUpdateKind, TUpdateAction& action) {
        Exec({"DELETE FROM SYS_COMPANY_TABLE WHERE COMPANY_ID = 'G001002'"});
        action = uaRetry;
    };
    query->ApplyUpdates();
    EXPECT_EQ(Companies(), QStringList({"G001:总公司", "G001001:财务部", "G001002:替换"}));
}

TEST_F(WritingTest, UpdateStatementThatFindsNoRowReports10763) {
    TQuery* query = CachedDepartments();
    SetName(query, "会计部");
    query->Post();
    Exec({"UPDATE SYS_COMPANY_TABLE SET COMPANY_ID = 'G001008' WHERE COMPANY_ID = 'G001001'"});
    try {
        query->ApplyUpdates();
        FAIL();
    } catch (const EDBEngineError& error) {
        EXPECT_EQ(error.Errors().first().ErrorCode, kErrRecordChanged);
        EXPECT_EQ(error.Errors().first().NativeError, 0);
    }
}

TEST_F(WritingTest, PostErrorHandlerCanRetryOrAbort) {
    TQuery* query = Departments();
    query->Append();
    query->FieldByName("COMPANY_ID")->SetAsString("G001001");
    query->FieldByName("PRIOR_ID")->SetAsString("G001");
    int calls = 0;
    query->OnPostError = [&](TDataSet* dataSet, EDatabaseError&, TDataAction& action) {
        if (++calls == 1) {
            dataSet->FieldByName("COMPANY_ID")->SetAsString("G001005");
            action = daRetry;
        }
    };
    query->Post();
    EXPECT_EQ(calls, 1);
    query->Append();
    query->FieldByName("COMPANY_ID")->SetAsString("G001001");
    query->FieldByName("PRIOR_ID")->SetAsString("G001");
    query->OnPostError = [](TDataSet*, EDatabaseError&, TDataAction& action) { action = daAbort; };
    EXPECT_THROW(query->Post(), EAbort);
    EXPECT_EQ(query->State(), dsInsert);
    EXPECT_EQ(Companies().size(), 4);
}

TEST_F(WritingTest, RequiredFieldsMustHaveAValue) {
    TQuery* query = Departments();
    query->FieldByName("COMPANY_NAME")->SetRequired(true);
    query->Append();
    query->FieldByName("COMPANY_ID")->SetAsString("G001003");
    try {
        query->Post();
        FAIL();
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), "Field 'COMPANY_NAME' must have a value");
    }
    EXPECT_EQ(query->State(), dsInsert);
}

TEST_F(WritingTest, TransactionsKeepOrDropTheirStatements) {
    database_->StartTransaction();
    EXPECT_TRUE(database_->InTransaction());
    Exec({"DELETE FROM SYS_COMPANY_TABLE WHERE PRIOR_ID = 'G001'"});
    database_->Rollback();
    EXPECT_EQ(Companies().size(), 3);
    database_->StartTransaction();
    EXPECT_THROW(database_->StartTransaction(), EDatabaseError);
    Exec({"DELETE FROM SYS_COMPANY_TABLE WHERE PRIOR_ID = 'G001'"});
    database_->Commit();
    EXPECT_FALSE(database_->InTransaction());
    EXPECT_EQ(Companies(), QStringList({"G001:总公司"}));
}

} // namespace
} // namespace kx::db::test
