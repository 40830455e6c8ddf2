#include "frame/app/enrolrows.h"

#include "core/datamodule.h"
#include "core/sqlfunctions.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "tests/core/programfixture.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

TEnrolEntries Complete() {
    return {"岚衡商贸", "100080", "010-6666", "010-8888", "北京路1号",
            "ADMIN",    "王会计", "secret",   "secret"};
}

struct ValidationCase {
    const char* name;
    void (*change)(TEnrolEntries&);
    const char* message; // empty: accepted
    TEnrolEntry entry;
};

class CheckEnrolEntriesTest : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(CheckEnrolEntriesTest, FirstFailureInTheWindowsOrder) {
    TEnrolEntries entries = Complete();
    GetParam().change(entries);
    const std::optional<TEnrolRefusal> refusal = CheckEnrolEntries(entries);
    if (*GetParam().message == '\0') {
        EXPECT_FALSE(refusal) << refusal->Message.toStdString();
        return;
    }
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->Message, QString::fromUtf8(GetParam().message));
    EXPECT_EQ(refusal->Entry, GetParam().entry);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckEnrolEntriesTest,
    ::testing::Values(
        ValidationCase{"EverythingEmpty", [](TEnrolEntries& e) { e = {}; }, "必须输入企业名称",
                       TEnrolEntry::CompanyName},
        ValidationCase{"CompanyBlanks", [](TEnrolEntries& e) { e.CompanyName = "   "; },
                       "必须输入企业名称", TEnrolEntry::CompanyName},
        ValidationCase{"PhoneBeforeAddress",
                       [](TEnrolEntries& e) {
                           e.Phone = " ";
                           e.Address.clear();
                       },
                       "必须输入电话", TEnrolEntry::Phone},
        ValidationCase{"Address", [](TEnrolEntries& e) { e.Address.clear(); }, "必须输入地址",
                       TEnrolEntry::Address},
        ValidationCase{"UserIdBeforePasswords",
                       [](TEnrolEntries& e) {
                           e.UserId = "  ";
                           e.Password.clear();
                       },
                       "必须输入用户编号", TEnrolEntry::UserId},
        ValidationCase{"UserName", [](TEnrolEntries& e) { e.UserName.clear(); }, "必须输入用户姓名",
                       TEnrolEntry::UserName},
        ValidationCase{"Password", [](TEnrolEntries& e) { e.Password = " "; }, "必须输入用户口令",
                       TEnrolEntry::Password},
        ValidationCase{"Confirmation", [](TEnrolEntries& e) { e.Confirmation.clear(); },
                       "必须确认用户口令", TEnrolEntry::Confirmation},
        ValidationCase{"ConfirmationDiffers", [](TEnrolEntries& e) { e.Confirmation = "secreT"; },
                       "口令确认错误", TEnrolEntry::Password},
        ValidationCase{"TrailingBlanksAreNoDifference",
                       [](TEnrolEntries& e) { e.Confirmation = " secret   "; }, "",
                       TEnrolEntry::Password},
        ValidationCase{"PostCodeAndFaxMayStayEmpty",
                       [](TEnrolEntries& e) {
                           e.PostCode.clear();
                           e.Fax.clear();
                       },
                       "", TEnrolEntry::Password}),
    [](const auto& info) { return std::string(info.param.name); });

class WriteEnrolRowsTest : public ::testing::Test {
protected:
    WriteEnrolRowsTest() { test::ResetProgramState(); }

    QString Write(const TEnrolEntries& entries) {
        return WriteEnrolRows(kDatabaseName, entries, "2024-05-06", "2024-05-07");
    }
    void Exec(const QString& sql) { test::ExecOnFile(data_.Folder.DatabaseFile(), sql); }

    // Every row of the statement, its columns joined by "|".
    QStringList Rows(const QString& sql) {
        const std::unique_ptr<db::TQuery> query = OpenSqlQuery(kDatabaseName, sql);
        QStringList rows;
        for (; !query->Eof(); query->Next()) {
            QStringList values;
            for (const db::TField* field : query->Fields())
                values.append(field->AsString());
            rows.append(values.join(u'|'));
        }
        return rows;
    }
    QStringList Companies() {
        return Rows("SELECT COMPANY_ID, PRIOR_ID, ORDER_ID, COMPANY_NAME, COMPANY_POSTCODE, "
                    "COMPANY_FAX, COMPANY_PHONE, COMPANY_ADDRESS, CREATE_NAME, CREATE_DATE FROM "
                    "SYS_COMPANY_TABLE ORDER BY COMPANY_ID");
    }
    QStringList Users() {
        return Rows("SELECT USE_ID, USE_NAME, USE_PASSWORD, SYS_USER, STOP_RIGHT, CREATE_NAME, "
                    "CREATE_DATE FROM SYS_USER_TABLE ORDER BY USE_ID");
    }
    QStringList Rights() {
        return Rows("SELECT USE_ID, COMPOSE_ID, PROGRAM_ID, ADD_RIGHT || EDIT_RIGHT || "
                    "DELETE_RIGHT || BROWSE_RIGHT || PRINT_RIGHT || VERIFY_RIGHT || "
                    "CURRENCY_RIGHT FROM SYS_RIGHT_TABLE ORDER BY USE_ID, COMPOSE_ID, PROGRAM_ID");
    }
    static QStringList FullRights(const QString& userId) {
        QStringList rows;
        for (const TRightsPair& pair : kEnrolRights)
            rows.append(QStringLiteral("%1|%2|%3|是是是是是是是")
                            .arg(userId)
                            .arg(pair.ComposeId)
                            .arg(pair.ProgramId));
        return rows;
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
};

TEST_F(WriteEnrolRowsTest, FreshFolderGetsExactlyTheRootTheSystemUserAndTenRights) {
    TEnrolEntries entries = Complete();
    entries.CompanyName = "  岚衡商贸 ";
    entries.UserId = " ADMIN ";
    entries.Password = "secret  ";
    EXPECT_EQ(Write(entries), "");
    EXPECT_EQ(Companies(), QStringList{"G001|G002|1|岚衡商贸|100080|010-6666|010-8888|北京路1号|"
                                       "王会计|2024-05-06"});
    EXPECT_EQ(Users(), QStringList{"ADMIN|王会计|secret|是|有效|王会计|2024-05-07"});
    EXPECT_EQ(Rights(), FullRights("ADMIN"));
    EXPECT_FALSE(data_.DataModule->MainDatabase->InTransaction());
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(WriteEnrolRowsTest, ExistingRootIsUpdatedUserReplacedAndOtherUsersRightsGone) {
    Exec("INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, ORDER_ID, COMPANY_NAME, NOTE) "
         "VALUES ('G001', 'G002', 7, '旧公司', '留着'), ('G001001', 'G001', 1, '财务部', '')");
    test::InsertUser(data_.Folder, "ADMIN", "旧管理员", "old", false);
    test::InsertUser(data_.Folder, "CLERK", "出纳", "pw", false);
    test::GrantBrowse(data_.Folder, "CLERK", 1, 1);
    test::GrantBrowse(data_.Folder, "ADMIN", 9, 9);
    EXPECT_EQ(Write(Complete()), "");
    EXPECT_EQ(Companies(), (QStringList{"G001|G002|1|岚衡商贸|100080|010-6666|010-8888|北京路1号|"
                                        "王会计|2024-05-06",
                                        "G001001|G001|1|财务部||||||"}));
    EXPECT_EQ(Rows("SELECT NOTE FROM SYS_COMPANY_TABLE WHERE COMPANY_ID = 'G001'"),
              QStringList{"留着"});
    EXPECT_EQ(Users(), (QStringList{"ADMIN|王会计|secret|是|有效|王会计|2024-05-07",
                                    "CLERK|出纳|pw|否|有效||"}));
    EXPECT_EQ(Rights(), FullRights("ADMIN"));
}

TEST_F(WriteEnrolRowsTest, QuotesAreStoredAsTyped) {
    TEnrolEntries entries = Complete();
    entries.CompanyName = "O'Neil's 商行";
    entries.Address = "'); DROP TABLE SYS_USER_TABLE; --";
    entries.UserId = "A'B";
    entries.UserName = "王'五";
    entries.Password = entries.Confirmation = "' OR ''='";
    EXPECT_EQ(Write(entries), "");
    EXPECT_EQ(Rows("SELECT COMPANY_NAME, COMPANY_ADDRESS, CREATE_NAME FROM SYS_COMPANY_TABLE"),
              QStringList{"O'Neil's 商行|'); DROP TABLE SYS_USER_TABLE; --|王'五"});
    EXPECT_EQ(Rows("SELECT USE_ID, USE_NAME, USE_PASSWORD, CREATE_NAME FROM SYS_USER_TABLE"),
              QStringList{"A'B|王'五|' OR ''='|王'五"});
    EXPECT_EQ(Rights(), FullRights("A'B"));
}

struct FailureCase {
    const char* name;
    const char* trigger; // makes one statement of the set-up fail
    const char* message;
};

class WriteEnrolRowsFailureTest : public WriteEnrolRowsTest,
                                  public ::testing::WithParamInterface<FailureCase> {};

// Whichever statement fails, the company, the users and the rights stay as
// they were, and the message names the part that failed.
TEST_P(WriteEnrolRowsFailureTest, NothingOfTheSetUpStays) {
    Exec("INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, ORDER_ID, COMPANY_NAME) "
         "VALUES ('G001', 'G002', 7, '旧公司')");
    test::InsertUser(data_.Folder, "ADMIN", "旧管理员", "old", false);
    test::GrantBrowse(data_.Folder, "ADMIN", 1, 1);
    const QStringList companies = Companies();
    const QStringList users = Users();
    const QStringList rights = Rights();
    Exec(QString::fromUtf8(GetParam().trigger));
    EXPECT_EQ(Write(Complete()), QString::fromUtf8(GetParam().message));
    EXPECT_EQ(Companies(), companies);
    EXPECT_EQ(Users(), users);
    EXPECT_EQ(Rights(), rights);
    EXPECT_FALSE(data_.DataModule->MainDatabase->InTransaction());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteEnrolRowsFailureTest,
    ::testing::Values(FailureCase{"Company",
                                  "CREATE TRIGGER fail BEFORE UPDATE ON SYS_COMPANY_TABLE "
                                  "BEGIN SELECT RAISE(ABORT, 'refused'); END",
                                  "企业名称注册错误"},
                      FailureCase{"User",
                                  "CREATE TRIGGER fail BEFORE INSERT ON SYS_USER_TABLE "
                                  "BEGIN SELECT RAISE(ABORT, 'refused'); END",
                                  "用户注册错误"},
                      FailureCase{"ClearingTheRights",
                                  "CREATE TRIGGER fail BEFORE DELETE ON SYS_RIGHT_TABLE "
                                  "BEGIN SELECT RAISE(ABORT, 'refused'); END",
                                  "用户注册错误"},
                      FailureCase{"SeventhRight",
                                  "CREATE TRIGGER fail BEFORE INSERT ON SYS_RIGHT_TABLE "
                                  "WHEN NEW.COMPOSE_ID = 2 AND NEW.PROGRAM_ID = 4 "
                                  "BEGIN SELECT RAISE(ABORT, 'refused'); END",
                                  "用户注册错误"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WriteEnrolRowsTest, CompanyInsertFailureOnAFreshFolderWritesNothing) {
    Exec("CREATE TRIGGER fail BEFORE INSERT ON SYS_COMPANY_TABLE "
         "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_EQ(Write(Complete()), "企业名称注册错误");
    EXPECT_TRUE(Companies().isEmpty());
    EXPECT_TRUE(Users().isEmpty());
    EXPECT_TRUE(Rights().isEmpty());
}

} // namespace
} // namespace kx
