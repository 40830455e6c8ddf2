#include "core/settingfunctions.h"

#include "platform/sys/configstore.h"
#include "platform/ui/messagedialog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kx {
namespace {

class SettingFunctionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        old_ = ui::SetMessageSink([this](const ui::MessageRequest& request) {
            shown_.append(request.text);
            return false;
        });
    }
    void TearDown() override { ui::SetMessageSink(old_); }

    ui::MessageSink old_;
    QStringList shown_;
};

TEST_F(SettingFunctionsTest, WrittenValueReadsBack) {
    WriteSetting("RUReravezImes", "拼音");
    EXPECT_EQ(ReadSetting("RUReravezImes"), "拼音");
    WriteSettingValue("RUReravezColor", "255");
    EXPECT_EQ(ReadSettingNumber("RUReravezColor"), "255");
    EXPECT_TRUE(shown_.isEmpty());
}

TEST_F(SettingFunctionsTest, NumberReadsEmptyUnlessInteger) {
    WriteSetting("TestNumber", "abc");
    EXPECT_EQ(ReadSettingNumber("TestNumber"), "");
    WriteSetting("TestNumber", "12.5");
    EXPECT_EQ(ReadSettingNumber("TestNumber"), "");
    EXPECT_EQ(ReadSetting("TestMissing"), "");
}

TEST_F(SettingFunctionsTest, UnreadableStoreIsReportedAndReadsEmpty) {
    const QString file = sys::SettingsFilePath();
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file)); // a folder where the file should be
    EXPECT_EQ(ReadSetting("RUReravezImes"), "");
    WriteSetting("RUReravezImes", "x");
    QDir(file).removeRecursively();
    EXPECT_EQ(shown_, (QStringList{"注册表打开错误", "注册表打开错误"}));
}

} // namespace
} // namespace kx
