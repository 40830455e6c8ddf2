#include "cashbook/recordcolumns.h"
#include "cashbook/selectmoneyaccountrootform.h"
#include "cashbook/selectmoneytypeform.h"
#include "cashbook/setstatusform.h"
#include "cashbook/statuschoice.h"
#include "cashbook/subjecttreesql.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxtreeview.h"
#include "tests/frame/dialogs/pickerfixture.h"

#include <QPushButton>

namespace kx {
namespace {

using test::OnNextModal;

TEST(StatusChoice, PreselectsTheOtherStatus) {
    const QStringList items = {"未审核", "已审核"};
    EXPECT_EQ(PreselectedStatusIndex(items, "未审核"), 1);
    EXPECT_EQ(PreselectedStatusIndex(items, "已审核"), 0);
    EXPECT_EQ(PreselectedStatusIndex(items, ""), -1);
    EXPECT_EQ(PreselectedStatusIndex(items, "作废"), -1);
    EXPECT_EQ(PreselectedStatusIndex({"未审核"}, "未审核"), -1);
}

TEST(SubjectTreeSql, StatementsByLevel) {
    const QString head = "SELECT MONEY_TYPE_ID,MONEY_TYPE_NAME,ORDER_ID FROM "
                         "KX_MONEY_INTO_OUT_TYPE_TABLE WHERE PRIOR_ID = ";
    EXPECT_EQ(ComposeNodeSql(SubjectChildrenSql(0), "G001"), head + "'G001'  ORDER BY ORDER_ID");
    for (int level : {1, 3, 4})
        EXPECT_EQ(ComposeNodeSql(SubjectChildrenSql(level), "001002"),
                  head + "'001002'  ORDER BY ORDER_ID");
    EXPECT_EQ(ComposeNodeSql(SubjectCountSql(2), "001002"),
              "SELECT Count(MONEY_TYPE_ID) FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE PRIOR_ID = "
              "'001002' ");
    EXPECT_TRUE(SubjectCountSql(4).HeadSql.isEmpty());
}

// The slot rows come from the table in slot order, numbers as text.
class FieldSlotTableTest : public test::PickerTest {};

TEST_F(FieldSlotTableTest, ReadsEverySlotRowInOrder) {
    Exec({"INSERT INTO SYS_MONEY_FIELD_TABLE VALUES ('MONEY_TEXT_NOTE', '备注', 'String', 160, "
          "80, 'T', '', 21)",
          "INSERT INTO SYS_MONEY_FIELD_TABLE VALUES ('MONEY_DATE', '借贷日期', 'Date', 17, 17, "
          "'D', '是', 2)"});
    std::unique_ptr<db::TQuery> query(
        NewQuery("SELECT  *  FROM  SYS_MONEY_FIELD_TABLE  ORDER BY FIELD_ORDER", nullptr));
    query->Open();
    const TMoneyFieldSlots rows = ReadFieldSlots(*query);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].FieldName, "MONEY_DATE");
    EXPECT_EQ(rows[0].DisplayName, "借贷日期");
    EXPECT_EQ(rows[0].FieldType, "Date");
    EXPECT_EQ(rows[0].FindType, "D");
    EXPECT_EQ(rows[0].OrderType, "是");
    EXPECT_EQ(rows[0].FieldWidth, "17");
    EXPECT_EQ(rows[0].DisplayWidth, "17");
    EXPECT_EQ(rows[0].Order, "2");
    EXPECT_EQ(rows[1].Order, "21");
    EXPECT_EQ(rows[1].DisplayWidth, "80");
}

class StatusDialogTest : public test::PickerTest {
protected:
    void SetUp() override { form_.KXComboBox1->addItems({"未审核", "已审核"}); }
    // Shows the dialog modally, lets the action work on it and gives the
    // result.
    int Run(std::function<void()> action) {
        OnNextModal([&](QWidget*) { action(); });
        return ui::ExecModal(form_);
    }
    TSetStatusForm form_;
};

TEST_F(StatusDialogTest, EscapeConfirmsTheOtherStatus) {
    for (const auto& [current, chosen] :
         {std::pair<QString, QString>{"未审核", "已审核"}, {"已审核", "未审核"}}) {
        form_.CurrentStatus = current;
        QString shown;
        const int result = Run([&] {
            shown = form_.KXComboBox1->Text();
            EXPECT_EQ(QApplication::focusWidget(), form_.KXComboBox1);
            EXPECT_TRUE(test::ClippedTexts(form_).isEmpty())
                << test::ClippedTexts(form_).join("\n").toStdString();
            EXPECT_TRUE(test::SaveShot(form_, "setstatusform"));
            QTest::keyClick(form_.KXComboBox1, Qt::Key_Escape);
        });
        EXPECT_EQ(result, QDialog::Accepted);
        EXPECT_EQ(shown, chosen);
        EXPECT_EQ(form_.KXComboBox1->Text(), chosen);
    }
    EXPECT_TRUE(messages_.texts.isEmpty());
}

TEST_F(StatusDialogTest, NoChoiceIsRefusedAndCloseCancels) {
    const int result = Run([&] {
        EXPECT_EQ(form_.KXComboBox1->currentIndex(), -1);
        form_.Button_ok->click();
        EXPECT_TRUE(form_.isVisible());
        EXPECT_EQ(messages_.texts, QStringList({"必须选择状态"}));
        form_.Button_Close->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
}

class AccountPickerTest : public test::PickerTest {
protected:
    void AddAccount(const QString& id, const QString& name, int order) {
        Exec({QString("INSERT INTO KX_MONEY_ACCOUNT_TABLE (MONEY_ACCOUNT_ID, PRIOR_ID, "
                      "MONEY_ACCOUNT_NAME, ORDER_ID) VALUES ('%1', 'G001', '%2', %3)")
                  .arg(id, name)
                  .arg(order)});
    }
    static QStringList Names(const TKXTreeView* tree) {
        QStringList names;
        for (int row = 0; row < tree->topLevelItemCount(); ++row)
            names << tree->topLevelItem(row)->text(0);
        return names;
    }
};

TEST_F(AccountPickerTest, AccountsInOrderFirstSelectedEscapeChooses) {
    AddAccount("001", "现金", 3);
    AddAccount("002", "工商银行", 1);
    AddAccount("003", "建设银行", 2);
    TSelectMoneyAccountRootForm form;
    EXPECT_EQ(Names(form.KXTreeView), QStringList({"工商银行", "建设银行", "现金"}));
    EXPECT_EQ(form.KXTreeView->topLevelItem(0)->childCount(), 0);
    OnNextModal([&](QWidget*) {
        EXPECT_EQ(form.KXTreeView->currentItem(), form.KXTreeView->topLevelItem(0));
        EXPECT_TRUE(test::ClippedTexts(form).isEmpty());
        EXPECT_TRUE(test::SaveShot(form, "selectmoneyaccountrootform"));
        QTest::keyClick(form.KXTreeView, Qt::Key_Escape);
    });
    EXPECT_EQ(ui::ExecModal(form), QDialog::Accepted);
    EXPECT_EQ(form.SelectedID, "002");
    EXPECT_EQ(form.SelectedName, "工商银行");

    // A double click chooses like "确定"; the choice stays for the next use.
    OnNextModal([&](QWidget*) {
        QTreeWidgetItem* third = form.KXTreeView->topLevelItem(2);
        form.KXTreeView->setCurrentItem(third);
        emit form.KXTreeView->itemDoubleClicked(third, 0);
    });
    EXPECT_EQ(ui::ExecModal(form), QDialog::Accepted);
    EXPECT_EQ(form.SelectedID, "001");
    EXPECT_EQ(form.SelectedName, "现金");
    EXPECT_EQ(form.KXTreeView->currentItem(), form.KXTreeView->topLevelItem(2));
}

// With no account to choose, "确定" explains and the close box leaves.
TEST_F(AccountPickerTest, EmptyTableCanBeLeft) {
    TSelectMoneyAccountRootForm form;
    OnNextModal([&](QWidget*) {
        form.Button_ok->click();
        EXPECT_EQ(messages_.texts, QStringList({"必须选择一个资金账号节点"}));
        EXPECT_TRUE(form.isVisible());
        form.close();
    });
    EXPECT_EQ(ui::ExecModal(form), QDialog::Rejected);
    EXPECT_TRUE(form.SelectedID.isEmpty());
}

class SubjectPickerTest : public test::PickerTest {
protected:
    void SetUp() override {
        const QStringList subjects[] = {{"001", "G001", "收入", "1"},
                                        {"002", "G001", "支出", "2"},
                                        {"001001", "001", "销售收入", "1"}};
        for (const QStringList& s : subjects)
            Exec({QString("INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE (MONEY_TYPE_ID, PRIOR_ID, "
                          "MONEY_TYPE_NAME, ORDER_ID) VALUES ('%1', '%2', '%3', %4)")
                      .arg(s[0], s[1], s[2], s[3])});
    }
};

TEST_F(SubjectPickerTest, RootFirstThenTheChoiceStays) {
    TSelectMoneyTypeForm form;
    EXPECT_EQ(form.SelectedID, "G001");
    EXPECT_EQ(form.SelectedName, "帐款类别");
    OnNextModal([&](QWidget*) {
        TTreeNode* root = form.KXTreeView->topLevelItem(0);
        EXPECT_EQ(form.KXTreeView->currentItem(), root);
        EXPECT_EQ(root->text(0), "帐款类别");
        ASSERT_EQ(root->childCount(), 2);
        EXPECT_EQ(root->child(0)->text(0), "收入");
        EXPECT_TRUE(test::ClippedTexts(form).isEmpty());
        EXPECT_TRUE(test::SaveShot(form, "selectmoneytypeform"));
        form.Button_ok->click();
    });
    EXPECT_EQ(ui::ExecModal(form), QDialog::Accepted);
    EXPECT_EQ(form.SelectedID, "G001");

    OnNextModal([&](QWidget*) {
        TTreeNode* income = form.KXTreeView->topLevelItem(0)->child(0);
        income->setExpanded(true);
        ASSERT_EQ(income->childCount(), 1);
        form.KXTreeView->setCurrentItem(income->child(0));
        QTest::keyClick(form.KXTreeView, Qt::Key_Escape);
    });
    EXPECT_EQ(ui::ExecModal(form), QDialog::Accepted);
    EXPECT_EQ(form.SelectedID, "001001");
    EXPECT_EQ(form.SelectedName, "销售收入");

    // A later show keeps the tree; "关闭" cancels and keeps the results.
    OnNextModal([&](QWidget*) {
        EXPECT_EQ(form.KXTreeView->GetNodeID(form.KXTreeView->currentItem()), "001001");
        form.KXTreeView->setCurrentItem(form.KXTreeView->topLevelItem(0)->child(1));
        form.Button_Close->click();
    });
    EXPECT_EQ(ui::ExecModal(form), QDialog::Rejected);
    EXPECT_EQ(form.SelectedID, "002");
}

} // namespace
} // namespace kx
