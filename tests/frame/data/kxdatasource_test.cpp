#include "frame/data/kxdatasource.h"

#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxcomboedit.h"
#include "frame/controls/kxdbcomboedit.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxdblookuplistbox.h"
#include "frame/controls/kxedit.h"
#include "frame/controls/kxmedit.h"
#include "frame/data/kxquery.h"
#include "platform/db/field.h"
#include "platform/ui/tag.h"
#include "tests/frame/kxqueryfixture.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QToolButton>

namespace kx {
namespace {

constexpr ui::TColor kBrowse = 0x111111;
constexpr ui::TColor kEdit = 0x222222;
constexpr ui::TColor kFocus = 0x333333;

class DataSourceTest : public test::KXQueryTest {
protected:
    DataSourceTest() {
        Exec("INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES ('a', '1')");
        query_ = NewQuery("SYS_ID_TABLE", {"NAME_ID", "AUTO_ID"}, {"NAME_ID"});
        source_ = new TKXDataSource(&window_);
        source_->SetDataSet(query_);
        source_->SetBrowseColor(kBrowse);
        source_->SetEditColor(kEdit);
        source_->SetColorOnFocus(kFocus);
        source_->SetActiveColor(true);
    }

    // The query closes while the test's handlers can still see the test.
    ~DataSourceTest() override { delete query_; }

    template <class Control> Control* Add(int tag) {
        auto* control = new Control(&window_);
        ui::SetTag(control, tag);
        return control;
    }

    QToolButton* Button() { return new QToolButton(&window_); }

    TKXQuery* query_;
    TKXDataSource* source_;
    int changes_ = 0;
};

TEST_F(DataSourceTest, ControlsFollowTheStateByClassAndTag) {
    auto* edit = Add<TKXDBEdit>(0);
    auto* fixedEdit = Add<TKXDBEdit>(2);
    auto* lockedEdit = Add<TKXDBEdit>(4);
    auto* plainEdit = Add<TKXEdit>(0);
    auto* filter = Add<TKXComboBox>(0);
    auto* keptFilter = Add<TKXComboBox>(2);
    auto* picker = Add<TKXDBComboEdit>(0);
    auto* browsePicker = Add<TKXComboEdit>(6);
    auto* listPicker = Add<TKXDBComboEdit>(7);
    auto* grid = Add<test::TestListGrid>(0);
    auto* fixedGrid = Add<test::TestListGrid>(1);
    auto* findButton = Add<QToolButton>(30);
    auto* untouched = Add<TKXEdit>(100);
    untouched->SetColor(0x999999);
    auto* list = Add<TKXDBLookupListBox>(0);
    auto* masked = Add<TKXMEdit>(0);
    masked->SetColor(0x999999);
    query_->OpenQuery();
    source_->HookStateChange();

    const auto expectState = [&](bool browsing) {
        const ui::TColor color = browsing ? kBrowse : kEdit;
        const auto expectLook = [&](const auto* control) {
            EXPECT_EQ(control->Color(), color);
            EXPECT_EQ(control->SavedColor(), color);
            EXPECT_EQ(control->ColorOnFocus(), browsing ? kBrowse : kFocus);
        };
        expectLook(edit);
        expectLook(fixedEdit);
        expectLook(list);
        EXPECT_EQ(edit->ReadOnly(), browsing);
        EXPECT_TRUE(fixedEdit->ReadOnly());
        EXPECT_TRUE(lockedEdit->ReadOnly());
        EXPECT_FALSE(lockedEdit->focusPolicy() & Qt::TabFocus);
        EXPECT_EQ(plainEdit->isReadOnly(), browsing);
        EXPECT_EQ(filter->isEnabled(), browsing);
        EXPECT_TRUE(keptFilter->isEnabled());
        EXPECT_EQ(picker->ReadOnly(), browsing);
        EXPECT_EQ(picker->ButtonEnabled(), !browsing);
        EXPECT_EQ(browsePicker->ButtonEnabled(), browsing);
        EXPECT_TRUE(listPicker->ReadOnly());
        EXPECT_EQ(listPicker->ButtonEnabled(), browsing);
        EXPECT_EQ(grid->isEnabled(), browsing);
        EXPECT_TRUE(fixedGrid->isEnabled());
        EXPECT_EQ(findButton->isEnabled(), browsing);
        EXPECT_EQ(untouched->Color(), 0x999999u);
        EXPECT_EQ(masked->Color(), 0x999999u);
    };
    expectState(true);
    query_->Edit();
    expectState(false);
    query_->Cancel();
    expectState(true);
}

TEST_F(DataSourceTest, ButtonsFollowTheStateAndTheRights) {
    source_->ButtonAdd = Button();
    source_->ButtonEdit = Button();
    source_->Button_Delete = Button();
    source_->ButtonSave = Button();
    source_->Button_Cancel = Button();
    source_->SpeedButton3 = Button();
    auto* action = new QAction(&window_);
    source_->Button_Print = action;
    source_->RightEdit = false;
    source_->RightPrint = false;
    query_->OpenQuery();
    source_->HookStateChange();
    const auto enabled = [](QObject* button) { return static_cast<QWidget*>(button)->isEnabled(); };
    EXPECT_TRUE(enabled(source_->ButtonAdd));
    EXPECT_FALSE(enabled(source_->ButtonEdit)); // no right
    EXPECT_TRUE(enabled(source_->Button_Delete));
    EXPECT_TRUE(enabled(source_->SpeedButton3));
    EXPECT_FALSE(enabled(source_->ButtonSave));
    EXPECT_FALSE(enabled(source_->Button_Cancel));
    EXPECT_FALSE(action->isEnabled()); // no right
    query_->Edit();
    EXPECT_FALSE(enabled(source_->ButtonAdd));
    EXPECT_FALSE(enabled(source_->Button_Delete));
    EXPECT_TRUE(enabled(source_->ButtonSave));
    EXPECT_TRUE(enabled(source_->Button_Cancel));
    source_->RightEdit = true;
    query_->Cancel();
    EXPECT_TRUE(enabled(source_->ButtonEdit));
}

TEST_F(DataSourceTest, WindowHandlerRunsOnceEvenWhileColouringIsOff) {
    source_->OnStateChange = [this](db::TDataSource*) { ++changes_; };
    source_->HookStateChange();
    source_->HookStateChange();
    EXPECT_EQ(changes_, 1);
    auto* edit = Add<TKXDBEdit>(0);
    source_->SetActiveColor(false);
    query_->OpenQuery();
    query_->Edit();
    EXPECT_EQ(changes_, 3);
    EXPECT_NE(edit->Color(), kEdit);
}

TEST_F(DataSourceTest, MasterAndDetailWindowsColourTheirOwnControls) {
    auto* master = Add<TKXDBEdit>(0);
    auto* detail = Add<TKXDBEdit>(500);
    auto* detailFixed = Add<TKXDBEdit>(502);
    auto* masterButtonEdit = Add<TKXDBComboEdit>(5);
    query_->OpenQuery();
    source_->IS_DETAIL_CHANGE = true;
    source_->HookStateChange();
    query_->Edit();
    EXPECT_NE(master->Color(), kEdit);
    EXPECT_EQ(detail->Color(), kEdit);
    EXPECT_FALSE(detail->ReadOnly());
    EXPECT_TRUE(detailFixed->ReadOnly());
    query_->Cancel();
    source_->IS_DETAIL_CHANGE = false;
    source_->IS_MASTER_CHANGE = true;
    query_->Edit();
    EXPECT_EQ(master->Color(), kEdit);
    EXPECT_EQ(detail->Color(), kBrowse);
    EXPECT_NE(masterButtonEdit->Color(), kEdit); // Tag 5 leaves button edits alone
}

TEST_F(DataSourceTest, QueryFocusesAndPaintsTheWindowsControls) {
    auto* skipped = Add<TKXDBEdit>(5);
    auto* value = Add<TKXDBEdit>(0);
    for (TKXDBEdit* edit : {skipped, value}) {
        edit->SetDataSource(source_);
        edit->SetDataField("AUTO_ID");
    }
    value->setObjectName("ValueEdit");
    query_->ActiveControl = "ValueEdit";
    query_->ColorOnFocus = 0x444444;
    TFieldsData rule;
    rule.FieldName = "AUTO_ID";
    rule.DisplayLabel = "参数值";
    rule.Required = true;
    query_->SetFieldsData({rule});
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    query_->OpenQuery();
    query_->EditRecord();
    EXPECT_EQ(value->Color(), 0x444444u);
    query_->FieldByName("AUTO_ID")->Clear();
    skipped->setFocus();
    EXPECT_FALSE(query_->ValidateRecord());
    EXPECT_EQ(messages_.Texts(), QStringList{"参数值必须有一个值"});
    EXPECT_EQ(QApplication::focusWidget(), value);
}

} // namespace
} // namespace kx
