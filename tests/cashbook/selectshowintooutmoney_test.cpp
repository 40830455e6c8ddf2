// The record drill-down windows as the ledger window opens them on a day or
// month row: exactly the verified records of the row's account and period,
// the label, the columns from the slots, and the moves through the caller's
// list with their messages. The tests play the caller.

#include "cashbook/cashbooktables.h"
#include "cashbook/drilldownrecords.h"
#include "cashbook/selectshowintooutmoneyaccountform.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxquery.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/columnx.h"
#include "platform/db/query.h"
#include "tests/cashbook/cashbookrecords.h"
#include "tests/support/clippedtexts.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace kx::cashbook {
namespace {

TEST(DrillDownConditionTest, ConditionsAndLabels) {
    EXPECT_EQ(LedgerDayCondition("001", QDate(2008, 9, 3)),
              "MONEY_ACCOUNT_ID = '001' AND STATUS = '已审核' AND MONEY_DATE = '09/03/2008'");
    EXPECT_EQ(LedgerMonthCondition("0'1", QDate(2008, 8, 26), QDate(2008, 9, 25)),
              "MONEY_ACCOUNT_ID = '0''1' AND STATUS = '已审核' AND MONEY_DATE >= '08/26/2008' "
              "AND MONEY_DATE <= '09/25/2008'");
    EXPECT_EQ(SubjectRecordsCondition("001002", "(STATUS = '已审核')"),
              " SUBSTRING(MONEY_TYPE_ID FROM 1  FOR  6) = '001002' AND (STATUS = '已审核')");
    EXPECT_EQ(SubjectRecordsCondition("001", {}),
              " SUBSTRING(MONEY_TYPE_ID FROM 1  FOR  3) = '001'");
    EXPECT_EQ(LedgerDayLabel("现金", "2008-09-03"), "现金  2008-09-03");
    EXPECT_EQ(LedgerMonthLabel("现金", "2008-09-01", "2008-09-30"),
              "现金  2008-09-01<--->2008-09-30");
    EXPECT_EQ(SubjectRecordsLabel("查找条件：全部", "销售"),
              "查找条件：全部 并且 资金借贷科目 等于 销售");
}

class DrillDownFormTest : public ::testing::Test, protected test::CashBookRecords {
protected:
    DrillDownFormTest() {
        SeedDefaultFieldSlots(TSlotCaptions::List);
        slots_->SetDatabaseName(kDatabaseName);
        slots_->SQL().SetText("SELECT  *  FROM  SYS_MONEY_FIELD_TABLE  ORDER BY FIELD_ORDER");
        slots_->Open();
        subjects_->SetDatabaseName(kDatabaseName);
        subjects_->SQL().SetText(
            "SELECT MONEY_TYPE_ID,MONEY_TYPE_NAME FROM KX_MONEY_INTO_OUT_TYPE_TABLE");
        subjects_->Open();
        AddVerified("B2", "001001", "001", "2008-09-03", "20", "0");
        AddVerified("B1", "002", "001", "2008-09-03", "0", "5.5");
        AddRecord("U1", "001", "001", "2008-09-03", "99", "0");  // not verified
        AddVerified("C1", "001", "002", "2008-09-03", "7", "0"); // another account
        AddVerified("D1", "001", "001", "2008-09-01", "1", "0"); // month's first day
        AddVerified("E1", "001", "001", "2008-09-30", "2", "0"); // month's last day
        AddVerified("F1", "001", "001", "2008-10-01", "4", "0"); // next month
    }
    ~DrillDownFormTest() override { test::ResetProgramState(); }

    // The caller's list as the ledger window reads it, on the account.
    std::unique_ptr<db::TQuery> Ledger(bool day) {
        auto list = std::make_unique<db::TQuery>();
        list->SetDatabaseName(kDatabaseName);
        const QString table = day ? KX_MONEY_DAY_TABLE : KX_MONEY_MONTH_TABLE;
        list->SQL().SetText("SELECT DISTINCT B.ORDER_ID,B.MONEY_ACCOUNT_NAME,A.* FROM " + table +
                            " A,KX_MONEY_ACCOUNT_TABLE B WHERE A.MONEY_ACCOUNT_ID = "
                            "B.MONEY_ACCOUNT_ID AND (A.MONEY_ACCOUNT_ID = '001') ORDER BY " +
                            (day ? "A.MONEY_DAY_DATE" : "A.MONEY_MONTH") + ",B.ORDER_ID");
        list->Open();
        return list;
    }
    std::unique_ptr<TSelectShowIntoOutMoneyAccountForm> Show(db::TDataSet* master, bool day) {
        std::unique_ptr<TSelectShowIntoOutMoneyAccountForm> form(
            TKXFormEvents::Create<TSelectShowIntoOutMoneyAccountForm>(nullptr));
        form->MasterList = master;
        form->IsDayLedger = day;
        form->FieldQuery = slots_.get();
        form->SubjectLookup = subjects_.get();
        form->show();
        QCoreApplication::processEvents();
        return form;
    }
    // "MONEY_ID subject account balance" per shown record.
    static QStringList Shown(TSelectShowIntoOutMoneyAccountForm& form) {
        QStringList rows;
        TKXQuery* records = form.Query;
        if (!records->Active())
            return rows;
        for (records->First(); !records->Eof(); records->Next())
            rows << QStringLiteral("%1 %2 %3 %4")
                        .arg(records->FieldByName("MONEY_ID")->AsString(),
                             records->FieldByName("MONEY_TYPE_NAME")->AsString(),
                             records->FieldByName("MONEY_ACCOUNT_NAME")->AsString())
                        .arg(records->FieldByName("MONEY_SUM_NUMBER")->AsFloat());
        return rows;
    }

    std::unique_ptr<db::TQuery> slots_ = std::make_unique<db::TQuery>();
    std::unique_ptr<db::TQuery> subjects_ = std::make_unique<db::TQuery>();
};

TEST_F(DrillDownFormTest, DayRowShowsTheVerifiedRecordsOfItsAccountAndDay) {
    const auto days = Ledger(true);
    ASSERT_EQ(days->RecordCount(), 4);
    days->SetRecNo(2); // 2008-09-03
    const auto form = Show(days.get(), true);
    EXPECT_EQ(form->windowTitle(), "单位收支明细记录窗口");
    EXPECT_EQ(form->size(), QSize(900, 520));
    EXPECT_EQ(form->Label24->text(), "现金  2008-09-03");
    EXPECT_EQ(Shown(*form), QStringList({"B1 支出 现金 -5.5", "B2 销售 现金 20"}));
    QStringList titles;
    TColumnsXList* columns = form->DBGrid->VisibleColumns();
    for (int i = 0; i < columns->Count(); ++i)
        titles << columns->GetColumn(i)->Title()->Caption();
    EXPECT_EQ(titles,
              QStringList({"状态", "记录编号", "账款类别", "借贷日期", "摘要", "资金账号",
                           "借入金额", "贷出金额", "资金余额", "经办人员", "备注", "审核人员",
                           "审核日期", "修改人员", "修改日期", "建档人员", "建档日期"}));
    QStringList footers;
    for (int i = 0; i < columns->Count(); ++i)
        footers << form->DBGrid->GetFooterText(0, columns->GetColumn(i));
    EXPECT_EQ(footers.mid(0, 9), QStringList({"合计", "2", "", "", "", "", "20", "5.5", "14.5"}));
    for (QPushButton* hidden : {form->button_add, form->button_edit, form->button_delete,
                                form->button_save, form->button_find, form->button_Ok})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_TRUE(form->Button_Print->isVisible());
    EXPECT_EQ(form->DBGrid->EvenRowColor(), ui::TColor(0xE0FC98)) << "light green rows";
    EXPECT_EQ(test::ClippedTexts(*form), QStringList());
    const QString folder = QDir::temp().filePath(QStringLiteral("kx-screens"));
    QDir().mkpath(folder);
    EXPECT_TRUE(form->grab().save(folder + "/ledgerdrilldown.png"));
    EXPECT_TRUE(Messages.Texts().isEmpty()) << Messages.Texts().join('|').toStdString();
}

TEST_F(DrillDownFormTest, MonthRowIncludesBothEndsInDateOrder) {
    const auto months = Ledger(false);
    ASSERT_EQ(months->RecordCount(), 2);
    months->First(); // 2008年09月
    const auto form = Show(months.get(), false);
    EXPECT_EQ(form->Label24->text(), "现金  2008-09-01<--->2008-09-30");
    EXPECT_EQ(Shown(*form), QStringList({"D1 收入 现金 1", "B1 支出 现金 -5.5", "B2 销售 现金 20",
                                         "E1 收入 现金 2"}));
}

TEST_F(DrillDownFormTest, MovesStepTheCallersListAndTellTheEnds) {
    const auto days = Ledger(true);
    days->First();
    const auto form = Show(days.get(), true);
    EXPECT_EQ(Shown(*form), QStringList({"D1 收入 现金 1"}));
    // Before the first row: the same records again, and the message.
    form->button1_prior->click();
    EXPECT_EQ(Shown(*form), QStringList({"D1 收入 现金 1"}));
    EXPECT_EQ(Messages.Texts(), QStringList({"已到第一个纪录"}));
    Messages.Clear();
    form->button1_next->click();
    EXPECT_EQ(form->Label24->text(), "现金  2008-09-03");
    EXPECT_TRUE(Messages.Texts().isEmpty());
    form->button1_last->click();
    EXPECT_EQ(Shown(*form), QStringList({"F1 收入 现金 4"}));
    form->button1_next->click();
    EXPECT_EQ(Messages.Texts(), QStringList({"已到最后一个纪录"}));
    form->button1_first->click();
    EXPECT_EQ(form->Label24->text(), "现金  2008-09-01");
    form->button1_next->click();
    form->close();
    // The caller's list stands on the row last shown.
    EXPECT_EQ(days->FieldByName("MONEY_DAY_DATE")->Text(), "2008-09-03");
}

TEST_F(DrillDownFormTest, EmptyMasterListShowsNothingAndMovesDoNothing) {
    auto days = Ledger(true);
    days->SQL().SetText("SELECT * FROM KX_MONEY_DAY_TABLE WHERE MONEY_ACCOUNT_ID = 'none'");
    days->Open();
    const auto form = Show(days.get(), true);
    EXPECT_FALSE(form->Query->Active());
    for (QPushButton* move :
         {form->button1_first, form->button1_prior, form->button1_next, form->button1_last})
        move->click();
    EXPECT_TRUE(Messages.Texts().isEmpty());
}

} // namespace
} // namespace kx::cashbook
