#include "frame/app/windowregistry.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

class StubWindow : public QWidget, public TWorkingWindow {
public:
    using QWidget::QWidget;
    QWidget* Form() override { return this; }
    void SetNotTopShow(bool) override {}
    qint64 ShowInPlace(int) override { return 1; }
};

TEST(TWindowRegistry, CreatesThroughTheFactoryAndKeepsTheLastWindow) {
    QWidget owner;
    TWindowRegistry::Register("StubForm", [](QWidget* parent) { return new StubWindow(parent); });
    EXPECT_TRUE(TWindowRegistry::HasFactory("StubForm"));
    TWorkingWindow* window = TWindowRegistry::Create("StubForm", &owner);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Form()->parent(), &owner);
    EXPECT_EQ(TWindowRegistry::Last("StubForm"), window);
    delete window->Form();
    EXPECT_EQ(TWindowRegistry::Last("StubForm"), nullptr);
    TWindowRegistry::Unregister("StubForm");
}

TEST(TWindowRegistry, UnknownFormNameCreatesNothing) {
    QWidget owner;
    EXPECT_FALSE(TWindowRegistry::HasFactory("NotBuiltYetForm"));
    EXPECT_EQ(TWindowRegistry::Create("NotBuiltYetForm", &owner), nullptr);
    EXPECT_EQ(TWindowRegistry::Last("NotBuiltYetForm"), nullptr);
}

} // namespace
} // namespace kx
