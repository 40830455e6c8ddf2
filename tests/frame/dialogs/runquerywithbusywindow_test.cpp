#include "frame/dialogs/runquerywithbusywindow.h"

#include "frame/data/kxquery.h"
#include "platform/db/dberrors.h"
#include "tests/frame/controlsfixture.h"

#include <QWidget>

namespace kx {
namespace {

class RunQueryTest : public test::ControlsDbTest {
protected:
    void SetUp() override {
        Exec({"INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME) VALUES ('A01', '张三')",
              "INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME) VALUES ('A02', '李四')"});
        query_ = new TKXQuery(&window_);
        query_->SetDatabaseName(test::kDatabaseName);
    }

    QWidget window_;
    TKXQuery* query_;
};

TEST_F(RunQueryTest, TellsHowManyRowsWereFound) {
    RunQueryWithBusyWindow(*query_, "SELECT * FROM SYS_USER_TABLE");
    EXPECT_EQ(query_->RecordCount(), 2);
    EXPECT_EQ(query_->RecNo(), 1);
    RunQueryWithBusyWindow(*query_, "SELECT * FROM SYS_USER_TABLE WHERE USE_ID = 'X'");
    EXPECT_EQ(messages_.texts,
              QStringList({"共找到 2 个符合条件的纪录", "没有找到符合条件的纪录"}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(RunQueryTest, AFailingQueryClosesTheBusyWindowAndPassesOn) {
    EXPECT_ANY_THROW(RunQueryWithBusyWindow(*query_, "SELECT * FROM NO_SUCH_TABLE"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->isVisible() && window->windowTitle() == "正在读取数据，请稍候.....");
}

} // namespace
} // namespace kx
