#include "cashbook/editintooutmoneyform.h"

#include "cashbook/entrylayout.h"
#include "cashbook/recordcolumns.h"
#include "cashbook/setstatusform.h"
#include "core/appstate.h"
#include "frame/controls/editbutton.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxdbcomboedit.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxtreeview.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/selecteditform.h"
#include "frame/dialogs/selectemployeeform.h"
#include "frame/dialogs/selectform.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "tests/cashbook/entryformfixture.h"
#include "tests/support/printchooserprobe.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace kx {
namespace {

using cashbook::TEditIntoOutMoneyForm;

const QString kSummary = "KXDBComboEdit_MONEY_TEXT_FIELD1";
const QString kAmountIn = "KXDBEdit_MONEY_INTO_NUMBER";
const QString kMoneyIdEdit = "KXDBEdit_MONEY_ID";
const QString kDateEdit = "KXDBComboEdit_MONEY_DATE";

class EditIntoOutMoneyFormTest : public test::EntryFormTest {
protected:
    QString Field(const char* name) { return list_->FieldByName(name)->AsString(); }
    void GoTo(const QString& recordId) {
        for (list_->First(); !list_->Eof() && Field("MONEY_RECORD_ID") != recordId;)
            list_->Next();
    }
    // The month's and the day's balance of account 001.
    QString Ledgers() {
        return Value("SELECT MONEY_MONTH||printf(' %.2f', TODAY_MONTH_MONEY) FROM "
                     "KX_MONEY_MONTH_TABLE WHERE MONEY_ACCOUNT_ID = '001'") +
               '/' +
               Value("SELECT MONEY_DAY_DATE||printf(' %.2f', TODAY_DAY_MONEY) FROM "
                     "KX_MONEY_DAY_TABLE WHERE MONEY_ACCOUNT_ID = '001'");
    }
    QString Count() { return Value("SELECT COUNT(*) FROM KX_INTO_OUT_MONEY_TABLE"); }
    // The account every saved record needs, written as the account list does.
    void ChooseAccount() {
        list_->FieldByName("MONEY_ACCOUNT_ID")->SetAsString("001");
        list_->FieldByName("MONEY_ACCOUNT_NAME")->SetAsString("现金");
    }
    // Answers the status dialog with the status.
    static void ChooseStatusNext(const QString& status) {
        ChooseInNextModal([status](QWidget* dialog) {
            auto* form = qobject_cast<TSetStatusForm*>(dialog);
            ASSERT_NE(form, nullptr);
            form->KXComboBox1->setCurrentIndex(form->KXComboBox1->findText(status));
            form->Button_ok->click();
        });
    }
};

// With the first-run slots the window shows its controls where the slot
// geometry puts them, its captions right-aligned to their slots and none of
// them clipped.
TEST_F(EditIntoOutMoneyFormTest, FirstRunLayoutFollowsTheSlotGeometry) {
    TEditIntoOutMoneyForm* form = ShowEditor(false, "001001");
    const TEntryLayout layout = LayoutEntryFields(ReadFieldSlots(*slots_));
    for (const TEntryControlPlace& place : layout.Controls) {
        QWidget* control = form->FieldControl(place.Name);
        const bool shown = place.Top != kOutOfSightTop;
        EXPECT_EQ(control->isVisible(), shown) << place.Name.toStdString();
        if (shown) {
            EXPECT_EQ(control->geometry(), QRect(place.Left, place.Top, place.Width, 20))
                << place.Name.toStdString();
        }
    }
    EXPECT_EQ(form->FieldControl(kSummary)->width(), 336);
    for (int slot = 1; slot <= kNoteSlot; ++slot) {
        const TEntryLabel& labelPlace = layout.Labels[static_cast<std::size_t>(slot - 1)];
        const QLabel* label = form->Labels[static_cast<std::size_t>(slot - 1)];
        EXPECT_EQ(label->isVisible(), labelPlace.Visible) << slot;
        EXPECT_EQ(label->text(), labelPlace.Caption) << slot;
        if (!labelPlace.Visible)
            continue;
        EXPECT_EQ(label->geometry().right() + 1, labelPlace.Right) << slot;
        EXPECT_EQ(label->y(), labelPlace.Top) << slot;
        EXPECT_TRUE(label->alignment() & Qt::AlignRight) << slot;
    }
    EXPECT_EQ(form->Labels[4]->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(form->SlotControls[3], form->FieldControl(kSummary));
    EXPECT_EQ(form->SlotControls[5], form->FieldControl("KXDBComboEdit_MONEY_ACCOUNT_NAME"));
    EXPECT_EQ(form->SlotControls[6], nullptr) << "amounts never widen";

    // Tab runs through the slots in order, then the note.
    QStringList chain;
    QWidget* control = form->FieldControl(kMoneyIdEdit);
    for (int step = 0; step < 8; ++step, control = control->nextInFocusChain()) {
        while (!(control->focusPolicy() & Qt::TabFocus) || !control->isVisible() ||
               !form->FieldPanel->isAncestorOf(control))
            control = control->nextInFocusChain();
        chain << control->objectName();
    }
    EXPECT_EQ(chain,
              QStringList({kMoneyIdEdit, kDateEdit, kSummary, "KXDBComboEdit_MONEY_ACCOUNT_NAME",
                           kAmountIn, "KXDBEdit_MONEY_OUT_NUMBER",
                           "KXDBComboEdit_MONEY_EMPLOYEE_NAME", "KXDBEdit_MONEY_TEXT_NOTE"}));

    EXPECT_EQ(form->size(), QSize(807, 285));
    EXPECT_EQ(form->y(), 50);
    EXPECT_EQ(form->button_Ok->text(), "审核[F3]");
    EXPECT_TRUE(form->Button_Print->isVisible());
    EXPECT_EQ(form->Button_Type->geometry(), QRect(334, 8, 139, 27));
    EXPECT_EQ(form->button1_last->geometry(), QRect(669, 35, 75, 25));
    EXPECT_FALSE(form->Button_Type->isEnabled()) << "the subject is chosen only while editing";
    EXPECT_TRUE(test::ClippedTexts(*form).isEmpty())
        << test::ClippedTexts(*form).join("\n").toStdString();
    EXPECT_TRUE(test::SaveShot(*form, "editintooutmoneyform"));

    // Browsing, the pick edits keep their buttons out of sight and fill their
    // slots; adding, each button takes the right end of its edit.
    for (bool adding : {false, true}) {
        if (adding)
            form->Button_add->click();
        for (const char* name :
             {"KXDBComboEdit_MONEY_DATE", "KXDBComboEdit_MONEY_TEXT_FIELD1",
              "KXDBComboEdit_MONEY_ACCOUNT_NAME", "KXDBComboEdit_MONEY_EMPLOYEE_NAME"}) {
            SCOPED_TRACE(name);
            auto* edit = qobject_cast<TKXDBComboEdit*>(form->FieldControl(name));
            const QRect button(edit->Button()->mapTo(edit, QPoint(0, 0)), edit->Button()->size());
            EXPECT_EQ(edit->ButtonEnabled(), adding);
            EXPECT_EQ(button.width(), adding ? 19 : 0);
            if (adding) {
                EXPECT_EQ(button.right(), edit->rect().right());
                EXPECT_EQ(button.height(), edit->height());
            }
        }
    }
    EXPECT_TRUE(test::SaveShot(*form, "editintooutmoneyform_adding"));
    EXPECT_TRUE(test::ClippedTexts(*form).isEmpty())
        << test::ClippedTexts(*form).join("\n").toStdString();
}

// With only the record number and the note, the note moves up to the
// second row; slot 2's label stays but shows nothing; a date in slot 1 is
// bound but out of sight.
TEST_F(EditIntoOutMoneyFormTest, SparseSlotsMoveTheNoteUp) {
    Exec({"DELETE FROM SYS_MONEY_FIELD_TABLE",
          "INSERT INTO SYS_MONEY_FIELD_TABLE VALUES ('MONEY_ID', '凭证号', 'String', 16, 13, "
          "'T', '', 1), ('MONEY_DATE', '日期', 'Date', 17, 17, 'D', '', 1), "
          "('MONEY_TEXT_NOTE', '说明', 'String', 160, 80, 'T', '', 21)"});
    slots_->CloseQuery();
    slots_->OpenQuery();
    AddRecord("070302000001", "200703000001", "001001");
    TEditIntoOutMoneyForm* form = ShowEditor(false);
    EXPECT_EQ(form->FieldControl("KXDBEdit_MONEY_TEXT_NOTE")->geometry(), QRect(63, 30, 738, 20));
    EXPECT_EQ(form->Labels[20]->y(), 34);
    EXPECT_EQ(form->Labels[20]->text(), "说明");
    EXPECT_EQ(form->Labels[0]->text(), "凭证号");
    EXPECT_TRUE(form->Labels[1]->isVisible());
    EXPECT_EQ(form->Labels[1]->text(), "");
    for (int slot = 3; slot <= 20; ++slot)
        EXPECT_FALSE(form->Labels[static_cast<std::size_t>(slot - 1)]->isVisible()) << slot;
    auto* date = form->KXDBComboEdit_MONEY_DATE();
    EXPECT_FALSE(date->isVisible());
    EXPECT_EQ(date->DataField(), "MONEY_DATE");
    EXPECT_EQ(date->text(), "2007-03-02");

    // The caption of slot 1 names the missing number.
    Press(Qt::Key_F6);
    Type(kMoneyIdEdit, "");
    Press(Qt::Key_F8);
    EXPECT_EQ(messages_.texts, QStringList{"必须输入凭证号"});
    EXPECT_TRUE(test::ClippedTexts(*form).isEmpty())
        << test::ClippedTexts(*form).join("\n").toStdString();
}

// Opened by the add button with the tree's root selected on an empty list,
// the window asks for the subject first and starts a new unverified record.
TEST_F(EditIntoOutMoneyFormTest, AddingFromTheRootAsksForTheSubject) {
    PickSubjectNext("001002", "利息");
    TEditIntoOutMoneyForm* form = ShowEditor(true);
    ASSERT_EQ(list_->State(), db::dsInsert);
    EXPECT_EQ(Field("MONEY_TYPE_ID"), "001002");
    EXPECT_EQ(form->SubjectId, "001002");
    EXPECT_EQ(form->Label24->text(), "收入-利息");
    // The working date of the moment the window opened.
    EXPECT_EQ(Field("MONEY_DATE"), AppToday);
    EXPECT_EQ(Field("CREATE_DATE"), AppToday);
    EXPECT_EQ(Field("CREATE_NAME"), "张会计");
    EXPECT_EQ(Field("STATUS"), "未审核");
    EXPECT_EQ(form->Panel3->text(), "未审核");
    EXPECT_EQ(form->Panel3->palette().color(QPalette::Window), QColor(255, 210, 255));
    EXPECT_EQ(Field("MONEY_RECORD_ID").size(), 12);
    EXPECT_TRUE(form->Button_Type->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), form->FieldControl(kMoneyIdEdit));

    Type(kMoneyIdEdit, "A-1");
    Type(kAmountIn, "25.5");
    ChooseAccount();
    Press(Qt::Key_F8);
    EXPECT_EQ(list_->State(), db::dsBrowse);
    EXPECT_EQ(Value("SELECT MONEY_ID||'/'||MONEY_TYPE_ID||'/'||MONEY_ACCOUNT_ID||'/'||"
                    "MONEY_INTO_NUMBER||'/'||STATUS FROM KX_INTO_OUT_MONEY_TABLE"),
              "A-1/001002/001/25.5/未审核");
    EXPECT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join("\n").toStdString();
    EXPECT_FALSE(form->Button_Type->isEnabled());
}

// Generated record numbers count within the numbering scope of the mode:
// 001001 holds the month's numbers 1 to 3, 002001 holds 1.
TEST_F(EditIntoOutMoneyFormTest, GeneratedNumbersCountWithinTheModesScope) {
    AddRecord("070301000001", "200703000001", "001001");
    AddRecord("070301000002", "200703000002", "001001");
    AddRecord("070301000003", "200703000003", "001001");
    AddRecord("070301000004", "200703000001", "002001");
    autoRecordNumber_ = true;
    const struct {
        int mode;
        const char* subject;
        const char* number;
    } cases[] = {
        {2, "002001", "200703000002"}, {1, "002001", "200703000004"}, {0, "002001", "200703000002"},
        {0, "001002", "200703000004"}, {3, "002001", "200703000004"}, {7, "001002", "200703000004"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        SCOPED_TRACE(c.subject);
        AppNumberingMode = c.mode;
        ShowEditor(true, c.subject);
        ASSERT_EQ(list_->State(), db::dsInsert);
        EXPECT_EQ(Field("MONEY_ID"), c.number);
        ChooseAccount();
        Press(Qt::Key_F8);
        EXPECT_EQ(Value(QString("SELECT COUNT(*) FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_ID = "
                                "'%1' AND MONEY_TYPE_ID = '%2'")
                            .arg(c.number, c.subject)),
                  "1");
        Exec({QString("DELETE FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_RECORD_ID = '%1'")
                  .arg(Field("MONEY_RECORD_ID"))});
        form_.reset();
        OpenList();
    }
    EXPECT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join("\n").toStdString();
}

// A typed number already used within the scope is refused, and nothing is
// written; outside the scope, and in mode 3, it is taken.
TEST_F(EditIntoOutMoneyFormTest, DuplicateTypedNumbersByMode) {
    AddRecord("070301000001", "200703000001", "001001");
    const struct {
        int mode;
        const char* subject;
        bool refused;
    } cases[] = {
        {0, "001002", true}, {0, "002001", false}, {1, "002001", true},
        {2, "001001", true}, {2, "001002", false}, {3, "001001", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        SCOPED_TRACE(c.subject);
        AppNumberingMode = c.mode;
        messages_.texts.clear();
        const QString before = Everything();
        ShowEditor(true, c.subject);
        Type(kMoneyIdEdit, "200703000001");
        ChooseAccount();
        Press(Qt::Key_F8);
        if (c.refused) {
            EXPECT_EQ(messages_.texts, QStringList{"纪录编号重复"});
            EXPECT_EQ(list_->State(), db::dsInsert);
            EXPECT_EQ(Everything(), before);
            list_->CancelRecord();
        } else {
            EXPECT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join("\n").toStdString();
            EXPECT_EQ(list_->State(), db::dsBrowse);
            Exec({QString("DELETE FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_RECORD_ID = '%1'")
                      .arg(Field("MONEY_RECORD_ID"))});
        }
        form_.reset();
        OpenList();
    }
}

// A generated number taken meanwhile is drawn again at the save.
TEST_F(EditIntoOutMoneyFormTest, TakenGeneratedNumberIsDrawnAgain) {
    AddRecord("070301000001", "200703000001", "001001");
    autoRecordNumber_ = true;
    AppNumberingMode = 2;
    ShowEditor(true, "001001");
    EXPECT_EQ(Field("MONEY_ID"), "200703000002");
    AddRecord("070301000002", "200703000002", "001001");
    ChooseAccount();
    Press(Qt::Key_F8);
    EXPECT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join("\n").toStdString();
    EXPECT_EQ(Field("MONEY_ID"), "200703000003");
    EXPECT_EQ(Count(), "3");
}

// Each save check stops the save with its message, keeps the record in
// adding and writes nothing.
TEST_F(EditIntoOutMoneyFormTest, SaveRefusalsChangeNothing) {
    const struct {
        const char* subject;
        const char* number;
        const char* date;
        bool account;
        const char* message;
        const char* focused;
    } cases[] = {
        {"001001", "", "2007-03-05", true, "必须输入记录编号", "KXDBEdit_MONEY_ID"},
        {"001001", "N1", "", true, "必须输入账款日期", "KXDBComboEdit_MONEY_DATE"},
        {"001001", "N1", "2007-03-05", false, "资金账号字段必须输入", nullptr},
        {"G001", "N1", "2007-03-05", true, "必须选择帐款类别", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        if (QString(c.subject) == "G001")
            PickSubjectNext("G001", "帐款类别");
        TEditIntoOutMoneyForm* form = ShowEditor(true, c.subject);
        ASSERT_EQ(list_->State(), db::dsInsert);
        Type(kMoneyIdEdit, c.number);
        Type(kDateEdit, c.date);
        if (c.account)
            ChooseAccount();
        messages_.texts.clear();
        Press(Qt::Key_F8);
        EXPECT_EQ(messages_.texts, QStringList{c.message});
        EXPECT_EQ(list_->State(), db::dsInsert);
        EXPECT_EQ(Count(), "0");
        if (c.focused) {
            EXPECT_EQ(QApplication::focusWidget(), form->FieldControl(c.focused));
        }
        form->button_cancel->click();
        form_.reset();
    }
}

// In mode 0 a subject outside the tree has no top-level subject: nothing
// is added.
TEST_F(EditIntoOutMoneyFormTest, ModeZeroRefusesASubjectWithoutTopLevel) {
    AppNumberingMode = 0;
    TEditIntoOutMoneyForm* form = ShowEditor(true, "009");
    EXPECT_EQ(messages_.texts, QStringList{"错误的帐款类别"});
    EXPECT_EQ(list_->State(), db::dsBrowse);
    EXPECT_TRUE(list_->IsEmpty());
    EXPECT_FALSE(form->Button_Type->isEnabled());
}

// Amounts that are not numbers and dates that do not exist are refused
// with the slot's caption, and nothing is written. The amount edits drop
// letters as they are typed, so a text pasted from the edit's menu is what
// gets through.
TEST_F(EditIntoOutMoneyFormTest, BadAmountsAndDatesAreRefused) {
    const struct {
        const QString& control;
        const char* text;
        bool pasted;
        const char* message;
    } cases[] = {
        {kDateEdit, "2007-02-30", false, "借贷日期是错误的数据"},
        {kDateEdit, "2007-13-01", false, "借贷日期是错误的数据"},
        {kAmountIn, "12abc", true, "借入金额是错误的数据"},
        {kAmountIn, "1.2.3", true, "借入金额是错误的数据"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TEditIntoOutMoneyForm* form = ShowEditor(true, "001001");
        Type(kMoneyIdEdit, "N1");
        ChooseAccount();
        Type(c.control, c.pasted ? "" : c.text);
        if (c.pasted) {
            // As the edit's context menu pastes.
            QApplication::clipboard()->setText(c.text);
            qobject_cast<QLineEdit*>(form->FieldControl(c.control))->paste();
        }
        ASSERT_EQ(qobject_cast<QLineEdit*>(form->FieldControl(c.control))->text(), c.text);
        messages_.texts.clear();
        Press(Qt::Key_F8);
        EXPECT_EQ(messages_.texts, QStringList{c.message});
        EXPECT_EQ(list_->State(), db::dsInsert);
        EXPECT_EQ(QApplication::focusWidget(), form->FieldControl(c.control));
        EXPECT_EQ(Count(), "0");
        form->button_cancel->click();
        QApplication::processEvents();
        form_.reset();
    }
}

// Verifying posts the record into the ledgers and stamps it; choosing the
// status it has changes nothing; taking back subtracts again.
TEST_F(EditIntoOutMoneyFormTest, VerifyAndTakeBackPostThroughTheLedgers) {
    AddRecord("070302000001", "200703000001", "001001");
    TEditIntoOutMoneyForm* form = ShowEditor(false);
    ChooseStatusNext("已审核");
    Press(Qt::Key_F3);
    EXPECT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join("\n").toStdString();
    EXPECT_EQ(Value("SELECT STATUS||'/'||VERIFY_NAME||'/'||VERIFY_DATE FROM "
                    "KX_INTO_OUT_MONEY_TABLE"),
              "已审核/张会计/2007-03-05");
    EXPECT_EQ(Ledgers(), "2007年03月 60.00/2007-03-02 60.00");
    EXPECT_EQ(Field("STATUS"), "已审核");
    EXPECT_EQ(form->Panel3->text(), "已审核");
    EXPECT_EQ(form->Panel3->palette().color(QPalette::Window), QColor(225, 225, 196));
    EXPECT_EQ(list_->UpdateObject(), update_) << "the list's own statements come back";

    const QString verified = Everything();
    ChooseStatusNext("已审核");
    Press(Qt::Key_F3);
    EXPECT_EQ(Everything(), verified);

    list_->UserName = "李出纳";
    ChooseStatusNext("未审核");
    Press(Qt::Key_F3);
    EXPECT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join("\n").toStdString();
    EXPECT_EQ(Value("SELECT STATUS||'/'||VERIFY_NAME FROM KX_INTO_OUT_MONEY_TABLE"),
              "未审核/李出纳");
    EXPECT_EQ(Ledgers(), "2007年03月 0.00/2007-03-02 0.00");
    EXPECT_EQ(form->Panel3->palette().color(QPalette::Window), QColor(255, 210, 255));
}

// A refused or failing posting leaves the ledgers, the stored record and
// the list's row as they were.
TEST_F(EditIntoOutMoneyFormTest, RefusedOrFailingVerifyChangesNothing) {
    AddRecord("070302000001", "200703000001", "001001");
    const struct {
        const char* setUp;
        const char* message;
    } cases[] = {
        {"INSERT INTO KX_MONEY_MONTH_TABLE (MONEY_MONTH, MONEY_ACCOUNT_ID, STATUS, "
         "MONEY_START_DATE, MONEY_END_DATE, TODAY_MONTH_MONEY) VALUES ('2007年03月', '001', "
         "'已审核', '2007-03-01', '2007-03-31', 0)",
         nullptr},
        {"CREATE TRIGGER fail_stamp BEFORE UPDATE ON KX_INTO_OUT_MONEY_TABLE "
         "BEGIN SELECT RAISE(ABORT, 'disk full'); END",
         "数据保存过程发生错误"},
        {"UPDATE KX_INTO_OUT_MONEY_TABLE SET MONEY_DATE = NULL", "没有: 账款日期不能审核"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setUp);
        Exec({"DELETE FROM KX_MONEY_MONTH_TABLE", "DROP TRIGGER IF EXISTS fail_stamp", c.setUp});
        OpenList();
        messages_.texts.clear();
        const QString before = Everything();
        TEditIntoOutMoneyForm* form = ShowEditor(false);
        ChooseStatusNext("已审核");
        Press(Qt::Key_F3);
        ASSERT_EQ(messages_.texts.size(), 1);
        if (c.message) {
            EXPECT_EQ(messages_.texts[0], c.message);
        }
        EXPECT_EQ(Everything(), before);
        EXPECT_EQ(Field("STATUS"), "未审核");
        EXPECT_EQ(list_->State(), db::dsBrowse);
        EXPECT_EQ(list_->UpdateObject(), update_);
        EXPECT_EQ(form->Panel3->text(), "未审核");
        form_.reset();
    }
}

TEST_F(EditIntoOutMoneyFormTest, VerifiedRecordIsNotEdited) {
    AddRecord("070302000001", "200703000001", "001001", "已审核");
    const QString before = Everything();
    ShowEditor(false);
    Press(Qt::Key_F6);
    EXPECT_EQ(messages_.texts, QStringList{"状态为： “ 已审核 ”  的记录不能编辑"});
    EXPECT_EQ(list_->State(), db::dsBrowse);
    EXPECT_EQ(Everything(), before);
}

// With generated numbers, another subject gives an edited record a new
// number in the new subject's scope.
TEST_F(EditIntoOutMoneyFormTest, NewSubjectRenumbersAnEditedRecord) {
    AddRecord("070302000001", "200703000005", "001001");
    AddRecord("070302000002", "200703000001", "002001");
    AppNumberingMode = 2;
    autoRecordNumber_ = true;
    OpenList();
    GoTo("070302000001");
    TEditIntoOutMoneyForm* form = ShowEditor(false);
    EXPECT_EQ(form->Label24->text(), "收入-销售");
    EXPECT_FALSE(form->Button_Type->isEnabled()) << "browsing, no subject is chosen";
    Press(Qt::Key_F6);
    ASSERT_EQ(list_->State(), db::dsEdit);
    PickSubjectNext("002001", "工资");
    form->Button_Type->click();
    EXPECT_EQ(Field("MONEY_ID"), "200703000002");
    EXPECT_EQ(form->Label24->text(), "支出-工资");
    Press(Qt::Key_F8);
    EXPECT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join("\n").toStdString();
    EXPECT_EQ(Value("SELECT MONEY_ID||'/'||MONEY_TYPE_ID FROM KX_INTO_OUT_MONEY_TABLE WHERE "
                    "MONEY_RECORD_ID = '070302000001'"),
              "200703000002/002001");
}

// A typed number kept while the record moves to another subject is checked
// in the new subject's scope.
TEST_F(EditIntoOutMoneyFormTest, KeptNumberIsCheckedInTheNewScope) {
    AddRecord("070302000001", "N-1", "001001");
    AddRecord("070302000002", "N-1", "002001");
    AppNumberingMode = 2;
    OpenList();
    GoTo("070302000001");
    TEditIntoOutMoneyForm* form = ShowEditor(false);
    const QString before = Everything();
    Press(Qt::Key_F6);
    Press(Qt::Key_F8);
    EXPECT_TRUE(messages_.texts.isEmpty()) << "an unchanged number is not checked again";
    Press(Qt::Key_F6);
    PickSubjectNext("002001", "工资");
    form->Button_Type->click();
    Press(Qt::Key_F8);
    EXPECT_EQ(messages_.texts, QStringList{"纪录编号重复"});
    EXPECT_EQ(list_->State(), db::dsEdit);
    EXPECT_EQ(Everything(), before);
}

// The account is chosen from the account list only; its code and name go
// into the record together.
TEST_F(EditIntoOutMoneyFormTest, AccountComesFromTheAccountList) {
    TEditIntoOutMoneyForm* form = ShowEditor(true, "001001");
    auto* account = form->KXDBComboEdit_MONEY_ACCOUNT_NAME();
    EXPECT_TRUE(account->ReadOnly());
    EXPECT_TRUE(account->ButtonEnabled());
    ChooseInNextModal([](QWidget* dialog) {
        auto* picker = qobject_cast<TSelectForm*>(dialog);
        ASSERT_NE(picker, nullptr);
        EXPECT_EQ(picker->Query_Select->Fields()[0]->DisplayLabel(), "资金账号");
        picker->Query_Select->Last();
    });
    account->FireButtonClick();
    EXPECT_EQ(Field("MONEY_ACCOUNT_ID"), "002");
    EXPECT_EQ(account->text(), "工商银行");
    Type(kMoneyIdEdit, "A-2");
    Press(Qt::Key_F8);
    EXPECT_EQ(Value("SELECT MONEY_ACCOUNT_ID FROM KX_INTO_OUT_MONEY_TABLE"), "002");
    EXPECT_FALSE(account->ButtonEnabled()) << "browsing, the pick buttons rest";
    account->FireButtonClick();
    EXPECT_EQ(Field("MONEY_ACCOUNT_ID"), "002");
}

// The record buttons and moves work on the list's query and refresh the
// status panel and the subject's path; only unverified records are deleted,
// and the window stays open while a record is being added.
TEST_F(EditIntoOutMoneyFormTest, RecordButtonsAndMovesFollowTheList) {
    AddRecord("070302000001", "200703000001", "001001", "已审核");
    AddRecord("070302000002", "200703000002", "002001");
    TEditIntoOutMoneyForm* form = ShowEditor(false);
    const auto shows = [&](const char* status, const char* path) {
        EXPECT_EQ(form->Panel3->text(), status);
        EXPECT_EQ(form->Label24->text(), path);
    };
    shows("已审核", "收入-销售");
    form->button1_next->click();
    shows("未审核", "支出-工资");
    form->button1_next->click();
    EXPECT_EQ(messages_.texts, QStringList{"已到最后一个纪录"});

    Press(Qt::Key_F7);
    EXPECT_EQ(Count(), "1");
    shows("已审核", "收入-销售");
    messages_.texts.clear();
    Press(Qt::Key_F7);
    EXPECT_EQ(messages_.texts.size(), 1) << "a verified record stays";
    EXPECT_EQ(Count(), "1");

    Press(Qt::Key_F5);
    ASSERT_EQ(list_->State(), db::dsInsert);
    EXPECT_EQ(Field("MONEY_TYPE_ID"), "001001") << "the subject of the record shown";
    shows("未审核", "收入-销售");
    messages_.texts.clear();
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(messages_.texts, QStringList{"必须先按“保存”或“取消”按钮后才能关闭窗口"});
    Press(Qt::Key_F9);
    shows("已审核", "收入-销售");
    Press(Qt::Key_F12);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Count(), "1");
}

// A text slot offered as a pick list writes the value chosen in its code
// list, and takes typed text as well.
TEST_F(EditIntoOutMoneyFormTest, CodeListWritesTheChosenValue) {
    Exec({"INSERT INTO KX_MONEY_TEXT_FIELD1_TABLE (MONEY_TEXT_FIELD1) VALUES ('差旅费'), "
          "('办公费')"});
    TEditIntoOutMoneyForm* form = ShowEditor(true, "001001");
    QString chosen;
    ChooseInNextModal([&chosen](QWidget* dialog) {
        auto* picker = qobject_cast<TSelectEditForm*>(dialog);
        ASSERT_NE(picker, nullptr);
        EXPECT_EQ(picker->CodeCaption, "摘要");
        picker->Query->Last();
        chosen = picker->Query->FieldByName("MONEY_TEXT_FIELD1")->AsString();
        picker->button_Ok->click();
    });
    qobject_cast<TKXDBComboEdit*>(form->FieldControl(kSummary))->FireButtonClick();
    EXPECT_FALSE(chosen.isEmpty());
    EXPECT_EQ(Field("MONEY_TEXT_FIELD1"), chosen);
    EXPECT_EQ(qobject_cast<QLineEdit*>(form->FieldControl(kSummary))->text(), chosen);

    // The platform gives the window back its activation after the picker.
    ASSERT_TRUE(test::ShowActive(*form));
    Type(kSummary, "abc");
    Type(kMoneyIdEdit, "N1");
    ChooseAccount();
    Press(Qt::Key_F8);
    EXPECT_EQ(Value("SELECT MONEY_TEXT_FIELD1 FROM KX_INTO_OUT_MONEY_TABLE"), "abc");
}

// The employee pick writes the employee and the department; OK on a
// department without employees empties both.
TEST_F(EditIntoOutMoneyFormTest, EmployeePickWritesEmployeeAndDepartment) {
    Exec({"INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME, ORDER_ID) VALUES "
          "('001', 'G001', '财务部', 1), ('003', 'G001', '后勤部', 2)",
          "INSERT INTO KX_EMPLOYEE_TABLE (COMPANY_ID, EMPLOYEE_RECORD_ID, EMPLOYEE_ID, "
          "EMPLOYEE_NAME) VALUES ('001', 'E11', 'E11', '张三')"});
    TSelectEmployeeForm employees;
    TEditIntoOutMoneyForm* form = ShowEditor(true, "001001");
    form->EmployeePicker = &employees;
    auto* edit =
        qobject_cast<TKXDBComboEdit*>(form->FieldControl("KXDBComboEdit_MONEY_EMPLOYEE_NAME"));
    ChooseInNextModal([](QWidget*) {});
    edit->FireButtonClick();
    EXPECT_TRUE(employees.DeptOnly);
    EXPECT_EQ(Field("MONEY_EMPLOYEE_NAME"), "张三");
    EXPECT_EQ(Field("MONEY_DEPT_NAME"), "财务部");

    ChooseInNextModal([&employees](QWidget*) {
        QTreeWidgetItem* root = employees.KXTreeView->topLevelItem(0);
        employees.KXTreeView->expandItem(root);
        for (int i = 0; i < root->childCount(); ++i)
            if (root->child(i)->text(0) == "后勤部")
                employees.KXTreeView->setCurrentItem(root->child(i));
        EXPECT_TRUE(employees.Query_Select->IsEmpty());
    });
    edit->FireButtonClick();
    EXPECT_EQ(Field("MONEY_EMPLOYEE_NAME"), "");
    EXPECT_EQ(Field("MONEY_DEPT_NAME"), "");
    EXPECT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join("\n").toStdString();
}

// A voucher prints the list's current record under its own catalogue key,
// every list field offered as a master field; no export is offered.
TEST_F(EditIntoOutMoneyFormTest, PrintOffersEveryListFieldAsAMasterField) {
    AppDataFolder = folder_.Path();
    const auto restore = qScopeGuard([] { AppDataFolder.clear(); });
    AddRecord("070302000001", "200703000001", "001001");
    TEditIntoOutMoneyForm* form = ShowEditor(false);
    ASSERT_TRUE(form->Button_Print->isEnabled());
    test::ChooserProbe probe(list_);
    Press(Qt::Key_F11);
    const test::ChooserSeen& seen = probe.Seen;
    ASSERT_TRUE(seen.Shown);
    EXPECT_TRUE(seen.Ownerless);
    EXPECT_TRUE(seen.ListControlsDisabled);
    EXPECT_FALSE(list_->ControlsDisabled());
    EXPECT_EQ(seen.PrintIndex, "EditIntoOutMoneyForm");
    EXPECT_EQ(seen.KindCaption1, "设置单位借贷单据打印(报表模版)");
    EXPECT_EQ(seen.KindCaption2, "");
    EXPECT_EQ(seen.TemplateKind, 1);
    EXPECT_EQ(seen.TemplateDir, folder_.Path());
    EXPECT_EQ(seen.TemplateTable, "");
    EXPECT_EQ(seen.ReportDataSet, list_);
    EXPECT_EQ(seen.DataSetLine1, "");
    EXPECT_EQ(seen.DataSetLine2, "");
    ASSERT_EQ(seen.PrintFieldsM.size(), 38u);
    EXPECT_TRUE(seen.PrintFieldsMD.empty());
    for (std::size_t i = 0; i < seen.PrintFieldsM.size(); ++i) {
        const TPrintFields& entry = seen.PrintFieldsM[i];
        EXPECT_EQ(entry.FieldName, printFields_[i].FieldName) << i;
        EXPECT_EQ(entry.Caption, printFields_[i].Caption) << i;
        EXPECT_EQ(entry.InMaster, printFields_[i].InMaster) << i;
        EXPECT_FALSE(entry.InDetail) << i;
    }
    EXPECT_TRUE(printFields_[0].InDetail) << "the list's own fields keep their detail mark";
    EXPECT_FALSE(seen.ExcelEnabled);
    EXPECT_FALSE(seen.ExcelNumberColumn);
    EXPECT_TRUE(seen.ExcelFields.isEmpty());
    EXPECT_EQ(seen.ExcelDataSet, nullptr);
    EXPECT_TRUE(probe.Others.isEmpty());
}

TEST_F(EditIntoOutMoneyFormTest, PrintOnAnEmptyListShowsNoChooser) {
    TEditIntoOutMoneyForm* form = ShowEditor(false);
    ASSERT_TRUE(list_->IsEmpty());
    ASSERT_TRUE(form->Button_Print->isEnabled());
    test::ChooserProbe probe(list_);
    form->Button_Print->click();
    QTest::qWait(30);
    EXPECT_FALSE(probe.Seen.Shown);
    EXPECT_TRUE(probe.Others.isEmpty());
}

} // namespace
} // namespace kx
