#include "frame/app/enrolform.h"

#include "core/appstate.h"
#include "core/sqlfunctions.h"
#include "frame/app/logonform.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxedit.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/kxthread.h"
#include "frame/dialogs/setautoidform.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/sys/configstore.h"
#include "platform/ui/application.h"
#include "tests/core/programfixture.h"
#include "tests/support/clippedtexts.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace kx {
namespace {

// Runs the action once, on the first modal dialog of class T that shows,
// unless the owner goes first.
template <class T> void OnModal(QObject* owner, std::function<void(T*)> action) {
    auto* timer = new QTimer(owner);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action(dialog);
    });
    timer->start();
}

class EnrolFormTest : public ::testing::Test {
protected:
    EnrolFormTest() {
        test::ResetProgramState();
        AppFirstRunDone = false;
        AppToday = "2024-05-07";
    }
    ~EnrolFormTest() override {
        test::ResetProgramState();
        AppFirstRunDone = false;
    }

    void ShowForm() {
        form_.show();
        form_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
    }

    // Company, phone, address, user id, user name, password, confirmation.
    void Fill(const QStringList& texts) {
        TKXEdit* const edits[] = {form_.KXEdit1, form_.KXEdit8, form_.KXEdit9, form_.KXEdit4,
                                  form_.KXEdit5, form_.KXEdit2, form_.KXEdit3};
        for (int i = 0; i < texts.size(); ++i)
            edits[i]->setText(texts[i]);
    }

    // A complete set-up on a database with the fault.
    void SetUpWithFault(const QString& fault) {
        test::ExecOnFile(data_.Folder.DatabaseFile(), fault);
        ShowForm();
        Fill({"岚衡商贸", "010-8888", "北京路", "ADMIN", "王", "pw", "pw"});
        OnModal<TSetAutoIDForm>(&drivers_, [](TSetAutoIDForm* options) { options->accept(); });
        form_.Button_Ok->click();
        EXPECT_EQ(form_.result(), QDialog::Accepted);
        EXPECT_FALSE(form_.KXThread->Active);
        EXPECT_FALSE(form_.Query->Active());
        EXPECT_EQ(Column("SELECT USE_ID FROM SYS_USER_TABLE"), QStringList{"ADMIN"});
        EXPECT_TRUE(AppFirstRunDone);
    }

    QStringList Column(const QString& sql) {
        const std::unique_ptr<db::TQuery> query = OpenSqlQuery(kDatabaseName, sql);
        QStringList values;
        for (; !query->Eof(); query->Next())
            values.append(query->Fields()[0]->AsString());
        return values;
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    TEnrolForm form_;
    QObject drivers_; // the OnModal timers of the test, gone before what they use
};

TEST_F(EnrolFormTest, WindowCaptionsLimitsAndFirstFocus) {
    ShowForm();
    EXPECT_EQ(form_.windowTitle(), "注册窗口");
    EXPECT_EQ(form_.size(), QSize(487, 248));
    EXPECT_EQ(form_.Button_Ok->text(), "确认F3");
    EXPECT_EQ(form_.Button_Close->text(), "关闭F4");
    EXPECT_EQ(form_.Label11->text(), "自己输入:单位名称、 用户编号、用户姓名、口令等！");
    EXPECT_EQ(form_.Label11->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_TRUE(form_.KXEdit1->hasFocus());
    EXPECT_FALSE(form_.KXComboBox1->isVisible());
    EXPECT_FALSE(form_.findChild<QLabel*>("Label10")->isVisible());
    EXPECT_EQ(form_.KXComboBox1->currentText(), "");
    EXPECT_EQ(form_.KXThread->Caption(), "正在建立报表数据......");
    EXPECT_EQ(test::ClippedTexts(form_), QStringList());

    const struct {
        TKXEdit* edit;
        const char* label;
        const char* caption;
        int maxBytes;
        bool password;
    } edits[] = {{form_.KXEdit1, "Label1", "单位名称", 40, false},
                 {form_.KXEdit6, "Label6", "邮编", 6, false},
                 {form_.KXEdit7, "Label7", "传真", 20, false},
                 {form_.KXEdit8, "Label8", "电话", 40, false},
                 {form_.KXEdit9, "Label9", "单位地址", 40, false},
                 {form_.KXEdit4, "Label4", "用户编号", 6, false},
                 {form_.KXEdit5, "Label5", "用户姓名", 20, false},
                 {form_.KXEdit2, "Label2", "口令", 10, true},
                 {form_.KXEdit3, "Label3", "口令确认", 10, true}};
    for (const auto& e : edits) {
        SCOPED_TRACE(e.label);
        EXPECT_EQ(form_.findChild<QLabel*>(e.label)->text(), QString::fromUtf8(e.caption));
        EXPECT_EQ(e.edit->MaxLength(), e.maxBytes);
        EXPECT_EQ(e.edit->echoMode() == QLineEdit::Password, e.password);
        EXPECT_EQ(e.edit->Color(), e.edit == form_.KXEdit1 ? AppFocusColor : AppEditColor);
    }

    if (const QString folder = qEnvironmentVariable("KX_GALLERY_DIR"); !folder.isEmpty()) {
        EXPECT_TRUE(QDir().mkpath(folder) && form_.grab().save(folder + "/enrolform.png"));
    }
}

TEST_F(EnrolFormTest, TypingIsCappedAndIdsAreUpperCase) {
    ShowForm();
    const struct {
        TKXEdit* edit;
        const char* typed;
        const char* kept;
    } cases[] = {{form_.KXEdit4, "admin12345", "ADMIN1"},
                 {form_.KXEdit6, "sw1a2ab", "SW1A2A"},
                 {form_.KXEdit5, "wang", "wang"},
                 {form_.KXEdit2, "abcdefghijkl", "abcdefghij"},
                 {form_.KXEdit1, "岚衡商贸有限公司岚衡商贸有限公司岚衡商贸有限公司",
                  "岚衡商贸有限公司岚衡商贸有限公司岚衡商贸"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        c.edit->setFocus();
        const QString typed = QString::fromUtf8(c.typed);
        for (QChar ch : typed)
            QTest::sendKeyEvent(QTest::Click, c.edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        EXPECT_EQ(c.edit->text(), QString::fromUtf8(c.kept));
    }
    form_.KXEdit4->clear();
    form_.KXEdit4->setFocus();
    QTest::keyClicks(form_.KXEdit4, "ab");
    QTest::keyClick(form_.KXEdit4, Qt::Key_Home);
    QTest::keyClicks(form_.KXEdit4, "x");
    EXPECT_EQ(form_.KXEdit4->text(), "XAB");
    EXPECT_EQ(form_.KXEdit4->cursorPosition(), 1);
}

TEST_F(EnrolFormTest, EnterWalksTheTabOrderAndTheKeysOfTheButtons) {
    ShowForm();
    const QList<QWidget*> order = {form_.KXEdit6, form_.KXEdit7, form_.KXEdit8,
                                   form_.KXEdit9, form_.KXEdit4, form_.KXEdit5,
                                   form_.KXEdit2, form_.KXEdit3, form_.Button_Ok};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form_.Button_Close);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form_.KXEdit1);
    EXPECT_TRUE(messages_.Texts().isEmpty());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(form_.isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    EXPECT_EQ(messages_.Texts(), QStringList{"必须输入企业名称"});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
    EXPECT_FALSE(form_.isVisible());
    EXPECT_EQ(form_.result(), QDialog::Rejected);
}

TEST_F(EnrolFormTest, EachPromptInOrderFocusesItsEntry) {
    ShowForm();
    const struct {
        QStringList entries;
        const char* prompt;
        TKXEdit* focus;
    } steps[] = {
        {{}, "必须输入企业名称", form_.KXEdit1},
        {{"岚衡商贸"}, "必须输入电话", form_.KXEdit8},
        {{"岚衡商贸", "010-8888"}, "必须输入地址", form_.KXEdit9},
        {{"岚衡商贸", "010-8888", "北京路"}, "必须输入用户编号", form_.KXEdit4},
        {{"岚衡商贸", "010-8888", "北京路", "ADMIN"}, "必须输入用户姓名", form_.KXEdit5},
        {{"岚衡商贸", "010-8888", "北京路", "ADMIN", "王"}, "必须输入用户口令", form_.KXEdit2},
        {{"岚衡商贸", "010-8888", "北京路", "ADMIN", "王", "pw"},
         "必须确认用户口令",
         form_.KXEdit3},
        {{"岚衡商贸", "010-8888", "北京路", "ADMIN", "王", "pw", "pW"},
         "口令确认错误",
         form_.KXEdit2},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.prompt);
        messages_.Clear();
        Fill(step.entries);
        form_.Button_Ok->setFocus();
        form_.Button_Ok->click();
        EXPECT_EQ(messages_.Texts(), QStringList{QString::fromUtf8(step.prompt)});
        EXPECT_EQ(QApplication::focusWidget(), step.focus);
    }
    EXPECT_TRUE(form_.isVisible());
    EXPECT_TRUE(Column("SELECT USE_ID FROM SYS_USER_TABLE").isEmpty());
    EXPECT_TRUE(Column("SELECT COMPANY_ID FROM SYS_COMPANY_TABLE").isEmpty());
}

TEST_F(EnrolFormTest, FullSetUpWritesTheRowsAndTheUserLogsOnWithAQuotedPassword) {
    struct {
        bool enrolHidden = false;
        QStringList messages;
        bool busy = true;
    } atOptions;
    QStringList busyRows; // title, bar and position as each catalogue row is saved
    form_.Query->AfterPost = [&](db::TDataSet*) {
        const TThreadForm* busy = form_.KXThread->Window();
        busyRows.append(busy ? QStringLiteral("%1 %2/%3")
                                   .arg(busy->windowTitle())
                                   .arg(busy->ProgressBar(1)->value())
                                   .arg(busy->ProgressBar(1)->maximum())
                             : QStringLiteral("no busy window"));
    };
    OnModal<TSetAutoIDForm>(&drivers_, [&](TSetAutoIDForm* options) {
        atOptions.enrolHidden = !form_.isVisible();
        atOptions.messages = messages_.Texts();
        atOptions.busy = form_.KXThread->Active;
        options->findChild<QPushButton*>("Button_Ok")->click();
    });
    OnModal<TEnrolForm>(&drivers_, [&](TEnrolForm* enrol) {
        Fill(
            {" O'Neil's 商行 ", "010-8888", "北京路", "boss", "王'五", "' OR ''='x", "' OR ''='x"});
        form_.KXEdit6->setText("100080");
        form_.KXEdit7->setText("010-6666");
        enrol->Button_Ok->click();
        if (enrol->isVisible()) // refused: end the run instead of waiting
            enrol->reject();
    });
    ASSERT_EQ(ui::ExecModal(form_), QDialog::Accepted) << messages_.Texts().join("|").toStdString();

    EXPECT_TRUE(atOptions.enrolHidden);
    EXPECT_FALSE(atOptions.busy);
    ASSERT_EQ(messages_.Requests().size(), 1);
    const ui::MessageRequest& message = messages_.Requests()[0];
    EXPECT_EQ(atOptions.messages, QStringList{message.text});
    EXPECT_EQ(message.text,
              "您的用户名称是：王'五\n用户编号是：BOSS\n您的口令是：' OR ''='x       ");
    EXPECT_EQ(message.caption, "提示信息");
    EXPECT_EQ(message.icon, ui::MessageIcon::Warning);
    EXPECT_EQ(message.owner, nullptr);
    QStringList expectedBusy;
    for (int row = 1; row <= 5; ++row)
        expectedBusy.append(QStringLiteral("正在建立报表数据...... %1/5").arg(row));
    EXPECT_EQ(busyRows, expectedBusy);
    EXPECT_FALSE(form_.KXThread->Active);
    EXPECT_FALSE(form_.Query->Active());

    EXPECT_EQ(Column("SELECT COMPANY_NAME FROM SYS_COMPANY_TABLE"), QStringList{"O'Neil's 商行"});
    EXPECT_EQ(Column("SELECT USE_PASSWORD FROM SYS_USER_TABLE"), QStringList{"' OR ''='x"});
    EXPECT_EQ(Column("SELECT COUNT(*) FROM SYS_RIGHT_TABLE WHERE USE_ID = 'BOSS'"),
              QStringList{"10"});
    EXPECT_EQ(Column("SELECT PRINT_ID || ' ' || PRINT_INDEX || ' ' || PRINT_NAME || ' ' || "
                     "PRINT_TYPE FROM SYS_PRINT_NAME_TABLE ORDER BY PRINT_ID"),
              (QStringList{"200700000007 MoneyIntoOutForm 资金借贷记录报表 M",
                           "200700000008 IntoOutMoneyAccountForm1 资金账号日台账 M",
                           "200700000009 IntoOutMoneyAccountForm2 资金账号月台账 M",
                           "200700000010 EmployeeFormMaster 员工资料 M",
                           "200700000019 MoneyIntoOutQueryForm 资金借贷数据统计报表 M"}));
    EXPECT_EQ(Column("SELECT COUNT(*) FROM SYS_ID_TABLE"), QStringList{"5"});

    EXPECT_TRUE(AppSystemUser);
    EXPECT_TRUE(AppFirstRunDone);
    EXPECT_EQ(AppUserId, "BOSS");
    EXPECT_EQ(AppUserName, "王'五");
    EXPECT_EQ(AppCompanyName, "O'Neil's 商行");
    EXPECT_EQ(AppImeName, "");
    EXPECT_EQ(sys::ReadSettingsValue("RUReravezImes"), std::optional<QString>(""));

    TLogonForm logon;
    logon.show();
    logon.UserIDBox->setEditText("BOSS");
    logon.PasswordEdit->setText("' OR ''='");
    logon.ButtonOK->click();
    EXPECT_NE(logon.result(), QDialog::Accepted);
    logon.UserIDBox->setEditText("王'五");
    logon.PasswordEdit->setText("' OR ''='x");
    logon.ButtonOK->click();
    EXPECT_EQ(logon.result(), QDialog::Accepted);
    ASSERT_TRUE(sys::DeleteSettingsValue("RUReravezImes"));
}

TEST_F(EnrolFormTest, FailedWriteKeepsTheWindowOpenAndChangesNothing) {
    test::ExecOnFile(data_.Folder.DatabaseFile(),
                     "CREATE TRIGGER fail BEFORE INSERT ON SYS_RIGHT_TABLE "
                     "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    ShowForm();
    Fill({"岚衡商贸", "010-8888", "北京路", "ADMIN", "王", "pw", "pw"});
    form_.Button_Ok->click();
    EXPECT_EQ(messages_.Texts(), QStringList{"用户注册错误"});
    EXPECT_TRUE(form_.isVisible());
    EXPECT_FALSE(AppFirstRunDone);
    EXPECT_FALSE(AppSystemUser);
    EXPECT_TRUE(Column("SELECT COMPANY_ID FROM SYS_COMPANY_TABLE").isEmpty());
    EXPECT_TRUE(Column("SELECT USE_ID FROM SYS_USER_TABLE").isEmpty());

    // Once the fault is gone, the same window finishes the set-up.
    test::ExecOnFile(data_.Folder.DatabaseFile(), "DROP TRIGGER fail");
    OnModal<TSetAutoIDForm>(&drivers_, [](TSetAutoIDForm* options) { options->accept(); });
    messages_.Clear();
    form_.Button_Ok->click();
    EXPECT_EQ(form_.result(), QDialog::Accepted);
    EXPECT_EQ(Column("SELECT USE_ID FROM SYS_USER_TABLE"), QStringList{"ADMIN"});
}

// A catalogue row that cannot be saved is reported by the save, and the
// other rows follow; a catalogue that cannot be opened at all is reported as
// such. Either way the set-up is done.
TEST_F(EnrolFormTest, RefusedCatalogueRowIsReportedAndTheOthersFollow) {
    SetUpWithFault("CREATE TRIGGER fail BEFORE INSERT ON SYS_PRINT_NAME_TABLE "
                   "WHEN NEW.PRINT_ID = '200700000009' BEGIN SELECT RAISE(ABORT, 'x'); END");
    EXPECT_EQ(messages_.Texts().mid(1), QStringList{"数据保存过程发生错误"});
    EXPECT_EQ(Column("SELECT PRINT_ID FROM SYS_PRINT_NAME_TABLE ORDER BY PRINT_ID"),
              (QStringList{"200700000007", "200700000008", "200700000010", "200700000019"}));
}

TEST_F(EnrolFormTest, CatalogueThatCannotBeOpenedIsReported) {
    SetUpWithFault("DROP TABLE SYS_PRINT_NAME_TABLE");
    EXPECT_EQ(messages_.Texts().mid(1),
              (QStringList{"数据库操作过程发生错误", "报表建立过程发生错误"}));
}

} // namespace
} // namespace kx
