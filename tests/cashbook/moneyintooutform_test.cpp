// The in/out records list opened from the main window's command: what it
// finds in the selected subtree, which rows it deletes, verification and
// its take-back going through the ledgers together with the stamp, the
// duplicate checks, and columns that follow the field slots.

#include "cashbook/editintooutmoneyform.h"
#include "cashbook/moneyintooutform.h"
#include "cashbook/registerwindows.h"
#include "cashbook/setintooutmoneyfieldform.h"
#include "cashbook/setstatusform.h"
#include "core/appstate.h"
#include "core/options.h"
#include "core/sqlfunctions.h"
#include "frame/app/kxmain.h"
#include "frame/app/mainform.h"
#include "frame/app/windowregistry.h"
#include "frame/controls/kx3dlabel.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxedit.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/findwindow.h"
#include "frame/dialogs/kxfindform.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/gridpictures.h"
#include "tests/core/programfixture.h"
#include "tests/frame/controlsfixture.h"
#include "tests/support/clippedtexts.h"
#include "tests/support/closewindow.h"
#include "tests/support/modal.h"
#include "tests/support/printchooserprobe.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kx::cashbook {
namespace {

using test::OnNextModal;

void AllData(QWidget* dialog) {
    auto* find = qobject_cast<TFindWindow*>(dialog);
    ASSERT_NE(find, nullptr);
    find->AllDataButton->click();
}

void CloseFind(QWidget* dialog) {
    auto* find = qobject_cast<TFindWindow*>(dialog);
    ASSERT_NE(find, nullptr);
    find->CloseButton->click();
}

class MoneyIntoOutFormTest : public ::testing::Test {
protected:
    MoneyIntoOutFormTest() {
        test::ResetProgramState();
        messages_.answer = true;
        AppUserId = QStringLiteral("U01");
        AppUserName = QStringLiteral("张三");
        AppToday = QStringLiteral("2008-09-30");
        RegisterWindows();
        Exec("INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, ADD_RIGHT, EDIT_RIGHT, "
             "BROWSE_RIGHT, PRINT_RIGHT, VERIFY_RIGHT) VALUES ('U01', 1, 1, '是', '是', '是', "
             "'是', '是')");
        for (const char* subject : {"'001','G001','收入',1", "'001001','001','销售',1",
                                    "'001002','001','利息',2", "'002','G001','支出',2"})
            Exec(QStringLiteral("INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE (MONEY_TYPE_ID, "
                                "PRIOR_ID, MONEY_TYPE_NAME, ORDER_ID) VALUES (%1)")
                     .arg(QString::fromUtf8(subject)));
        Exec("INSERT INTO KX_MONEY_ACCOUNT_TABLE (MONEY_ACCOUNT_ID, PRIOR_ID, MONEY_ACCOUNT_NAME, "
             "ORDER_ID) VALUES ('001', 'G001', '现金', 1)");
        AddRecord("R1", "A1", "001001", "2008-09-10", 100, 0, "未审核", "货款");
        AddRecord("R2", "A2", "001002", "2008-09-11", 50, 0, "未审核", "利息");
        AddRecord("R3", "A3", "002", "2008-09-12", 0, 30, "已审核", "房租");
    }
    ~MoneyIntoOutFormTest() override {
        main_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TWindowRegistry::Unregister(TMoneyIntoOutForm::kFormName);
        test::ResetProgramState();
    }

    void Exec(const QString& sql) {
        ASSERT_TRUE(ExecSqlText(kDatabaseName, sql)) << sql.toStdString();
    }
    QString Value(const QString& sql) { return GetSqlFirstValue(kDatabaseName, sql); }
    void AddRecord(const char* recordId, const char* moneyId, const char* subject, const char* date,
                   double in, double out, const char* status, const char* summary) {
        Exec(QStringLiteral("INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, "
                            "MONEY_TYPE_ID, MONEY_ACCOUNT_ID, MONEY_DATE, MONEY_INTO_NUMBER, "
                            "MONEY_OUT_NUMBER, STATUS, VERIFY_NAME, MONEY_TEXT_FIELD1, "
                            "MONEY_TEXT_NOTE, EDIT_NAME) VALUES ('%1', '%2', '%3', '001', "
                            "'%4', %5, %6, '%7', '李四', '%8', '%8', '李四')")
                 .arg(recordId, moneyId, subject, date)
                 .arg(in)
                 .arg(out)
                 .arg(QString::fromUtf8(status), QString::fromUtf8(summary)));
    }
    QString Record(const char* recordId, const char* columns) {
        return Value(QStringLiteral("SELECT %1 FROM KX_INTO_OUT_MONEY_TABLE WHERE "
                                    "MONEY_RECORD_ID = '%2'")
                         .arg(QString::fromLatin1(columns), QString::fromLatin1(recordId)));
    }
    // Every ledger row, so that a test sees any change at all.
    QString Ledgers() {
        return Value("SELECT group_concat(r, ';') FROM (SELECT MONEY_MONTH||' '||"
                     "INTO_MONTH_MONEY||' '||OUT_MONTH_MONEY||' '||TODAY_MONTH_MONEY AS r FROM "
                     "KX_MONEY_MONTH_TABLE UNION ALL SELECT MONEY_DAY_DATE||' '||INTO_DAY_MONEY||"
                     "' '||OUT_DAY_MONEY||' '||TODAY_DAY_MONEY FROM KX_MONEY_DAY_TABLE)");
    }

    // Opens the list from the main window; the find dialog that comes
    // first gets findAction.
    TMoneyIntoOutForm* Open(const std::function<void(QWidget*)>& findAction = AllData) {
        if (!main_)
            main_ = std::make_unique<TMainForm>();
        OnNextModal(findAction);
        main_->MenuItem("N13")->trigger();
        QCoreApplication::sendPostedEvents();
        auto* window =
            qobject_cast<TMoneyIntoOutForm*>(FindWorkingWindow(TMoneyIntoOutForm::kFormName));
        if (window) {
            QApplication::setActiveWindow(window);
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        return window;
    }
    static void Select(TMoneyIntoOutForm* window, const QString& id) {
        for (QTreeWidgetItemIterator it(window->KXTreeView); *it; ++it) {
            if (window->KXTreeView->GetNodeID(*it) == id) {
                window->KXTreeView->setCurrentItem(*it);
                return;
            }
        }
        ADD_FAILURE() << "no node " << id.toStdString();
    }
    static void Expand(TMoneyIntoOutForm* window, const QString& id) {
        Select(window, id);
        window->KXTreeView->currentItem()->setExpanded(true);
    }
    // The record numbers the list shows, in its order.
    static QStringList Listed(TMoneyIntoOutForm* window) {
        QStringList ids;
        TKXQuery* query = window->Query;
        if (!query->Active())
            return ids;
        for (query->First(); !query->Eof(); query->Next())
            ids << query->FieldByName("MONEY_ID")->AsString();
        return ids;
    }
    static bool Locate(TMoneyIntoOutForm* window, const QString& moneyId) {
        TKXQuery* query = window->Query;
        for (query->First(); !query->Eof(); query->Next())
            if (query->FieldByName("MONEY_ID")->AsString() == moneyId)
                return true;
        return false;
    }
    static QStringList Titles(TMoneyIntoOutForm* window) {
        QStringList titles;
        TColumnsXList* columns = window->DBGrid1->VisibleColumns();
        for (int i = 0; i < columns->Count(); ++i)
            titles << columns->GetColumn(i)->Title()->Caption();
        return titles;
    }
    // Verifies or takes back the current record, choosing status in the
    // status dialog.
    static void Check(TMoneyIntoOutForm* window, const QString& status) {
        OnNextModal([status](QWidget* dialog) {
            auto* form = qobject_cast<TSetStatusForm*>(dialog);
            ASSERT_NE(form, nullptr);
            form->KXComboBox1->setCurrentIndex(form->KXComboBox1->findText(status));
            form->Button_ok->click();
        });
        window->button_check->click();
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    std::unique_ptr<TMainForm> main_;
};

TEST_F(MoneyIntoOutFormTest, FirstOpeningWritesTheDefaultSlotsAndShowsTheirColumns) {
    TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Value("SELECT group_concat(FIELD_ORDER, ',') FROM (SELECT FIELD_ORDER FROM "
                    "SYS_MONEY_FIELD_TABLE ORDER BY FIELD_ORDER)"),
              "1,2,3,5,6,7,8,21");
    EXPECT_EQ(window->windowTitle(), "资金借贷记录管理窗口");
    EXPECT_EQ(Titles(window),
              QStringList({"状态", "记录编号", "账款类别", "借贷日期", "摘要", "资金账号",
                           "借入金额", "贷出金额", "经办人员", "备注", "审核人员", "审核日期",
                           "修改人员", "修改日期", "建档人员", "建档日期"}));
    EXPECT_EQ(window->KX3DLabel1->Caption(), "查找条件：");
    EXPECT_EQ(Listed(window), QStringList({"A1", "A2", "A3"}));
    ASSERT_TRUE(Locate(window, "A3"));
    EXPECT_EQ(window->Query->FieldByName("MONEY_TYPE_NAME")->AsString(), "支出");
    EXPECT_EQ(window->Query->FieldByName("MONEY_ACCOUNT_NAME")->AsString(), "现金");
    EXPECT_EQ(window->Query->FieldByName("MONEY_SUM_NUMBER")->AsFloat(), -30);
    EXPECT_TRUE(window->button_check->isVisible());
    EXPECT_EQ(window->button_check->text(), "审核");
    EXPECT_TRUE(window->button_print->isVisible());
    EXPECT_FALSE(window->button_save->isVisible());
    // "设 置" belongs to the system user.
    EXPECT_FALSE(window->button_close->isVisible());
    EXPECT_TRUE(window->button_closeNew->isVisible());
    EXPECT_EQ(test::ClippedTexts(*window), QStringList());
    const QString folder = QDir::temp().filePath(QStringLiteral("kx-screens"));
    QDir().mkpath(folder);
    EXPECT_TRUE(window->grab().save(folder + "/moneyintoout.png"));
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join('|').toStdString();

    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target && target->window() == window ? target : window, Qt::Key_F12);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(FindWorkingWindow(TMoneyIntoOutForm::kFormName), nullptr);
}

TEST_F(MoneyIntoOutFormTest, CancelledFindShowsNothingAndEditSaysSo) {
    AppSystemUser = true;
    TMoneyIntoOutForm* window = Open(CloseFind);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->KX3DLabel1->Caption(), "查找条件：不显示资料");
    EXPECT_EQ(window->OrderByText, " ORDER BY MONEY_DATE,MONEY_ID");
    EXPECT_TRUE(Listed(window).isEmpty());
    EXPECT_TRUE(window->button_close->isVisible());
    EXPECT_EQ(window->button_close->text(), "设 置");
    window->button_edit->click();
    EXPECT_EQ(messages_.Texts(), QStringList{"没有资金借贷记录资料"});
    test::CloseAndFree(window);
}

TEST_F(MoneyIntoOutFormTest, ListsTheSelectedSubtreeMatchingTheFindCondition) {
    TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    Expand(window, "001");
    EXPECT_EQ(Listed(window), QStringList({"A1", "A2"}));
    Select(window, "001002");
    EXPECT_EQ(window->Query->SQL().Text().trimmed(),
              "SELECT * FROM KX_INTO_OUT_MONEY_TABLE  WHERE  SUBSTRING(MONEY_TYPE_ID FROM 1  FOR  "
              "6) = '001002' ORDER BY MONEY_DATE,MONEY_ID");
    EXPECT_EQ(Listed(window), QStringList({"A2"}));

    // A find on the note keeps the selected subtree.
    Select(window, "001");
    OnNextModal([](QWidget* dialog) {
        auto* find = qobject_cast<TKXFindForm*>(dialog);
        ASSERT_NE(find, nullptr);
        find->ComboBox1->SetText("备注");
        find->ComboBox2->SetText("相似");
        find->TextEdit->setText("货");
        find->DownButton->click();
        if (find->SureButton->isEnabled())
            find->SureButton->click();
        else
            find->CloseButton->click();
    });
    window->button_find->click();
    EXPECT_EQ(window->KX3DLabel1->Caption(), "查找条件： 备注 相似 货");
    EXPECT_EQ(Listed(window), QStringList({"A1"}));
    Select(window, "002");
    EXPECT_TRUE(Listed(window).isEmpty());
    Select(window, "G001");
    EXPECT_EQ(Listed(window), QStringList({"A1"}));
    test::CloseAndFree(window);
}

TEST_F(MoneyIntoOutFormTest, DeletesOnlyUnverifiedRecords) {
    TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(Locate(window, "A3"));
    window->button_delete->click();
    EXPECT_EQ(Record("R3", "STATUS"), "已审核");
    EXPECT_EQ(Listed(window).size(), 3);
    EXPECT_FALSE(messages_.Texts().isEmpty());

    ASSERT_TRUE(Locate(window, "A2"));
    window->button_delete->click();
    EXPECT_EQ(Record("R2", "COUNT(*)"), "0");
    EXPECT_EQ(Listed(window), QStringList({"A1", "A3"}));
    test::CloseAndFree(window);
}

TEST_F(MoneyIntoOutFormTest, VerifyPostsAndStampsAndTakeBackSubtracts) {
    TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(Locate(window, "A1"));
    Check(window, "已审核");
    // The stamp carries the working date the edit refreshed.
    EXPECT_EQ(Record("R1", "STATUS||' '||VERIFY_NAME||' '||VERIFY_DATE||' '||EDIT_NAME"),
              "已审核 张三 " + AppToday + " 李四");
    EXPECT_EQ(Ledgers(), "2008年09月 100.0 0.0 100.0;2008-09-10 100.0 0.0 100.0");
    EXPECT_EQ(window->Query->FieldByName("STATUS")->AsString(), "已审核");
    // The stamp changes no edit columns, neither stored nor shown.
    EXPECT_EQ(window->Query->FieldByName("EDIT_NAME")->AsString(), "李四");

    // Choosing the status the record has changes nothing.
    Check(window, "已审核");
    EXPECT_EQ(Ledgers(), "2008年09月 100.0 0.0 100.0;2008-09-10 100.0 0.0 100.0");

    AppUserName = QStringLiteral("王五");
    Exec("UPDATE KX_INTO_OUT_MONEY_TABLE SET VERIFY_DATE = '2008-09-30'");
    Check(window, "未审核");
    EXPECT_EQ(Record("R1", "STATUS||' '||VERIFY_NAME||' '||VERIFY_DATE"),
              "未审核 王五 " + AppToday);
    EXPECT_EQ(Ledgers(), "2008年09月 0.0 0.0 0.0;2008-09-10 0.0 0.0 0.0");
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join('|').toStdString();
    test::CloseAndFree(window);
}

TEST_F(MoneyIntoOutFormTest, FailedPostingLeavesRecordAndLedgersAsTheyWere) {
    const struct {
        const char* what;
        const char* trigger;
    } cases[] = {
        {"day stage", "CREATE TRIGGER fail BEFORE INSERT ON KX_MONEY_DAY_TABLE "
                      "BEGIN SELECT RAISE(ABORT, 'disk full'); END"},
        {"stamp", "CREATE TRIGGER fail BEFORE UPDATE ON KX_INTO_OUT_MONEY_TABLE "
                  "BEGIN SELECT RAISE(ABORT, 'disk full'); END"},
        {"verified month", "INSERT INTO KX_MONEY_MONTH_TABLE (STATUS, MONEY_MONTH, "
                           "MONEY_ACCOUNT_ID, MONEY_START_DATE, MONEY_END_DATE) VALUES "
                           "('已审核', '2008年09月', '001', '2008-09-01', '2008-09-30')"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Exec(QString::fromUtf8(c.trigger));
        TMoneyIntoOutForm* window = Open();
        ASSERT_NE(window, nullptr);
        const QString before = Ledgers();
        ASSERT_TRUE(Locate(window, "A1"));
        Check(window, "已审核");
        EXPECT_EQ(Record("R1", "STATUS||' '||VERIFY_NAME"), "未审核 李四");
        EXPECT_EQ(Ledgers(), before);
        EXPECT_EQ(window->Query->FieldByName("STATUS")->AsString(), "未审核");
        EXPECT_FALSE(messages_.Texts().isEmpty());
        test::CloseAndFree(window);
        messages_.Clear();
        Exec("DROP TRIGGER IF EXISTS fail");
        Exec("DELETE FROM KX_MONEY_MONTH_TABLE");
    }
}

TEST_F(MoneyIntoOutFormTest, DuplicateRecordNumberIsRefusedUnlessModeThreeAllowsIt) {
    const struct {
        const char* mode;
        const char* copies;
        QStringList messages;
    } cases[] = {
        {"1", "1", {"纪录编号重复"}},
        {"3", "2", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        SetOption("分类编号", c.mode);
        TMoneyIntoOutForm* window = Open();
        ASSERT_NE(window, nullptr);
        TKXQuery* query = window->Query;
        query->AppendRecord();
        query->FieldByName("MONEY_ID")->SetAsString("A1");
        query->FieldByName("MONEY_TYPE_ID")->SetAsString("001001");
        query->FieldByName("MONEY_ACCOUNT_ID")->SetAsString("001");
        try {
            query->PostRecord();
        } catch (...) {
            query->CancelRecord();
        }
        EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_ID = 'A1'"),
                  c.copies);
        EXPECT_EQ(messages_.Texts(), c.messages);
        // A saved record without amounts holds 0, not nothing.
        if (c.messages.isEmpty()) {
            EXPECT_EQ(Value("SELECT MONEY_INTO_NUMBER || '/' || MONEY_OUT_NUMBER FROM "
                            "KX_INTO_OUT_MONEY_TABLE WHERE MONEY_RECORD_ID NOT LIKE 'R%'"),
                      "0.0/0.0");
        }
        test::CloseAndFree(window);
        messages_.Clear();
        Exec("DELETE FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_RECORD_ID NOT LIKE 'R%'");
    }
}

TEST_F(MoneyIntoOutFormTest, SlotSetUpRebuildsTheColumnsAndDropsStoredLayouts) {
    TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    for (const char* table : {"SYS_MONEY_INTO_OUT_TABLE", "SYS_MONEY_INTO_OUT_QUERY_TABLE"})
        Exec(QStringLiteral("INSERT INTO %1 (USE_ID, FORM_NAME, DBGRID_NAME, FIELD_NAME, "
                            "FIELD_WIDTH, FIELD_ORDER) VALUES ('U02', 'MoneyIntoOutForm', "
                            "'DBGrid1', 'MONEY_ID', 30, 1)")
                 .arg(QString::fromLatin1(table)));
    // The employee's slot now holds the invoice number, sortable.
    Exec("UPDATE SYS_MONEY_FIELD_TABLE SET FIELD_NAME = 'MONEY_TEXT_FIELD2', "
         "FIELD_DISPLAY_NAME = '发票号' WHERE FIELD_ORDER = 8");
    window->ReloadAfterFieldSetup();
    EXPECT_EQ(Titles(window),
              QStringList({"状态", "记录编号", "账款类别", "借贷日期", "摘要", "资金账号",
                           "借入金额", "贷出金额", "发票号", "备注", "审核人员", "审核日期",
                           "修改人员", "修改日期", "建档人员", "建档日期"}));
    EXPECT_EQ(AppFieldCaptions.value("MONEY_TEXT_FIELD2"), "发票号");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_MONEY_INTO_OUT_TABLE"), "0");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_MONEY_INTO_OUT_QUERY_TABLE"), "0");
    EXPECT_EQ(Listed(window), QStringList({"A1", "A2", "A3"}));
    EXPECT_TRUE(window->DBGrid1->isVisible());
    test::CloseAndFree(window);
}

// The layout rows of the list, "FIELD=WIDTH" in field order.
QString StoredWidths() {
    return GetSqlFirstValue(kDatabaseName,
                            "SELECT group_concat(r, ' ') FROM (SELECT FIELD_NAME||'='||FIELD_WIDTH "
                            "AS r FROM SYS_MONEY_INTO_OUT_TABLE ORDER BY FIELD_NAME)");
}

TColumnX* ColumnOf(TMoneyIntoOutForm* window, const QString& fieldName) {
    TDBGridColumnsX* columns = window->DBGrid1->Columns();
    for (int i = 0; i < columns->Count(); ++i)
        if (columns->GetColumn(i)->FieldName() == fieldName)
            return columns->GetColumn(i);
    return nullptr;
}

// With the grid unit started, as the program starts it, the list marks its
// current record with the arrow and no other row.
TEST_F(MoneyIntoOutFormTest, TheCurrentRecordCarriesTheArrow) {
    StartGridUnit();
    const auto end = qScopeGuard([] { EndGridUnit(); });
    TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    TKXNDBGrid* grid = window->DBGrid1;
    ASSERT_GE(window->Query->RecordCount(), 2);
    window->Query->First();
    QCoreApplication::processEvents();
    QImage image(grid->viewport()->size(), QImage::Format_RGB32);
    grid->viewport()->render(&image);
    const auto darkPixels = [&](int row) {
        const ui::TRect cell = grid->CellRect(0, row);
        int dark = 0;
        for (int y = cell.Top; y < cell.Bottom; ++y)
            for (int x = cell.Left; x < cell.Right; ++x)
                dark += qGray(image.pixel(x, y)) < 64;
        return dark;
    };
    EXPECT_GT(darkPixels(grid->Row()), 4) << "the arrow";
    EXPECT_EQ(darkPixels(grid->Row() + 1), 0);
    test::CloseAndFree(window);
}

// Opening and closing the list, also after a restart, leaves every stored
// width as it was, and a dragged width comes back.
TEST_F(MoneyIntoOutFormTest, StoredColumnWidthsStayPutOverOpeningsAndARestart) {
    TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    TColumnX* note = ColumnOf(window, "MONEY_TEXT_NOTE");
    ASSERT_NE(note, nullptr);
    window->DBGrid1->SetColWidths(window->DBGrid1->DataToRawColumn(note->Index()), 190);
    const int dragged = note->Width();
    const int moneyId = ColumnOf(window, "MONEY_ID")->Width();
    test::CloseAndFree(window);
    const QString stored = StoredWidths();
    ASSERT_FALSE(stored.isEmpty());

    for (int opening = 1; opening <= 10; ++opening) {
        SCOPED_TRACE(opening);
        if (opening == 6) {
            main_.reset();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        window = Open();
        ASSERT_NE(window, nullptr);
        Select(window, opening % 2 ? "001" : "002"); // a subject click refreshes the list
        EXPECT_NEAR(ColumnOf(window, "MONEY_TEXT_NOTE")->Width(), dragged, 1);
        EXPECT_NEAR(ColumnOf(window, "MONEY_ID")->Width(), moneyId, 1);
        test::CloseAndFree(window);
        ASSERT_EQ(StoredWidths().toStdString(), stored.toStdString());
    }
}

TEST_F(MoneyIntoOutFormTest, EditOpensTheEntryWindowOnTheListsRecordAndGetsItsChecksBack) {
    TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(Locate(window, "A2"));
    QString shownId;
    bool sameQuery = false;
    OnNextModal([&](QWidget* dialog) {
        auto* entry = qobject_cast<TEditIntoOutMoneyForm*>(dialog);
        ASSERT_NE(entry, nullptr);
        sameQuery = entry->ListQuery == window->Query && entry->FieldQuery == window->QyFieldName;
        shownId = entry->KXDBEdit_MONEY_ID()->text();
        if (entry->button_cancel->isEnabled())
            entry->button_cancel->click();
        entry->button_close->click();
    });
    window->button_edit->click();
    EXPECT_TRUE(sameQuery);
    EXPECT_EQ(shownId, "A2");
    // The list's own checks are the query's again, not the entry window's.
    ASSERT_GT(window->CheckData.Count(), 0);
    EXPECT_EQ(&window->Query->CheckData()[0], &window->CheckData[0]);
    test::CloseAndFree(window);
}

TEST_F(MoneyIntoOutFormTest, SetUpOpensTheSlotWindowAndAnUnchangedCloseKeepsTheLayouts) {
    AppSystemUser = true;
    TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    Exec("INSERT INTO SYS_MONEY_INTO_OUT_TABLE (USE_ID, FORM_NAME, DBGRID_NAME, FIELD_NAME) VALUES "
         "('U1', 'MoneyIntoOutForm', 'DBGrid1', 'MONEY_ID')");
    bool opened = false;
    OnNextModal([&](QWidget* dialog) {
        auto* setup = qobject_cast<TSetIntoOutMoneyFieldForm*>(dialog);
        ASSERT_NE(setup, nullptr);
        opened = setup->FieldQuery == window->QyFieldName;
        setup->Button_Close->click();
    });
    window->button_close->click();
    EXPECT_TRUE(opened);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_MONEY_INTO_OUT_TABLE"), "1");
    test::CloseAndFree(window);
}

// The list prints through its catalogue key; the export takes the printable
// fields as columns and the grid's totals under the amounts.
TEST_F(MoneyIntoOutFormTest, PrintHandsTheListAndItsTotalsToTheChooser) {
    AppDataFolder = data_.Folder.Path();
    const auto restore = qScopeGuard([] { AppDataFolder.clear(); });
    TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->button_print->isEnabled());
    test::ChooserProbe probe(window->Query);
    test::PressKey(window, Qt::Key_F11);
    const test::ChooserSeen& seen = probe.Seen;
    ASSERT_TRUE(seen.Shown);
    EXPECT_TRUE(seen.Ownerless);
    EXPECT_TRUE(seen.ListControlsDisabled);
    EXPECT_FALSE(window->Query->ControlsDisabled());
    EXPECT_EQ(seen.PrintIndex, "MoneyIntoOutForm");
    EXPECT_EQ(seen.KindCaption1, "设置资金借贷记录报表(报表模版)");
    EXPECT_EQ(seen.TemplateKind, 1);
    EXPECT_EQ(seen.DataSetLine1, "M,MoneyIntoOutForm.Query");
    EXPECT_EQ(seen.DataSetLine2, "D,MoneyIntoOutForm.Query");
    EXPECT_EQ(test::BoundDataSet(seen.DataSetLine1), window->Query);
    EXPECT_EQ(seen.TemplateDir, data_.Folder.Path());
    EXPECT_EQ(seen.TemplateTable, "");
    EXPECT_EQ(seen.ReportDataSet, nullptr);
    ASSERT_EQ(seen.PrintFieldsM.size(), 38u);
    EXPECT_EQ(seen.PrintFieldsM[1].FieldName, window->PrintFields[1].FieldName);
    EXPECT_TRUE(seen.ExcelEnabled);
    EXPECT_TRUE(seen.ExcelNumberColumn);
    EXPECT_EQ(seen.ExcelDataSet, window->Query);
    EXPECT_EQ(seen.ReportName, "资金借贷记录报表");
    ASSERT_EQ(seen.ExcelFields.size(), 38);
    ASSERT_EQ(seen.ExcelFooters.size(), 38);
    QStringList footers;
    for (qsizetype i = 0; i < seen.ExcelFields.size(); ++i) {
        const TPrintFields& entry = window->PrintFields[static_cast<std::size_t>(i)];
        EXPECT_EQ(seen.ExcelFields[i].FieldName, entry.FieldName) << i;
        EXPECT_EQ(seen.ExcelFields[i].Caption, entry.Caption) << i;
        if (!seen.ExcelFooters[i].FieldName.isEmpty())
            footers << entry.FieldName + '=' + seen.ExcelFooters[i].FieldName;
    }
    EXPECT_EQ(footers, QStringList({"MONEY_INTO_NUMBER=150", "MONEY_OUT_NUMBER=30"}));
    EXPECT_TRUE(probe.Others.isEmpty());
    test::CloseAndFree(window);
}

TEST_F(MoneyIntoOutFormTest, PrintOnAnEmptyListShowsNoChooser) {
    TMoneyIntoOutForm* window = Open(CloseFind);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(Listed(window).isEmpty());
    ASSERT_TRUE(window->button_print->isEnabled());
    test::ChooserProbe probe(window->Query);
    window->button_print->click();
    QTest::qWait(30);
    EXPECT_FALSE(probe.Seen.Shown);
    EXPECT_TRUE(probe.Others.isEmpty());
    test::CloseAndFree(window);
}

} // namespace
} // namespace kx::cashbook
