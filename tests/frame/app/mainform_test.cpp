#include "frame/app/mainform.h"

#include "core/appstate.h"
#include "core/filefunctions.h"
#include "frame/app/kxmain.h"
#include "frame/controls/kxcombobox.h"
#include "frame/dialogs/selectimesform.h"
#include "platform/sys/configstore.h"
#include "platform/ui/colors.h"
#include "tests/core/programfixture.h"
#include "tests/frame/app/stubwindows.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
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
        // The backup offered at the first show has tests of its own.
        AppFirstRunDone = true;
    }
    ~MainFormTest() override {
        AppFirstRunDone = false;
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
    EXPECT_EQ(AppProgramFolder, QFileInfo(data_.Folder.Path()).absolutePath());
    EXPECT_EQ(AppTempFolder, GetTempFolder());
    EXPECT_TRUE(AppHelpFile.endsWith("/岚衡出纳记账管理系统帮助.html"));
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

TEST_F(MainFormTest, StartCleansOnlyTheProgramsOwnTemporaryFolder) {
    const QDir data(data_.Folder.Path());
    const QDir parent(data.absoluteFilePath(".."));
    for (const char* name : {"a.DB", "b.mb", "SYS_BACK_TABLE.DB"})
        Touch(parent.filePath(name));
    Touch(data.filePath("TABLE.DB"));
    const QDir temp(GetTempFolder());
    ASSERT_TRUE(temp.mkpath("."));
    for (const char* name : {"report.pdf", "old.DB"})
        Touch(temp.filePath(name));
    Main();
    EXPECT_EQ(parent.entryList({"*.DB", "*.mb"}, QDir::Files, QDir::Name),
              (QStringList{"SYS_BACK_TABLE.DB", "a.DB", "b.mb"}));
    EXPECT_TRUE(data.exists("TABLE.DB"));
    EXPECT_TRUE(data.exists("RUReravezDataBase.sqlite"));
    EXPECT_TRUE(temp.isEmpty());
}

TEST_F(MainFormTest, DataFolderInTheTemporaryFolderIsNotCleaned) {
    QDir temp(GetTempFolder());
    ASSERT_TRUE(temp.mkpath("."));
    ASSERT_TRUE(
        QFile::copy(data_.Folder.DatabaseFile(), temp.filePath("RUReravezDataBase.sqlite")));
    ASSERT_TRUE(sys::SetAliasPath("RUReravezLink", temp.path()));
    Main();
    EXPECT_TRUE(temp.exists("RUReravezDataBase.sqlite"));
    main_.reset();
    ASSERT_TRUE(temp.removeRecursively());
}

TEST_F(MainFormTest, StartGeometryPlacesTheFrame) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(Main().frameGeometry(), QRect(-4, -4, screen.width() + 9, screen.height() - 35));
    EXPECT_GT(Main().geometry().top(), -4);
    EXPECT_TRUE(Main().windowState() & Qt::WindowMaximized);
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
    // Its item under "打开的窗口" brings it forward as well.
    deletion->showMinimized();
    Main().menuBar()->actions().at(4)->menu()->actions().at(0)->trigger();
    EXPECT_EQ(static_cast<test::StubWindow*>(deletion)->ShowInPlaceCalls, 3);
    EXPECT_FALSE(deletion->isMinimized());
    EXPECT_EQ(messages_.Texts(), QStringList{"当数据备份与恢复窗口打开时,不能打开其它的窗口"});
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

QString Refusal(const char* program) {
    return "您没有在程序\"" + QString::fromUtf8(program) + "\"中的权限";
}

TEST_F(MainFormTest, EveryCommandRefusesAUserWithoutRights) {
    LogOnAs("U1", false);
    const struct {
        const char* item;
        QString message;
    } cases[] = {
        {"N13", Refusal("资金借贷记录录入编辑")},
        {"N17", Refusal("资金账号台账录入编辑")},
        {"N102", Refusal("资金借贷数据统计报表")},
        {"N27", Refusal("资金账号录入编辑")},
        {"N14", Refusal("资金借贷科目录入编辑")},
        {"N26", Refusal("单位部门资料录入编辑")},
        {"N11", Refusal("单位员工资料录入编辑")},
        {"USERMENU", Refusal("用户管理")},
        {"N6", Refusal("过时数据删除")},
        {"N3", Refusal("数据备份")},
        {"N15", Refusal("数据修复")},
        {"N54", "只有系统管理员才能有恢复数据库的权限"},
        {"N19", "只有系统管理员才能有设置修改编号方式的权限"},
        {"ToolButton2", Refusal("资金借贷记录录入编辑")},
        {"ToolButton1", Refusal("资金账号台账录入编辑")},
        {"ToolButton11", Refusal("资金借贷数据统计报表")},
        {"ToolButton9", Refusal("数据备份")},
    };
    for (const auto& c : cases) {
        messages_.Clear();
        Trigger(c.item);
        EXPECT_EQ(messages_.Texts(), QStringList{c.message}) << c.item;
    }
    Main().show();
    const struct {
        const char* control;
        const char* program;
    } icons[] = {{"Image17", "资金借贷记录录入编辑"}, {"Image20", "资金账号台账录入编辑"},
                 {"Image22", "资金借贷数据统计报表"}, {"Image2", "资金账号录入编辑"},
                 {"Image4", "资金借贷科目录入编辑"},  {"Label4", "单位部门资料录入编辑"},
                 {"Label6", "单位员工资料录入编辑"}};
    for (const auto& icon : icons) {
        messages_.Clear();
        QTest::mouseDClick(Main().findChild<QLabel*>(icon.control), Qt::LeftButton);
        EXPECT_EQ(messages_.Texts(), QStringList{Refusal(icon.program)}) << icon.control;
    }
    messages_.Clear();
    Trigger("N29");
    Trigger("N30");
    EXPECT_TRUE(messages_.Texts().isEmpty());
    EXPECT_TRUE(Main().KXMain->Children().empty());
}

TEST_F(MainFormTest, AllowedCommandWithoutItsWindowEndsQuietly) {
    test::GrantBrowse(data_.Folder, "U1", 1, 3);
    LogOnAs("U1", true);
    Trigger("N102");
    EXPECT_TRUE(messages_.Texts().isEmpty());
    EXPECT_TRUE(Main().KXMain->Children().empty());
}

TEST_F(MainFormTest, CommandsThatNeedTheOtherWindowsClosed) {
    test::GrantBrowse(data_.Folder, "U1", 1, 1);
    LogOnAs("U1", true);
    Trigger("N13");
    for (const char* item : {"N6", "N15", "N19"}) {
        messages_.Clear();
        Trigger(item);
        EXPECT_EQ(messages_.Texts(), QStringList{"请先关闭其它的窗口"}) << item;
    }
    Window("MoneyIntoOutForm")->close();
    QCoreApplication::sendPostedEvents(main_.get());

    // Repair stays open to a system user beside the deletion window.
    test::GrantBrowse(data_.Folder, "U1", 3, 2);
    Trigger("N6");
    ASSERT_NE(Window("DeleteDataForm"), nullptr);
    messages_.Clear();
    QString shown;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        shown = dialog->metaObject()->className();
        qobject_cast<QDialog*>(dialog)->done(QDialog::Rejected);
    });
    Trigger("N15");
    EXPECT_EQ(shown, "kx::TDataRebuildForm");
    EXPECT_TRUE(messages_.Texts().isEmpty());
    LogOnAs("U1", false);
    Trigger("N15");
    EXPECT_EQ(messages_.Texts(), QStringList{Refusal("数据修复")});
    Window("DeleteDataForm")->close();
}

TEST_F(MainFormTest, NumberingOptionsOpenForASystemUser) {
    LogOnAs("U1", true);
    QString shown;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        shown = dialog->metaObject()->className();
        EXPECT_EQ(dialog->parentWidget(), &Main());
        qobject_cast<QDialog*>(dialog)->done(QDialog::Rejected);
    });
    Trigger("N19");
    EXPECT_EQ(shown, "kx::TSetAutoIDForm");
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(MainFormTest, ChosenInputMethodIsKeptAndStored) {
    const struct {
        QDialog::DialogCode result;
        const char* expected;
    } cases[] = {{QDialog::Rejected, ""}, {QDialog::Accepted, "拼音"}};
    for (const auto& c : cases) {
        QTimer::singleShot(0, [&] {
            auto* chooser = qobject_cast<TSelectImesForm*>(QApplication::activeModalWidget());
            ASSERT_NE(chooser, nullptr);
            chooser->KXComboBox1->addItem("拼音");
            chooser->KXComboBox1->setCurrentIndex(chooser->KXComboBox1->count() - 1);
            chooser->done(c.result);
        });
        Trigger("N35");
        EXPECT_EQ(AppImeName, c.expected);
        EXPECT_EQ(sys::ReadSettingsValue("RUReravezImes").value_or("?"), c.expected);
    }
}

TEST_F(MainFormTest, HelpOpensTheGuideOrSaysWhyNot) {
    QTemporaryDir folder;
    const QString guide = folder.filePath("帮助.html");
    QList<QUrl> opened;
    bool opens = false;
    Main().OpenHelpUrl = [&](const QUrl& url) {
        opened.append(url);
        return opens;
    };
    AppHelpFile = guide;
    Trigger("F11");
    EXPECT_EQ(messages_.Texts(), QStringList{"找不到帮助文件：" + guide});
    EXPECT_TRUE(opened.isEmpty());

    Touch(guide);
    messages_.Clear();
    Trigger("F11");
    EXPECT_EQ(messages_.Texts(), QStringList{"没有能打开帮助文件的程序：" + guide});

    opens = true;
    messages_.Clear();
    Trigger("F11");
    EXPECT_TRUE(messages_.Texts().isEmpty());
    const QUrl url = QUrl::fromLocalFile(guide);
    EXPECT_EQ(opened, (QList<QUrl>{url, url}));
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
