// Printing from the cash-book windows over a fresh data folder, through the
// chooser and the templates every folder ships with: the printed PDF carries
// the report's title, the window's records and their amounts, no tag is
// left unfilled, the preview has pages, and the list keeps its record.

#include "cashbook/registerwindows.h"
#include "core/appstate.h"
#include "frame/app/kxmain.h"
#include "frame/app/mainform.h"
#include "frame/app/windowregistry.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/findwindow.h"
#include "platform/print/printer.h"
#include "tests/cashbook/cashbookrecords.h"
#include "tests/frame/controlsfixture.h"
#include "tests/support/closewindow.h"
#include "tests/support/modal.h"
#include "tests/support/printchooserprobe.h"
#include "tests/support/printedpage.h"

#include <QAction>
#include <QApplication>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace kx::cashbook {
namespace {

constexpr const char* kRecordsList = "MoneyIntoOutForm";
constexpr const char* kLedger = "IntoOutMoneyAccountForm";
constexpr const char* kStatistics = "MoneyIntoOutQueryForm";

class PrintFromWindowTest : public ::testing::Test, protected test::CashBookRecords {
protected:
    PrintFromWindowTest() {
        Messages.answer = true;
        AppDataFolder = Data.Folder.Path();
        RegisterWindows();
        Exec("INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, ADD_RIGHT, EDIT_RIGHT, "
             "BROWSE_RIGHT, PRINT_RIGHT, VERIFY_RIGHT) VALUES "
             "('U01', 1, 1, '是', '是', '是', '是', '是'), "
             "('U01', 1, 2, '是', '是', '是', '是', '是'), "
             "('U01', 1, 3, '是', '是', '是', '是', '是')");
        // The catalogue rows the first-run set-up writes for the shipped
        // templates.
        Exec("INSERT INTO SYS_PRINT_NAME_TABLE (PRINT_INDEX, PRINT_NAME, PRINT_TYPE, PRINT_ID) "
             "VALUES ('MoneyIntoOutForm', '资金借贷记录报表', 'M', '200700000007'), "
             "('IntoOutMoneyAccountForm1', '资金账号日台账', 'M', '200700000008'), "
             "('IntoOutMoneyAccountForm2', '资金账号月台账', 'M', '200700000009'), "
             "('MoneyIntoOutQueryForm', '资金借贷数据统计报表', 'M', '200700000019'), "
             "('EmployeeFormMaster', '员工资料', 'M', '200700000010')");
        AddRecord("200809000001", "001001", "001", "2008-09-02", "1234.5", "0");
        Exec("UPDATE KX_INTO_OUT_MONEY_TABLE SET MONEY_TEXT_FIELD1 = '货款回收' WHERE "
             "MONEY_ID = '200809000001'");
        AddRecord("200809000002", "002", "001", "2008-09-04", "0", "30");
        AddVerified("200809000003", "001001001", "002", "2008-09-06", "200", "0");
        AddVerified("200809000004", "002", "001", "2008-09-08", "0", "45.5");
    }
    ~PrintFromWindowTest() override {
        main_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (const char* form : {kRecordsList, kLedger, kStatistics})
            TWindowRegistry::Unregister(QString::fromLatin1(form));
        test::ResetProgramState();
    }

    // Opens a window by its menu command; its first find lists everything.
    QWidget* Open(const char* menuItem, const char* form) {
        if (!main_)
            main_ = std::make_unique<TMainForm>();
        test::OnNextModal([](QWidget* dialog) {
            auto* find = qobject_cast<TFindWindow*>(dialog);
            ASSERT_NE(find, nullptr);
            find->AllDataButton->click();
        });
        main_->MenuItem(QString::fromLatin1(menuItem))->trigger();
        QCoreApplication::sendPostedEvents();
        QWidget* window = FindWorkingWindow(QString::fromLatin1(form));
        if (window) {
            QApplication::setActiveWindow(window);
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        return window;
    }

    std::unique_ptr<TMainForm> main_;
};

TEST_F(PrintFromWindowTest, TheShippedTemplatePrintsAndPreviewsTheWindowsOwnList) {
    if (!print::InstalledPrinters().isEmpty())
        GTEST_SKIP() << "print queues are installed";
    test::PdfCapture pdfs;
    struct Case {
        const char* menuItem;
        const char* form;
        // The view's radio button, when it is not the one the window opens on.
        const char* view;
        const char* list;
        const char* printId;
        QStringList printed;
    };
    const Case cases[] = {
        {"N13",
         kRecordsList,
         nullptr,
         "Query",
         "200700000007",
         {"资金借贷记录报表", "200809000001", "货款回收", "销售", "现金", "1,234.50", "45.50",
          "1,434.50", "75.50"}},
        {"N17",
         kLedger,
         nullptr,
         "Query",
         "200700000008",
         {"资金账号日台账", "2008-09-06", "银行", "200.00", "45.50"}},
        {"N17",
         kLedger,
         "RadioButton4",
         "QyMonth",
         "200700000009",
         {"资金账号月台账", "2008年09月", "银行", "200.00", "45.50"}},
        {"N102",
         kStatistics,
         nullptr,
         "Query",
         "200700000019",
         {"资金借贷数据统计报表", "收入", "支出", "1,434.50", "75.50", "1,359.00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.printId);
        // The records list seeds the field slots its template and the
        // statistics' are built on, as it does when a user starts with it.
        QWidget* window = Open("N13", kRecordsList);
        ASSERT_NE(window, nullptr);
        if (QString::fromLatin1(c.form) != QString::fromLatin1(kRecordsList)) {
            test::CloseAndFree(window);
            window = Open(c.menuItem, c.form);
            ASSERT_NE(window, nullptr);
        }
        const auto close = qScopeGuard([window] { test::CloseAndFree(window); });
        if (c.view) {
            auto* view = window->findChild<QRadioButton*>(QString::fromLatin1(c.view));
            ASSERT_NE(view, nullptr);
            view->click();
        }
        auto* list = window->findChild<TKXQuery*>(QString::fromLatin1(c.list));
        ASSERT_NE(list, nullptr);
        ASSERT_GE(list->RecordCount(), 2);
        list->SetRecNo(2);

        test::ChooserPrintSeen seen;
        test::PrintAndPreviewInNextChooser(seen);
        test::PressKey(window, Qt::Key_F11);
        ASSERT_TRUE(seen.Shown);
        EXPECT_EQ(seen.PrintCaption, "打印[F11]");
        EXPECT_EQ(seen.PrintedId, c.printId);
        EXPECT_TRUE(seen.Others.isEmpty()) << seen.Others.join(u'|').toStdString();
        EXPECT_TRUE(Messages.Texts().isEmpty()) << Messages.Texts().join(u'|').toStdString();
        Messages.Clear();
        EXPECT_TRUE(seen.PreviewShown);
        EXPECT_GE(seen.PreviewPages, 1);
        EXPECT_EQ(list->RecNo(), 2);

        const QStringList files = pdfs.TakeFiles();
        ASSERT_EQ(files.size(), 1);
        const QString text = test::ReadPdfText(files.front());
        for (const QString& expected : c.printed)
            EXPECT_TRUE(text.contains(expected))
                << expected.toStdString() << " not in " << text.toStdString();
        // A tag that found nothing to fill is printed as written.
        for (const char* bracket : {"[", "]", "{", "}", "<", ">"})
            EXPECT_FALSE(text.contains(QString::fromLatin1(bracket))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("第1/1页"))) << text.toStdString();
    }
}

} // namespace
} // namespace kx::cashbook
