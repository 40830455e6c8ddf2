#include "frame/app/formbuttons.h"

#include "frame/app/kxchild.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(RightButtonsOf, EditAndDeleteFollowTheAddRight) {
    struct Case {
        TRights rights;
        TRightButtons expected;
    };
    TRights editOnly;
    editOnly.Edit = true;
    editOnly.Delete = true;
    editOnly.Found = true;
    TRights addOnly;
    addOnly.Add = true;
    TRights printAndVerify;
    printAndVerify.Print = true;
    printAndVerify.Verify = true;
    const Case cases[] = {
        {editOnly, {false, false, false, false, false}},
        {addOnly, {true, true, true, false, false}},
        {printAndVerify, {false, false, false, true, true}},
    };
    for (const Case& c : cases) {
        const TRightButtons got = RightButtonsOf(c.rights);
        EXPECT_EQ(got.Add, c.expected.Add);
        EXPECT_EQ(got.Edit, c.expected.Edit);
        EXPECT_EQ(got.Delete, c.expected.Delete);
        EXPECT_EQ(got.Print, c.expected.Print);
        EXPECT_EQ(got.Check, c.expected.Check);
    }
}

TEST(NamesProgram, OnlyBothNamesReadTheRights) {
    EXPECT_TRUE(NamesProgram("基本数据录入编辑", "资金账号录入编辑"));
    EXPECT_FALSE(NamesProgram("基本数据录入编辑", ""));
    EXPECT_FALSE(NamesProgram("", "资金账号录入编辑"));
    const TRights unnamed = UnnamedProgramRights();
    EXPECT_TRUE(unnamed.Add);
    EXPECT_FALSE(unnamed.Print || unnamed.Verify || unnamed.Edit || unnamed.Found);
}

TEST(FunctionKeyButton, EachFormKindHasItsOwnKeys) {
    struct Case {
        TFormKind kind;
        int key;
        const char* button;
    };
    const Case cases[] = {
        {TFormKind::AppForm, Qt::Key_F5, "button_add"},
        {TFormKind::AppForm, Qt::Key_F10, "button_find"},
        {TFormKind::AppForm, Qt::Key_F12, "button_close"},
        {TFormKind::AppForm, Qt::Key_F3, ""},
        {TFormKind::AppForm, Qt::Key_F4, ""},
        {TFormKind::AppForm, Qt::Key_Return, ""},
        {TFormKind::PopEditor, Qt::Key_F3, "button_Ok"},
        {TFormKind::PopEditor, Qt::Key_F5, "Button_add"},
        {TFormKind::PopEditor, Qt::Key_F10, ""},
        {TFormKind::PopEditor, Qt::Key_F11, "Button_Print"},
        {TFormKind::PopList, Qt::Key_F3, "button_Ok"},
        {TFormKind::PopList, Qt::Key_F5, "button_add"},
        {TFormKind::PopList, Qt::Key_F10, "button_find"},
        {TFormKind::PopList, Qt::Key_F11, "Button_Print"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FunctionKeyButton(c.kind, c.key), QString::fromLatin1(c.button))
            << static_cast<int>(c.kind) << " " << c.key;
}

TEST(YearMonthPrefixOf, TakesYearAndMonthOfTheWorkingDate) {
    EXPECT_EQ(YearMonthPrefixOf("2015-03-07"), "201503");
    EXPECT_EQ(YearMonthPrefixOf("2007-12-31"), "200712");
}

} // namespace
} // namespace kx
