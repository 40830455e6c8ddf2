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
#include "tablereport/kxexcel.h"
#include "tablereport/prevform.h"
#include "tests/core/programfixture.h"

#include <QAction>
#include <QApplication>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kx {
namespace {

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
    bool shown = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (shown || !PrevForm || PrevForm->parent() != window || !PrevForm->OwnBRPre->Printer() ||
            PrevForm->OwnBRPre->Printer()->Report()->Running)
            return;
        shown = true;
        QCoreApplication::sendPostedEvents();
        TPrevForm* form = PrevForm;
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
        form->close();
    });
    poll.start(5);
    window->button_print->click();
    EXPECT_TRUE(shown);
    auto* report = window->findChild<TUserListReport*>(QStringLiteral("RepUser"));
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->PageCountLabel->Caption(), QStringLiteral("1"));
    EXPECT_EQ(report->Font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(report->Title->Font().pointSize(), 16);
    EXPECT_EQ(report->ActivePrinter, nullptr);
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
