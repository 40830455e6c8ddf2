#include "frame/dialogs/selectitemform.h"

#include "frame/controls/radiogroup.h"
#include "frame/dialogs/selectitemqueryform.h"
#include "tests/frame/controlsfixture.h"
#include "tests/support/clippedtexts.h"

#include <QPushButton>

namespace kx {
namespace {

TEST(RadioGroupHeight, ByItemCount) {
    EXPECT_EQ(RadioGroupHeight(2, 50), 89);
    EXPECT_EQ(RadioGroupHeight(3, 50), 113);
    EXPECT_EQ(RadioGroupHeight(4, 50), 129);
    EXPECT_EQ(RadioGroupHeight(5, 50), 50);
}

QStringList Numbered(const QString& stem, int count) {
    QStringList items;
    for (int i = 1; i <= count; ++i)
        items << stem + QString::number(i);
    return items;
}

TEST(SelectSortOrder, OffersTwelveItemsAndPrefixesTheField) {
    test::OnNextModal([](QWidget* dialog) {
        auto* form = qobject_cast<TSelectItemForm*>(dialog);
        EXPECT_EQ(form->windowTitle(), "排序方式选择");
        EXPECT_EQ(form->RadioGroup->Count(), 12);
        EXPECT_EQ(form->RadioGroup->Item(0), "按名称1排序");
        EXPECT_GE(form->RadioGroup->height(), 166);
        EXPECT_EQ(test::ClippedTexts(*form), QStringList());
        EXPECT_EQ(form->RadioGroup->ItemIndex(), 0);
        form->RadioGroup->SetItemIndex(11);
        test::PressKey(form, Qt::Key_Escape);
    });
    EXPECT_EQ(SelectSortOrder(Numbered("名称", 13), Numbered("FIELD", 13), "T", "排序方式选择"),
              " ORDER BY T.FIELD12");
}

// The employee list's seven choices in the installed CJK font: the group
// grows until every item reads.
TEST(SelectSortOrder, EveryItemHasTheRoomOfItsText) {
    const QStringList captions = {"员工编号", "员工姓名", "任职部门", "性别",
                                  "出生日期", "入职日期", "排列序号"};
    int groupHeight = 0;
    int itemsHeight = 0;
    QStringList clipped;
    test::OnNextModal([&](QWidget* dialog) {
        auto* form = qobject_cast<TSelectItemForm*>(dialog);
        groupHeight = form->RadioGroup->height();
        itemsHeight = form->RadioGroup->minimumSizeHint().height();
        clipped = test::ClippedTexts(*form);
        form->SureButton->click();
    });
    SelectSortOrder(captions, captions, "", "排序方式选择");
    EXPECT_GE(groupHeight, itemsHeight);
    EXPECT_EQ(clipped, QStringList());
}

TEST(SelectSortOrder, WithoutPrefixTheFieldStandsAlone) {
    test::OnNextModal([](QWidget* dialog) {
        auto* form = qobject_cast<TSelectItemForm*>(dialog);
        EXPECT_EQ(form->RadioGroup->height(), 89);
        form->RadioGroup->SetItemIndex(1);
        form->SureButton->click();
    });
    EXPECT_EQ(SelectSortOrder({"日期", "编号"}, {"MONEY_DATE", "MONEY_ID"}, "", "排序"),
              " ORDER BY MONEY_ID");
}

TEST(SelectOneOfTwo, ChosenItemOrZeroWhenClosed) {
    test::OnNextModal([](QWidget* dialog) {
        auto* form = qobject_cast<TSelectItemQueryForm*>(dialog);
        EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
        form->RadioGroup->SetItemIndex(1);
        form->SureButton->click();
    });
    EXPECT_EQ(SelectOneOfTwo("不打印序号", "打印序号", "打印选择"), 2);
    test::OnNextModal(
        [](QWidget* dialog) { qobject_cast<TSelectItemQueryForm*>(dialog)->CloseButton->click(); });
    EXPECT_EQ(SelectOneOfTwo("导出图片", "浏览图片", "图片"), 0);
}

TEST(SelectItemForm, OkWithoutAChoiceIsRefused) {
    test::MessageTextRecorder messages;
    TSelectItemForm form;
    form.show();
    form.SureButton->click();
    EXPECT_EQ(messages.texts, QStringList({"必须选择一个选项"}));
    EXPECT_TRUE(form.isVisible());
}

} // namespace
} // namespace kx
