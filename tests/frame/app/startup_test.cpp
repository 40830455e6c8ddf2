#include "frame/app/startup.h"

#include "core/appstate.h"
#include "frame/app/enrolform.h"
#include "frame/app/logonform.h"
#include "frame/app/showform.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxedit.h"
#include "frame/dialogs/setautoidform.h"
#include "grid/dbgrid/dbgriddataservice.h"
#include "grid/dbgrid/dbgridxstyle.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/sys/configstore.h"
#include "platform/sys/singleinstanceguard.h"
#include "platform/ui/application.h"
#include "tests/core/programfixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

#include <gtest/gtest.h>

namespace kx {
namespace {

const QString kAliasMissingText =
    "1.没有找到软件设置的数据库连接参数，如果操作系统是Window7 或 "
    "以上的操作系统，用鼠标右键点桌面软件图标，在弹出的菜单里点属性，点兼容方式，把 "
    "以管理员身份运行此软件 打勾,然后重新打开软件。\n"
    "2.如果打勾后还提示此信息，或者是XP操作系统提示此信息，就要重新安装软件，如果有录入的数据，不"
    "要卸载和删除以前装的软件，换个盘重新安装，不要覆盖以前的软件，安装好后用最新的数据备份恢复数"
    "据";
const QString kWrong = "错误的用户编号或错误的口令";
const QString kIllegal = "您可能是非法的用户,不能登陆系统";

// Types the attempts into the log-on window as it comes up, one per tick,
// then cancels it when asked to.
class LogonScript : public QObject {
public:
    struct Attempt {
        QString user;
        QString password;
    };
    explicit LogonScript(QList<Attempt> attempts, bool cancelAfter = false)
        : attempts_(std::move(attempts)), cancelAfter_(cancelAfter) {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
        timer_.start();
        clock_.start();
    }
    bool logonShown = false;
    bool splashWithLogon = false;
    qint64 logonShownAfterMs = -1;
    int attemptsMade = 0;
    QStringList userList;

private:
    void Tick() {
        auto* logon = qobject_cast<TLogonForm*>(QApplication::activeModalWidget());
        if (!logon)
            return;
        if (!logonShown) {
            logonShown = true;
            logonShownAfterMs = clock_.elapsed();
            for (QWidget* window : QApplication::topLevelWidgets())
                splashWithLogon |= qobject_cast<TShowForm*>(window) != nullptr;
            for (int i = 0; i < logon->UserIDBox->count(); ++i)
                userList.append(logon->UserIDBox->itemText(i));
        }
        if (attemptsMade < attempts_.size()) {
            logon->UserIDBox->setEditText(attempts_[attemptsMade].user);
            logon->PasswordEdit->setText(attempts_[attemptsMade].password);
            ++attemptsMade;
            logon->ButtonOK->click();
        } else if (cancelAfter_) {
            logon->ButtonCancel->click();
        }
    }

    QList<Attempt> attempts_;
    bool cancelAfter_;
    QTimer timer_;
    QElapsedTimer clock_;
};

using Attempts = QList<LogonScript::Attempt>;

// Fills the set-up window as it comes up and presses OK, then confirms the
// options window; or closes the set-up window at once.
class SetUpScript : public QObject {
public:
    explicit SetUpScript(bool close = false) : close_(close) {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
        timer_.start();
    }
    bool setUpShown = false;
    bool optionsShown = false;

private:
    void Tick() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* options = qobject_cast<TSetAutoIDForm*>(modal)) {
            optionsShown = true;
            options->accept();
        }
        auto* enrol = qobject_cast<TEnrolForm*>(modal);
        if (!enrol || setUpShown)
            return;
        setUpShown = true;
        // Pressed from its own timer: this one must keep ticking for the
        // options window that OK brings up.
        QTimer::singleShot(0, enrol, [this, enrol] { Press(enrol); });
    }

    void Press(TEnrolForm* enrol) {
        if (close_) {
            enrol->Button_Close->click();
            return;
        }
        enrol->KXEdit1->setText("O'Neil's 商行");
        enrol->KXEdit8->setText("010-8888");
        enrol->KXEdit9->setText("北京路1号");
        enrol->KXEdit4->setText("BOSS");
        enrol->KXEdit5->setText("王五");
        enrol->KXEdit2->setText("p'w");
        enrol->KXEdit3->setText("p'w");
        enrol->Button_Ok->click();
        if (enrol->isVisible()) // refused: end the run instead of waiting
            enrol->Button_Close->click();
    }

    bool close_;
    QTimer timer_;
};

class StartupTest : public ::testing::Test {
protected:
    StartupTest() {
        test::ResetProgramState();
        test::InsertUser(folder_, "ADMIN", "管理员", "secret", true);
        test::InsertUser(folder_, "CLERK", "出纳", "pw", false);
        test::InsertUser(folder_, "GONE", "离职", "pw", true, false);
    }
    ~StartupTest() override {
        test::ResetProgramState();
        AppFirstRunDone = false;
    }

    TRunningProgram Start() { return StartProgram(20); }

    test::TempDataFolder folder_;
    test::MessageRecorder messages_;
};

TEST_F(StartupTest, MissingAliasShowsTheLongMessageAndEnds) {
    QFile::remove(sys::AliasesFilePath());
    LogonScript script(Attempts{});
    const TRunningProgram program = Start();
    EXPECT_FALSE(program.MainForm);
    EXPECT_EQ(messages_.Texts(), QStringList{kAliasMissingText});
    EXPECT_TRUE(ui::TerminateRequested());
    EXPECT_FALSE(script.logonShown);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST_F(StartupTest, AliasToAMissingFolderIsReportedAndEndsCleanly) {
    ASSERT_TRUE(sys::SetAliasPath("RUReravezLink", "/nonexistent/kxcashier/data"));
    const TRunningProgram program = Start();
    EXPECT_FALSE(program.MainForm);
    EXPECT_EQ(messages_.Texts(), QStringList{"数据库打开过程发生错误"});
    EXPECT_TRUE(ui::TerminateRequested());
}

TEST_F(StartupTest, DamagedDatabaseFileIsReportedAndLeftAlone) {
    QFile file(folder_.DatabaseFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(4096, 'x'));
    file.close();
    const TRunningProgram program = Start();
    EXPECT_FALSE(program.MainForm);
    EXPECT_EQ(messages_.Texts(), QStringList{"数据库打开过程发生错误"});
    EXPECT_EQ(QFileInfo(folder_.DatabaseFile()).size(), 4096);
}

TEST_F(StartupTest, WithoutASystemUserClosingTheSetUpEndsTheProgram) {
    test::ExecOnFile(folder_.DatabaseFile(), "UPDATE SYS_USER_TABLE SET SYS_USER = '否'");
    LogonScript logon(Attempts{});
    SetUpScript setUp(true);
    const TRunningProgram program = Start();
    EXPECT_FALSE(program.MainForm);
    EXPECT_TRUE(setUp.setUpShown);
    EXPECT_FALSE(logon.logonShown);
    EXPECT_TRUE(messages_.Texts().isEmpty());
    EXPECT_TRUE(ui::TerminateRequested());
}

TEST_F(StartupTest, SetUpOpensTheMainWindowAndTheNextStartLogsOnWithTheNewPassword) {
    test::ExecOnFile(folder_.DatabaseFile(), "DELETE FROM SYS_USER_TABLE");
    {
        SetUpScript setUp;
        LogonScript logon(Attempts{});
        const TRunningProgram program = Start();
        ASSERT_TRUE(program.MainForm);
        EXPECT_TRUE(setUp.optionsShown);
        EXPECT_FALSE(logon.logonShown);
        EXPECT_TRUE(AppFirstRunDone);
        EXPECT_EQ(AppUserId, "BOSS");
        program.MainForm->show();
        EXPECT_EQ(program.MainForm->windowTitle(), "O'Neil's 商行岚衡出纳记账管理系统");
        EXPECT_FALSE(ui::TerminateRequested());
    }
    test::ResetProgramState();
    AppFirstRunDone = false;
    messages_.Clear();
    SetUpScript setUp;
    LogonScript logon(Attempts{{"BOSS", "p'w"}});
    const TRunningProgram program = Start();
    ASSERT_TRUE(program.MainForm);
    EXPECT_FALSE(setUp.setUpShown);
    EXPECT_TRUE(logon.logonShown);
    EXPECT_TRUE(AppSystemUser);
    EXPECT_EQ(AppCompanyName, "O'Neil's 商行");
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(StartupTest, RightPasswordOpensTheMainWindow) {
    LogonScript script(Attempts{{"  ADMIN ", " secret  "}});
    const TRunningProgram program = Start();
    ASSERT_TRUE(program.MainForm);
    EXPECT_TRUE(script.logonShown);
    EXPECT_EQ(script.userList, (QStringList{"管理员", "出纳"}));
    EXPECT_EQ(AppUserId, "ADMIN");
    EXPECT_EQ(AppUserName, "管理员");
    EXPECT_TRUE(AppSystemUser);
    EXPECT_EQ(program.MainForm->MenuItem("N13")->text(), "资金借贷记录录入编辑");
    EXPECT_EQ(program.MainForm->menuBar()->actions().at(0)->text(), "出纳记账管理");
    EXPECT_TRUE(messages_.Texts().isEmpty());
    EXPECT_FALSE(ui::TerminateRequested());
}

// Every list of the program draws with the grid's pictures and style and
// finds through its dialog, so start-up begins the grid unit.
TEST_F(StartupTest, TheGridUnitStartsBeforeTheMainWindowShows) {
    EndGridUnit();
    const auto end = qScopeGuard([] { EndGridUnit(); });
    LogonScript script(Attempts{{"ADMIN", "secret"}});
    const TRunningProgram program = Start();
    ASSERT_TRUE(program.MainForm);
    ASSERT_NE(GridUnitResources(), nullptr);
    EXPECT_EQ(GridUnitResources()->IndicatorImages->Count(), 7);
    EXPECT_NE(DefaultGridStyle(), nullptr);
    EXPECT_TRUE(GridFindDialogProc);
}

TEST_F(StartupTest, UserNameLogsOnAndInputMethodComesFromTheSettings) {
    ASSERT_TRUE(sys::WriteSettingsValue("RUReravezImes", "拼音"));
    LogonScript script(Attempts{{"出纳", "pw"}});
    const TRunningProgram program = Start();
    ASSERT_TRUE(program.MainForm);
    EXPECT_EQ(AppUserId, "CLERK");
    EXPECT_FALSE(AppSystemUser);
    EXPECT_EQ(AppImeName, "拼音");
    ASSERT_TRUE(sys::DeleteSettingsValue("RUReravezImes"));
}

TEST_F(StartupTest, ThreeWrongAttemptsWarnTheFourthEndsTheProgram) {
    LogonScript script(
        {{"ADMIN", "bad"}, {"GONE", "pw"}, {"' OR ''='", "' OR ''='"}, {"ADMIN", "' OR ''='"}});
    const TRunningProgram program = Start();
    EXPECT_FALSE(program.MainForm);
    EXPECT_EQ(script.attemptsMade, 4);
    EXPECT_EQ(messages_.Texts(), (QStringList{kWrong, kWrong, kWrong, kIllegal}));
    EXPECT_TRUE(ui::TerminateRequested());
}

TEST_F(StartupTest, ThirdWrongAttemptStillLeavesTheWindowOpen) {
    LogonScript script(
        Attempts{{"ADMIN", "x"}, {"ADMIN", "y"}, {"ADMIN", "z"}, {"ADMIN", "secret"}});
    const TRunningProgram program = Start();
    ASSERT_TRUE(program.MainForm);
    EXPECT_EQ(messages_.Texts(), (QStringList{kWrong, kWrong, kWrong}));
}

TEST_F(StartupTest, CancelEndsWithoutAMessage) {
    LogonScript script(Attempts{}, true);
    const TRunningProgram program = Start();
    EXPECT_FALSE(program.MainForm);
    EXPECT_TRUE(script.logonShown);
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(StartupTest, SplashStaysItsTimeAndIsGoneBeforeTheLogOn) {
    LogonScript script(Attempts{{"ADMIN", "secret"}});
    QElapsedTimer clock;
    clock.start();
    const TRunningProgram program = StartProgram(400);
    ASSERT_TRUE(program.MainForm);
    EXPECT_GE(script.logonShownAfterMs, 400);
    EXPECT_FALSE(script.splashWithLogon);
}

TEST_F(StartupTest, SecondInstanceIsToldAndTouchesNothing) {
    sys::SingleInstanceGuard first("岚衡出纳记账管理系统");
    ASSERT_EQ(first.Acquire(), sys::SingleInstanceGuard::Status::First);
    const QDir program(QDir(folder_.Path()).absoluteFilePath(".."));
    QFile stray(program.filePath("STRAY.DB"));
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.close();
    LogonScript script(Attempts{{"ADMIN", "secret"}});
    const TRunningProgram second = Start();
    EXPECT_FALSE(second.MainForm);
    EXPECT_EQ(messages_.Texts(), QStringList{"程序已经运行"});
    EXPECT_FALSE(script.logonShown);
    EXPECT_TRUE(program.exists("STRAY.DB"));
}

} // namespace
} // namespace kx
