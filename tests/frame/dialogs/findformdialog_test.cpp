#include "frame/dialogs/findformdialog.h"

#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxcomboedit.h"
#include "frame/controls/kxedit.h"
#include "frame/dialogs/findsimpleformdialog.h"
#include "frame/dialogs/kxfindform.h"
#include "frame/dialogs/kxfindsimpleform.h"
#include "tests/frame/controlsfixture.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace kx {
namespace {

TFieldsData Rule(const QString& name, const QString& label, const QString& kind,
                 const QString& typeCode, const QString& findKey = QString()) {
    TFieldsData field;
    field.FieldName = name;
    field.DisplayLabel = label;
    field.FindKind = kind;
    field.TypeCode = typeCode;
    field.FindKey = findKey;
    return field;
}

// The rules of an in/out record list: text, amount, date and a choice.
TFieldsDataArray RecordRules() {
    return {Rule("MONEY_TEXT", "摘要", "T", "C"), Rule("MONEY_NUMBER", "金额", "T", "N"),
            Rule("MONEY_DATE", "日期", "D", "D"), Rule("MONEY_KIND", "类别", "B", "C", "现金;银行"),
            Rule("NOTE", "备注", "", "C"),        Rule("EDIT_NAME", "", "T", "C")};
}

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

class FindFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog_.SetFieldsData(RecordRules());
        dialog_.FieldSetTag = "GQueryFieldData";
        form_ = dialog_.Form();
        form_->show();
        QApplication::setActiveWindow(form_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_));
    }

    void Choose(const QString& field, const QString& relation) {
        form_->ComboBox1->SetText(field);
        form_->ComboBox2->SetText(relation);
    }

    void Add(const QString& field, const QString& relation, const QString& value) {
        Choose(field, relation);
        form_->TextEdit->setText(value);
        form_->DownButton->click();
    }

    QStringList Lines() const {
        QStringList lines;
        for (int i = 0; i < form_->ListBox1->count(); ++i)
            lines << form_->ListBox1->item(i)->text();
        return lines;
    }

    test::MessageTextRecorder messages_;
    TFindFormDialog dialog_;
    TKXFindForm* form_;
};

TEST_F(FindFormTest, ListsTheFieldsThatTakePartAndTheRelations) {
    EXPECT_EQ(Items(form_->ComboBox1), QStringList({"摘要", "金额", "日期", "类别"}));
    EXPECT_EQ(Items(form_->ComboBox2),
              QStringList({"相似", "等于", "不等于", "小于等于", "大于等于"}));
}

TEST_F(FindFormTest, ConditionsJoinWithTheChosenLogicWord) {
    Add("摘要", "相似", "abc");
    EXPECT_EQ(Lines(), QStringList({" 摘要 相似 abc"}));
    EXPECT_TRUE(form_->SureButton->isEnabled());

    Add("金额", "大于等于", "100");
    EXPECT_EQ(messages_.texts, QStringList({"必须有一个查找逻辑"}));
    EXPECT_EQ(form_->ListBox1->count(), 1);

    form_->AndButton->setChecked(true);
    form_->DownButton->click();
    form_->OrButton->setChecked(true);
    Add("摘要", "等于", "O'Neil");
    EXPECT_EQ(Lines(),
              QStringList({" 摘要 相似 abc", " 并且 金额 大于等于 100", " 或着 摘要 等于 O'Neil"}));
    EXPECT_EQ(dialog_.GetConditionList(),
              QStringList({"MONEY_TEXT Like  '%abc%'", " and MONEY_NUMBER >=  100",
                           " or MONEY_TEXT =  'O''Neil'"}));
    EXPECT_EQ(dialog_.GetConditionText(),
              " 摘要 相似 abc 并且 金额 大于等于 100 或着 摘要 等于 O'Neil");
}

TEST_F(FindFormTest, RemovingTheFirstConditionLeavesTheNextAsFirst) {
    Add("摘要", "相似", "abc");
    form_->AndButton->setChecked(true);
    Add("金额", "等于", "5");
    Add("金额", "小于等于", "9");
    form_->ListBox1->setCurrentRow(0);
    EXPECT_TRUE(form_->ClearButton->isEnabled());
    form_->ClearButton->click();
    EXPECT_EQ(Lines(), QStringList({" 金额 等于 5", " 并且 金额 小于等于 9"}));
    EXPECT_FALSE(form_->ClearButton->isEnabled());
    test::PressKey(form_, Qt::Key_F3);
    EXPECT_EQ(form_->result(), QDialog::Accepted);
    EXPECT_EQ(dialog_.GetConditionList(),
              QStringList({"MONEY_NUMBER =  5", " and MONEY_NUMBER <=  9"}));
}

TEST_F(FindFormTest, F3WithoutConditionsIsRefusedThoughOkIsDisabled) {
    EXPECT_FALSE(form_->SureButton->isEnabled());
    test::PressKey(form_, Qt::Key_F3);
    EXPECT_EQ(messages_.texts, QStringList({"没有查找表达式"}));
    EXPECT_TRUE(form_->isVisible());
}

TEST_F(FindFormTest, AllDataEndsWithOkAndNoConditions) {
    Add("摘要", "相似", "abc");
    form_->AllDataButton->click();
    EXPECT_EQ(form_->result(), QDialog::Accepted);
    EXPECT_TRUE(dialog_.GetAllData());
    EXPECT_TRUE(dialog_.GetConditionList().isEmpty());
}

TEST_F(FindFormTest, ANumberFieldDropsLikeAndTakesOnlyANumber) {
    Choose("金额", "等于");
    EXPECT_FALSE(Items(form_->ComboBox2).contains("相似"));
    EXPECT_EQ(form_->TextEdit->EditType(), etFloat);
    form_->TextEdit->setText("12-3");
    form_->DownButton->click();
    EXPECT_EQ(messages_.texts, QStringList({"查找的值必须是数字"}));
    EXPECT_EQ(form_->ListBox1->count(), 0);
    Choose("摘要", "相似");
    EXPECT_EQ(Items(form_->ComboBox2).first(), "相似");
    EXPECT_EQ(form_->TextEdit->EditType(), etString);
}

TEST_F(FindFormTest, KindsShowTheirOwnValueBox) {
    Choose("日期", "等于");
    EXPECT_TRUE(form_->DateEdit->isVisible());
    EXPECT_FALSE(form_->TextEdit->isVisible());
    form_->DateEdit->setText("2000-08-08");
    form_->DownButton->click();
    Choose("类别", "等于");
    EXPECT_TRUE(form_->ComboBox3->isVisible());
    EXPECT_EQ(Items(form_->ComboBox3), QStringList({"现金", "银行"}));
    EXPECT_EQ(dialog_.GetConditionList().first(),
              "(10000 * EXTRACT(YEAR FROM MONEY_DATE) +100 * EXTRACT(Month FROM MONEY_DATE)) + "
              "EXTRACT(DAY FROM MONEY_DATE) =  20000808");
}

TEST_F(FindFormTest, APastedTextKeepsWhatFollowsTheFullWidthSemicolon) {
    form_->TextEdit->setText("  编号；001 ");
    EXPECT_EQ(form_->TextEdit->text(), "001");
}

TEST_F(FindFormTest, EnterMovesOnAndFieldRulesResetTheWindow) {
    form_->ComboBox1->setFocus();
    QTest::keyClick(form_->ComboBox1, Qt::Key_Return);
    EXPECT_TRUE(form_->ComboBox2->hasFocus());
    Add("摘要", "相似", "abc");
    dialog_.SetFieldsData(RecordRules());
    EXPECT_EQ(form_->ListBox1->count(), 0);
    EXPECT_TRUE(dialog_.GetConditionList().isEmpty());
}

TEST_F(FindFormTest, PickedValuesComeFromTheWindow) {
    TFieldsDataArray rules{Rule("MONEY_TYPE_NAME", "账款类别", "ESB", "C", "MONEY_TYPE_ID")};
    dialog_.SetFieldsData(rules);
    form_->hide();
    QString askedFor;
    dialog_.PopupWindow = [&](QString& value, QString& id, QString& fieldName) {
        askedFor = fieldName;
        value = "办公费";
        id = "001002";
    };
    test::OnNextModal([&](QWidget*) {
        Choose("账款类别", "等于");
        QTest::mouseClick(reinterpret_cast<QWidget*>(form_->DateEdit->Button()), Qt::LeftButton);
        form_->DownButton->click();
        form_->DateEdit->setText("办公费用");
        form_->AndButton->setChecked(true);
        form_->DownButton->click();
        test::PressKey(form_, Qt::Key_F3);
    });
    EXPECT_TRUE(dialog_.Execute());
    EXPECT_EQ(askedFor, "MONEY_TYPE_NAME");
    EXPECT_EQ(dialog_.GetConditionList(), QStringList({"MONEY_TYPE_ID =  '001002'"}));
    EXPECT_EQ(messages_.texts, QStringList({"选择出来的值不能改变"}));
    EXPECT_EQ(form_->windowTitle(), "查找窗口");
}

TEST(FindSimpleForm, OneConditionBecomesOneExpression) {
    test::MessageTextRecorder messages;
    TFindSimpleFormDialog dialog;
    dialog.SetFieldsData(RecordRules());
    dialog.Caption = "用户";
    dialog.FieldIndex = 0;
    dialog.ConnectionIndex = 1;
    dialog.Language = BIG5;
    TKXFindSimpleForm* form = dialog.Form();
    test::OnNextModal([&](QWidget*) {
        form->ComboBox1->SetText("摘要");
        form->ComboBox2->SetText("等于");
        form->TextEdit->setText("张三");
        test::PressKey(form, Qt::Key_F3);
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.GetFindText(), "MONEY_TEXT = '张三'");
    EXPECT_EQ(form->windowTitle(), "用户查找窗口");
    EXPECT_EQ(form->font().family(), "新細明體");
    EXPECT_EQ(form->font().pointSize(), 11);
    EXPECT_FALSE(form->AllDataButton->isVisible());

    test::OnNextModal([&](QWidget*) {
        EXPECT_EQ(form->ComboBox1->Text(), "摘要");
        EXPECT_EQ(form->ComboBox2->Text(), "等于");
        form->TextEdit->setFocus();
        QTest::keyClick(form->TextEdit, Qt::Key_Right);
        EXPECT_FALSE(form->TextEdit->hasFocus());
        form->CloseButton->click();
    });
    EXPECT_FALSE(dialog.Execute());
}

} // namespace
} // namespace kx
