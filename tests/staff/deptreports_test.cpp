// The department window's printed lists: the choice between numbered names
// and a number column, the pages read back from the printed PDF, the
// preview's export set-up, and a buffer row that cannot be posted.

#include "staff/deptreports.h"

#include "bandreport/brpreview.h"
#include "bandreport/brprintable.h"
#include "bandreport/brprinter.h"
#include "core/appstate.h"
#include "core/sqlfunctions.h"
#include "frame/app/kxmain.h"
#include "frame/app/mainform.h"
#include "frame/app/windowregistry.h"
#include "frame/controls/radiogroup.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/selectitemqueryform.h"
#include "platform/db/dberrors.h"
#include "platform/db/query.h"
#include "platform/print/printer.h"
#include "platform/ui/application.h"
#include "staff/deptform.h"
#include "staff/registerwindows.h"
#include "tablereport/kxexcel.h"
#include "tablereport/prevform.h"
#include "tests/core/programfixture.h"
#include "tests/support/modal.h"
#include "tests/support/previewwatch.h"
#include "tests/support/printedpage.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kx::staff {
namespace {

using test::LeftmostInk;
using test::ReadPdfWords;
using test::RenderPage;
using test::RenderPdfPage;
using test::RulesAcross;
using test::TPdfWord;

class DeptReportsTest : public ::testing::Test {
protected:
    DeptReportsTest() {
        test::ResetProgramState();
        AppUserId = QStringLiteral("U01");
        AppUserName = QStringLiteral("张三");
        AppCompanyName = QStringLiteral("岚衡公司");
        RegisterWindows();
        print::SetPdfFolder(pdfFolder_.path());
        print::SetPdfViewer([this](const QString& fileName) { pdfs_.append(fileName); });
        Exec("INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, ADD_RIGHT, EDIT_RIGHT, "
             "BROWSE_RIGHT, PRINT_RIGHT, VERIFY_RIGHT) VALUES ('U01', 2, 2, '是', '是', '是', "
             "'是', '否')");
        Dept("G001", "G002", "岚衡公司", 1);
    }
    ~DeptReportsTest() override {
        main_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        print::SetPdfViewer({});
        TWindowRegistry::Unregister(TDeptForm::kFormName);
        test::ResetProgramState();
    }

    static void Exec(const QString& sql) { ASSERT_TRUE(ExecSqlText(kDatabaseName, sql)); }
    static void Dept(const QString& code, const QString& parent, const QString& name, int order,
                     const QString& phone = {}) {
        Exec("INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME, ORDER_ID, "
             "COMPANY_PHONE) VALUES (" +
             QuotedStr(code) + ',' + QuotedStr(parent) + ',' + QuotedStr(name) + ',' +
             QString::number(order) + ',' + QuotedStr(phone) + ')');
    }
    // 财务部 with two groups, then 人事部 and 销售部.
    static void SmallTree() {
        Dept("001", "G001", "财务部", 1, "8801");
        Dept("001001", "001", "出纳组", 1);
        Dept("001002", "001", "会计组", 2);
        Dept("002", "G001", "人事部", 2);
        Dept("003", "G001", "销售部", 3);
    }

    TDeptForm* Open() {
        main_ = std::make_unique<TMainForm>();
        main_->MenuItem("N26")->trigger();
        QCoreApplication::sendPostedEvents();
        auto* window = qobject_cast<TDeptForm*>(FindWorkingWindow(TDeptForm::kFormName));
        EXPECT_NE(window, nullptr);
        return window;
    }
    static void Select(TDeptForm* window, const QString& code) {
        window->KXTreeView->topLevelItem(0)->setExpanded(true);
        for (QTreeWidgetItemIterator it(window->KXTreeView); *it; ++it)
            if (window->KXTreeView->GetNodeID(*it) == code)
                window->KXTreeView->setCurrentItem(*it);
    }

    // Prints with the choice (1 or 2) and runs the action on the preview;
    // false when no preview opened.
    bool Print(TDeptForm* window, int choice, const std::function<void(TPrevForm*)>& action) {
        test::OnNextModal([choice](QWidget* dialog) {
            auto* chooser = qobject_cast<TSelectItemQueryForm*>(dialog);
            ASSERT_NE(chooser, nullptr);
            EXPECT_EQ(chooser->windowTitle(), QStringLiteral("打印选择窗口"));
            EXPECT_EQ(chooser->RadioGroup->Item(0), QStringLiteral("不打印序号"));
            chooser->RadioGroup->SetItemIndex(choice - 1);
            chooser->SureButton->click();
        });
        return test::WhilePreviewShown([window] { window->button_print->click(); },
                                       [window](TPrevForm* form) {
                                           return form->parent() == window &&
                                                  !window->RepDept->Running &&
                                                  !window->RepDeptOrder->Running;
                                       },
                                       action);
    }

    // The words of the PDF that F11 prints from the preview.
    QList<TPdfWord> PrintedWords(TPrevForm* form) {
        QApplication::setActiveWindow(form);
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F11);
        EXPECT_EQ(pdfs_.size(), 1);
        return pdfs_.isEmpty() ? QList<TPdfWord>{} : ReadPdfWords(pdfs_.last());
    }

    static const TPdfWord* Find(const QList<TPdfWord>& words, const QString& text, int page = 1) {
        for (const TPdfWord& word : words)
            if (word.Text == text && word.Page == page)
                return &word;
        ADD_FAILURE() << "not printed on page " << page << ": " << text.toStdString();
        return nullptr;
    }
    // The texts of the page in print order, joined by blanks.
    static QString PageText(const QList<TPdfWord>& words, int page) {
        QStringList texts;
        for (const TPdfWord& word : words)
            if (word.Page == page)
                texts.append(word.Text);
        return texts.join(u' ');
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    QTemporaryDir pdfFolder_;
    QStringList pdfs_;
    std::unique_ptr<TMainForm> main_;
};

TEST_F(DeptReportsTest, NumberedNamesAreIndentedPerLevelWithThePageFooter) {
    if (!print::InstalledPrinters().isEmpty())
        GTEST_SKIP() << "print queues are installed";
    SmallTree();
    TDeptForm* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->button_print->isVisible());
    EXPECT_TRUE(Print(window, 1, [&](TPrevForm* form) {
        EXPECT_TRUE(form->Button_Excel->isVisible());
        EXPECT_FALSE(form->ExcelNumberColumn);
        EXPECT_EQ(form->KXExcel->DataSet(), window->QyPrint);
        EXPECT_EQ(form->KXExcel->ReportName(), QStringLiteral("公司部门资料"));
        const QList<QPair<QString, QString>> fields = {
            {"COMPANY_NAME", "部门名称"}, {"COMPANY_PHONE", "电话"}, {"NOTE", "备注"}};
        ASSERT_EQ(form->ExcelFields.size(), fields.size());
        for (int index = 0; index < fields.size(); ++index) {
            EXPECT_EQ(form->ExcelFields[index].FieldName, fields[index].first);
            EXPECT_EQ(form->ExcelFields[index].Caption, fields[index].second);
        }
        const QList<TPdfWord> words = PrintedWords(form);
        const QString text = PageText(words, 1);
        for (const char* line : {"公司部门资料 岚衡公司 名称 联系电话 1.财务部 8801 1.出纳组 "
                                 "2.会计组 2.人事部 3.销售部",
                                 "共 1 页 第 1 页 打印日期:"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << text.toStdString();
        const TPdfWord* top = Find(words, QStringLiteral("1.财务部"));
        const TPdfWord* child = Find(words, QStringLiteral("1.出纳组"));
        const TPdfWord* sibling = Find(words, QStringLiteral("2.人事部"));
        ASSERT_TRUE(top && child && sibling);
        EXPECT_GT(child->X, top->X + 2);
        EXPECT_NEAR(sibling->X, top->X, 0.5);
    }));
    EXPECT_EQ(window->RepDept->PageCountLabel->Caption(), QStringLiteral("1"));
    EXPECT_EQ(window->RepDept->CompanyLabel->objectName(), QStringLiteral("CompanyDept"));
}

TEST_F(DeptReportsTest, TheNumberColumnCountsRowsAcrossPagesBelowASelectedDepartment) {
    if (!print::InstalledPrinters().isEmpty())
        GTEST_SKIP() << "print queues are installed";
    Dept("001", "G001", "总部", 1);
    for (int i = 1; i <= 40; ++i)
        Dept(QStringLiteral("001%1").arg(i, 3, 10, QChar(u'0')), "001",
             QStringLiteral("分部%1").arg(i, 2, 10, QChar(u'0')), i);
    TDeptForm* window = Open();
    ASSERT_NE(window, nullptr);
    Select(window, "001");
    EXPECT_TRUE(Print(window, 2, [&](TPrevForm* form) {
        EXPECT_TRUE(form->ExcelNumberColumn);
        const QList<TPdfWord> words = PrintedWords(form);
        EXPECT_TRUE(
            PageText(words, 1).contains(QStringLiteral("序号 名称 联系电话 1 总部 2 分部01")))
            << PageText(words, 1).toStdString();
        EXPECT_TRUE(PageText(words, 1).contains(QStringLiteral("共 2 页 第 1 页")));
        EXPECT_TRUE(PageText(words, 2).contains(QStringLiteral("共 2 页 第 2 页")));
        EXPECT_TRUE(PageText(words, 2).contains(QStringLiteral("41 分部40")));
        const TPdfWord* head = Find(words, QStringLiteral("总部"));
        const TPdfWord* child = Find(words, QStringLiteral("分部01"));
        ASSERT_TRUE(head && child);
        EXPECT_GT(child->X, head->X + 2);
    }));
    EXPECT_EQ(window->RepDeptOrder->PageCountLabel->objectName(), QStringLiteral("PageDeptOrder"));
}

// A rule that the next row's background covers leaves two rows looking
// like one; the printed page must keep the same rows inside its margin.
TEST_F(DeptReportsTest, TheRuledRowsAreEvenInThePreviewAndInThePrint) {
    if (!print::InstalledPrinters().isEmpty())
        GTEST_SKIP() << "print queues are installed";
    // Page pixels at 96 dpi: the 10 mm margins, a column clear of text
    // and the detail row of 69 tenths of a millimetre.
    constexpr int kMarginPixels = 37;
    constexpr double kMarginPoints = 28.35;
    constexpr int kRuleColumn = 38 + 470;
    constexpr double kRowPixels = 26.08;
    SmallTree();
    TDeptForm* window = Open();
    ASSERT_NE(window, nullptr);
    QImage preview;
    QImage printed;
    QList<TPdfWord> words;
    EXPECT_TRUE(Print(window, 1, [&](TPrevForm* form) {
        if (const auto page = form->OwnBRPre->Printer()->PageMetafile(1))
            preview = RenderPage(*page);
        words = PrintedWords(form);
        if (!pdfs_.isEmpty())
            printed = RenderPdfPage(pdfs_.last(), pdfFolder_.path());
    }));
    ASSERT_FALSE(preview.isNull());
    ASSERT_FALSE(printed.isNull());
    for (const auto& [name, page] : {std::pair{"preview", preview}, std::pair{"print", printed}}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(page.size(), QSize(794, 1123));
        EXPECT_GE(LeftmostInk(page), kMarginPixels);
        // Below the title: the head row's two rules and the 35 rows' rules.
        const QList<int> rules = RulesAcross(page, kRuleColumn, 94);
        EXPECT_EQ(rules.size(), 37) << QDebug::toString(rules).toStdString();
        // The head's rule lies on the first row's top edge, a row's own rule
        // on its bottom edge.
        for (int row = 1; row <= 35 && rules.size() == 37; ++row)
            EXPECT_NEAR(rules[row + 1] - rules[row], kRowPixels, row == 1 ? 3 : 1) << "row " << row;
    }
    for (const char* text : {"1.财务部", "共"}) {
        const TPdfWord* word = Find(words, QString::fromUtf8(text));
        EXPECT_TRUE(word && word->X >= kMarginPoints - 0.1)
            << text << " at " << (word ? word->X : -1.0);
    }
}

TEST_F(DeptReportsTest, AnEmptyListPreviewsOnlyWithTheNumberedNames) {
    TDeptForm* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(Print(window, 2, [](TPrevForm*) {}));
    EXPECT_EQ(messages_.Texts(), QStringList{QStringLiteral("没有数据，不能打印")});
    EXPECT_TRUE(Print(window, 1, [](TPrevForm* form) {
        EXPECT_EQ(form->sbarPrint->currentMessage(), QStringLiteral("总共1页,第1页"));
    }));
}

TEST_F(DeptReportsTest, ABufferRowThatCannotBePostedStopsThePrint) {
    SmallTree();
    TDeptForm* window = Open();
    ASSERT_NE(window, nullptr);
    int posts = 0;
    window->QyPrint->BeforePost = [&posts](db::TDataSet*) {
        if (++posts == 3)
            throw db::EDatabaseError(QStringLiteral("no room"));
    };
    QStringList errors;
    ui::SetExceptionHandler([&errors](const std::exception_ptr& error) {
        try {
            std::rethrow_exception(error);
        } catch (const Exception& e) {
            errors.append(e.Message());
        }
    });
    EXPECT_FALSE(Print(window, 1, [](TPrevForm*) {}));
    EXPECT_EQ(errors, QStringList{QStringLiteral("no room")});
    EXPECT_EQ(window->QyPrint->RecordCount(), 0);
    EXPECT_EQ(window->QyPrint->State(), db::dsBrowse);
}

} // namespace
} // namespace kx::staff
