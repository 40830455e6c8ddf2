#include "grid/editors/editbuttonx.h"

#include <QAction>
#include <QWidget>

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(EditButtonX, DefaultsAndClamps) {
    QWidget edit;
    TEditButtonX button(&edit);
    EXPECT_EQ(button.EditControl(), &edit);
    EXPECT_TRUE(button.Enabled());
    EXPECT_FALSE(button.Visible());
    EXPECT_EQ(button.Style(), ebsDropDownX);
    EXPECT_EQ(button.Width(), 0);
    EXPECT_EQ(button.NumGlyphs(), 1);
    struct Case {
        int set;
        int got;
    };
    for (const Case c : {Case{0, 1}, Case{9, 4}, Case{3, 3}, Case{-2, 1}}) {
        button.SetNumGlyphs(c.set);
        EXPECT_EQ(button.NumGlyphs(), c.got) << c.set;
    }
}

TEST(EditButtonX, WritersNotifyTheOwnerOrTheList) {
    TEditButtonsX list(nullptr);
    std::vector<TEditButtonX*> told;
    list.OnInternalChange = [&told](TEditButtonX* item) { told.push_back(item); };
    TEditButtonX* button = list.Add();
    EXPECT_EQ(told, std::vector<TEditButtonX*>{nullptr}); // the list grew
    told.clear();
    button->SetVisible(true);
    button->SetVisible(true);
    button->SetWidth(12);
    EXPECT_EQ(told, (std::vector<TEditButtonX*>{button, button}));
    int own = 0;
    button->OnInternalChange = [&own](TEditButtonX*) { ++own; };
    button->SetStyle(ebsEllipsisX);
    EXPECT_EQ(own, 1);
    EXPECT_EQ(told.size(), 2u); // the button's own handler takes the notice instead
    list.BeginUpdate();
    list.Changed(button);
    EXPECT_EQ(told.size(), 2u);
    list.EndUpdate();
    EXPECT_EQ(told.back(), nullptr);
    EXPECT_EQ(list.ButtonAt(0), button);
}

TEST(EditButtonX, VisibleButtonStoresOnlyWhatDiffersFromItsDefaults) {
    TEditButtonsX list(
        nullptr, [](TEditButtonsX* owner) { return std::make_unique<TVisibleEditButtonX>(owner); });
    TEditButtonX* button = list.Add();
    EXPECT_TRUE(button->Visible());
    EXPECT_EQ(button->ShortCut(), QKeyCombination(Qt::AltModifier, Qt::Key_Down));
    EXPECT_FALSE(button->IsVisibleStored());
    EXPECT_FALSE(button->IsShortCutStored());
    button->SetVisible(false);
    button->SetShortCut(QKeyCombination(Qt::Key_F4));
    EXPECT_TRUE(button->IsVisibleStored());
    EXPECT_TRUE(button->IsShortCutStored());
    TEditButtonX plain(static_cast<QWidget*>(nullptr));
    EXPECT_FALSE(plain.IsVisibleStored());
    plain.SetVisible(true);
    EXPECT_TRUE(plain.IsVisibleStored());
}

TEST(EditButtonX, FollowsItsAction) {
    QAction action(QStringLiteral("pick"));
    action.setEnabled(false);
    action.setToolTip(QStringLiteral("choose an account"));
    action.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    TEditButtonX button(static_cast<QWidget*>(nullptr));
    button.SetVisible(true);
    button.SetAction(&action);
    EXPECT_FALSE(button.Enabled());
    EXPECT_EQ(button.Hint(), QStringLiteral("choose an account"));
    EXPECT_EQ(button.ShortCut(), QKeyCombination(Qt::ControlModifier, Qt::Key_K));
    EXPECT_TRUE(button.Visible());
    // Values that follow the action are not stored with the button.
    EXPECT_FALSE(button.IsEnabledStored());
    EXPECT_FALSE(button.IsHintStored());

    action.setEnabled(true);
    EXPECT_TRUE(button.Enabled());
    action.setVisible(false);
    EXPECT_FALSE(button.Visible());
    action.setVisible(true);
    EXPECT_TRUE(button.Visible());
    EXPECT_TRUE(button.Enabled());

    int triggered = 0;
    QObject::connect(&action, &QAction::triggered, [&triggered] { ++triggered; });
    bool handled = false;
    button.Click(nullptr, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(triggered, 1);
    // A click handler takes the click from the action.
    int clicks = 0;
    button.OnClick = [&clicks](QObject*, bool&) { ++clicks; };
    handled = false;
    button.Click(nullptr, handled);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(triggered, 1);
    EXPECT_FALSE(handled);

    button.SetAction(nullptr);
    action.setEnabled(false);
    EXPECT_TRUE(button.Enabled()); // no longer linked
    EXPECT_EQ(button.Action(), nullptr);
}

TEST(EditButtonX, ForgetsAnActionThatIsGone) {
    TEditButtonX button(static_cast<QWidget*>(nullptr));
    {
        QAction action(QStringLiteral("gone"));
        button.SetAction(&action);
        EXPECT_EQ(button.Action(), &action);
    }
    EXPECT_EQ(button.Action(), nullptr);
    bool handled = false;
    button.Click(nullptr, handled);
    EXPECT_FALSE(handled);
}

TEST(EditButtonX, AssignCopiesEverySetting) {
    QAction action(QStringLiteral("a"));
    TEditButtonX source(static_cast<QWidget*>(nullptr));
    source.SetStyle(ebsUpDownX);
    source.SetWidth(15);
    source.SetNumGlyphs(2);
    source.SetAction(&action);
    source.SetHint(QStringLiteral("own hint"));
    int clicks = 0;
    source.OnClick = [&clicks](QObject*, bool&) { ++clicks; };
    TEditButtonX copy(static_cast<QWidget*>(nullptr));
    copy.Assign(source);
    EXPECT_EQ(copy.Style(), ebsUpDownX);
    EXPECT_EQ(copy.Width(), 15);
    EXPECT_EQ(copy.NumGlyphs(), 2);
    EXPECT_EQ(copy.Action(), &action);
    EXPECT_EQ(copy.Hint(), QStringLiteral("own hint"));
    bool handled = false;
    copy.Click(nullptr, handled);
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace kx
