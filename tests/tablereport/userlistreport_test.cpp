// The users window's print: shown only with the hook installed, it previews
// the user list "用户列表" with the export set up for the list's query.

#include "tablereport/userlistreport.h"

#include "bandreport/brpreview.h"
#include "bandreport/brprintable.h"
#include "bandreport/brprinter.h"
#include "core/appstate.h"
#include "frame/admin/userform.h"
#include "frame/app/kxmain.h"
#include "frame/app/mainform.h"
#include "frame/app/windowregistry.h"
#include "frame/data/kxquery.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/print/printer.h"
#include "tablereport/kxexcel.h"
#include "tablereport/prevform.h"
#include "tests/core/programfixture.h"
#include "tests/support/previewwatch.h"
#include "tests/support/printedpage.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kx {
namespace {

// Page pixels at 96 dpi: the 10 mm margins, the rules' column and the
// detail row of 64 tenths of a millimetre.
constexpr double kMarginPixels = 37.8;
constexpr double kMarginPoints = 28.35;
constexpr int kRuleColumn = 38 + 345;
constexpr double kRowPixels = 24.19;

// Where the words of the first printed page start, in points.
QMap<QString, double> WordLefts(const QString& pdf) {
    QMap<QString, double> lefts;
    for (const test::TPdfWord& word : test::ReadPdfWords(pdf))
        if (word.Page == 1)
            lefts.insert(word.Text, word.X);
    return lefts;
}

class UserListReportTest : public ::testing::Test {
protected:
    UserListReportTest() {
        test::ResetProgramState();
        StartGridUnit();
        test::InsertUser(data_.Folder, "ADM", "管理员", "918", true);
        test::InsertUser(data_.Folder, "U01", "张三", "918", false);
        AppUserId = "ADM";
        AppUserName = "管理员";
        AppSystemUser = true;
        TWindowRegistry::Register(TUserForm::kFormName, [](QWidget* owner) {
            return TKXFormEvents::Create<TUserForm>(owner);
        });
    }
    ~UserListReportTest() override {
        main_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TWindowRegistry::Unregister(TUserForm::kFormName);
        SetUserListPrint({});
        EndGridUnit();
        test::ResetProgramState();
    }

    TUserForm* Open() {
        main_ = std::make_unique<TMainForm>();
        main_->MenuItem("USERMENU")->trigger();
        QCoreApplication::sendPostedEvents();
        return qobject_cast<TUserForm*>(FindWorkingWindow("UserForm"));
    }

    // Runs the action on the user list's preview once its run has ended.
    static bool WhilePreviewing(TUserForm* window, const std::function<void(TPrevForm*)>& action) {
        return test::WhilePreviewShown([window] { window->button_print->click(); },
                                       [window](TPrevForm* form) {
                                           return form->parent() == window &&
                                                  form->OwnBRPre->Printer() &&
                                                  !form->OwnBRPre->Printer()->Report()->Running;
                                       },
                                       action);
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    std::unique_ptr<TMainForm> main_;
};

TEST_F(UserListReportTest, WithoutTheHookThereIsNoPrintButton) {
    TUserForm* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->button_print->isVisible());
}

TEST_F(UserListReportTest, PrintPreviewsTheUserList) {
    SetUserListPrint(PrintUserList);
    TUserForm* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->button_print->isVisible());
    const bool shown = WhilePreviewing(window, [window](TPrevForm* form) {
        TBRPrinter* printer = form->OwnBRPre->Printer();
        EXPECT_EQ(printer->Report()->objectName(), QStringLiteral("RepUser"));
        EXPECT_EQ(printer->Title, QStringLiteral("用户列表"));
        EXPECT_EQ(form->sbarPrint->currentMessage(), QStringLiteral("总共1页,第1页"));
        EXPECT_TRUE(form->Button_Excel->isVisible());
        EXPECT_TRUE(form->ExcelNumberColumn);
        EXPECT_EQ(form->KXExcel->DataSet(), window->Query);
        EXPECT_EQ(form->KXExcel->ReportName(), QStringLiteral("用户列表"));
        QStringList fields;
        for (const TExcelFieldName& field : form->ExcelFields)
            fields.append(field.FieldName + u'=' + field.Caption);
        EXPECT_EQ(fields,
                  QStringList({"USE_ID=用户编号", "USE_NAME=用户姓名", "STOP_RIGHT=用户状态",
                               "NOTE=备注", "CREATE_DATE=建档日期"}));
    });
    EXPECT_TRUE(shown);
    auto* report = window->findChild<TUserListReport*>(QStringLiteral("RepUser"));
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->PageCountLabel->Caption(), QStringLiteral("1"));
    EXPECT_EQ(report->Font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(report->Title->Font().pointSize(), 16);
    EXPECT_EQ(report->ActivePrinter, nullptr);
}

// A rule that the next row's background covers leaves two rows looking
// like one; the printed page must keep the same rows inside its margin.
TEST_F(UserListReportTest, TheRuledRowsAreEvenInThePreviewAndInThePrint) {
    if (!print::InstalledPrinters().isEmpty())
        GTEST_SKIP() << "print queues are installed";
    QTemporaryDir folder;
    QStringList pdfs;
    print::SetPdfFolder(folder.path());
    print::SetPdfViewer([&pdfs](const QString& fileName) { pdfs.append(fileName); });
    SetUserListPrint(PrintUserList);
    TUserForm* window = Open();
    ASSERT_NE(window, nullptr);
    QImage preview;
    const bool shown = WhilePreviewing(window, [&preview](TPrevForm* form) {
        if (const auto page = form->OwnBRPre->Printer()->PageMetafile(1))
            preview = test::RenderPage(*page);
        QApplication::setActiveWindow(form);
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F11);
    });
    print::SetPdfViewer({});
    ASSERT_TRUE(shown);
    ASSERT_EQ(pdfs.size(), 1);
    const QImage printed = test::RenderPdfPage(pdfs.first(), folder.path());
    ASSERT_FALSE(printed.isNull());

    for (const auto& [name, page] : {std::pair{"preview", preview}, std::pair{"print", printed}}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(page.size(), QSize(794, 1123));
        EXPECT_GE(test::LeftmostInk(page), int(kMarginPixels));
        // Below the title: the head row's two rules, the 38 rows' rules and
        // the body frame's bottom.
        const QList<int> rules = test::RulesAcross(page, kRuleColumn, 78);
        EXPECT_EQ(rules.size(), 41) << QDebug::toString(rules).toStdString();
        // The head's rule lies on the first row's top edge, a row's own rule
        // on its bottom edge.
        for (int row = 1; row <= 38 && rules.size() == 41; ++row)
            EXPECT_NEAR(rules[row + 1] - rules[row], kRowPixels, row == 1 ? 3 : 1) << "row " << row;
    }
    const QMap<QString, double> lefts = WordLefts(pdfs.first());
    for (const char* word : {"ADM", "U01", "共:"}) {
        ASSERT_TRUE(lefts.contains(QString::fromUtf8(word))) << word;
        EXPECT_GE(lefts.value(QString::fromUtf8(word)), kMarginPoints - 0.1) << word;
    }
}

TEST_F(UserListReportTest, OtherLanguagesPrintInTheTraditionalFont) {
    TUserListReport report(nullptr, nullptr);
    report.ApplyLanguage(QStringLiteral("BIG5"));
    EXPECT_EQ(report.Font().family(), QStringLiteral("新細明體"));
    EXPECT_EQ(report.Font().pointSize(), 11);
    report.ApplyLanguage(QStringLiteral("GB"));
    EXPECT_EQ(report.Font().pointSize(), 10);
    EXPECT_EQ(report.Title->Font().pointSize(), 16);
}

} // namespace
} // namespace kx
