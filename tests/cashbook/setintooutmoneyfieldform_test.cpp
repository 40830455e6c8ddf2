#include "cashbook/cashbooktables.h"
#include "cashbook/entrylayout.h"
#include "cashbook/fieldkinds.h"
#include "cashbook/selectintomoneyfieldform.h"
#include "cashbook/setintooutmoneyfieldform.h"
#include "cashbook/slotsetup.h"
#include "core/datamodule.h"
#include "core/sqlfunctions.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxedit.h"
#include "tests/frame/dialogs/pickerfixture.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QToolButton>

namespace kx {
namespace {

using test::OnNextModal;

// The records list's part: its slot query, the set-up window shown on it,
// and the slot dialogs answered as a user would.
class SetIntoOutMoneyFieldFormTest : public test::PickerTest {
protected:
    SetIntoOutMoneyFieldFormTest() {
        cashbook::SeedDefaultFieldSlots(cashbook::TSlotCaptions::List);
        fieldQuery_ =
            NewQuery("SELECT  *  FROM  SYS_MONEY_FIELD_TABLE  ORDER BY FIELD_ORDER", nullptr);
        fieldQuery_->Open();
        form_.FieldQuery = fieldQuery_;
    }
    ~SetIntoOutMoneyFieldFormTest() override { delete fieldQuery_; }

    void Show() { ASSERT_TRUE(test::ShowActive(form_)); }

    // Clicks the slot's button and lets `answer` work the dialog it opens.
    void ClickSlot(int slot, std::function<void(TSelectIntoMoneyFieldForm&)> answer) {
        OnNextModal([answer](QWidget* modal) {
            auto* dialog = qobject_cast<TSelectIntoMoneyFieldForm*>(modal);
            ASSERT_NE(dialog, nullptr);
            answer(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        form_.SpeedButton(slot)->click();
    }
    static std::function<void(TSelectIntoMoneyFieldForm&)>
    Define(const QString& caption, const QString& kind, const QString& mode = {}) {
        return [=](TSelectIntoMoneyFieldForm& dialog) {
            dialog.KXEdit1->setText(caption);
            dialog.KXComboBox1->setCurrentText(kind);
            if (!mode.isEmpty())
                dialog.KXComboBox2->SetText(mode);
            dialog.Button_ok->click();
        };
    }

    QRect At(const QString& control) const { return form_.PreviewControl(control)->geometry(); }
    QString Caption(int slot) const { return form_.SpeedButton(slot)->text(); }
    QByteArray FileBytes() const {
        QFile file(folder_.DatabaseFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    db::TQuery* fieldQuery_;
    TSetIntoOutMoneyFieldForm form_;
};

TEST_F(SetIntoOutMoneyFieldFormTest, ShowsTheSlotsAndPreviewsThemWhereTheEntryWindowPlacesThem) {
    Show();
    const char* captions[] = {"记录编号", "借贷日期", "摘要",   "未定义", "资金账号", "借入金额",
                              "贷出金额", "经办人员", "未定义", "未定义", "未定义",   "未定义",
                              "未定义",   "未定义",   "未定义", "未定义", "未定义",   "未定义",
                              "未定义",   "未定义",   "备注"};
    for (int slot = 1; slot <= 21; ++slot) {
        EXPECT_EQ(Caption(slot), captions[slot - 1]) << slot;
        EXPECT_EQ(form_.SpeedButton(slot)->geometry(), SlotButtonRect(slot)) << slot;
    }
    const struct {
        const char* control;
        int slot;
    } placed[] = {
        {"KXDBComboEdit_MONEY_DATE", 2},         {"KXDBComboEdit_MONEY_TEXT_FIELD1", 3},
        {"KXDBComboEdit_MONEY_ACCOUNT_NAME", 5}, {"KXDBEdit_MONEY_INTO_NUMBER", 6},
        {"KXDBEdit_MONEY_OUT_NUMBER", 7},        {"KXDBComboEdit_MONEY_EMPLOYEE_NAME", 8}};
    for (const auto& p : placed)
        EXPECT_EQ(At(p.control), PreviewSlotRect(p.slot)) << p.control;
    EXPECT_EQ(At("KXDBEdit_MONEY_ID"), QRect(63, 10, 135, 20));
    EXPECT_EQ(At("KXDBEdit_MONEY_TEXT_NOTE"), QRect(63, 109, 740, 20));
    for (const char* parked : {"KXDBEdit_MONEY_TEXT_FIELD1", "KXDBComboEdit_MONEY_DEPT_NAME",
                               "KXDBEdit_MONEY_NUMBER_FIELD1", "KXDBComboEditMONEY_DATE_FIELD1"})
        EXPECT_EQ(At(parked).top(), kOutOfSightTop) << parked;
    EXPECT_FALSE(form_.PreviewControl("KXDBComboEdit_MONEY_DATE")->isEnabled());
    EXPECT_TRUE(form_.PreviewControl("KXDBComboEdit_MONEY_ACCOUNT_NAME")->isEnabled());
    EXPECT_FALSE(form_.SlotsChanged);
}

TEST_F(SetIntoOutMoneyFieldFormTest, DefiningAFreeSlotCaptionsAndPreviewsIt) {
    Show();
    ClickSlot(4, [](TSelectIntoMoneyFieldForm& dialog) {
        EXPECT_EQ(dialog.SlotOrder, "4");
        EXPECT_TRUE(dialog.SlotFieldName.isEmpty());
        EXPECT_TRUE(dialog.KXEdit1->text().isEmpty());
        EXPECT_TRUE(dialog.KXComboBox1->isEnabled());
        Define("往来单位", "3字符字段", kChoiceInput)(dialog);
    });
    EXPECT_TRUE(form_.SlotsChanged);
    EXPECT_EQ(Caption(4), "往来单位");
    EXPECT_EQ(At("KXDBComboEdit_MONEY_TEXT_FIELD3"), PreviewSlotRect(4));
    EXPECT_EQ(At("KXDBEdit_MONEY_TEXT_FIELD3").top(), kOutOfSightTop);
    EXPECT_EQ(GetSqlFirstValue(kDatabaseName, "SELECT FIELD_ORDER||FIELD_FIND_TYPE FROM "
                                              "SYS_MONEY_FIELD_TABLE WHERE FIELD_NAME = "
                                              "'MONEY_TEXT_FIELD3'"),
              "4DT");
}

TEST_F(SetIntoOutMoneyFieldFormTest, OnlyARealChangeOfTheSlotsAsksForARebuild) {
    ExecSqlText(kDatabaseName, "UPDATE SYS_MONEY_FIELD_TABLE SET FIELD_ORDER_TYPE = '否' WHERE "
                               "FIELD_NAME = 'MONEY_ACCOUNT_NAME'");
    Show();
    ClickSlot(3, [](TSelectIntoMoneyFieldForm& dialog) {
        EXPECT_EQ(dialog.SlotFieldName, "MONEY_TEXT_FIELD1");
        EXPECT_EQ(dialog.SlotDisplayName, "摘要");
        EXPECT_EQ(dialog.SlotFindType, "DT");
        EXPECT_FALSE(dialog.CheckBox1->isChecked());
        dialog.KXEdit1->setText("另一个");
        dialog.Button_Close->click();
    });
    EXPECT_FALSE(form_.SlotsChanged);
    EXPECT_EQ(Caption(3), "摘要");

    ClickSlot(5, Define("资金账号", "资金账号字段"));
    EXPECT_FALSE(form_.SlotsChanged) << "the account slot saved as it was";

    ClickSlot(5, [](TSelectIntoMoneyFieldForm& dialog) {
        dialog.CheckBox1->setChecked(true);
        dialog.Button_ok->click();
    });
    EXPECT_TRUE(form_.SlotsChanged);
    form_.SlotsChanged = false;
    ClickSlot(5, [](TSelectIntoMoneyFieldForm& dialog) {
        EXPECT_TRUE(dialog.CheckBox1->isChecked());
        dialog.Button_Close->click();
    });
    EXPECT_FALSE(form_.SlotsChanged);
}

// A refused confirm leaves the slot table as it was, and the window shows
// the slot as before.
TEST_F(SetIntoOutMoneyFieldFormTest, ARefusedSlotChangesNothing) {
    Show();
    const QByteArray before = FileBytes();
    ClickSlot(3, [this](TSelectIntoMoneyFieldForm& dialog) {
        dialog.KXComboBox1->setCurrentText("资金账号字段");
        dialog.Button_ok->click();
        // The box shows the line break as the platform's own.
        EXPECT_EQ(messages_.texts, QStringList{"该字段已被定义为：资金账号\n不能重复定义"});
        EXPECT_TRUE(dialog.isVisible());
        dialog.Button_Close->click();
    });
    EXPECT_EQ(FileBytes(), before);
    EXPECT_FALSE(form_.SlotsChanged);
    EXPECT_EQ(Caption(3), "摘要");
    EXPECT_EQ(At("KXDBComboEdit_MONEY_TEXT_FIELD1"), PreviewSlotRect(3));
}

TEST_F(SetIntoOutMoneyFieldFormTest, RedefiningASlotMovesTheNewControlInAndLeavesTheOldOne) {
    Show();
    ClickSlot(3, Define("摘要", "1字符字段", kDirectInput));
    EXPECT_EQ(At("KXDBEdit_MONEY_TEXT_FIELD1"), PreviewSlotRect(3));
    EXPECT_EQ(At("KXDBComboEdit_MONEY_TEXT_FIELD1").top(), kOutOfSightTop);

    ClickSlot(7, Define("贷出金额", "1数据字段"));
    EXPECT_EQ(At("KXDBEdit_MONEY_NUMBER_FIELD1"), PreviewSlotRect(7));
    EXPECT_EQ(At("KXDBEdit_MONEY_OUT_NUMBER"), PreviewSlotRect(7));

    ClickSlot(8, Define("", "人员字段"));
    EXPECT_EQ(Caption(8), "未定义");
    EXPECT_EQ(At("KXDBComboEdit_MONEY_EMPLOYEE_NAME"), PreviewSlotRect(8));
}

TEST_F(SetIntoOutMoneyFieldFormTest, SlotTwoWithoutARowOffersTheRecordDate) {
    ExecSqlText(kDatabaseName, "DELETE FROM SYS_MONEY_FIELD_TABLE WHERE FIELD_NAME = 'MONEY_DATE'");
    fieldQuery_->Close();
    fieldQuery_->Open();
    Show();
    EXPECT_EQ(Caption(2), "未定义");
    ClickSlot(2, [](TSelectIntoMoneyFieldForm& dialog) {
        EXPECT_EQ(dialog.KXEdit1->text(), "帐款日期");
        EXPECT_EQ(dialog.KXComboBox1->Text(), "借贷日期字段");
        EXPECT_EQ(dialog.KXComboBox2->Text(), "直接输入");
        EXPECT_FALSE(dialog.KXComboBox2->isEnabled());
        dialog.Button_ok->click();
    });
    EXPECT_EQ(Caption(2), "帐款日期");
    EXPECT_EQ(At("KXDBComboEdit_MONEY_DATE"), PreviewSlotRect(2));
    EXPECT_EQ(GetSqlFirstValue(kDatabaseName, "SELECT FIELD_ORDER||FIELD_FIND_TYPE FROM "
                                              "SYS_MONEY_FIELD_TABLE WHERE FIELD_NAME = "
                                              "'MONEY_DATE'"),
              "2D");
}

// Slot 2 offers the record date even when another slot holds it; choosing
// another kind there keeps that slot's row.
TEST_F(SetIntoOutMoneyFieldFormTest, SlotTwoLeavesTheRecordDateOfAnotherSlot) {
    ExecSqlText(kDatabaseName,
                "UPDATE SYS_MONEY_FIELD_TABLE SET FIELD_ORDER = 4 WHERE FIELD_NAME = 'MONEY_DATE'");
    fieldQuery_->Close();
    fieldQuery_->Open();
    Show();
    EXPECT_EQ(Caption(4), "借贷日期");
    ClickSlot(2, [](TSelectIntoMoneyFieldForm& dialog) {
        EXPECT_EQ(dialog.SlotFieldName, "MONEY_DATE");
        Define("到期日", "1日期字段")(dialog);
    });
    EXPECT_EQ(Caption(2), "到期日");
    EXPECT_EQ(GetSqlFirstValue(kDatabaseName,
                               "SELECT group_concat(FIELD_ORDER||FIELD_NAME, ' ') "
                               "FROM (SELECT * FROM SYS_MONEY_FIELD_TABLE WHERE "
                               "FIELD_NAME LIKE 'MONEY_DATE%' ORDER BY FIELD_ORDER)"),
              "2MONEY_DATE_FIELD1 4MONEY_DATE");
}

TEST_F(SetIntoOutMoneyFieldFormTest, StaysOpenUntilSomeSlotHoldsTheFundAccount) {
    Show();
    ClickSlot(5, Define("", "资金账号字段"));
    EXPECT_EQ(Caption(5), "未定义");
    EXPECT_EQ(At("KXDBComboEdit_MONEY_ACCOUNT_NAME"), PreviewSlotRect(5));

    form_.Button_Close->click();
    EXPECT_EQ(messages_.texts, QStringList{"必须有个字段选择资金账号字段"});
    EXPECT_TRUE(form_.isVisible());
    form_.close();
    EXPECT_EQ(messages_.texts.size(), 2);
    EXPECT_TRUE(form_.isVisible());

    ClickSlot(9, Define("账户", "资金账号字段"));
    EXPECT_EQ(At("KXDBComboEdit_MONEY_ACCOUNT_NAME"), PreviewSlotRect(9));
    form_.Button_Close->click();
    EXPECT_FALSE(form_.isVisible());
    EXPECT_EQ(messages_.texts.size(), 2);
    EXPECT_TRUE(form_.SlotsChanged);
}

TEST_F(SetIntoOutMoneyFieldFormTest, RunsModallyUntilClosed) {
    OnNextModal([this](QWidget* modal) {
        ASSERT_EQ(modal, &form_);
        EXPECT_EQ(Caption(5), "资金账号");
        form_.Button_Close->click();
    });
    EXPECT_EQ(ui::ExecModal(form_), QDialog::Rejected);
    EXPECT_FALSE(form_.SlotsChanged);
    EXPECT_TRUE(messages_.texts.isEmpty());
}

TEST_F(SetIntoOutMoneyFieldFormTest, EveryCaptionFits) {
    Show();
    EXPECT_TRUE(test::SaveShot(form_, "setintooutmoneyfieldform"));
    EXPECT_EQ(test::ClippedTexts(form_), QStringList());
}

TEST(SlotSetup, SlotRowsAndOffers) {
    EXPECT_EQ(SlotRowSql(1), "SELECT * FROM SYS_MONEY_FIELD_TABLE WHERE FIELD_NAME = 'MONEY_ID'");
    EXPECT_EQ(SlotRowSql(2), "SELECT * FROM SYS_MONEY_FIELD_TABLE WHERE FIELD_ORDER = 2");
    EXPECT_EQ(SlotRowSql(20), "SELECT * FROM SYS_MONEY_FIELD_TABLE WHERE FIELD_ORDER = 20");
    EXPECT_EQ(SlotRowSql(21),
              "SELECT * FROM SYS_MONEY_FIELD_TABLE WHERE FIELD_NAME = 'MONEY_TEXT_NOTE'");
    EXPECT_EQ(SlotWithoutRow(1).DisplayName, "记录编号");
    EXPECT_EQ(SlotWithoutRow(2).FieldName, "MONEY_DATE");
    EXPECT_EQ(SlotWithoutRow(2).FindType, "T");
    EXPECT_EQ(SlotWithoutRow(21).FieldName, "MONEY_TEXT_NOTE");
    EXPECT_TRUE(SlotWithoutRow(3).FieldName.isEmpty());
    EXPECT_TRUE(SlotWithoutRow(20).DisplayName.isEmpty());
}

TEST(SlotSetup, PreviewPlacesSlotsTwoToTwenty) {
    const struct {
        const char* column;
        const char* findType;
        int slot;
        const char* control;
        const char* hidden;
    } cases[] = {
        {"MONEY_TEXT_FIELD2", "DT", 6, "KXDBComboEdit_MONEY_TEXT_FIELD2",
         "KXDBEdit_MONEY_TEXT_FIELD2"},
        {"MONEY_TEXT_FIELD2", "T", 20, "KXDBEdit_MONEY_TEXT_FIELD2",
         "KXDBComboEdit_MONEY_TEXT_FIELD2"},
        {"MONEY_DEPT_NAME", "DT", 2, "KXDBComboEdit_MONEY_DEPT_NAME", ""},
        {"MONEY_DEPT_NAME", "DT", 1, "", ""},
        {"MONEY_INTO_NUMBER", "T", 21, "", ""},
        {"MONEY_INTO_NUMBER", "DT", 6, "", ""},
        {"MONEY_ID", "T", 2, "", ""},
        {"", "", 4, "", ""},
    };
    for (const auto& c : cases) {
        const std::optional<TPreviewPlacement> placement =
            PreviewPlacement(c.column, c.findType, c.slot);
        EXPECT_EQ(placement ? placement->Control : QString(), c.control) << c.column << c.slot;
        EXPECT_EQ(placement ? placement->Hidden : QString(), c.hidden) << c.column << c.slot;
        if (placement) {
            EXPECT_EQ(placement->Rect, PreviewSlotRect(c.slot)) << c.column;
        }
    }
}

} // namespace
} // namespace kx
