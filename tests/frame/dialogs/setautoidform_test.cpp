#include "frame/dialogs/setautoidform.h"

#include "core/appstate.h"
#include "core/options.h"
#include "tests/core/programfixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kx {
namespace {

class SetAutoIDFormTest : public ::testing::Test {
protected:
    QCheckBox* Box(const char* caption) {
        for (QCheckBox* box : form_.findChildren<QCheckBox*>()) {
            if (box->text() == QString::fromUtf8(caption))
                return box;
        }
        ADD_FAILURE() << caption;
        return nullptr;
    }
    QRadioButton* Mode(const char* caption) {
        for (QRadioButton* mode : form_.findChildren<QRadioButton*>()) {
            if (mode->text() == QString::fromUtf8(caption))
                return mode;
        }
        ADD_FAILURE() << caption;
        return nullptr;
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    TSetAutoIDForm form_;
};

TEST_F(SetAutoIDFormTest, ShowsTheStoredOptions) {
    SetOption("借贷编号", "是");
    SetOption("非财务格式", "是");
    SetOption("分类编号", "2");
    form_.show();
    EXPECT_EQ(form_.windowTitle(), "编号方式设置窗口");
    EXPECT_EQ(form_.size(), QSize(344, 229));
    EXPECT_TRUE(Box("系统自动填写资金借贷编号")->isChecked());
    EXPECT_FALSE(Box("系统自动填写员工编号")->isChecked());
    EXPECT_FALSE(Box("系统按财务记账格式显示金额")->isChecked());
    EXPECT_TRUE(Box("系统自动备份数据")->isChecked());
    EXPECT_TRUE(Mode("按账款类别编号")->isChecked());
    EXPECT_EQ(AppNumberingMode, 2);
}

TEST_F(SetAutoIDFormTest, OkWritesEveryOption) {
    form_.show();
    EXPECT_TRUE(Mode("统一账款编号")->isChecked()); // nothing stored yet
    Box("系统自动填写员工编号")->setChecked(true);
    Box("系统自动备份数据")->setChecked(false);
    Mode("不检查重复编号")->setChecked(true);
    auto* ok = form_.findChild<QPushButton*>();
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "确定");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(form_.result(), QDialog::Accepted);
    EXPECT_EQ(GetOption("借贷编号"), "否");
    EXPECT_EQ(GetOption("员工编号"), "是");
    EXPECT_EQ(GetOption("非财务格式"), "否");
    EXPECT_EQ(GetOption("不自动数据备份"), "是");
    EXPECT_EQ(GetOption("分类编号"), "3");
    EXPECT_TRUE(AppFinancialFormat);
    EXPECT_EQ(AppNumberingMode, 3);
}

TEST_F(SetAutoIDFormTest, StoredModeOfNoItemShowsAndWritesTheDefault) {
    for (const char* stored : {"4", "-1", "2147483648"}) {
        SetOption("分类编号", stored);
        TSetAutoIDForm form;
        form.show();
        EXPECT_EQ(form.findChildren<QRadioButton*>().size(), 4);
        for (QRadioButton* mode : form.findChildren<QRadioButton*>())
            EXPECT_EQ(mode->isChecked(), mode->text() == "统一账款编号") << stored;
        form.findChild<QPushButton*>()->click();
        EXPECT_EQ(GetOption("分类编号"), "1") << stored;
        EXPECT_EQ(AppNumberingMode, 1) << stored;
    }
}

TEST_F(SetAutoIDFormTest, EscapeSavesAsOkDoes) {
    form_.show();
    Box("系统按财务记账格式显示金额")->setChecked(false);
    QTest::keyClick(&form_, Qt::Key_Escape);
    EXPECT_EQ(GetOption("非财务格式"), "是");
    EXPECT_FALSE(AppFinancialFormat);
    EXPECT_EQ(GetOption("分类编号"), "1");
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(SetAutoIDFormTest, TabOrderDiffersFromTheLayout) {
    const QStringList expected = {"系统自动填写资金借贷编号", "系统自动填写员工编号",
                                  "系统按财务记账格式显示金额", "按一级账款类别编号",
                                  "系统自动备份数据"};
    QWidget* widget = Box("系统自动填写资金借贷编号");
    for (const QString& caption : expected) {
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(static_cast<QAbstractButton*>(widget)->text(), caption);
        widget = widget->nextInFocusChain();
    }
}

} // namespace
} // namespace kx
