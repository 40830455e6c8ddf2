#include "frame/app/kxchild.h"

#include "core/exceptionhandler.h"
#include "core/sqlfunctions.h"
#include "frame/app/kxmain.h"
#include "frame/data/kxquery.h"
#include "platform/db/query.h"
#include "platform/sys/exception.h"
#include "platform/ui/application.h"
#include "platform/ui/invalidoperation.h"
#include "platform/ui/tag.h"
#include "tests/core/programfixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMainWindow>
#include <QPointer>

#include <gtest/gtest.h>

namespace kx {
namespace {

const QString kIdleText = QStringLiteral("必须先保存或取消新增的数据或修改后的数据");

// A main window with its window manager, and working windows with their
// companions opened over it as the main window opens them.
class KXChildTest : public ::testing::Test {
protected:
    KXChildTest() : manager_(new TKXMain(&main_)) {
        ui::SetExceptionHandler(HandleApplicationException);
        main_.resize(800, 600);
        manager_->DataBaseName = kDatabaseName;
        manager_->Start();
    }
    ~KXChildTest() override {
        ui::SetExceptionHandler({});
        test::ResetProgramState();
    }

    // A form owned by the main window with its companion attached.
    QWidget* NewForm(TFormHandlers handlers = {}) {
        auto* form = new QWidget(&main_, Qt::Window);
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->resize(400, 300);
        child_ = new TKXChild(form);
        child_->DataBaseName = kDatabaseName;
        child_->Attach(std::move(handlers));
        return form;
    }

    // Shows the form in place and lists it, as the main window does.
    qint64 Open(const QString& formName) {
        const qint64 id = child_->ShowInPlace(90);
        if (id != 0)
            manager_->RegisterChild(formName, id, formName, [] {});
        Deliver();
        return id;
    }

    static void Deliver() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    db::TQuery* NewUserQuery(QWidget* form, int tag) {
        auto* query = new db::TQuery(form);
        query->SetDatabaseName(kDatabaseName);
        query->SQL().SetLines({QStringLiteral("SELECT * FROM SYS_USER_TABLE")});
        query->SetCachedUpdates(true);
        ui::SetTag(query, tag);
        query->Open();
        return query;
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    QMainWindow main_;
    TKXMain* manager_;
    TKXChild* child_ = nullptr;
};

TEST_F(KXChildTest, SecondCompanionOnTheSameFormIsRefused) {
    QWidget* form = NewForm();
    try {
        TKXChild second(form);
        FAIL() << "no exception";
    } catch (const ui::EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "TKXChild控件只能有一个");
    }
}

TEST_F(KXChildTest, ClosingIsRefusedWhileADataSetIsEditedAndTheFormsCheckIsSkipped) {
    int formChecks = 0;
    QWidget* form = NewForm({.OnCloseQuery = [&](QObject*, bool&) { ++formChecks; }});
    db::TQuery* query = NewUserQuery(form, 0);
    const qint64 id = Open("UserForm");
    query->Append();

    EXPECT_FALSE(form->close());
    Deliver();
    EXPECT_EQ(messages_.Texts(), QStringList{kIdleText});
    EXPECT_EQ(formChecks, 0);
    EXPECT_TRUE(form->isVisible());
    EXPECT_NE(manager_->FindChildById(id), nullptr);

    // A data set with Tag 1 is the window's own business.
    ui::SetTag(query, 1);
    QPointer<QWidget> guard(form);
    EXPECT_TRUE(form->close());
    Deliver();
    EXPECT_EQ(formChecks, 1);
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(manager_->FindChildById(id), nullptr);
}

TEST_F(KXChildTest, TheFormsOwnCloseCheckCanKeepItOpenAndNothingIsReported) {
    bool allow = false;
    QWidget* form = NewForm({.OnCloseQuery = [&](QObject*, bool& canClose) { canClose = allow; }});
    const qint64 id = Open("UserForm");
    EXPECT_FALSE(form->close());
    Deliver();
    EXPECT_EQ(child_->WindowId(), id);
    EXPECT_NE(manager_->FindChildById(id), nullptr);
    allow = true;
    EXPECT_TRUE(form->close());
    Deliver();
    EXPECT_EQ(manager_->FindChildById(id), nullptr);
}

TEST_F(KXChildTest, DataSetsAreClosedBeforeTheFormsOwnDestroyHandlerRuns) {
    bool openAtDestroy = true;
    db::TQuery* query = nullptr;
    QWidget* form = NewForm({.OnDestroy = [&](QObject*) { openAtDestroy = query->Active(); }});
    query = NewUserQuery(form, 1);
    Open("UserForm");
    form->close();
    Deliver();
    EXPECT_FALSE(openAtDestroy);
}

TEST_F(KXChildTest, MinimiseRestoreAndMaximiseReachTheWindowManager) {
    QWidget* form = NewForm();
    const qint64 id = Open("UserForm");
    ASSERT_NE(id, 0);
    ASSERT_NE(manager_->FindChildById(id), nullptr);
    EXPECT_TRUE(manager_->FindChildById(id)->Visible);

    form->setWindowState(Qt::WindowMinimized);
    Deliver();
    EXPECT_FALSE(manager_->FindChildById(id)->Visible);
    form->setWindowState(Qt::WindowNoState);
    Deliver();
    EXPECT_TRUE(manager_->FindChildById(id)->Visible);
    form->setWindowState(Qt::WindowMinimized);
    Deliver();
    form->setWindowState(Qt::WindowMaximized);
    Deliver();
    EXPECT_TRUE(manager_->FindChildById(id)->Visible);
}

TEST_F(KXChildTest, AFailedFirstShowIsToldAndTheWindowIsNeitherListedNorKept) {
    QPointer<QWidget> form = NewForm(
        {.OnShow = [](QObject*) { throw kx::Exception(QStringLiteral("无法打开数据表")); }});
    EXPECT_EQ(Open("UserForm"), 0);
    EXPECT_TRUE(manager_->Children().empty());
    ASSERT_EQ(messages_.Texts().size(), 1);
    EXPECT_TRUE(messages_.Texts().first().contains("无法打开数据表"));
    EXPECT_TRUE(form.isNull());
}

TEST_F(KXChildTest, TheFormsOwnShowHandlerRunsOnTheFirstShowOnly) {
    int shows = 0;
    QWidget* form = NewForm({.OnShow = [&](QObject*) { ++shows; }});
    Open("UserForm");
    form->hide();
    child_->ShowInPlace(90);
    EXPECT_EQ(shows, 1);
    EXPECT_TRUE(form->isVisible());
}

} // namespace
} // namespace kx
