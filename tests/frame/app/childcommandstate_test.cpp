#include "frame/app/childcommandstate.h"

#include "platform/ui/tag.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <map>

#include <gtest/gtest.h>

namespace kx {
namespace {

class ChildCommandStateTest : public ::testing::Test {
protected:
    ChildCommandStateTest() {
        QMenu* menu = menuBar_.addMenu("top");
        for (int tag : {10, 20, 100, 200, 300, 0})
            items_[tag] = Tagged(menu->addAction(QString::number(tag)), tag);
        for (int tag : {10, 20, 100, 200, 300, 0})
            buttons_[tag] = Tagged(toolBar_.addAction(QString::number(tag)), tag);
    }
    static QAction* Tagged(QAction* action, int tag) {
        ui::SetTag(action, tag);
        return action;
    }
    QStringList Disabled() const {
        QStringList disabled;
        for (auto [tag, item] : items_)
            if (!item->isEnabled())
                disabled.append("m" + QString::number(tag));
        for (auto [tag, button] : buttons_)
            if (!button->isEnabled())
                disabled.append("b" + QString::number(tag));
        return disabled;
    }

    QMenuBar menuBar_;
    QToolBar toolBar_;
    std::map<int, QAction*> items_;
    std::map<int, QAction*> buttons_;
    int counter1_ = 0;
    int counter2_ = 0;
};

TEST_F(ChildCommandStateTest, FirstOpenDisablesLastCloseEnables) {
    SetChildToolbarState(&toolBar_, &menuBar_, false, counter1_, counter2_, false);
    EXPECT_EQ(Disabled(), (QStringList{"m100", "m300", "b100", "b300"}));
    SetChildToolbarState(&toolBar_, &menuBar_, false, counter1_, counter2_, false);
    EXPECT_EQ(counter1_, 2);
    SetChildToolbarState(&toolBar_, &menuBar_, true, counter1_, counter2_, false);
    EXPECT_EQ(Disabled(), (QStringList{"m100", "m300", "b100", "b300"}));
    SetChildToolbarState(&toolBar_, &menuBar_, true, counter1_, counter2_, false);
    EXPECT_TRUE(Disabled().isEmpty());
    EXPECT_EQ(counter1_, 0);
}

TEST_F(ChildCommandStateTest, TagsOfEachGroup) {
    const struct {
        bool menuState;
        bool secondGroup;
        QStringList disabled;
    } cases[] = {
        {false, true, {"m200", "m300", "b200"}},
        {true, false, {"m10", "m300", "b10", "b300"}},
        {true, true, {"m20", "m300", "b20", "b300"}},
    };
    for (const auto& c : cases) {
        const auto set = c.menuState ? SetChildMenuState : SetChildToolbarState;
        set(&toolBar_, &menuBar_, false, counter1_, counter2_, c.secondGroup);
        EXPECT_EQ(Disabled(), c.disabled) << c.menuState << c.secondGroup;
        set(&toolBar_, &menuBar_, true, counter1_, counter2_, c.secondGroup);
        EXPECT_TRUE(Disabled().isEmpty());
    }
}

TEST_F(ChildCommandStateTest, NoMenuChangesNothing) {
    SetChildToolbarState(&toolBar_, nullptr, false, counter1_, counter2_, false);
    EXPECT_EQ(counter1_, 0);
    EXPECT_TRUE(Disabled().isEmpty());
}

} // namespace
} // namespace kx
