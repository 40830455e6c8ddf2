#include "platform/ui/messagedialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace kx::ui {
namespace {

TEST(NormalizeLineBreaks, EachBreakKindBecomesOneLineFeed) {
    struct Case {
        QString text;
        QString expected;
    } cases[] = {
        {QStringLiteral("a\n\rb"), QStringLiteral("a\nb")},
        {QStringLiteral("a\r\nb"), QStringLiteral("a\nb")},
        {QStringLiteral("a\rb"), QStringLiteral("a\nb")},
        {QStringLiteral("a\nb"), QStringLiteral("a\nb")},
        {QStringLiteral("a\r\n\r\nb"), QStringLiteral("a\n\nb")},
        {QStringLiteral("a\n\r\n\rb"), QStringLiteral("a\n\nb")},
        {QStringLiteral("end\r"), QStringLiteral("end\n")},
        {QString(), QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalizeLineBreaks(c.text), c.expected) << c.text.toStdString();
}

TEST(ShowMessageDialog, SinkReceivesNormalisedRequest) {
    MessageRequest seen;
    MessageSink old = SetMessageSink([&](const MessageRequest& request) {
        seen = request;
        return true;
    });
    EXPECT_TRUE(ShowMessageDialog(nullptr, QStringLiteral("提示信息"), QStringLiteral("x\n\ry"),
                                  MessageIcon::Question, MessageButtons::YesNo));
    SetMessageSink(old);
    EXPECT_EQ(seen.caption, QStringLiteral("提示信息"));
    EXPECT_EQ(seen.text, QStringLiteral("x\ny"));
    EXPECT_EQ(seen.icon, MessageIcon::Question);
    EXPECT_EQ(seen.buttons, MessageButtons::YesNo);
}

// The real box: answered by clicking its buttons from a timer while it runs.
bool AnswerRealBox(const QString& buttonText, MessageButtons buttons, QString* shownText,
                   bool* onTop) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        *shownText = box->text();
        *onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        for (QAbstractButton* button : box->buttons())
            if (button->text() == buttonText)
                button->click();
    });
    return ShowMessageDialog(nullptr, QStringLiteral("提示信息"), QStringLiteral("a\rb"),
                             MessageIcon::Question, buttons);
}

TEST(ShowMessageDialog, RealBoxStaysOnTopAndAnswersYesOrNo) {
    QString text;
    bool onTop = false;
    EXPECT_TRUE(AnswerRealBox(QStringLiteral("是(&Y)"), MessageButtons::YesNo, &text, &onTop));
    EXPECT_EQ(text, QStringLiteral("a\nb"));
    EXPECT_TRUE(onTop);
    EXPECT_FALSE(AnswerRealBox(QStringLiteral("否(&N)"), MessageButtons::YesNo, &text, &onTop));
    EXPECT_FALSE(AnswerRealBox(QStringLiteral("确定"), MessageButtons::Ok, &text, &onTop));
}

} // namespace
} // namespace kx::ui
