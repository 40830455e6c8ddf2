// The ledger window opened from the main window's command, with ledger rows
// made by verifying records, and its day and month entry windows.

#include "cashbook/editintooutmoneydayform.h"
#include "cashbook/editintooutmoneymonthform.h"
#include "cashbook/intooutmoneyaccountform.h"
#include "cashbook/ledgerposting.h"
#include "cashbook/registerwindows.h"
#include "cashbook/selectmoneyaccountrootform.h"
#include "cashbook/selectshowintooutmoneyaccountform.h"
#include "cashbook/setstatusform.h"
#include "core/appstate.h"
#include "core/moneytext.h"
#include "core/sqlfunctions.h"
#include "frame/app/kxmain.h"
#include "frame/app/mainform.h"
#include "frame/app/windowregistry.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxdbcomboedit.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxedit.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/findformdialog.h"
#include "frame/dialogs/findwindow.h"
#include "frame/dialogs/selectmonthform.h"
#include "platform/sys/exception.h"
#include "tests/core/programfixture.h"
#include "tests/frame/controlsfixture.h"
#include "tests/support/clippedtexts.h"
#include "tests/support/printchooserprobe.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kx::cashbook {
namespace {

using test::OnNextModal;

enum class TFirstFind { AllData, Cancel };

class LedgerWindowTest : public ::testing::Test {
protected:
    LedgerWindowTest() {
        test::ResetProgramState();
        messages_.answer = true;
        AppUserId = QStringLiteral("U01");
        AppUserName = QStringLiteral("王会计");
        AppToday = QDate::currentDate().toString(Qt::ISODate);
        RegisterWindows();
        Exec("INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, ADD_RIGHT, EDIT_RIGHT, "
             "BROWSE_RIGHT, PRINT_RIGHT, VERIFY_RIGHT) VALUES ('U01', 1, 2, '是', '是', '是', "
             "'是', '是')");
        Exec("INSERT INTO KX_MONEY_ACCOUNT_TABLE (MONEY_ACCOUNT_ID, PRIOR_ID, MONEY_ACCOUNT_NAME, "
             "ORDER_ID) VALUES ('001', 'G001', '现金', 2), ('002', 'G001', '工行', 1)");
    }
    ~LedgerWindowTest() override {
        main_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TWindowRegistry::Unregister(TIntoOutMoneyAccountForm::kFormName);
        test::ResetProgramState();
    }

    void Exec(const QString& sql) { ASSERT_TRUE(ExecSqlText(kDatabaseName, sql)); }
    QString Value(const QString& sql) { return GetSqlFirstValue(kDatabaseName, sql); }
    static void Post(const char* date, const char* account, const char* in, const char* out) {
        ASSERT_TRUE(PostMoneyToLedgers(date, account, account, in, out, true));
    }

    // Opens the window by its menu command, answering the first find.
    TIntoOutMoneyAccountForm* Open(TFirstFind find) {
        if (!main_)
            main_ = std::make_unique<TMainForm>();
        OnNextModal([find](QWidget* dialog) {
            auto* window = qobject_cast<TFindWindow*>(dialog);
            ASSERT_NE(window, nullptr);
            (find == TFirstFind::AllData ? window->AllDataButton : window->CloseButton)->click();
        });
        main_->MenuItem("N17")->trigger();
        QCoreApplication::sendPostedEvents();
        auto* window = qobject_cast<TIntoOutMoneyAccountForm*>(
            FindWorkingWindow(TIntoOutMoneyAccountForm::kFormName));
        if (window) {
            QApplication::setActiveWindow(window);
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        return window;
    }

    // One line per row of the list: period, account name, the amounts and
    // the status.
    static QStringList Rows(TKXQuery* list, bool day) {
        QStringList rows;
        if (!list->Active())
            return rows;
        const QString prefix = day ? "DAY" : "MONTH";
        for (list->First(); !list->Eof(); list->Next())
            rows << QStringLiteral("%1 %2 %3/%4/%5/%6 %7")
                        .arg(list->FieldByName(day ? "MONEY_DAY_DATE" : "MONEY_MONTH")->AsString(),
                             list->FieldByName("MONEY_ACCOUNT_NAME")->AsString())
                        .arg(list->FieldByName("PRIOR_" + prefix + "_MONEY")->AsFloat())
                        .arg(list->FieldByName("INTO_" + prefix + "_MONEY")->AsFloat())
                        .arg(list->FieldByName("OUT_" + prefix + "_MONEY")->AsFloat())
                        .arg(list->FieldByName("TODAY_" + prefix + "_MONEY")->AsFloat())
                        .arg(list->FieldByName("STATUS")->AsString());
        list->First();
        return rows;
    }
    static void ChooseAccount(TIntoOutMoneyAccountForm* window, const QString& id) {
        TTreeNode* root = window->KXTreeView->topLevelItem(0);
        root->setExpanded(true);
        for (int i = 0; i < root->childCount(); ++i) {
            if (window->KXTreeView->GetNodeID(root->child(i)) == id) {
                window->KXTreeView->setCurrentItem(root->child(i));
                return;
            }
        }
        ADD_FAILURE() << "no account " << id.toStdString();
    }
    // Types over the input's text as a user does, the input focused.
    static void Type(QWidget* input, const QString& text) {
        test::FocusOn(input);
        static_cast<QLineEdit*>(input)->selectAll();
        test::TypeText(input, text);
    }
    static void Grab(QWidget* window, const QString& name) {
        const QString folder = QDir::temp().filePath(QStringLiteral("kx-screens"));
        QDir().mkpath(folder);
        EXPECT_TRUE(window->grab().save(folder + '/' + name + ".png"));
        EXPECT_EQ(test::ClippedTexts(*window), QStringList()) << name.toStdString();
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    std::unique_ptr<TMainForm> main_;
};

TEST_F(LedgerWindowTest, ShowsEveryAccountAtTheRootAndOneAccountWhenChosen) {
    Post("2008-09-10", "001", "150.5", "20");
    Post("2008-09-10", "002", "1000", "0");
    Post("2008-09-12", "001", "0", "30");
    Post("2008-10-02", "002", "0", "250");
    // A ledger row of an account no longer on file is not listed.
    Exec("INSERT INTO KX_MONEY_DAY_TABLE (MONEY_DAY_DATE, MONEY_ACCOUNT_ID, STATUS) VALUES "
         "('2008-09-11', '009', '未审核')");

    TIntoOutMoneyAccountForm* window = Open(TFirstFind::AllData);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Label1->text(), "查找条件：");
    EXPECT_TRUE(window->button_print->isVisible());
    EXPECT_FALSE(window->Button_Other->isVisible());
    // Within a date, the account listed first in the tree comes first.
    EXPECT_EQ(Rows(window->Query, true), QStringList({"2008-09-10 工行 0/1000/0/1000 未审核",
                                                      "2008-09-10 现金 0/150.5/20/130.5 未审核",
                                                      "2008-09-12 现金 130.5/0/30/100.5 未审核",
                                                      "2008-10-02 工行 1000/0/250/750 未审核"}));
    Grab(window, "ledger-day");

    ChooseAccount(window, "001");
    EXPECT_EQ(window->AccountName, "现金");
    EXPECT_EQ(Rows(window->Query, true), QStringList({"2008-09-10 现金 0/150.5/20/130.5 未审核",
                                                      "2008-09-12 现金 130.5/0/30/100.5 未审核"}));
    window->RadioButton4->click();
    EXPECT_EQ(window->ActiveQuery, window->QyMonth);
    EXPECT_EQ(window->GridPages->currentWidget(), static_cast<QWidget*>(window->DBGrid2));
    EXPECT_EQ(Rows(window->QyMonth, false),
              QStringList({"2008年09月 现金 0/150.5/50/100.5 未审核"}));

    window->KXTreeView->setCurrentItem(window->KXTreeView->topLevelItem(0));
    EXPECT_EQ(window->AccountId, "G001");
    EXPECT_EQ(Rows(window->QyMonth, false), QStringList({"2008年09月 工行 0/1000/0/1000 未审核",
                                                         "2008年09月 现金 0/150.5/50/100.5 未审核",
                                                         "2008年10月 工行 1000/0/250/750 未审核"}));
    Grab(window, "ledger-month");
}

// The day list stays empty after a cancelled first find; verify follows the
// list of the view shown, not the day list.
TEST_F(LedgerWindowTest, CancelledFindEmptiesTheDayListAndVerifyWorksOnTheMonthList) {
    Post("2008-09-10", "001", "100", "0");
    TIntoOutMoneyAccountForm* window = Open(TFirstFind::Cancel);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Label1->text(), "查找条件：不显示资料");
    EXPECT_TRUE(window->Query->IsEmpty());

    window->RadioButton4->click();
    EXPECT_EQ(window->Label1->text(), "查找条件：");
    ASSERT_EQ(Rows(window->QyMonth, false).size(), 1);

    OnNextModal([](QWidget* dialog) {
        auto* status = qobject_cast<TSetStatusForm*>(dialog);
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->KXComboBox1->currentText(), "已审核");
        status->Button_ok->click();
    });
    window->button_check->click();
    EXPECT_EQ(Value("SELECT STATUS || ' ' || VERIFY_NAME FROM KX_MONEY_MONTH_TABLE"),
              "已审核 王会计");
    EXPECT_EQ(Value("SELECT STATUS FROM KX_MONEY_DAY_TABLE"), "未审核");
    // A verified row is locked against editing.
    EXPECT_THROW(window->QyMonth->EditRecord(), EAbort);
    EXPECT_EQ(window->QyMonth->State(), db::dsBrowse);
    EXPECT_EQ(messages_.Texts().value(0), "状态为： “ 已审核 ”  的记录不能编辑");

    window->RadioButton3->click();
    EXPECT_EQ(window->Label1->text(), "查找条件：不显示资料");
    EXPECT_TRUE(window->Query->IsEmpty());
}

TEST_F(LedgerWindowTest, DrillDownIsHandedTheRowsOfTheView) {
    Post("2008-09-10", "001", "100", "0");
    TIntoOutMoneyAccountForm* window = Open(TFirstFind::AllData);
    ASSERT_NE(window, nullptr);
    bool buttonDisabled = false;
    db::TDataSet* master = nullptr;
    bool dayLedger = true;
    TPrintFieldsArray printFields;
    db::TDataSet* fieldQuery = nullptr;
    OnNextModal([&](QWidget* dialog) {
        auto* records = qobject_cast<TSelectShowIntoOutMoneyAccountForm*>(dialog);
        ASSERT_NE(records, nullptr);
        buttonDisabled = !window->SpeedButton1->isEnabled();
        master = records->MasterList;
        dayLedger = records->IsDayLedger;
        printFields = records->MasterPrintFields;
        fieldQuery = records->FieldQuery;
        records->close();
    });
    window->RadioButton4->click();
    window->SpeedButton1->click();
    EXPECT_TRUE(buttonDisabled);
    EXPECT_EQ(master, window->QyMonth);
    EXPECT_FALSE(dayLedger);
    EXPECT_EQ(printFields.size(), 17u);
    EXPECT_EQ(printFields[1].FieldName, "MONEY_MONTH");
    ASSERT_NE(fieldQuery, nullptr);
    EXPECT_TRUE(fieldQuery->Active());
    EXPECT_EQ(fieldQuery->RecordCount(), 8);
    // The ledger window writes the slot rows with its own amount captions.
    EXPECT_EQ(Value("SELECT FIELD_DISPLAY_NAME FROM SYS_MONEY_FIELD_TABLE WHERE FIELD_ORDER = 6"),
              "借款金额");
    EXPECT_TRUE(window->SpeedButton1->isEnabled());
}

// Runs the entry window the add or edit button opens; the action works in it
// and must leave it closable.
template <class Editor> void InEditor(QToolButton* button, std::function<void(Editor*)> action) {
    OnNextModal([action](QWidget* dialog) {
        auto* editor = qobject_cast<Editor*>(dialog);
        ASSERT_NE(editor, nullptr);
        action(editor);
        editor->button_close->click();
    });
    button->click();
}

TEST_F(LedgerWindowTest, DayEntryKeepsTheBalanceAndRefusesASecondRowOfTheDay) {
    Post("2008-09-10", "001", "100", "0");
    TIntoOutMoneyAccountForm* window = Open(TFirstFind::AllData);
    ASSERT_NE(window, nullptr);
    InEditor<TEditIntoOutMoneyDayForm>(window->button_add, [&](TEditIntoOutMoneyDayForm* editor) {
        // The new row takes the account of the row that was current.
        ASSERT_EQ(window->Query->State(), db::dsInsert);
        EXPECT_EQ(editor->Label24->text(), "现金");
        EXPECT_EQ(editor->Panel3->text(), "未审核");
        EXPECT_EQ(editor->KXDBComboEdit1->text(), AppToday);
        Type(editor->KXDBEdit3, "100");
        Type(editor->KXDBEdit10, "50.5");
        Type(editor->KXDBEdit1, "20");
        EXPECT_DOUBLE_EQ(editor->KXDBEdit2->text().toDouble(), 130.5);
        editor->KXDBEdit1->clear();
        EXPECT_DOUBLE_EQ(editor->KXDBEdit2->text().toDouble(), 150.5);
        Grab(editor, "ledger-day-entry");

        // The same account and day once more is refused, the row stays in edit.
        Type(editor->KXDBComboEdit1, "2008-09-10");
        editor->button_save->click();
        EXPECT_EQ(messages_.Texts().value(0), kDayDuplicateMessage);
        EXPECT_EQ(window->Query->State(), db::dsInsert);

        Type(editor->KXDBComboEdit1, "2008-09-11");
        editor->button_save->click();
        EXPECT_EQ(window->Query->State(), db::dsBrowse);
    });
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_MONEY_DAY_TABLE"), "2");
    EXPECT_EQ(Value("SELECT printf('%.2f/%.2f/%.2f/%.2f ', PRIOR_DAY_MONEY, INTO_DAY_MONEY, "
                    "OUT_DAY_MONEY, TODAY_DAY_MONEY) || STATUS || ' ' || CREATE_NAME FROM "
                    "KX_MONEY_DAY_TABLE WHERE MONEY_DAY_DATE = '2008-09-11'"),
              "100.00/50.50/0.00/150.50 未审核 王会计");
    EXPECT_EQ(Value("SELECT printf('%.2f', TODAY_DAY_MONEY) FROM KX_MONEY_DAY_TABLE WHERE "
                    "MONEY_DAY_DATE = '2008-09-10'"),
              "100.00");
}

// A date the field refuses stops the save of the whole row, in every date
// box of both entry windows: the amount typed beside it is not written. The
// reason shows once, the row stays in edit, and cancel shows the stored row.
TEST_F(LedgerWindowTest, ABadDateInAnEntryWindowSavesNothing) {
    struct TCase {
        bool day;
        const char* box;
    };
    const TCase cases[] = {
        {true, "MONEY_DAY_DATE"}, {false, "MONEY_START_DATE"}, {false, "MONEY_END_DATE"}};
    Post("2008-09-10", "001", "100", "0");
    Exec("UPDATE KX_MONEY_MONTH_TABLE SET MONEY_START_DATE = '2008-09-01', MONEY_END_DATE = "
         "'2008-09-30'");
    const QString everything = "SELECT (SELECT group_concat(MONEY_DAY_DATE||'/'||INTO_DAY_MONEY) "
                               "FROM KX_MONEY_DAY_TABLE)||' '||(SELECT group_concat("
                               "MONEY_START_DATE||'/'||MONEY_END_DATE||'/'||INTO_MONTH_MONEY) FROM "
                               "KX_MONEY_MONTH_TABLE)";
    const QString before = Value(everything);
    TIntoOutMoneyAccountForm* window = Open(TFirstFind::AllData);
    ASSERT_NE(window, nullptr);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.box);
        (c.day ? window->RadioButton3 : window->RadioButton4)->click();
        TKXQuery* list = c.day ? window->Query : window->QyMonth;
        const auto check = [&](TLedgerEntryForm* editor) {
            auto* box = editor->findChild<QLineEdit*>(c.box);
            ASSERT_NE(box, nullptr);
            const QString stored = box->text();
            editor->button_edit->click();
            ASSERT_EQ(list->State(), db::dsEdit);
            Type(editor->KXDBEdit10, "777");
            Type(box, "2020-13-45");
            messages_.Clear();
            QTest::keyClick(box, Qt::Key_F8);
            QCoreApplication::processEvents();
            EXPECT_EQ(messages_.Texts(), QStringList{"请按格式YYYY-MM-DD 输入日期"});
            EXPECT_EQ(list->State(), db::dsEdit);
            EXPECT_EQ(Value(everything), before);
            editor->button_cancel->click();
            QCoreApplication::processEvents();
            EXPECT_EQ(list->State(), db::dsBrowse);
            EXPECT_EQ(box->text(), stored);
            EXPECT_DOUBLE_EQ(MoneyTextToFloat(editor->KXDBEdit10->text()), 100);
        };
        if (c.day)
            InEditor<TEditIntoOutMoneyDayForm>(window->button_edit, check);
        else
            InEditor<TEditIntoOutMoneyMonthForm>(window->button_edit, check);
    }
    EXPECT_EQ(Value(everything), before);
}

// A comma in an amount groups thousands: it never becomes the decimal point,
// typed or pasted, and the balance counts the amount without it.
TEST_F(LedgerWindowTest, CommasInAmountsGroupThousands) {
    struct TCase {
        const char* text;
        bool pasted;
        const char* shown;
        double stored; // negative: refused
    };
    const TCase cases[] = {
        {"1,234.5", false, "1,234.5", 1234.5}, {"1,000.5", false, "1,000.5", 1000.5},
        {"12,3", false, "12,3", 123},          {",5", false, ",5", 5},
        {"1.2.3", false, "1.23", 1.23},        {"1,000.5", true, "1,000.5", 1000.5},
        {"1.2.3", true, "1.2.3", -1},
    };
    Post("2008-09-10", "001", "100", "0");
    TIntoOutMoneyAccountForm* window = Open(TFirstFind::AllData);
    ASSERT_NE(window, nullptr);
    const QString stored = "SELECT INTO_DAY_MONEY FROM KX_MONEY_DAY_TABLE";
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.text) + (c.pasted ? " pasted" : " typed"));
        const QString before = Value(stored);
        InEditor<TEditIntoOutMoneyDayForm>(
            window->button_edit, [&](TEditIntoOutMoneyDayForm* editor) {
                editor->button_edit->click();
                if (c.pasted) {
                    test::FocusOn(editor->KXDBEdit10);
                    editor->KXDBEdit10->selectAll();
                    QApplication::clipboard()->setText(c.text);
                    editor->KXDBEdit10->paste();
                } else {
                    Type(editor->KXDBEdit10, c.text);
                }
                EXPECT_EQ(editor->KXDBEdit10->text(), c.shown);
                messages_.Clear();
                editor->button_save->click();
                QCoreApplication::processEvents();
                if (c.stored < 0) {
                    EXPECT_FALSE(messages_.Texts().isEmpty());
                    EXPECT_EQ(window->Query->State(), db::dsEdit);
                    editor->button_cancel->click();
                    return;
                }
                EXPECT_EQ(messages_.Texts(), QStringList());
                EXPECT_EQ(window->Query->State(), db::dsBrowse);
                EXPECT_DOUBLE_EQ(MoneyTextToFloat(editor->KXDBEdit2->text()),
                                 MoneyTextToFloat(editor->KXDBEdit3->text()) + c.stored -
                                     MoneyTextToFloat(editor->KXDBEdit1->text()));
            });
        EXPECT_DOUBLE_EQ(Value(stored).toDouble(), c.stored < 0 ? before.toDouble() : c.stored);
    }
}

TEST_F(LedgerWindowTest, MonthEntryRefusesASecondRowOfTheMonth) {
    Post("2008-09-10", "001", "100", "0");
    TIntoOutMoneyAccountForm* window = Open(TFirstFind::AllData);
    ASSERT_NE(window, nullptr);
    window->RadioButton4->click();
    InEditor<TEditIntoOutMoneyMonthForm>(
        window->button_add, [&](TEditIntoOutMoneyMonthForm* editor) {
            ASSERT_EQ(window->QyMonth->State(), db::dsInsert);
            EXPECT_EQ(editor->KXDBComboEdit8->text(), QDate::currentDate().toString("yyyy年MM月"));
            EXPECT_EQ(editor->focusWidget(), editor->KXDBComboEdit8);
            Grab(editor, "ledger-month-entry");
            for (auto [box, text] : {std::pair{editor->KXDBComboEdit8, "2008年09月"},
                                     std::pair{editor->KXDBComboEdit1, "2008-09-01"},
                                     std::pair{editor->KXDBComboEdit2, "2008-09-30"}}) {
                Type(box, text);
            }
            editor->button_save->click();
            EXPECT_EQ(messages_.Texts().value(0), kMonthDuplicateMessage);
            EXPECT_EQ(window->QyMonth->State(), db::dsInsert);
            editor->button_cancel->click();
        });
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_MONEY_MONTH_TABLE"), "1");
    EXPECT_EQ(Rows(window->QyMonth, false).size(), 1);
}

// With no current row the user must pick an account; without one the new
// row is dropped.
TEST_F(LedgerWindowTest, AddingToAnEmptyListAsksForTheAccount) {
    TIntoOutMoneyAccountForm* window = Open(TFirstFind::AllData);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->Query->IsEmpty());
    OnNextModal([&](QWidget* picker) {
        ASSERT_NE(qobject_cast<TSelectMoneyAccountRootForm*>(picker), nullptr);
        OnNextModal([](QWidget* dialog) {
            qobject_cast<TEditIntoOutMoneyDayForm*>(dialog)->button_close->click();
        });
        static_cast<QDialog*>(picker)->reject();
    });
    window->button_add->click();
    EXPECT_EQ(messages_.Texts(), QStringList{"必须选择一个资金账号"});
    EXPECT_EQ(window->Query->State(), db::dsBrowse);
    EXPECT_TRUE(window->Query->IsEmpty());
    EXPECT_TRUE(window->button_add->isEnabled());
}

// Each view keeps its own condition; the dialog swaps its rules with the view.
TEST_F(LedgerWindowTest, FindInTheMonthViewLeavesTheDayConditionAlone) {
    Post("2008-09-10", "001", "100", "0");
    AppSystemUser = true;
    TIntoOutMoneyAccountForm* window = Open(TFirstFind::Cancel);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Button_Other->isVisible());
    window->RadioButton4->click();
    OnNextModal([](QWidget* dialog) {
        auto* find = qobject_cast<TFindWindow*>(dialog);
        ASSERT_NE(find, nullptr);
        EXPECT_EQ(find->windowTitle(), "资金账号日台帐查找窗口");
        find->AllDataButton->click();
    });
    window->button_find->click();
    EXPECT_EQ(window->FindFormDialog->FieldSetTag, "GQueryDetailFieldData");
    EXPECT_EQ(window->MonthCondition, "");
    EXPECT_EQ(window->DayCondition, kNoRowsCondition);
    EXPECT_EQ(Rows(window->QyMonth, false).size(), 1);
    window->RadioButton3->click();
    EXPECT_EQ(window->Label1->text(), "查找条件：不显示资料");
    EXPECT_TRUE(window->Query->IsEmpty());
}

TEST_F(LedgerWindowTest, MonthPickerAndVerifyInTheMonthEntryWindow) {
    Post("2008-09-10", "001", "100", "0");
    TIntoOutMoneyAccountForm* window = Open(TFirstFind::AllData);
    ASSERT_NE(window, nullptr);
    window->RadioButton4->click();
    InEditor<TEditIntoOutMoneyMonthForm>(
        window->button_edit, [&](TEditIntoOutMoneyMonthForm* editor) {
            EXPECT_EQ(editor->Label24->text(), "现金");
            // Browsing: the month button opens nothing.
            editor->KXDBComboEdit8->OnButtonClick(editor->KXDBComboEdit8);
            editor->button_edit->click();
            ASSERT_EQ(window->QyMonth->State(), db::dsEdit);
            OnNextModal([](QWidget* dialog) {
                auto* picker = qobject_cast<TSelectMonthForm*>(dialog);
                ASSERT_NE(picker, nullptr);
                EXPECT_EQ(picker->YearEdit->text(), "2008");
                EXPECT_EQ(picker->MonthEdit->text(), "09");
                picker->YearEdit->setText("2009");
                picker->MonthEdit->setText("03");
                picker->SureButton->click();
            });
            editor->KXDBComboEdit8->OnButtonClick(editor->KXDBComboEdit8);
            EXPECT_EQ(editor->KXDBComboEdit8->text(), "2009年03月");
            editor->button_save->click();
            ASSERT_EQ(window->QyMonth->State(), db::dsBrowse);

            // Choosing the status the row has changes nothing.
            OnNextModal([](QWidget* dialog) {
                auto* status = qobject_cast<TSetStatusForm*>(dialog);
                status->KXComboBox1->setCurrentIndex(0);
                status->Button_ok->click();
            });
            editor->button_Ok->click();
            EXPECT_EQ(editor->Panel3->text(), "未审核");
            OnNextModal(
                [](QWidget* dialog) { qobject_cast<TSetStatusForm*>(dialog)->Button_ok->click(); });
            editor->button_Ok->click();
            EXPECT_EQ(editor->Panel3->text(), "已审核");
        });
    EXPECT_EQ(Value("SELECT MONEY_MONTH || ' ' || STATUS || ' ' || EDIT_NAME || ' ' || "
                    "VERIFY_NAME FROM KX_MONEY_MONTH_TABLE"),
              "2009年03月 已审核 王会计 王会计");
    EXPECT_EQ(window->MonthPicker->parent(), window);
}

// Enter in a date box that holds a date moves on without the date dialog.
TEST_F(LedgerWindowTest, EnterInAFilledDateBoxMovesOn) {
    Post("2008-09-10", "001", "100", "0");
    TIntoOutMoneyAccountForm* window = Open(TFirstFind::AllData);
    ASSERT_NE(window, nullptr);
    InEditor<TEditIntoOutMoneyDayForm>(window->button_edit, [&](TEditIntoOutMoneyDayForm* editor) {
        editor->button_edit->click();
        ASSERT_EQ(window->Query->State(), db::dsEdit);
        test::FocusOn(editor->KXDBComboEdit1);
        QTest::keyClick(editor->KXDBComboEdit1, Qt::Key_Return);
        EXPECT_NE(QApplication::focusWidget(), editor->KXDBComboEdit1);
        EXPECT_EQ(QApplication::activeModalWidget(), editor);
        editor->button_cancel->click();
    });
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

// Each view prints its own list under its own catalogue key, with the list
// as the filler's data set and the ledger columns as the export's.
TEST_F(LedgerWindowTest, PrintHandsTheShownViewsListToTheChooser) {
    AppDataFolder = data_.Folder.Path();
    const auto restore = qScopeGuard([] { AppDataFolder.clear(); });
    Post("2008-09-10", "001", "150.5", "20");
    TIntoOutMoneyAccountForm* window = Open(TFirstFind::AllData);
    ASSERT_NE(window, nullptr);
    const struct {
        bool day;
        const char* index;
        const char* caption;
        const char* report;
        const char* period;
    } views[] = {
        {true, "IntoOutMoneyAccountForm1", "设置资金账号日台账(报表模版)", "资金账号日台账",
         "MONEY_DAY_DATE"},
        {false, "IntoOutMoneyAccountForm2", "设置资金账号月台账(报表模版)", "资金账号月台账",
         "MONEY_MONTH"},
    };
    for (const auto& view : views) {
        SCOPED_TRACE(view.index);
        if (!view.day)
            window->RadioButton4->click();
        TKXQuery* list = view.day ? window->Query : window->QyMonth;
        ASSERT_FALSE(list->IsEmpty());
        ASSERT_TRUE(window->button_print->isVisible());
        ASSERT_TRUE(window->button_print->isEnabled());
        test::ChooserProbe probe(list);
        test::PressKey(window, Qt::Key_F11);
        const test::ChooserSeen& seen = probe.Seen;
        ASSERT_TRUE(seen.Shown);
        EXPECT_TRUE(seen.ListControlsDisabled);
        EXPECT_FALSE(list->ControlsDisabled());
        EXPECT_EQ(seen.PrintIndex, view.index);
        EXPECT_EQ(seen.KindCaption1, view.caption);
        EXPECT_EQ(seen.TemplateKind, 1);
        EXPECT_EQ(seen.DataSetLine1, "");
        EXPECT_EQ(seen.DataSetLine2, "");
        EXPECT_EQ(seen.TemplateDir, data_.Folder.Path());
        EXPECT_EQ(seen.TemplateTable, "");
        EXPECT_EQ(seen.ReportDataSet, list);
        const TPrintFieldsArray& printFields =
            view.day ? window->DayPrintFields : window->MonthPrintFields;
        ASSERT_EQ(seen.PrintFieldsM.size(), printFields.size());
        EXPECT_EQ(seen.PrintFieldsM[1].FieldName, view.period);
        EXPECT_TRUE(seen.ExcelEnabled);
        EXPECT_TRUE(seen.ExcelNumberColumn);
        EXPECT_EQ(seen.ExcelDataSet, list);
        EXPECT_EQ(seen.ReportName, view.report);
        ASSERT_EQ(seen.ExcelFields.size(), 17);
        EXPECT_EQ(seen.ExcelFields[1].FieldName, view.period);
        EXPECT_EQ(seen.ExcelFields[1].Caption, printFields[1].Caption);
        EXPECT_TRUE(seen.ExcelFooters.isEmpty());
        EXPECT_TRUE(probe.Others.isEmpty());
    }
}

TEST_F(LedgerWindowTest, PrintOnAnEmptyLedgerShowsNoChooser) {
    TIntoOutMoneyAccountForm* window = Open(TFirstFind::Cancel);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->Query->IsEmpty());
    ASSERT_TRUE(window->button_print->isEnabled());
    test::ChooserProbe probe(window->Query);
    test::PressKey(window, Qt::Key_F11);
    QTest::qWait(30);
    EXPECT_FALSE(probe.Seen.Shown);
}

// The drill-down prints master-detail: its records as the detail, bound by
// name to the ledger list it was opened from, whose row is the master.
TEST_F(LedgerWindowTest, DrillDownPrintBindsTheLedgerRowAndItsRecords) {
    AppDataFolder = data_.Folder.Path();
    const auto restore = qScopeGuard([] { AppDataFolder.clear(); });
    Post("2008-09-10", "001", "150.5", "20");
    TIntoOutMoneyAccountForm* window = Open(TFirstFind::AllData);
    ASSERT_NE(window, nullptr);
    for (const bool day : {true, false}) {
        SCOPED_TRACE(day ? "day" : "month");
        if (!day)
            window->RadioButton4->click();
        test::ChooserSeen seen;
        db::TDataSet* records = nullptr;
        db::TDataSet* master = nullptr;
        db::TDataSet* detail = nullptr;
        OnNextModal([&](QWidget* dialog) {
            auto* drillDown = qobject_cast<TSelectShowIntoOutMoneyAccountForm*>(dialog);
            if (!drillDown) {
                dialog->close();
                return;
            }
            records = drillDown->Query;
            test::ChooserProbe probe(records, drillDown);
            drillDown->Button_Print->click();
            seen = probe.Seen;
            detail = test::BoundDataSet(seen.DataSetLine2);
            master = test::BoundDataSet(seen.DataSetLine1);
            drillDown->close();
        });
        window->SpeedButton1->click();
        ASSERT_TRUE(seen.Shown);
        EXPECT_EQ(seen.DataSetLine1,
                  day ? "D,IntoOutMoneyAccountForm.Query" : "D,IntoOutMoneyAccountForm.QyMonth");
        EXPECT_EQ(seen.DataSetLine2, "M,SelectShowIntoOutMoneyAccountForm.Query");
        EXPECT_EQ(master, day ? window->Query : window->QyMonth);
        EXPECT_EQ(detail, records);
        EXPECT_EQ(seen.PrintIndex, "SelectShowIntoOutMoneyAccountForm");
        EXPECT_EQ(seen.TemplateKind, 2);
        ASSERT_EQ(seen.PrintFieldsMD.size(), 48u);
        EXPECT_EQ(seen.PrintFieldsMD[39].FieldName, day ? "MONEY_DAY_DATE" : "MONEY_MONTH");
    }
}

} // namespace
} // namespace kx::cashbook
