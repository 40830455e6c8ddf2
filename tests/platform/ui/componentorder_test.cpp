#include "platform/ui/componentorder.h"
#include "platform/ui/tag.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace kx::ui {
namespace {

TEST(ComponentOrder, KeepsCreationOrderAndForgetsDestroyedComponents) {
    QWidget form;
    auto* a = new QObject(&form);
    auto* b = new QWidget(&form);
    auto* c = new QObject(&form);
    ComponentOrder::Add(&form, a);
    ComponentOrder::Add(&form, b);
    ComponentOrder::Add(&form, c);
    b->setParent(nullptr);
    b->setParent(&form);
    EXPECT_EQ(ComponentOrder::Components(&form), (QList<QObject*>{a, b, c}));
    delete b;
    EXPECT_EQ(ComponentOrder::Components(&form), (QList<QObject*>{a, c}));
    EXPECT_TRUE(ComponentOrder::Components(a).isEmpty());
}

TEST(Tag, ZeroUntilSet) {
    QObject component;
    EXPECT_EQ(Tag(&component), 0);
    SetTag(&component, 100);
    EXPECT_EQ(Tag(&component), 100);
}

} // namespace
} // namespace kx::ui
