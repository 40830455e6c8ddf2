#include "frame/app/mainform.h"

#include "core/appstate.h"
#include "frame/app/kxmain.h"
#include "platform/sys/configstore.h"
#include "platform/ui/colors.h"
#include "tests/core/programfixture.h"
#include "tests/frame/app/stubwindows.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

namespace kx {
namespace {

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

class MainFormTest : public ::testing::Test {
protected:
    MainFormTest() {
        test::ResetProgramState();
        QFile::remove(sys::SettingsFilePath());
    }
    ~MainFormTest() override {
        main_.reset();
        test::ResetProgramState();
        test::StubWindow::FailPlacement = false;
        QFile::remove(sys::SettingsFilePath());
    }

    TMainForm& Main() {
        if (!main_)
            main_ = std::make_unique<TMainForm>();
        return *main_;
    }
    void Trigger(const QString& item) {
        Main().MenuItem(item)->trigger();
        QCoreApplication::sendPostedEvents(main_.get());
    }
    QWidget* Window(const QString& formName) { return FindWorkingWindow(formName); }
    void LogOnAs(const QString& id, bool systemUser) {
        AppUserId = id;
        AppSystemUser = systemUser;
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    test::StubFactories stubs_;
    std::unique_ptr<TMainForm> main_;
};

TEST_F(MainFormTest, MenusCarryTheirCaptionsInOrder) {
    const QStringList expected = {
        "出纳记账管理:资金借贷记录录入编辑|-|资金账号台帐录入编辑|-|资金借贷数据统计报表|-|"
        "应付账款管理|-|应收账款管理",
        "基本数据录入编辑:资金账号录入编辑|-|资金借贷科目录入编辑|-|单位部门资料录入编辑|-|"
        "单位员工资料录入编辑",
        "系统管理:用户管理|用户口令修改|-|数据备份|数据恢复|-|过时数据删除|-|数据修复|-|"
        "编号方式设置修改|-|退出[T]",
        "帮助[F1]:帮助|关于",
        " :",
    };
    QStringList actual;
    for (QAction* top : Main().menuBar()->actions()) {
        QStringList items;
        for (QAction* item : top->menu()->actions())
            if (item->isVisible())
                items.append(item->isSeparator() ? "-" : item->text());
        actual.append(top->text() + ":" + items.join('|'));
    }
    EXPECT_EQ(actual, expected);
    for (const char* hidden : {"N21", "N24", "N53", "N35", "N5", "N44"})
        EXPECT_FALSE(Main().MenuItem(hidden)->isVisible()) << hidden;
    EXPECT_EQ(Main().MenuItem("F11")->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(MainFormTest, ToolBarAndIconPanelCaptions) {
    const QStringList expected = {"单位收支资料管理", "单位收支台帐录入编辑",
                                  "单位收支数据统计报表", "数据备份", "关闭系统"};
    QStringList actual;
    for (QAction* button : Main().ToolBar1->actions())
        actual.append(button->text());
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(Main().MenuItem("ToolButton2")->toolTip(), "单位收支资料管理");
    const struct {
        const char* label;
        const char* caption;
    } labels[] = {{"Label27", "资金借贷记录录入编辑"}, {"Label45", "资金账号台账录入编辑"},
                  {"Label43", "资金借贷数据统计报表"}, {"Label12", "资金账号录入编辑"},
                  {"Label2", "资金借贷科目录入编辑"},  {"Label4", "单位部门资料录入编辑"},
                  {"Label6", "单位员工资料录入编辑"}};
    for (const auto& l : labels)
        EXPECT_EQ(Main().findChild<QLabel*>(l.label)->text(), QString::fromUtf8(l.caption))
            << l.label;
    EXPECT_EQ(Main().findChild<QLabel*>("Image17")->toolTip(), "用鼠标左键双击图标");
    EXPECT_EQ(Main().findChild<QLabel*>("Label4")->toolTip(), "用鼠标左键双击文字");
}

TEST_F(MainFormTest, CaptionStatusBarAndStartValues) {
    test::ExecOnFile(data_.Folder.DatabaseFile(),
                     "INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME) "
                     "VALUES ('G001', 'G002', '测试公司');"
                     "DELETE FROM SYS_EMPLOYEE_FIELD_TABLE "
                     "WHERE FIELD_NAME IN ('EMPLOYEE_ID', 'EMPLOYEE_NAME');"
                     "INSERT INTO SYS_EMPLOYEE_FIELD_TABLE (FIELD_NAME, FIELD_DISPLAY_NAME) "
                     "VALUES ('EMPLOYEE_ID', ''), ('EMPLOYEE_NAME', '职员');"
                     "INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES ('非财务格式', '是')");
    Main().show();
    EXPECT_EQ(Main().windowTitle(), "测试公司岚衡出纳记账管理系统");
    EXPECT_EQ(AppCompanyName, "测试公司");
    EXPECT_EQ(AppFieldCaptions.value("EMPLOYEE_ID"), "员工编号");
    EXPECT_EQ(AppFieldCaptions.value("EMPLOYEE_NAME"), "职员");
    EXPECT_FALSE(AppFinancialFormat);
    EXPECT_TRUE(Main().Timer->isActive());
    EXPECT_EQ(Main().Timer->interval(), 100000);
    EXPECT_TRUE(QRegularExpression("^\\d{4}年\\d{2}月\\d{2}日$")
                    .match(Main().StatusPanel1->text())
                    .hasMatch())
        << Main().StatusPanel1->text().toStdString();
    EXPECT_EQ(AppDataFolder, data_.Folder.Path());
    EXPECT_EQ(AppProgramFolder + "/data", AppDataFolder);
    EXPECT_TRUE(AppHelpFile.endsWith("/岚衡出纳记账管理系统帮助.chm"));
}

TEST_F(MainFormTest, WithoutCompanyRowTheCaptionIsTheTitleAlone) {
    Main().show();
    EXPECT_EQ(Main().windowTitle(), "岚衡出纳记账管理系统");
    EXPECT_TRUE(AppFinancialFormat);
}

TEST_F(MainFormTest, PanelColourFromTheSettingsWhenItIsANumber) {
    const auto panelColor = [this] { return Main().Panel1->palette().color(QPalette::Window); };
    ASSERT_TRUE(sys::WriteSettingsValue("RUReravezColor", "abc"));
    EXPECT_EQ(panelColor(), QColor(0x00, 0x80, 0xC0));
    main_.reset();
    ASSERT_TRUE(sys::WriteSettingsValue("RUReravezColor", "255"));
    EXPECT_EQ(panelColor(), QColor(Qt::red));
}

TEST_F(MainFormTest, StrayTableFilesGoFromTheProgramFolderOnly) {
    // The alias written with a trailing separator must not make the data
    // folder pass for the program folder.
    ASSERT_TRUE(sys::SetAliasPath("RUReravezLink", data_.Folder.Path() + "/"));
    const QDir data(data_.Folder.Path());
    const QDir program(data.absoluteFilePath(".."));
    for (const char* name : {"A.DB", "b.mb", "SYS_BACK_TABLE.DB", "keep.txt"})
        Touch(program.filePath(name));
    Touch(data.filePath("TABLE.DB"));
    Main();
    EXPECT_FALSE(program.exists("A.DB"));
    EXPECT_FALSE(program.exists("b.mb"));
    EXPECT_TRUE(program.exists("SYS_BACK_TABLE.DB"));
    EXPECT_TRUE(program.exists("keep.txt"));
    EXPECT_TRUE(data.exists("TABLE.DB"));
    EXPECT_TRUE(data.exists("RUReravezDataBase.sqlite"));
    EXPECT_EQ(AppDataFolder, data_.Folder.Path());
}

TEST_F(MainFormTest, PictureThatIsNotAnImageIsReportedAndSkipped) {
    const QString fake = QDir(data_.Folder.Path()).filePath("bank.jpg");
    Touch(fake);
    ASSERT_TRUE(sys::WriteSettingsValue("KXBank", fake));
    Main();
    EXPECT_EQ(messages_.Texts(), QStringList{"窗口背景图像文件不能读取：" + fake});
    EXPECT_TRUE(Main().Image1->isHidden());
}

TEST_F(MainFormTest, UnreadableSettingsAreReportedAndTheStartGoesOn) {
    const QString file = sys::SettingsFilePath();
    ASSERT_TRUE(QDir().mkpath(file));
    Main();
    QDir(file).removeRecursively();
    EXPECT_EQ(messages_.Texts(), (QStringList{"RARARUZIDI键打开或建立错误", "注册表打开错误"}));
    EXPECT_EQ(Main().Panel1->palette().color(QPalette::Window), QColor(0x00, 0x80, 0xC0));
}

TEST_F(MainFormTest, ChoosingAWindowTwiceOpensItOnce) {
    test::GrantBrowse(data_.Folder, "U1", 1, 1);
    LogOnAs("U1", false);
    Trigger("N13");
    auto* window = qobject_cast<test::TMoneyIntoOutForm*>(Window("MoneyIntoOutForm"));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->NotTopShow);
    EXPECT_EQ(window->parentWidget(), &Main());
    Trigger("N13");
    EXPECT_EQ(Window("MoneyIntoOutForm"), window);
    EXPECT_EQ(window->ShowInPlaceCalls, 2);
    ASSERT_EQ(Main().KXMain->Children().size(), 1u);
    QMenu* windowMenu = Main().menuBar()->actions().at(4)->menu();
    ASSERT_EQ(windowMenu->actions().size(), 1);
    EXPECT_EQ(windowMenu->actions()[0]->text(), "资金借贷记录录入编辑");
    windowMenu->actions()[0]->trigger();
    EXPECT_EQ(window->ShowInPlaceCalls, 3);
    EXPECT_TRUE(messages_.Texts().isEmpty());
    window->close();
}

TEST_F(MainFormTest, MissingRightIsRefusedWithTheProgramName) {
    LogOnAs("U1", true);
    Trigger("N17");
    EXPECT_EQ(messages_.Texts(), QStringList{"您没有在程序\"资金账号台账录入编辑\"中的权限"});
    EXPECT_EQ(messages_.Requests()[0].owner, nullptr);
    EXPECT_EQ(Window("IntoOutMoneyAccountForm"), nullptr);
}

TEST_F(MainFormTest, SystemUserAndPasswordCommands) {
    LogOnAs("U1", false);
    Trigger("USERMENU");
    EXPECT_EQ(messages_.Texts(), QStringList{"您没有在程序\"用户管理\"中的权限"});
    EXPECT_EQ(Window("UserForm"), nullptr);
    Trigger("CHANGEPASSWORDMENU");
    EXPECT_NE(Window("PasswordChangeForm"), nullptr);
    LogOnAs("U1", true);
    Trigger("USERMENU");
    EXPECT_NE(Window("UserForm"), nullptr);
    Window("UserForm")->close();
    Window("PasswordChangeForm")->close();
}

TEST_F(MainFormTest, DeletionWindowExcludesTheOthers) {
    test::GrantBrowse(data_.Folder, "U1", 1, 1);
    test::GrantBrowse(data_.Folder, "U1", 3, 2);
    LogOnAs("U1", true);
    Trigger("N6");
    QWidget* deletion = Window("DeleteDataForm");
    ASSERT_NE(deletion, nullptr);
    EXPECT_TRUE(Main().KXMain->ExclusiveWindowOpen);
    Trigger("N13");
    EXPECT_EQ(messages_.Texts(), QStringList{"当数据备份与恢复窗口打开时,不能打开其它的窗口"});
    EXPECT_EQ(Window("MoneyIntoOutForm"), nullptr);
    Trigger("N6");
    EXPECT_EQ(static_cast<test::StubWindow*>(deletion)->ShowInPlaceCalls, 2);
    deletion->close();
    QCoreApplication::sendPostedEvents(main_.get());
    EXPECT_FALSE(Main().KXMain->ExclusiveWindowOpen);

    messages_.Clear();
    Trigger("N13");
    Trigger("N6");
    EXPECT_EQ(messages_.Texts(), QStringList{"请先关闭其它的窗口"});
    EXPECT_EQ(Window("DeleteDataForm"), nullptr);
    Window("MoneyIntoOutForm")->close();
}

TEST_F(MainFormTest, WindowWhosePlacementFailedIsNotListed) {
    test::GrantBrowse(data_.Folder, "U1", 1, 1);
    test::GrantBrowse(data_.Folder, "U1", 3, 2);
    LogOnAs("U1", false);
    test::StubWindow::FailPlacement = true;
    Trigger("N13");
    Trigger("N6");
    EXPECT_TRUE(Main().KXMain->Children().empty());
    EXPECT_FALSE(Main().menuBar()->actions().at(4)->menu()->actions().size());
    EXPECT_FALSE(Main().KXMain->ExclusiveWindowOpen);
}

TEST_F(MainFormTest, CommandWithoutItsWindowDoesNothing) {
    LogOnAs("U1", false);
    for (const char* item : {"N102", "N14", "N26", "N11", "N29", "N30", "N3", "N54", "N15", "N19"})
        Trigger(item);
    EXPECT_TRUE(messages_.Texts().isEmpty());
    EXPECT_TRUE(Main().KXMain->Children().empty());
}

TEST_F(MainFormTest, ClosingIsRefusedWhileAWorkingWindowIsOpen) {
    test::GrantBrowse(data_.Folder, "U1", 1, 1);
    LogOnAs("U1", false);
    Main().show();
    Trigger("N13");
    Trigger("ToolButton3");
    EXPECT_TRUE(Main().isVisible());
    EXPECT_EQ(messages_.Texts(), QStringList{"请先关闭打开的全部子程序后,才能退出系统"});
    Window("MoneyIntoOutForm")->close();
    QCoreApplication::sendPostedEvents(main_.get());
    Trigger("EXITMENU");
    EXPECT_FALSE(Main().isVisible());
}

TEST_F(MainFormTest, IconDoubleClickRunsItsEnabledMenuItem) {
    test::GrantBrowse(data_.Folder, "U1", 1, 1);
    LogOnAs("U1", false);
    Main().show();
    QWidget* icon = Main().findChild<QLabel*>("Image17");
    Main().MenuItem("N13")->setEnabled(false);
    QTest::mouseDClick(icon, Qt::LeftButton);
    EXPECT_EQ(Window("MoneyIntoOutForm"), nullptr);
    Main().MenuItem("N13")->setEnabled(true);
    QTest::mouseDClick(icon, Qt::LeftButton);
    ASSERT_NE(Window("MoneyIntoOutForm"), nullptr);
    Window("MoneyIntoOutForm")->close();
}

TEST_F(MainFormTest, ChosenColourIsAnnouncedAppliedAndStored) {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentColor(Qt::red);
        dialog->accept();
    });
    Trigger("N44");
    EXPECT_EQ(messages_.Texts(),
              QStringList{"如果有主窗口图像，只有在\"改变主窗口图像\"菜单里清除窗口背景图像，"
                          "才能看到主窗口颜色"});
    EXPECT_EQ(Main().Panel1->palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_EQ(sys::ReadSettingsValue("RUReravezColor").value_or(""), "255");
}

} // namespace
} // namespace kx
