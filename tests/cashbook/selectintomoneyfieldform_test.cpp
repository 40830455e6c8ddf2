#include "cashbook/cashbooktables.h"
#include "cashbook/selectintomoneyfieldform.h"
#include "core/datamodule.h"
#include "core/sqlfunctions.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxedit.h"
#include "tests/frame/dialogs/pickerfixture.h"

#include <QCheckBox>
#include <QPushButton>

namespace kx {
namespace {

class SelectIntoMoneyFieldFormTest : public test::PickerTest {
protected:
    SelectIntoMoneyFieldFormTest() {
        cashbook::SeedDefaultFieldSlots(cashbook::TSlotCaptions::List);
    }

    void Open(const QString& order, const QString& field, const QString& caption,
              const QString& findType) {
        form_.SlotOrder = order;
        form_.SlotFieldName = field;
        form_.SlotDisplayName = caption;
        form_.SlotFindType = findType;
        ASSERT_TRUE(test::ShowActive(form_));
    }

    static QString Row(const QString& column) {
        return GetSqlFirstValue(kDatabaseName,
                                "SELECT FIELD_ORDER||':'||FIELD_DISPLAY_NAME||':'||"
                                "FIELD_FIND_TYPE||':'||ifnull(FIELD_ORDER_TYPE,'') FROM "
                                "SYS_MONEY_FIELD_TABLE WHERE FIELD_NAME = " +
                                    QuotedStr(column));
    }

    TSelectIntoMoneyFieldForm form_;
};

TEST_F(SelectIntoMoneyFieldFormTest, OpensOnTheSlotAndSavesIt) {
    Open("3", "MONEY_TEXT_FIELD1", "摘要", "DT");
    EXPECT_EQ(form_.KXEdit1->text(), "摘要");
    EXPECT_EQ(form_.KXComboBox1->Text(), "1字符字段");
    EXPECT_EQ(form_.KXComboBox2->Text(), "选择输入");
    EXPECT_TRUE(form_.KXComboBox1->isEnabled());
    EXPECT_TRUE(form_.KXComboBox2->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), form_.KXEdit1);
    EXPECT_EQ(form_.KXComboBox1->count(), 20);

    form_.KXEdit1->setText("用途");
    form_.CheckBox1->setChecked(true);
    form_.Button_ok->click();
    EXPECT_EQ(form_.result(), QDialog::Accepted);
    EXPECT_EQ(form_.SlotDisplayName, "用途");
    EXPECT_EQ(form_.SlotFieldName, "MONEY_TEXT_FIELD1");
    EXPECT_EQ(form_.SlotFindType, "DT");
    EXPECT_EQ(Row("MONEY_TEXT_FIELD1"), "3:用途:DT:是");
    EXPECT_TRUE(messages_.texts.isEmpty());
}

TEST_F(SelectIntoMoneyFieldFormTest, TypingAKindSetsOrFreesTheInputMode) {
    Open("9", "", "", "");
    EXPECT_TRUE(form_.KXComboBox1->Text().isEmpty());
    EXPECT_EQ(form_.KXComboBox2->Text(), "直接输入");
    test::FocusOn(form_.KXComboBox1);
    test::TypeText(form_.KXComboBox1, "日期字");
    EXPECT_EQ(form_.KXComboBox2->Text(), "直接输入");
    EXPECT_TRUE(form_.KXComboBox2->isEnabled());
    test::TypeText(form_.KXComboBox1, "段");
    EXPECT_EQ(form_.KXComboBox1->Text(), "日期字段");
    EXPECT_EQ(form_.KXComboBox2->Text(), "选择输入");
    EXPECT_FALSE(form_.KXComboBox2->isEnabled());
    form_.KXComboBox1->setCurrentText("人员字段");
    EXPECT_FALSE(form_.KXComboBox2->isEnabled());
    form_.KXComboBox1->setCurrentIndex(form_.KXComboBox1->findText("2数据字段"));
    EXPECT_EQ(form_.KXComboBox2->Text(), "直接输入");
    EXPECT_FALSE(form_.KXComboBox2->isEnabled());
    form_.KXComboBox1->setCurrentIndex(form_.KXComboBox1->findText("4字符字段"));
    EXPECT_EQ(form_.KXComboBox2->Text(), "直接输入");
    EXPECT_TRUE(form_.KXComboBox2->isEnabled());
}

// Slot 2 without a row is offered as the record date typed in; the date
// is still written as a date.
TEST_F(SelectIntoMoneyFieldFormTest, SlotTwoWithoutARowKeepsItsModeAndWritesADate) {
    ExecSqlText(kDatabaseName, "DELETE FROM SYS_MONEY_FIELD_TABLE WHERE FIELD_NAME = 'MONEY_DATE'");
    Open("2", "MONEY_DATE", "帐款日期", "T");
    EXPECT_EQ(form_.KXComboBox1->Text(), "借贷日期字段");
    EXPECT_EQ(form_.KXComboBox2->Text(), "直接输入");
    EXPECT_FALSE(form_.KXComboBox2->isEnabled());
    form_.Button_ok->click();
    EXPECT_EQ(form_.result(), QDialog::Accepted);
    EXPECT_EQ(form_.SlotFindType, "D");
    EXPECT_EQ(Row("MONEY_DATE"), "2:帐款日期:D:否");
}

TEST_F(SelectIntoMoneyFieldFormTest, AKeySlotKeepsItsKindAndCaption) {
    Open("1", "MONEY_ID", "记录编号", "T");
    EXPECT_FALSE(form_.KXComboBox1->isEnabled());
    EXPECT_FALSE(form_.KXComboBox2->isEnabled());
    form_.KXEdit1->clear();
    test::FocusOn(form_.KXComboBox2);
    form_.Button_ok->click();
    EXPECT_EQ(messages_.texts, QStringList{"该字段是关键字段,必须输入字段名称"});
    EXPECT_TRUE(form_.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), form_.KXEdit1);
    EXPECT_EQ(Row("MONEY_ID"), "1:记录编号:T:");
}

TEST_F(SelectIntoMoneyFieldFormTest, ARefusalKeepsTheDialogOpenWithTheFocusOnTheCulprit) {
    Open("3", "MONEY_TEXT_FIELD1", "摘要", "DT");
    form_.KXEdit1->setText("经办人员");
    form_.Button_ok->click();
    EXPECT_EQ(messages_.texts, QStringList{"字段名称重复"});
    EXPECT_TRUE(form_.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), form_.KXEdit1);

    messages_.texts.clear();
    form_.KXEdit1->setText("编号");
    form_.KXComboBox1->setCurrentText("编号字段");
    form_.Button_ok->click();
    EXPECT_EQ(messages_.texts, QStringList{"第一个字段才能是\"编号字段\""});
    EXPECT_TRUE(form_.KXComboBox1->hasFocus());
    EXPECT_EQ(Row("MONEY_TEXT_FIELD1"), "3:摘要:DT:");
}

TEST_F(SelectIntoMoneyFieldFormTest, EscConfirmsAndCloseWritesNothing) {
    Open("4", "", "", "");
    form_.KXEdit1->setText("项目");
    form_.KXComboBox1->setCurrentText("5字符字段");
    form_.Button_Close->click();
    EXPECT_EQ(form_.result(), QDialog::Rejected);
    EXPECT_TRUE(Row("MONEY_TEXT_FIELD5").isEmpty());

    ASSERT_TRUE(test::ShowActive(form_));
    form_.KXEdit1->setText("项目");
    form_.KXComboBox1->setCurrentText("5字符字段");
    test::PressKey(&form_, Qt::Key_Escape);
    EXPECT_EQ(form_.result(), QDialog::Accepted);
    EXPECT_EQ(Row("MONEY_TEXT_FIELD5"), "4:项目:T:否");
}

TEST_F(SelectIntoMoneyFieldFormTest, TheCaptionTakesSixChineseCharacters) {
    Open("4", "", "", "");
    test::FocusOn(form_.KXEdit1);
    form_.KXEdit1->selectAll();
    test::TypeText(form_.KXEdit1, "一二三四五六七");
    EXPECT_EQ(form_.KXEdit1->text(), "一二三四五六");
}

TEST_F(SelectIntoMoneyFieldFormTest, EveryCaptionFits) {
    Open("5", "MONEY_ACCOUNT_NAME", "资金账号", "DT");
    EXPECT_TRUE(test::SaveShot(form_, "selectintomoneyfieldform"));
    EXPECT_EQ(test::ClippedTexts(form_), QStringList());
}

} // namespace
} // namespace kx
