// The rights boxes of the users window against a store of one user's rights
// for one program: what a tick writes, and what may never be written.

#include "frame/admin/userrightsboxes.h"

#include <QMap>
#include <QStringList>

#include <gtest/gtest.h>

namespace kx {
namespace {

using Box = TUserRightsBoxes;

class UserRightsBoxesTest : public ::testing::Test {
protected:
    UserRightsBoxesTest() {
        boxes_.GetRight = [this](int right) { return stored_.value(right, "否"); };
        boxes_.SetRight = [this](int right, const QString& value) {
            stored_[right] = value;
            writes_ << QStringLiteral("%1=%2").arg(right).arg(value);
        };
        boxes_.Prompt = [this](const QString& text) { prompts_ << text; };
    }
    void Load(std::array<bool, 4> allowed = {true, true, true, true}) {
        boxes_.Load(allowed, "U01", "1", "2");
        writes_.clear();
    }
    QString Ticks() const {
        QString ticks;
        for (Box::TBox box : {Box::CB1, Box::CB2, Box::CB3, Box::CB4})
            ticks += boxes_.Ticked(box) ? '1' : '0';
        return ticks;
    }

    TUserRightsBoxes boxes_;
    QMap<int, QString> stored_;
    QStringList writes_;
    QStringList prompts_;
};

TEST_F(UserRightsBoxesTest, LoadTicksOnlyTheRightsTheProgramHasAtAll) {
    stored_ = {{0, "是"}, {3, "是"}, {4, "否"}, {5, "是"}};
    Load({true, true, true, false});
    EXPECT_TRUE(boxes_.PanelEnabled());
    EXPECT_EQ(Ticks(), "1100") << "verify is stored but the program has no verify right";
    EXPECT_FALSE(boxes_.Enabled(Box::CB4));
    EXPECT_TRUE(writes_.isEmpty());
}

TEST_F(UserRightsBoxesTest, EditPrintAndVerifyEachBringBrowsingWithThem) {
    const struct {
        Box::TBox box;
        const char* right;
    } cases[] = {{Box::CB1, "0=是"}, {Box::CB3, "4=是"}, {Box::CB4, "5=是"}};
    for (const auto& c : cases) {
        stored_.clear();
        Load();
        boxes_.Change(c.box, true);
        EXPECT_EQ(writes_, QStringList({c.right, "3=是"})) << c.right;
        EXPECT_TRUE(boxes_.Ticked(Box::CB2)) << c.right;
    }
}

TEST_F(UserRightsBoxesTest, BrowsingStaysWhileAnotherRightIsGivenAndGoesAlone) {
    Load();
    boxes_.Change(Box::CB3, true);
    writes_.clear();
    boxes_.Change(Box::CB2, false);
    EXPECT_TRUE(boxes_.Ticked(Box::CB2));
    EXPECT_EQ(writes_, QStringList{"3=是"});

    boxes_.Change(Box::CB3, false);
    EXPECT_EQ(writes_, QStringList({"3=是", "4=否"})) << "unticking print leaves browsing";
    boxes_.Change(Box::CB2, false);
    EXPECT_FALSE(boxes_.Ticked(Box::CB2));
    EXPECT_EQ(writes_.last(), "3=否");
}

TEST_F(UserRightsBoxesTest, SelectAllTicksTheEnabledAndUnticksTheOthersInItsOrder) {
    stored_ = {{5, "是"}};
    Load({true, true, true, false});
    boxes_.SelectAll();
    EXPECT_EQ(Ticks(), "1110");
    EXPECT_EQ(writes_, QStringList({"0=是", "3=是", "4=是"}));
    EXPECT_EQ(stored_.value(5), "是") << "a disabled box never writes";
}

TEST_F(UserRightsBoxesTest, InvertTogglesEveryEnabledBox) {
    stored_ = {{0, "是"}, {3, "是"}};
    Load();
    boxes_.Invert();
    // Edit goes, print and verify come and bring browsing, browse then
    // cannot be taken away.
    EXPECT_EQ(Ticks(), "0111");
    EXPECT_EQ(writes_, QStringList({"0=否", "4=是", "5=是", "3=是"}));
}

TEST_F(UserRightsBoxesTest, NothingIsWrittenUnlessAUserAndProgramAreLoaded) {
    boxes_.Change(Box::CB1, true);
    boxes_.SelectAll();
    EXPECT_TRUE(writes_.isEmpty());

    const struct {
        const char* user;
        const char* group;
        const char* program;
        const char* prompt;
    } cases[] = {{"", "1", "2", "用户编号为空"},
                 {"U01", "", "2", "程序组编号为空"},
                 {"U01", "1", "", "程序编号为空"}};
    for (const auto& c : cases) {
        prompts_.clear();
        boxes_.Load({true, true, true, true}, c.user, c.group, c.program);
        EXPECT_EQ(prompts_, QStringList{c.prompt});
        boxes_.Change(Box::CB1, true);
        EXPECT_TRUE(writes_.isEmpty()) << c.prompt;
    }

    Load();
    boxes_.Clear();
    EXPECT_FALSE(boxes_.PanelEnabled());
    EXPECT_EQ(Ticks(), "0000");
    boxes_.Change(Box::CB3, true);
    EXPECT_TRUE(writes_.isEmpty());
}

} // namespace
} // namespace kx
