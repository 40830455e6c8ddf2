#include "platform/ui/passwordecho.h"

#include <QLineEdit>

#include <gtest/gtest.h>

namespace kx::ui {
namespace {

TEST(EchoAsStars, ShowsOneStarPerCharacterAndKeepsTheText) {
    for (const QString& text : {QStringLiteral("abc"), QStringLiteral("口令12")}) {
        QLineEdit edit;
        EchoAsStars(&edit);
        edit.setText(text);
        EXPECT_EQ(edit.displayText(), QString(text.size(), u'*'));
        EXPECT_EQ(edit.text(), text);
    }
}

} // namespace
} // namespace kx::ui
