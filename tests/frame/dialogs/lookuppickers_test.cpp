#include "frame/dialogs/lookuppickers.h"

#include "core/sqlfunctions.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/dialogs/selectform.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/columnx.h"
#include "tests/frame/dialogs/pickerfixture.h"

namespace kx {
namespace {

class LookupPickerTest : public test::PickerTest {
protected:
    void AddValue(int n, const QString& value) {
        Exec({QString("INSERT INTO KX_MONEY_TEXT_FIELD%1_TABLE (MONEY_TEXT_FIELD%1) VALUES (%2)")
                  .arg(n)
                  .arg(QuotedStr(value))});
    }
};

TEST_F(LookupPickerTest, PicksAValueContainingTheUntrimmedText) {
    for (const QString value : {"办公用品", "办公 设备", "O'Brien 办公", "差旅费"})
        AddValue(3, value);
    const struct {
        QString typed;
        QStringList listed;
        QString picked;
    } cases[] = {{"办公", {"O'Brien 办公", "办公 设备", "办公用品"}, "O'Brien 办公"},
                 {"办公 ", {"办公 设备"}, "办公 设备"},
                 {"'B", {"O'Brien 办公"}, "O'Brien 办公"}};
    for (const auto& c : cases) {
        QString text = c.typed;
        QString code = "1";
        auto rows = std::make_shared<QStringList>();
        test::OnNextModal([rows](QWidget* window) {
            auto* form = qobject_cast<TSelectForm*>(window);
            ASSERT_TRUE(form);
            EXPECT_EQ(form->DBGrid->Columns()->GetColumn(0)->Title()->Caption(), "用途");
            for (form->Query_Select->First(); !form->Query_Select->Eof();
                 form->Query_Select->Next())
                *rows << form->Query_Select->Fields()[0]->AsString();
            form->Query_Select->First();
            test::PressKey(form, Qt::Key_F3);
        });
        PickMoneyTextValue3(text, code, "用途");
        EXPECT_EQ(*rows, c.listed) << c.typed.toStdString();
        EXPECT_EQ(text, c.picked);
        EXPECT_EQ(code, "0");
    }
    EXPECT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join('|').toStdString();
}

TEST_F(LookupPickerTest, NothingFoundOrCancelledLeavesTextAndCode) {
    AddValue(1, "办公用品");
    const struct {
        QString typed;
        bool shown;
    } cases[] = {{"x' OR '1'='1", false}, {"没有", false}, {"办公", true}};
    for (const auto& c : cases) {
        messages_.texts.clear();
        QString text = c.typed;
        QString code = "1";
        bool shown = false;
        if (c.shown)
            test::OnNextModal([&shown](QWidget* window) {
                shown = true;
                test::PressKey(window, Qt::Key_F12);
            });
        PickMoneyTextValue1(text, code, "摘要");
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(messages_.texts,
                  c.shown ? QStringList() : QStringList({"不能找到符合查找条件的摘要"}));
        EXPECT_EQ(text, c.typed);
        EXPECT_EQ(code, "1");
    }
}

TEST_F(LookupPickerTest, EmployeePickersReadTheirOwnList) {
    Exec({"INSERT INTO KX_EMPLOYEE_TEXT_FIELD12_TABLE (EMPLOYEE_TEXT_FIELD12) VALUES ('高级')"});
    QString text = "高", code;
    test::OnNextModal([](QWidget* window) { test::PressKey(window, Qt::Key_Return); });
    PickEmployeeTextValue12(text, code, "职称");
    EXPECT_EQ(text, "高级");
    EXPECT_EQ(code, "0");
}

TEST_F(LookupPickerTest, SelectMoneyAccountAnswersFalseOnlyOnOk) {
    QString name = "unchanged", id = "unchanged";
    EXPECT_TRUE(SelectMoneyAccount(name, id));
    EXPECT_EQ(messages_.texts, QStringList({"资金账号数据库中找不到符合查找条件的资金账号资料"}));
    EXPECT_EQ(name, "unchanged");

    Exec({"INSERT INTO KX_MONEY_ACCOUNT_TABLE (MONEY_ACCOUNT_ID, MONEY_ACCOUNT_NAME, ORDER_ID) "
          "VALUES ('02', '工商银行', 2)",
          "INSERT INTO KX_MONEY_ACCOUNT_TABLE (MONEY_ACCOUNT_ID, MONEY_ACCOUNT_NAME, ORDER_ID) "
          "VALUES ('01', '现金', 1)"});
    test::OnNextModal([](QWidget* window) {
        auto* form = qobject_cast<TSelectForm*>(window);
        ASSERT_TRUE(form);
        QStringList titles;
        for (int i = 0; i < form->DBGrid->Columns()->Count(); ++i)
            if (form->DBGrid->Columns()->GetColumn(i)->Visible())
                titles << form->DBGrid->Columns()->GetColumn(i)->Title()->Caption();
        EXPECT_EQ(titles.value(0), "资金账号") << "the account id is hidden";
        form->Query_Select->Next();
        test::PressKey(form, Qt::Key_F3);
    });
    EXPECT_FALSE(SelectMoneyAccount(name, id));
    EXPECT_EQ(name, "工商银行");
    EXPECT_EQ(id, "02");

    test::OnNextModal([](QWidget* window) { test::PressKey(window, Qt::Key_F12); });
    name = id = "unchanged";
    EXPECT_TRUE(SelectMoneyAccount(name, id));
    EXPECT_EQ(name, "unchanged");
}

} // namespace
} // namespace kx
