#include "platform/db/database.h"

#include "platform/db/field.h"
#include "platform/db/session.h"
#include "platform/db/tablemaintenance.h"
#include "tests/platform/db/dbfixture.h"

#include <QFile>

#include <sqlite3.h>

#include <functional>

namespace kx::db::test {
namespace {

class DatabaseTest : public DbTest {
protected:
    void SetUp() override {
        Exec({"INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES ('分类编号', '2')"});
    }

    // The first engine error a step raises.
    static TDBError EngineErrorOf(const std::function<void()>& step) {
        try {
            step();
        } catch (const EDBEngineError& error) {
            return error.Errors().value(0);
        }
        ADD_FAILURE() << "no engine error";
        return {};
    }

    void Damage() {
        database_->Close();
        QFile file(folder_.DatabaseFile());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.write(QByteArray(100, 'x'));
    }
};

struct ErrorCase {
    const char* name;
    std::function<void(DatabaseTest*)> provoke;
    quint16 code;
    int category;
    int subCode;
    int nativeError;
};

class ErrorMappingTest : public DatabaseTest {
public:
    void RunSql(const QString& sql) { Exec({sql}); }
    void PostTooLong() {
        TQuery* query = NewQuery("SELECT * FROM SYS_ID_TABLE");
        query->Open();
        query->Edit();
        query->FieldByName("NAME_ID")->SetAsString(QString(16, u'长'));
        query->Post();
    }
    void PackWhileOpen() {
        NewQuery("SELECT * FROM SYS_ID_TABLE")->Open();
        PackDatabase(*database_);
    }
    void PostVanished() {
        TQuery* query = NewQuery("SELECT * FROM SYS_ID_TABLE");
        query->Open();
        RunSql("DELETE FROM SYS_ID_TABLE");
        query->Delete();
    }
    void OpenDamaged() {
        Damage();
        NewQuery("SELECT * FROM SYS_ID_TABLE")->Open();
    }
};

// Each code the application handler recognises, provoked for real; every
// other error keeps SQLite's code as native code.
TEST_F(ErrorMappingTest, SqliteResultsBecomeTheEngineCodes) {
    const ErrorCase cases[] = {
        {"key violation",
         [](DatabaseTest* t) {
             static_cast<ErrorMappingTest*>(t)->RunSql(
                 "INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES ('分类编号', '3')");
         },
         9729, 38, 1, 0},
        {"record referenced",
         [](DatabaseTest* t) {
             auto* test = static_cast<ErrorMappingTest*>(t);
             test->RunSql("CREATE TABLE KX_PARENT_TABLE (ID VARCHAR(4) PRIMARY KEY)");
             test->RunSql("CREATE TABLE KX_CHILD_TABLE (ID VARCHAR(4) PRIMARY KEY, PARENT_ID "
                          "VARCHAR(4) REFERENCES KX_PARENT_TABLE (ID))");
             test->RunSql("INSERT INTO KX_PARENT_TABLE VALUES ('P1')");
             test->RunSql("INSERT INTO KX_CHILD_TABLE VALUES ('C1', 'P1')");
             test->RunSql("DELETE FROM KX_PARENT_TABLE WHERE ID = 'P1'");
         },
         9734, 38, 6, 0},
        {"value too large",
         [](DatabaseTest* t) { static_cast<ErrorMappingTest*>(t)->PostTooLong(); }, 10029, 39, 45,
         0},
        {"tables open", [](DatabaseTest* t) { static_cast<ErrorMappingTest*>(t)->PackWhileOpen(); },
         10243, 40, 3, 0},
        {"record changed",
         [](DatabaseTest* t) { static_cast<ErrorMappingTest*>(t)->PostVanished(); }, 10763, 42, 11,
         0},
        {"missing table",
         [](DatabaseTest* t) {
             static_cast<ErrorMappingTest*>(t)->RunSql("SELECT * FROM NO_SUCH_TABLE");
         },
         kErrGeneralSql, 51, 3, SQLITE_ERROR},
        {"rejected SQL",
         [](DatabaseTest* t) { static_cast<ErrorMappingTest*>(t)->RunSql("SELEKT 1"); },
         kErrGeneralSql, 51, 3, SQLITE_ERROR},
        {"damaged file", [](DatabaseTest* t) { static_cast<ErrorMappingTest*>(t)->OpenDamaged(); },
         10770, 42, 18, 0},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TDBError error = EngineErrorOf([&] { c.provoke(this); });
        EXPECT_EQ(error.ErrorCode, c.code);
        EXPECT_EQ(error.Category, c.category);
        EXPECT_EQ(error.SubCode, c.subCode);
        EXPECT_EQ(error.NativeError, c.nativeError);
        EXPECT_FALSE(error.Message.isEmpty());
    }
}

TEST_F(DatabaseTest, ErrorMessagesNameTheCauseAndTheStatement) {
    try {
        Exec({"SELECT * FROM NO_SUCH_TABLE"});
        FAIL();
    } catch (const EDBEngineError& error) {
        EXPECT_EQ(error.ClassName(), "EDBEngineError");
        EXPECT_EQ(error.Message(), "no such table: NO_SUCH_TABLE\nSELECT * FROM NO_SUCH_TABLE");
    }
}

TEST_F(DatabaseTest, AMissingFileOrAliasCannotBeOpened) {
    database_->Close();
    QFile::remove(folder_.DatabaseFile());
    EXPECT_EQ(EngineErrorOf([this] { database_->Open(); }).ErrorCode, kErrCannotOpen);
    database_->SetAliasName("NO_SUCH_ALIAS");
    EXPECT_EQ(EngineErrorOf([this] { database_->Open(); }).ErrorCode, kErrCannotOpen);
    EXPECT_FALSE(database_->Connected());
}

TEST_F(DatabaseTest, QueriesFindTheDatabaseByNameAndReconnectIt) {
    EXPECT_EQ(TSession::Default().FindDatabase("ruReravezDataBase"), database_.get());
    EXPECT_TRUE(TSession::Default().IsAlias("RUReravezLink"));
    EXPECT_EQ(TSession::Default().AliasPath("RUReravezLink"), folder_.Path());
    TQuery* options = NewQuery("SELECT * FROM SYS_ID_TABLE");
    TQuery* users = NewQuery("SELECT * FROM SYS_USER_TABLE");
    options->Open();
    users->Open();
    EXPECT_EQ(database_->DataSetCount(), 2);
    database_->CloseDataSets();
    EXPECT_FALSE(options->Active());
    EXPECT_TRUE(database_->Connected());
    database_->Close();
    EXPECT_FALSE(database_->Connected());
    options->Open();
    EXPECT_TRUE(database_->Connected());
    EXPECT_EQ(options->FieldByName("AUTO_ID")->AsString(), "2");
}

TEST_F(DatabaseTest, DeclaredColumnsAreReadForEachConnection) {
    const auto described = [this](const QString& table) {
        QStringList columns;
        for (const TDeclaredColumn& column : database_->DeclaredColumns(table))
            columns.append(column.Name + ' ' + column.Type);
        return columns;
    };
    EXPECT_EQ(described("sys_id_table"),
              QStringList({"NAME_ID VARCHAR(30)", "AUTO_ID VARCHAR(50)"}));
    EXPECT_EQ(described("NO_SUCH_TABLE"), QStringList());
    Exec({"CREATE TABLE NO_SUCH_TABLE (D DATE)"});
    EXPECT_EQ(described("NO_SUCH_TABLE"), QStringList{"D DATE"});
    database_->Close();
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(folder_.DatabaseFile()).constData(), &other),
              SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(other,
                           "DROP TABLE SYS_ID_TABLE; CREATE TABLE SYS_ID_TABLE (NAME_ID DATE)",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(other);
    EXPECT_EQ(described("SYS_ID_TABLE"), QStringList{"NAME_ID DATE"});
}

TEST_F(DatabaseTest, WithoutKeepConnectionTheLastCloseDisconnects) {
    database_->SetKeepConnection(false);
    TQuery* options = NewQuery("SELECT * FROM SYS_ID_TABLE");
    TQuery* users = NewQuery("SELECT * FROM SYS_USER_TABLE");
    options->Open();
    users->Open();
    options->Close();
    EXPECT_TRUE(database_->Connected());
    users->Close();
    EXPECT_FALSE(database_->Connected());
}

TEST_F(DatabaseTest, AnAliasNamesADatabaseOfItsOwn) {
    TQuery query;
    query.SetDatabaseName("RUReravezLink");
    query.SQL().Add("SELECT AUTO_ID FROM SYS_ID_TABLE");
    query.Open();
    EXPECT_EQ(query.Fields()[0]->AsString(), "2");
    TQuery unknown;
    unknown.SetDatabaseName("NoSuchDatabase");
    unknown.SQL().Add("SELECT 1");
    EXPECT_THROW(unknown.Open(), EDBEngineError);
}

TEST_F(DatabaseTest, ParametersBindByNameWhenParamCheckIsOn) {
    TQuery* query = NewQuery("SELECT  *  FROM  SYS_ID_TABLE WHERE NAME_ID = :NAME_ID");
    EXPECT_EQ(query->ParamCount(), 1);
    query->ParamByName("name_id")->SetAsString("分类编号");
    query->Open();
    EXPECT_EQ(query->RecordCount(), 1);
    query->SQL().SetText(
        "SELECT * FROM SYS_ID_TABLE WHERE NAME_ID = :NAME_ID OR AUTO_ID = :AUTO_ID");
    EXPECT_FALSE(query->Active());
    EXPECT_EQ(query->ParamByName("NAME_ID")->AsString(), "分类编号");
    EXPECT_TRUE(query->ParamByName("AUTO_ID")->IsNull());
    EXPECT_THROW(query->ParamByName("NONE"), EDatabaseError);

    query->SetParamCheck(false);
    query->SQL().SetText("SELECT '10:30' AS T, NAME_ID FROM SYS_ID_TABLE");
    EXPECT_EQ(query->ParamCount(), 0);
    query->Open();
    EXPECT_EQ(query->FieldByName("T")->AsString(), "10:30");
}

TEST_F(DatabaseTest, ExecSqlCountsTheRowsItChanged) {
    TQuery* query = NewQuery("UPDATE SYS_ID_TABLE SET AUTO_ID = :AUTO_ID");
    query->ParamByName("AUTO_ID")->SetAsString("3");
    query->ExecSQL();
    EXPECT_EQ(query->RowsAffected(), 1);
}

TEST_F(DatabaseTest, OpeningAStatementWithoutRowsIsRefused) {
    TQuery* query = NewQuery("DELETE FROM SYS_ID_TABLE");
    EXPECT_THROW(query->Open(), EDatabaseError);
    EXPECT_EQ(Column("SELECT COUNT(*) FROM SYS_ID_TABLE"), QStringList({"1"}));
}

TEST_F(DatabaseTest, TableMaintenanceListsVerifiesRebuildsAndPacks) {
    const QStringList names = TableNames(*database_, false);
    EXPECT_TRUE(names.contains("SYS_ID_TABLE"));
    EXPECT_TRUE(names.contains("KX_INTO_OUT_MONEY_TABLE"));
    EXPECT_TRUE(TableNames(*database_, true).contains("SYS_ID_TABLE.DB"));
    EXPECT_EQ(QString::fromLatin1(kTableType), "PARADOX");

    VerifyTable(*database_, "SYS_ID_TABLE.DB");
    RebuildTable(*database_, "sys_id_table.db");
    EXPECT_EQ(Column("SELECT AUTO_ID FROM SYS_ID_TABLE"), QStringList({"2"}));
    EXPECT_EQ(EngineErrorOf([this] {
                  Exec({"INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES ('分类编号', '3')"});
              }).ErrorCode,
              kErrKeyViolation);
    RebuildTable(*database_, "KX_MONEY_DAY_TABLE");
    EXPECT_EQ(Column("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name = "
                     "'KX_MONEY_DAY_TABLE_ACCOUNT_DATE'"),
              QStringList({"1"}));
    EXPECT_THROW(RebuildTable(*database_, "NO_SUCH_TABLE"), EDBEngineError);
    EXPECT_THROW(VerifyTable(*database_, "NO_SUCH_TABLE"), EDBEngineError);

    TQuery* open = NewQuery("SELECT * FROM SYS_ID_TABLE");
    open->Open();
    EXPECT_EQ(EngineErrorOf([this] { PackDatabase(*database_); }).ErrorCode, kErrTablesOpen);
    database_->CloseDataSets();
    PackDatabase(*database_);
    EXPECT_EQ(Column("SELECT AUTO_ID FROM SYS_ID_TABLE"), QStringList({"2"}));
}

} // namespace
} // namespace kx::db::test
