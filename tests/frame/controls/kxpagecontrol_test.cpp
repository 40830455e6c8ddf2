#include "frame/controls/kxpagecontrol.h"

#include "tests/frame/controlsfixture.h"

#include <QTabBar>

namespace kx {
namespace {

class PageControlTest : public test::ControlsDbTest {
protected:
    void SetUp() override {
        pages_.addTab(new QWidget, "用户");
        pages_.addTab(new QWidget, "权限");
        pages_.addTab(new QWidget, "备注");
        pages_.OnChanging = [this](QObject*, bool&) { ++windowAsked_; };
        pages_.HookChanging();
        ASSERT_TRUE(test::ShowActive(pages_));
    }

    void ClickTab(int index) {
        QTabBar* bar = pages_.tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    db::TQuery* OpenQuery(const QString& sql) {
        db::TQuery* query = NewQuery(sql, &owner_);
        query->Open();
        return query;
    }

    QObject owner_;
    TKXPageControl pages_;
    int windowAsked_ = 0;
};

TEST_F(PageControlTest, TheWindowDecidesWhenNothingIsEdited) {
    ClickTab(1);
    EXPECT_EQ(pages_.currentIndex(), 1);
    EXPECT_EQ(windowAsked_, 1);
    pages_.HookChanging();
    ClickTab(2);
    EXPECT_EQ(pages_.currentIndex(), 2);
    EXPECT_EQ(windowAsked_, 2);
}

TEST_F(PageControlTest, ADataSourceBeingEditedKeepsThePage) {
    db::TQuery* query = OpenQuery("SELECT * FROM SYS_USER_TABLE");
    db::TDataSource source;
    source.SetDataSet(query);
    pages_.SetDataSource(2, &source);
    query->Append();
    ClickTab(1);
    EXPECT_EQ(pages_.currentIndex(), 0);
    EXPECT_EQ(messages_.texts, QStringList({"必须先保存或取消新增的数据或修改后的数据"}));
    QTest::keyClick(&pages_, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages_.currentIndex(), 0);
    query->Cancel();
    ClickTab(1);
    EXPECT_EQ(pages_.currentIndex(), 1);
}

TEST_F(PageControlTest, AnEmptyMasterKeepsOnlyTheFirstPage) {
    db::TQuery* master = OpenQuery("SELECT * FROM SYS_USER_TABLE");
    pages_.SetQyMaster(master);
    ClickTab(2);
    EXPECT_EQ(pages_.currentIndex(), 0);
    EXPECT_EQ(messages_.texts, QStringList({"没有主档数据记录，不能改变页面"}));
    pages_.setCurrentIndex(2);
    ClickTab(1);
    EXPECT_EQ(pages_.currentIndex(), 1);
    EXPECT_EQ(windowAsked_, 0);
}

} // namespace
} // namespace kx
