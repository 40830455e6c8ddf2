#include "frame/app/kxmain.h"

#include "platform/sys/configstore.h"
#include "platform/sys/singleinstanceguard.h"
#include "platform/ui/application.h"
#include "platform/ui/invalidoperation.h"
#include "platform/ui/windowmessage.h"
#include "tests/core/programfixture.h"
#include "tests/frame/app/stubwindows.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace kx {
namespace {

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

class KXMainTest : public ::testing::Test {
protected:
    KXMainTest() : manager_(new TKXMain(&owner_)) {
        for (const char* title : {"a", "b", "c", "d", " "})
            owner_.menuBar()->addMenu(title);
        manager_->MainMenu = owner_.menuBar();
        manager_->MainMenuIndex = 4;
        manager_->ImageFile = "KXBank";
        manager_->Start();
    }
    ~KXMainTest() override { test::ResetProgramState(); }

    QAction* WindowMenu() const { return owner_.menuBar()->actions().at(4); }
    QStringList WindowItems() const {
        QStringList items;
        for (QAction* item : WindowMenu()->menu()->actions())
            items.append(item->text());
        return items;
    }
    void Post(const QString& message, qint64 id) {
        ui::PostWindowMessage(&owner_, ui::RegisterWindowMessage(message), id);
        QCoreApplication::sendPostedEvents(&owner_);
    }
    // Opens a stub window and lists it as the main window does.
    test::StubWindow* Open(test::StubWindow* window, const QString& formName,
                           const QString& caption) {
        manager_->RegisterChild(formName, window->ShowInPlace(90), caption, [] {});
        QCoreApplication::sendPostedEvents(&owner_);
        return window;
    }

    test::MessageRecorder messages_;
    QMainWindow owner_;
    TKXMain* manager_;
};

TEST_F(KXMainTest, SecondManagerOnTheSameOwnerIsRefused) {
    try {
        TKXMain second(&owner_);
        FAIL() << "no exception";
    } catch (const ui::EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "TKXMain");
    }
}

TEST_F(KXMainTest, WindowMenuListsWindowsInOpeningOrderAndHidesWhenEmpty) {
    auto* a = Open(new test::TMoneyIntoOutForm(&owner_), "MoneyIntoOutForm", "A");
    auto* b = Open(new test::TIntoOutMoneyAccountForm(&owner_), "IntoOutMoneyAccountForm", "B");
    auto* c = Open(new test::TMoneyAccountForm(&owner_), "MoneyAccountForm", "C");
    EXPECT_EQ(WindowMenu()->text(), "打开的窗口");
    EXPECT_TRUE(WindowMenu()->isVisible());
    EXPECT_EQ(WindowItems(), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(manager_->Children().front().FormName, "MoneyAccountForm");

    b->close();
    QCoreApplication::sendPostedEvents(&owner_);
    EXPECT_EQ(WindowItems(), (QStringList{"A", "C"}));
    a->close();
    c->close();
    QCoreApplication::sendPostedEvents(&owner_);
    EXPECT_TRUE(manager_->Children().empty());
    EXPECT_EQ(WindowMenu()->text(), "");
    EXPECT_FALSE(WindowMenu()->isVisible());
}

TEST_F(KXMainTest, ShowAndHideMessagesMarkVisibility) {
    auto* window = Open(new test::TMoneyIntoOutForm(&owner_), "MoneyIntoOutForm", "A");
    const qint64 id = ui::WindowHandle(window);
    Post(kHideFormMessage, id);
    EXPECT_FALSE(manager_->AnyChildVisible());
    EXPECT_FALSE(manager_->FindChildById(id)->Visible);
    Post(kShowFormMessage, id);
    EXPECT_TRUE(manager_->AnyChildVisible());
    EXPECT_EQ(manager_->FindChildById(-1), nullptr);
    EXPECT_EQ(manager_->FindChildByName("MoneyIntoOutForm")->WindowId, id);
    window->close();
}

TEST_F(KXMainTest, CloseMessagesClearTheExclusiveFlagOnlyForListedWindows) {
    auto* window = Open(new test::TDeleteDataForm(&owner_), "DeleteDataForm", "D");
    manager_->ExclusiveWindowOpen = true;
    Post(kCloseFormMessage, 999999);
    EXPECT_TRUE(manager_->ExclusiveWindowOpen);
    EXPECT_EQ(manager_->Children().size(), 1u);
    window->close();
    QCoreApplication::sendPostedEvents(&owner_);
    EXPECT_FALSE(manager_->ExclusiveWindowOpen);
}

TEST_F(KXMainTest, ActivateRestoresAnOpenWindowAndPrunesAVanishedOne) {
    auto* window = Open(new test::TMoneyIntoOutForm(&owner_), "MoneyIntoOutForm", "A");
    window->showMinimized();
    EXPECT_TRUE(manager_->ActivateChild("MoneyIntoOutForm"));
    EXPECT_FALSE(window->isMinimized());
    EXPECT_FALSE(window->isMaximized());
    window->showMaximized();
    window->showMinimized();
    EXPECT_TRUE(manager_->ActivateChild("MoneyIntoOutForm"));
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isMaximized());
    EXPECT_FALSE(manager_->ActivateChild("MoneyAccountForm"));

    manager_->ExclusiveWindowOpen = true;
    delete window; // gone without its close message
    EXPECT_FALSE(manager_->ActivateChild("MoneyIntoOutForm"));
    EXPECT_TRUE(manager_->Children().empty());
    EXPECT_TRUE(WindowItems().isEmpty());
    EXPECT_TRUE(manager_->ExclusiveWindowOpen);
}

TEST_F(KXMainTest, MainWindowStaysWhileAnyListedWindowIsOpen) {
    auto* older = Open(new test::TMoneyIntoOutForm(&owner_), "MoneyIntoOutForm", "A");
    auto* newest = Open(new test::TMoneyAccountForm(&owner_), "MoneyAccountForm", "B");
    owner_.show();
    delete newest; // the newest vanished without its close message
    EXPECT_FALSE(owner_.close());
    EXPECT_EQ(messages_.Texts(), QStringList{"请先关闭打开的全部子程序后,才能退出系统"});
    EXPECT_EQ(manager_->Children().size(), 1u);
    older->close();
    QCoreApplication::sendPostedEvents(&owner_);
    EXPECT_TRUE(owner_.close());
}

TEST_F(KXMainTest, SecondInstanceIsToldAndEndsAndTheFirstComesForward) {
    QMainWindow secondOwner;
    TKXMain second(&secondOwner);
    owner_.showMaximized();
    owner_.showMinimized();
    second.Start();
    EXPECT_EQ(messages_.Texts(), QStringList{"程序已经运行"});
    EXPECT_EQ(messages_.Requests().first().owner, nullptr);
    EXPECT_TRUE(ui::TerminateRequested());
    QDeadlineTimer deadline(5000);
    while (owner_.isMinimized() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(owner_.isMinimized());
    EXPECT_TRUE(owner_.isMaximized());
}

TEST_F(KXMainTest, BackgroundPictureOfADeletedFileReadsEmpty) {
    QTemporaryDir folder;
    const QString picture = folder.filePath("bank.jpg");
    Touch(picture);
    ASSERT_TRUE(sys::WriteSettingsValue("KXBank", picture));
    EXPECT_EQ(manager_->ReadBackgroundPicture(), picture);
    QFile::remove(picture);
    EXPECT_EQ(manager_->ReadBackgroundPicture(), "");
    manager_->ClearBackgroundPicture();
    EXPECT_EQ(sys::ReadSettingsValue("KXBank").value_or("x"), "");
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(KXMainTest, ChosenPictureIsStoredWithItsFullPath) {
    QTemporaryDir folder;
    const QString picture = folder.filePath("bank.JPG");
    Touch(picture);
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(picture);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(manager_->ChooseBackgroundPicture(), picture);
    EXPECT_EQ(sys::ReadSettingsValue("KXBank").value_or(""), picture);
    manager_->ClearBackgroundPicture();
}

TEST_F(KXMainTest, UnopenableSettingsStoreIsReported) {
    const QString file = sys::SettingsFilePath();
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file));
    EXPECT_EQ(manager_->ReadBackgroundPicture(), "");
    EXPECT_EQ(manager_->ChooseBackgroundPicture(), "");
    QDir(file).removeRecursively();
    EXPECT_EQ(messages_.Texts(),
              (QStringList{"RARARUZIDI键打开或建立错误", "RARARUZIDI键打开或建立错误"}));
}

class BrowseRightTest : public ::testing::Test {
protected:
    BrowseRightTest() : manager_(new TKXMain(&owner_)) {
        manager_->DataBaseName = kDatabaseName;
        test::GrantBrowse(data_.Folder, "U1", 1, 1);
        test::GrantBrowse(data_.Folder, "U1", 1, 2, "否");
        test::GrantBrowse(data_.Folder, "O'K", 2, 1);
    }
    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    QWidget owner_;
    TKXMain* manager_;
};

TEST_F(BrowseRightTest, RightRowDecides) {
    const struct {
        const char* group;
        const char* program;
        const char* user;
        bool allowed;
        const char* message;
    } cases[] = {
        {"出纳记账管理", "资金借贷记录录入编辑", "U1", true, nullptr},
        {"出纳记账管理", "资金账号台账录入编辑", "U1", false, nullptr},
        {"出纳记账管理", "资金借贷数据统计报表", "U1", false, nullptr},
        {"基本数据录入编辑", "资金借贷科目录入编辑", "O'K", true, nullptr},
        {"没有的组", "资金借贷记录录入编辑", "U1", false, "没有的组程序组找不到"},
        {"出纳记账管理", "单位部门资料录入编辑", "U1", false, "单位部门资料录入编辑程序找不到"},
    };
    for (const auto& c : cases) {
        messages_.Clear();
        EXPECT_EQ(manager_->CheckBrowseRight(QString::fromUtf8(c.group),
                                             QString::fromUtf8(c.program),
                                             QString::fromUtf8(c.user)),
                  c.allowed)
            << c.group << " " << c.program;
        EXPECT_EQ(messages_.Texts(),
                  c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList())
            << c.program;
    }
}

} // namespace
} // namespace kx
