// Outdated-data deletion: the statements of each choice on a data folder of
// three years and two accounts, their one transaction, and the window
// driven from the main window's command.

#include "frame/admin/deletedataform.h"
#include "frame/admin/outdateddeletion.h"
#include "frame/admin/yearform.h"

#include "core/appstate.h"
#include "core/sqlfunctions.h"
#include "frame/app/kxmain.h"
#include "frame/app/mainform.h"
#include "frame/app/windowregistry.h"
#include "frame/controls/kxedit.h"
#include "frame/controls/radiogroup.h"
#include "frame/dialogs/kxthread.h"
#include "frame/dialogs/selectform.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "tests/core/programfixture.h"
#include "tests/frame/admin/windowpicture.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace kx {
namespace {

TEST(CheckDeletionYear, OnlyAFourDigitYearPasses) {
    const QString missing = "必须输入删除数据的年份";
    const QString wrong = "错误的年份,正确的年份如2000年是:\"2000\"";
    const struct {
        const char* typed;
        QString refusal;
    } cases[] = {{"", missing},   {"   ", missing}, {"07", wrong},       {"20071", wrong},
                 {"20a7", wrong}, {"1=1;", wrong},  {"2007", QString()}, {" 2007 ", QString()}};
    for (const auto& c : cases)
        EXPECT_EQ(CheckDeletionYear(c.typed), c.refusal) << c.typed;
}

TEST(DeletionStatements, EachChoiceDeletesItsTablesInOrder) {
    EXPECT_EQ(DeletionStatements(TDeleteOption::Account, "O'1").first(),
              "DELETE FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_ACCOUNT_ID  ='O''1'");
    EXPECT_EQ(
        DeletionStatements(TDeleteOption::Year, "2007").last(),
        "DELETE FROM KX_MONEY_MONTH_TABLE WHERE  SUBSTRING(MONEY_MONTH FROM 1  FOR 4) ='2007'");
    EXPECT_EQ(DeletionStatements(TDeleteOption::Employees),
              QStringList{"DELETE FROM KX_EMPLOYEE_TABLE"});
    EXPECT_EQ(
        DeletionStatements(TDeleteOption::AllData),
        QStringList({"DELETE FROM KX_INTO_OUT_MONEY_TABLE", "DELETE FROM KX_MONEY_MONTH_TABLE",
                     "DELETE FROM KX_MONEY_DAY_TABLE", "DELETE FROM KX_INTO_OUT_MONEY_SUM_TABLE",
                     "DELETE FROM KX_EMPLOYEE_TABLE"}));
}

// Records, day and month ledgers of 2006 to 2008 for the accounts "A" and
// "O'1".
class DeletionDataTest : public ::testing::Test {
protected:
    DeletionDataTest() {
        test::ResetProgramState();
        for (const char* account : {"A", "O'1"}) {
            Exec(QStringLiteral("INSERT INTO KX_MONEY_ACCOUNT_TABLE (MONEY_ACCOUNT_ID, "
                                "MONEY_ACCOUNT_NAME, ORDER_ID) VALUES (%1, %2, 1)")
                     .arg(QuotedStr(account), QuotedStr(QStringLiteral("账户") + account)));
            for (int year : {2006, 2007, 2008}) {
                const QString y = QString::number(year);
                Exec(QStringLiteral("INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, "
                                    "MONEY_ACCOUNT_ID, MONEY_DATE) VALUES (%1, %2, '%3-12-31')")
                         .arg(QuotedStr(y + account), QuotedStr(account), y));
                Exec(QStringLiteral("INSERT INTO KX_MONEY_DAY_TABLE (MONEY_DAY_DATE, "
                                    "MONEY_ACCOUNT_ID) VALUES ('%1-01-01', %2)")
                         .arg(y, QuotedStr(account)));
                Exec(QStringLiteral("INSERT INTO KX_MONEY_MONTH_TABLE (MONEY_MONTH, "
                                    "MONEY_ACCOUNT_ID) VALUES ('%1年03月', %2)")
                         .arg(y, QuotedStr(account)));
            }
        }
        Exec("INSERT INTO KX_EMPLOYEE_TABLE (COMPANY_ID, EMPLOYEE_ID) VALUES ('G001', 'E1')");
    }
    ~DeletionDataTest() override { test::ResetProgramState(); }

    void Exec(const QString& sql) {
        ASSERT_TRUE(ExecSqlText(kDatabaseName, sql)) << sql.toStdString();
    }
    QString Value(const QString& sql) { return GetSqlFirstValue(kDatabaseName, sql); }
    // The rows left in the three tables, as "year/account" texts.
    QString Left() {
        return Value("SELECT group_concat(k, ' ') FROM (SELECT 'R' || substr(MONEY_DATE, 1, 4) || "
                     "MONEY_ACCOUNT_ID AS k FROM KX_INTO_OUT_MONEY_TABLE UNION ALL SELECT 'D' || "
                     "substr(MONEY_DAY_DATE, 1, 4) || MONEY_ACCOUNT_ID FROM KX_MONEY_DAY_TABLE "
                     "UNION ALL SELECT 'M' || substr(MONEY_MONTH, 1, 4) || MONEY_ACCOUNT_ID FROM "
                     "KX_MONEY_MONTH_TABLE ORDER BY 1)");
    }
    static QString AllRows() {
        return "D2006A D2006O'1 D2007A D2007O'1 D2008A D2008O'1 M2006A M2006O'1 M2007A M2007O'1 "
               "M2008A M2008O'1 R2006A R2006O'1 R2007A R2007O'1 R2008A R2008O'1";
    }
    void ForceDayLedgerFailure() {
        Exec("CREATE TRIGGER KEEP_DAYS BEFORE DELETE ON KX_MONEY_DAY_TABLE "
             "BEGIN SELECT RAISE(ABORT, 'forced'); END");
    }
    bool Run(const QStringList& statements) {
        return RunDeletion(
            *DM->MainDatabase, statements,
            [](const QString& sql) { return ExecSqlText(kDatabaseName, sql); },
            [this] {
                packedInTransaction_ = DM->MainDatabase->InTransaction();
                ++packs_;
            });
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    int packs_ = 0;
    bool packedInTransaction_ = false;
};

TEST_F(DeletionDataTest, TheYearGoesFromRecordsAndBothLedgersAndTheOtherYearsStay) {
    EXPECT_TRUE(Run(DeletionStatements(TDeleteOption::Year, "2007")));
    EXPECT_EQ(Left(), "D2006A D2006O'1 D2008A D2008O'1 M2006A M2006O'1 M2008A M2008O'1 "
                      "R2006A R2006O'1 R2008A R2008O'1");
    EXPECT_EQ(packs_, 1);
    EXPECT_FALSE(packedInTransaction_) << "packing waits for the commit";
}

TEST_F(DeletionDataTest, TheAccountGoesFromRecordsAndLedgersButKeepsItsOwnRow) {
    EXPECT_TRUE(Run(DeletionStatements(TDeleteOption::Account, "O'1")));
    EXPECT_EQ(Left(), "D2006A D2007A D2008A M2006A M2007A M2008A R2006A R2007A R2008A");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_MONEY_ACCOUNT_TABLE"), "2");
}

TEST_F(DeletionDataTest, AFailureMidChoiceLeavesEveryRowAndPacksNothing) {
    ForceDayLedgerFailure();
    EXPECT_FALSE(Run(DeletionStatements(TDeleteOption::Year, "2007")));
    EXPECT_EQ(Left(), AllRows());
    EXPECT_EQ(packs_, 0);
    EXPECT_FALSE(DM->MainDatabase->InTransaction());

    EXPECT_FALSE(Run(DeletionStatements(TDeleteOption::AllData)));
    EXPECT_EQ(Left(), AllRows());
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_EMPLOYEE_TABLE"), "1");
}

TEST_F(DeletionDataTest, APackingFailureIsReportedAndTheCommittedRowsStayDeleted) {
    const bool deleted = RunDeletion(
        *DM->MainDatabase, DeletionStatements(TDeleteOption::Employees),
        [](const QString& sql) { return ExecSqlText(kDatabaseName, sql); },
        [] { throw std::runtime_error("table held open"); });
    EXPECT_FALSE(deleted);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_EMPLOYEE_TABLE"), "0");
    EXPECT_EQ(Left(), AllRows());
}

// The window, opened by the main window's "过时数据删除" command.
class DeleteDataFormTest : public DeletionDataTest {
protected:
    DeleteDataFormTest() {
        StartGridUnit();
        AppUserId = "U01";
        TWindowRegistry::Register(TDeleteDataForm::kFormName, [](QWidget* owner) {
            return TKXFormEvents::Create<TDeleteDataForm>(owner);
        });
    }
    ~DeleteDataFormTest() override {
        if (window_)
            window_->close();
        main_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TWindowRegistry::Unregister(TDeleteDataForm::kFormName);
        EndGridUnit();
    }
    void Grant(const QString& add) {
        Exec(QStringLiteral("INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, "
                            "ADD_RIGHT, BROWSE_RIGHT) VALUES ('U01', 3, 2, %1, '是')")
                 .arg(QuotedStr(add)));
    }
    TDeleteDataForm* Open() {
        main_ = std::make_unique<TMainForm>();
        main_->MenuItem("N6")->trigger();
        QCoreApplication::sendPostedEvents();
        window_ = qobject_cast<TDeleteDataForm*>(FindWorkingWindow("DeleteDataForm"));
        return window_;
    }
    // Acts on the modal dialog the next click opens.
    template <class Dialog, class Action> static void OnModal(Action action) {
        QTimer::singleShot(0, [action] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            action(dialog);
        });
    }
    void Choose(int item) {
        window_->RadioGroup1->SetItemIndex(item);
        window_->SureButton->click();
    }

    std::unique_ptr<TMainForm> main_;
    QPointer<TDeleteDataForm> window_;
};

TEST_F(DeleteDataFormTest, YearDialogRefusesAShortYearThenDeletesThatYear) {
    Grant("是");
    ASSERT_NE(Open(), nullptr);
    EXPECT_TRUE(main_->KXMain->ExclusiveWindowOpen);
    EXPECT_TRUE(window_->RadioGroup1->isEnabled());
    window_->SureButton->click();
    EXPECT_EQ(messages_.Texts(), QStringList{"必须选择一个删除选项"});

    messages_.Clear();
    OnModal<TYearForm>([](TYearForm* years) {
        years->YearEdit->setText("07");
        years->SureButton->click();
        EXPECT_TRUE(years->isVisible()) << "a short year keeps the dialog open";
        years->YearEdit->setText("2007");
        years->SureButton->click();
    });
    Choose(0);
    EXPECT_EQ(messages_.Texts(),
              QStringList({"错误的年份,正确的年份如2000年是:\"2000\"", "数据成功删除"}));
    EXPECT_EQ(Left(), "D2006A D2006O'1 D2008A D2008O'1 M2006A M2006O'1 M2008A M2008O'1 "
                      "R2006A R2006O'1 R2008A R2008O'1");
    EXPECT_FALSE(window_->KXThread->Active);

    messages_.Clear();
    OnModal<TYearForm>([](TYearForm* years) { years->CloseButton->click(); });
    Choose(0);
    EXPECT_TRUE(messages_.Texts().isEmpty()) << "cancelling the year deletes nothing";
}

TEST_F(DeleteDataFormTest, AccountChosenInThePickerLosesItsRecordsAndLedgers) {
    Grant("是");
    ASSERT_NE(Open(), nullptr);
    OnModal<TSelectForm>([](TSelectForm* picker) {
        EXPECT_FALSE(picker->Query_Select->Fields()[0]->Visible());
        EXPECT_EQ(picker->Query_Select->Fields()[1]->DisplayLabel(), "资金账号");
        ASSERT_TRUE(picker->Query_Select->Locate("MONEY_ACCOUNT_ID", "O'1"));
        picker->SureButton->click();
    });
    Choose(1);
    EXPECT_EQ(messages_.Texts(), QStringList{"数据成功删除"});
    EXPECT_EQ(Left(), "D2006A D2007A D2008A M2006A M2007A M2008A R2006A R2007A R2008A");
}

TEST_F(DeleteDataFormTest, AFailureMidChoiceShowsTheErrorAndLeavesAllRows) {
    Grant("是");
    ForceDayLedgerFailure();
    ASSERT_NE(Open(), nullptr);
    messages_.answer = true;
    Choose(3);
    EXPECT_EQ(messages_.Texts(), QStringList({"是否删除全部数据库资料 ?", "数据删除过程发生错误"}));
    EXPECT_EQ(messages_.Requests().last().icon, ui::MessageIcon::Error);
    EXPECT_EQ(Left(), AllRows());
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_EMPLOYEE_TABLE"), "1");
}

TEST_F(DeleteDataFormTest, NoToTheQuestionDeletesNothingAndWithoutTheAddRightNothingIsChosen) {
    Grant("否");
    ASSERT_NE(Open(), nullptr);
    EXPECT_FALSE(window_->RadioGroup1->isEnabled());
    messages_.answer = false;
    Choose(2);
    EXPECT_EQ(messages_.Texts(), QStringList{"是否删除全部员工资料 ?"});
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_EMPLOYEE_TABLE"), "1");
}

TEST_F(DeleteDataFormTest, CaptionsFit) {
    Grant("是");
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(window_->width(), 368);
    EXPECT_GE(window_->height(), 201) << "taller where the choices need it";
    EXPECT_EQ(test::ClippedTexts(*window_), QStringList());
    EXPECT_TRUE(test::SaveWindowPicture(*window_, "deletedataform"));
    TYearForm years(window_);
    years.show();
    EXPECT_EQ(test::ClippedTexts(years), QStringList());
    EXPECT_TRUE(test::SaveWindowPicture(years, "yearform"));
}

} // namespace
} // namespace kx
