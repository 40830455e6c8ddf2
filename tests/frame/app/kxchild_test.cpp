#include "frame/app/kxchild.h"

#include "core/appstate.h"
#include "core/exceptionhandler.h"
#include "core/sqlfunctions.h"
#include "frame/app/kxchildrules.h"
#include "frame/app/kxmain.h"
#include "frame/app/mainform.h"
#include "frame/app/windowregistry.h"
#include "frame/controls/dbmemo.h"
#include "frame/controls/kxdbgrid.h"
#include "frame/controls/kxedit.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/sys/exception.h"
#include "platform/ui/application.h"
#include "platform/ui/invalidoperation.h"
#include "platform/ui/tag.h"
#include "tests/core/programfixture.h"
#include "tests/frame/kxqueryfixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScopeGuard>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <list>

namespace kx {
namespace {

// Form handlers with one of them set.
template <class F, class Handler>
TFormHandlers Handlers(F TFormHandlers::*member, Handler handler) {
    TFormHandlers handlers;
    handlers.*member = std::move(handler);
    return handlers;
}

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
    QWidget* form =
        NewForm(Handlers(&TFormHandlers::OnCloseQuery, [&](QObject*, bool&) { ++formChecks; }));
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
    QWidget* form = NewForm(Handlers(&TFormHandlers::OnCloseQuery,
                                     [&](QObject*, bool& canClose) { canClose = allow; }));
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
    QWidget* form = NewForm(
        Handlers(&TFormHandlers::OnDestroy, [&](QObject*) { openAtDestroy = query->Active(); }));
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
    QPointer<QWidget> form = NewForm(Handlers(&TFormHandlers::OnShow, [](QObject*) {
        throw kx::Exception(QStringLiteral("无法打开数据表"));
    }));
    EXPECT_EQ(Open("UserForm"), 0);
    EXPECT_TRUE(manager_->Children().empty());
    ASSERT_EQ(messages_.Texts().size(), 1);
    EXPECT_TRUE(messages_.Texts().first().contains("无法打开数据表"));
    EXPECT_TRUE(form.isNull());
}

// A working window whose first show fails, as when its query cannot open.
class FailingWindow : public QWidget, public TWorkingWindow {
public:
    explicit FailingWindow(QWidget* owner)
        : QWidget(owner, Qt::Window), child_(new TKXChild(this)) {
        setAttribute(Qt::WA_DeleteOnClose);
        child_->Attach(Handlers(&TFormHandlers::OnShow, [](QObject*) {
            throw kx::Exception(QStringLiteral("无法打开数据表"));
        }));
        Last = this;
    }
    QWidget* Form() override { return this; }
    void SetNotTopShow(bool notTopShow) override { child_->NotTopShow = notTopShow; }
    qint64 ShowInPlace(int mode) override { return child_->ShowInPlace(mode); }

    static inline QPointer<QWidget> Last;

private:
    TKXChild* child_;
};

TEST(ChildMainFormTest, AWindowOpenedFromTheMenuWhoseFirstShowFailsIsToldAndNotListed) {
    test::OpenDataFolder data;
    test::MessageRecorder messages;
    ui::SetExceptionHandler(HandleApplicationException);
    const auto reset = qScopeGuard([] {
        ui::SetExceptionHandler({});
        test::ResetProgramState();
    });
    TWindowRegistry::Register("UserForm", [](QWidget* owner) { return new FailingWindow(owner); });
    const auto unregister = qScopeGuard([] { TWindowRegistry::Unregister("UserForm"); });
    AppSystemUser = true;
    TMainForm main;
    main.MenuItem("USERMENU")->trigger();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(main.KXMain->Children().empty());
    EXPECT_TRUE(main.menuBar()->actions().at(4)->menu()->actions().isEmpty());
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts().first().contains("无法打开数据表"));
    EXPECT_TRUE(FailingWindow::Last.isNull());
}

TEST_F(KXChildTest, TheFormsOwnShowHandlerRunsOnTheFirstShowOnly) {
    int shows = 0;
    QWidget* form = NewForm(Handlers(&TFormHandlers::OnShow, [&](QObject*) { ++shows; }));
    Open("UserForm");
    form->hide();
    child_->ShowInPlace(90);
    EXPECT_EQ(shows, 1);
    EXPECT_TRUE(form->isVisible());
}

// ---- Placement -------------------------------------------------------------------

TEST(ChildPlacementTest, CentresBelowTheLimitAndRightOfTheEdge) {
    struct Case {
        int mainHeight, mainWidth, formWidth, formHeight, tag;
        QPoint place;
    };
    const Case cases[] = {
        {600, 800, 400, 300, 0, {199, 90}},  // (600-300)/2+5 = 155 is over the limit
        {500, 800, 400, 401, 0, {199, 54}},  // 54.5 rounds to even
        {500, 800, 400, 403, 0, {199, 54}},  // 53.5 rounds to even
        {300, 800, 400, 500, 0, {199, -95}}, // taller than the main window
        {600, 801, 400, 300, 0, {200, 90}},  // 199.5 rounds to even
        {600, 803, 400, 300, 0, {200, 90}},  // 200.5 rounds to even
        {600, 800, 900, 300, 0, {2, 90}},    // wider than the main window
        {600, 800, 400, 300, 10, {-4, -4}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            ChildPlacement(c.mainHeight, c.mainWidth, QSize(c.formWidth, c.formHeight), c.tag),
            c.place)
            << c.mainHeight << " " << c.mainWidth << " " << c.formWidth << "x" << c.formHeight;
    }
}

TEST(ChildPlacementTest, WindowStateChangesAreTheWindowCommands) {
    using S = Qt::WindowState;
    EXPECT_EQ(SysCommandFor(S::WindowNoState, S::WindowMinimized), SC_MINIMIZE);
    EXPECT_EQ(SysCommandFor(S::WindowMaximized, S::WindowMinimized), SC_MINIMIZE);
    EXPECT_EQ(SysCommandFor(S::WindowNoState, S::WindowMaximized), SC_MAXIMIZE);
    EXPECT_EQ(SysCommandFor(S::WindowMinimized, S::WindowNoState), SC_RESTORE);
    EXPECT_EQ(SysCommandFor(S::WindowMinimized, S::WindowMaximized), SC_RESTORE);
    EXPECT_EQ(SysCommandFor(S::WindowMaximized, S::WindowNoState), SC_RESTORE);
    EXPECT_EQ(SysCommandFor(S::WindowNoState, S::WindowActive), std::nullopt);
}

TEST_F(KXChildTest, TheFormIsPlacedAndKeptOnTopUnlessTheMainWindowSaysNot) {
    QWidget* form = NewForm();
    Open("UserForm");
    // Centred in the 800 x 600 main window, at most 90 down.
    EXPECT_EQ(form->pos(), QPoint(199, 90));
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    for (const auto& [notTopShow, mode] : {std::pair{true, 90}, std::pair{false, 1}}) {
        QWidget* other = NewForm();
        ui::SetTag(other, 10);
        child_->NotTopShow = notTopShow;
        ASSERT_NE(child_->ShowInPlace(mode), 0);
        EXPECT_FALSE(other->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(other->pos(), QPoint(-4, -4));
    }
}

TEST_F(KXChildTest, ARestoredFormTakesItsRestoreTop) {
    for (const Qt::WindowState from : {Qt::WindowMinimized, Qt::WindowMaximized}) {
        QWidget* form = NewForm();
        child_->RestoreTop = 160;
        Open("UserForm");
        form->setWindowState(from);
        form->setWindowState(Qt::WindowNoState);
        EXPECT_EQ(form->y(), 160);
    }
    QWidget* form = NewForm();
    Open("UserForm");
    const int placed = form->y();
    form->setWindowState(Qt::WindowMinimized);
    form->setWindowState(Qt::WindowNoState);
    EXPECT_EQ(form->y(), placed);
}

// ---- Rights ----------------------------------------------------------------------

TEST_F(KXChildTest, RightsAreReadFromTheUsersRow) {
    NewForm();
    // The users window's group and program of the shipped tables.
    const QString group = GetSqlFirstValue(
        kDatabaseName, "SELECT COMPOSE_NAME FROM SYS_COMPOSE_TABLE WHERE COMPOSE_ID = 1");
    const QString program = GetSqlFirstValue(
        kDatabaseName, "SELECT PROGRAM_NAME FROM SYS_PROGRAM_TABLE WHERE COMPOSE_ID = 1");
    ASSERT_FALSE(program.isEmpty());
    const QString programId = GetSqlFirstValue(
        kDatabaseName, "SELECT PROGRAM_ID FROM SYS_PROGRAM_TABLE WHERE COMPOSE_ID = 1");

    TRights rights;
    rights.Add = true;
    child_->GetRights(group, program, rights, "u'1");
    EXPECT_FALSE(rights.Found);
    EXPECT_FALSE(rights.Add);

    QString value;
    child_->GetRight("u'1", "1", programId, 0, value);
    EXPECT_EQ(value, "否") << "no row";

    // The first write adds the row, later ones change it.
    child_->SetRight("u'1", "1", programId, 0, "是");
    child_->SetRight("u'1", "1", programId, 2, "是");
    child_->SetRight("u'1", "1", programId, 4, "是");
    child_->SetRight("u'1", "1", programId, 4, "否");
    EXPECT_EQ(GetSqlFirstValue(kDatabaseName,
                               "SELECT COUNT(*) FROM SYS_RIGHT_TABLE WHERE USE_ID = 'u''1'"),
              "1");
    child_->GetRight("u'1", "1", programId, 2, value);
    EXPECT_EQ(value, "是");
    child_->GetRight("u'1", "1", programId, 4, value);
    EXPECT_EQ(value, "否");

    child_->GetRights(group, program, rights, "u'1");
    EXPECT_TRUE(rights.Found);
    EXPECT_TRUE(rights.Add);
    EXPECT_TRUE(rights.Delete);
    EXPECT_FALSE(rights.Edit);
    EXPECT_FALSE(rights.Print);
    EXPECT_TRUE(messages_.Texts().isEmpty());

    // Seven rights columns, and no guessing past them.
    EXPECT_THROW(child_->GetRight("u'1", "1", programId, 7, value), ui::EInvalidOperation);
    EXPECT_THROW(child_->SetRight("u'1", "1", programId, -1, "是"), ui::EInvalidOperation);
}

TEST_F(KXChildTest, AMissingGroupOrProgramIsToldAndGrantsNothing) {
    NewForm();
    const QString group = GetSqlFirstValue(
        kDatabaseName, "SELECT COMPOSE_NAME FROM SYS_COMPOSE_TABLE WHERE COMPOSE_ID = 1");
    TRights rights;
    rights.Browse = true;
    child_->GetRights("无'此组", "任何", rights, "01");
    EXPECT_FALSE(rights.Browse);
    child_->GetRights(group, "无'此程序", rights, "01");
    EXPECT_EQ(messages_.Texts(), (QStringList{"无'此组程序组找不到", "无'此程序程序找不到"}));
}

// ---- Styling ---------------------------------------------------------------------

TEST_F(KXChildTest, ControlsTakeTheColoursFontsDatabaseAndDialectByTheirTags) {
    auto* form = new QWidget(&main_, Qt::Window);
    const auto edit = [form](int tag) {
        auto* control = new TKXEdit(form);
        ui::SetTag(control, tag);
        QFont font = control->font();
        font.setPointSize(20);
        control->setFont(font);
        return control;
    };
    TKXEdit* plain = edit(0);
    TKXEdit* label = edit(3);
    TKXEdit* entry = edit(100);
    TKXEdit* keepsSize = edit(10);
    auto* caption = new QLabel(form);
    auto* marked = new QLabel(form);
    ui::SetTag(marked, 5);
    auto* query = new TKXQuery(form);
    auto* source = new TKXDataSource(form);
    auto* rowGrid = new TKXDBGrid(form);
    ui::SetTag(rowGrid, 100);
    auto* grid = new TKXDBGrid(form);

    child_ = new TKXChild(form);
    child_->DataBaseName = "Other";
    child_->SqlType = urAccess;
    child_->Language = "GB";
    child_->Color = 0x111111;
    child_->LabelColor = 0x333333;
    child_->EditColor = 0x555555;
    child_->ColorOnFocus = 0x777777;
    child_->Attach();

    struct Colours {
        ui::TColor color, resting, focus;
        bool operator==(const Colours&) const = default;
    };
    const auto colours = [](TKXEdit* e) {
        return Colours{e->Color(), e->SavedColor(), e->ColorOnFocus()};
    };
    EXPECT_TRUE((colours(plain) == Colours{0x111111, 0x111111, 0x111111}));
    EXPECT_TRUE((colours(label) == Colours{0x333333, 0x333333, 0x333333}));
    EXPECT_TRUE((colours(entry) == Colours{0x555555, 0x555555, 0x777777}));
    EXPECT_EQ(plain->font().family(), "宋体");
    EXPECT_EQ(plain->font().pointSize(), 9);
    EXPECT_EQ(keepsSize->font().family(), "宋体");
    EXPECT_EQ(keepsSize->font().pointSize(), 20);
    EXPECT_EQ(caption->font().family(), "宋体");
    EXPECT_NE(marked->font().family(), "宋体");

    EXPECT_EQ(query->DatabaseName(), "Other");
    EXPECT_EQ(query->SqlType, urAccess);
    EXPECT_EQ(query->ColorOnFocus, 0x111111u);
    EXPECT_EQ(source->BrowseColor(), 0x111111u);
    EXPECT_EQ(source->EditColor(), 0x555555u);
    EXPECT_EQ(rowGrid->Options(), dgRowSelect | dgAlwaysShowSelection);
    EXPECT_EQ(grid->Options(),
              dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs);
    EXPECT_EQ(grid->Color(), 0x111111u);

    child_->Language = "BIG5";
    child_->StyleControls(form);
    EXPECT_EQ(plain->font().family(), "新細明體");
    EXPECT_EQ(plain->font().pointSize(), 10);
}

// ---- Keys ----------------------------------------------------------------------

// A form with the controls the focus moves treat apart, in tab order.
class ChildKeysTest : public KXChildTest {
protected:
    ChildKeysTest() {
        form_ = NewForm(
            Handlers(&TFormHandlers::OnKeyDown,
                     [this](QObject*, int& key, ui::TShiftState) { formKeys_.append(key); }));
        auto* layout = new QVBoxLayout(form_);
        for (QWidget* control :
             std::initializer_list<QWidget*>{select_, edit_, dbMemo_, memo_, grid_, last_})
            layout->addWidget(control);
        select_->OnSelect = [this](QObject*, bool& stop) { stop = stopSelect_; };
        form_->show();
        QApplication::setActiveWindow(form_);
        EXPECT_TRUE(QTest::qWaitForWindowActive(form_));
    }

    // Presses the key in the control and tells where the focus went.
    QWidget* Press(QWidget* from, Qt::Key key) {
        from->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        formKeys_.clear();
        QTest::keyClick(QApplication::focusWidget(), key);
        QApplication::processEvents();
        EXPECT_EQ(formKeys_, QList<int>{key}) << "the form's own handler sees the key";
        return QApplication::focusWidget();
    }

    QWidget* form_;
    TKXEdit* select_ = new TKXEdit;
    TKXEdit* edit_ = new TKXEdit;
    TDBMemo* dbMemo_ = new TDBMemo;
    QPlainTextEdit* memo_ = new QPlainTextEdit;
    TKXNDBGrid* grid_ = new TKXNDBGrid;
    TKXEdit* last_ = new TKXEdit;
    bool stopSelect_ = false;
    QList<int> formKeys_;
};

TEST_F(ChildKeysTest, EnterAndArrowsMoveTheFocusExceptWhereTheControlNeedsTheKey) {
    struct Case {
        const char* name;
        QWidget* from;
        Qt::Key key;
        QWidget* to;
    };
    const Case cases[] = {
        {"Enter in an edit", edit_, Qt::Key_Return, dbMemo_},
        {"Down in an edit", edit_, Qt::Key_Down, dbMemo_},
        {"Up in an edit", edit_, Qt::Key_Up, select_},
        {"Enter in a data memo", dbMemo_, Qt::Key_Return, dbMemo_},
        {"Down in a data memo", dbMemo_, Qt::Key_Down, dbMemo_},
        {"Up in a data memo", dbMemo_, Qt::Key_Up, dbMemo_},
        {"Enter in a memo", memo_, Qt::Key_Return, grid_},
        {"Down in a memo", memo_, Qt::Key_Down, memo_},
        {"Up in a memo", memo_, Qt::Key_Up, memo_},
        {"Enter in a list grid", grid_, Qt::Key_Return, last_},
        {"Down in a list grid", grid_, Qt::Key_Down, grid_},
        {"Up in a list grid", grid_, Qt::Key_Up, grid_},
        {"Enter past a select handler that lets go", select_, Qt::Key_Return, edit_},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Press(c.from, c.key), c.to);
    }
    EXPECT_TRUE(memo_->toPlainText().isEmpty()) << "the Enter that moved on typed nothing";
}

TEST_F(ChildKeysTest, ASelectHandlerThatStopsKeepsTheFocus) {
    stopSelect_ = true;
    EXPECT_EQ(Press(select_, Qt::Key_Return), select_);
}

TEST_F(ChildKeysTest, OptionsTurnTheMovesOff) {
    child_->Options = moEnter;
    EXPECT_EQ(Press(edit_, Qt::Key_Down), edit_);
    EXPECT_EQ(Press(edit_, Qt::Key_Return), dbMemo_);
    child_->Options = moUpDn;
    EXPECT_EQ(Press(edit_, Qt::Key_Return), edit_);
    EXPECT_EQ(Press(edit_, Qt::Key_Up), select_);
    child_->EnterMove = false;
    EXPECT_EQ(Press(edit_, Qt::Key_Up), edit_);
}

// ---- Grid layouts -------------------------------------------------------------

const QString kLayoutTable = QStringLiteral("SYS_MONEY_INTO_OUT_TABLE");

// A records list as a working window over the in/out records, whose grid
// keeps each user's column widths.
class ChildListTest : public test::KXQueryTest {
protected:
    ChildListTest() {
        StartGridUnit();
        AddMoneyRecord("1", "200703000001", "001", 10, "未审核");
    }
    ~ChildListTest() override { EndGridUnit(); }

    struct ListForm {
        QWidget* Form;
        TKXNDBGrid* Grid;
        TKXQuery* Query;
    };

    ListForm OpenList(const QString& user) {
        auto* form = new QWidget(&main_, Qt::Window);
        form->setAttribute(Qt::WA_DeleteOnClose);
        // A window's rules are its own: the layout writes the widths into them.
        TFieldsDataArray& rules = rules_.emplace_back(Rules());
        auto* query = new TKXQuery(form);
        query->SetTableName("KX_INTO_OUT_MONEY_TABLE");
        query->SetFieldsData(rules);
        auto* source = new db::TDataSource(form);
        source->SetDataSet(query);
        auto* grid = new TKXNDBGrid(form);
        grid->setObjectName("DBGrid1");
        grid->FormName = "MoneyIntoOutForm";
        grid->UserID = user;
        grid->DataBaseName = kDatabaseName;
        grid->SetLayoutTable(kLayoutTable);
        grid->SetFieldsData(rules);
        grid->resize(600, 300);
        grid->SetDataSource(source);
        query->SetDBNGride(grid);
        auto* child = new TKXChild(form);
        child->DataBaseName = kDatabaseName;
        child->Attach();
        query->OpenQuery();
        return {form, grid, query};
    }

    // The width the field is shown with, in characters.
    static int Width(const ListForm& list, const QString& fieldName) {
        return list.Query->FieldByName(fieldName)->DisplayWidth();
    }
    static int PixelWidth(const ListForm& list, const QString& fieldName) {
        for (int i = 0; i < list.Grid->Columns()->Count(); ++i) {
            if (list.Grid->Columns()->GetColumn(i)->FieldName() == fieldName)
                return list.Grid->Columns()->GetColumn(i)->Width();
        }
        return -1;
    }
    void Size(TKXNDBGrid* grid, const QString& fieldName, int width) {
        for (int i = 0; i < grid->Columns()->Count(); ++i) {
            if (grid->Columns()->GetColumn(i)->FieldName() == fieldName)
                grid->SetColWidths(grid->DataToRawColumn(i), width);
        }
    }

    static TFieldsDataArray Rules() {
        TFieldsDataArray rules;
        for (const char* name : {"MONEY_ID", "MONEY_TEXT_NOTE", "STATUS"}) {
            TFieldsData data;
            data.FieldName = name;
            data.DisplayLabel = name;
            data.TypeCode = "C";
            data.Visible = true;
            rules.Append(data);
        }
        return rules;
    }

    std::list<TFieldsDataArray> rules_;
    QMainWindow main_;
};

TEST_F(ChildListTest, LayoutSavedAsTheFormGoesIsReadBackForTheSameUserOnly) {
    for (const bool deletedAtOnce : {true, false}) {
        SCOPED_TRACE(deletedAtOnce ? "deleted at once" : "closed");
        Exec("DELETE FROM " + kLayoutTable);
        ListForm first = OpenList("01");
        const int defaultWidth = Width(first, "MONEY_TEXT_NOTE");
        Size(first.Grid, "MONEY_TEXT_NOTE", 300);
        if (deletedAtOnce) {
            delete first.Form;
        } else {
            first.Form->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        EXPECT_EQ(Value("SELECT COUNT(*) FROM " + kLayoutTable +
                        " WHERE USE_ID = '01' AND FIELD_NAME = 'MONEY_TEXT_NOTE'"),
                  "1");

        ListForm again = OpenList("01");
        EXPECT_EQ(PixelWidth(again, "MONEY_TEXT_NOTE"), 300) << "the width comes back as left";
        ListForm other = OpenList("02");
        EXPECT_EQ(Width(other, "MONEY_TEXT_NOTE"), defaultWidth);
        delete again.Form;
        delete other.Form;
    }
}

} // namespace
} // namespace kx
