// The masked edit: the desktop's mask syntax turned into Qt's, the text as
// the mask keeps it, the selection calls, and keys a handler drops.

#include "platform/ui/maskedit.h"

#include <QTest>

#include <gtest/gtest.h>

namespace kx::ui {
namespace {

TEST(MaskEdit, MasksTranslateToQtSyntax) {
    struct Case {
        const char* mask;
        const char* qt;
    };
    const Case cases[] = {
        {"", ""},
        {"0000-00-00;1;_", "9999-99-99;_"},
        {"!99:99;0; ", "00:00; "},
        {">LL<ll", ">AA<aa;_"},
        {"<>AaCc#", "!NnXx#;_"},
        {"\\A9/9_", "\\A0-0 ;_"},
        {"(999);1;*", "(000);*"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToQtInputMask(QString::fromLatin1(c.mask)), QString::fromLatin1(c.qt)) << c.mask;
}

TEST(MaskEdit, TextKeepsLiteralsOnlyWhenTheMaskSavesThem) {
    EXPECT_EQ(MaskedText(QStringLiteral("00-00;1;_"), QStringLiteral("12-3_")),
              QStringLiteral("12-3 "));
    EXPECT_EQ(MaskedText(QStringLiteral("00-00;0;_"), QStringLiteral("12-34")),
              QStringLiteral("1234"));
    EXPECT_EQ(MaskedText(QString(), QStringLiteral("as typed")), QStringLiteral("as typed"));
    TCustomMaskEdit edit;
    edit.SetEditMask(QStringLiteral("0000-00-00;0;_"));
    edit.SetText(QStringLiteral("20240131"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("2024-01-31"));
    EXPECT_EQ(edit.Text(), QStringLiteral("20240131"));
}

TEST(MaskEdit, SelectionCallsFollowTheEditControlsRules) {
    TCustomMaskEdit edit;
    edit.SetText(QStringLiteral("abcdef"));
    edit.SetSel(1, 4);
    int start, end;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 4);
    EXPECT_EQ(edit.SelLength(), 3);
    edit.SetSel(0, -1);
    EXPECT_EQ(edit.SelLength(), 6);
    edit.SetSel(2147483647, -1);
    EXPECT_EQ(edit.SelLength(), 0);
    EXPECT_EQ(edit.CaretPos(), 6);
    edit.SetSel(-1, 0);
    EXPECT_EQ(edit.SelStart(), 6);
}

TEST(MaskEdit, AHandlerThatClearsTheKeyOrTheCharacterDropsIt) {
    TCustomMaskEdit edit;
    edit.show();
    edit.OnKeyDown = [](QObject*, int& key, TShiftState) {
        if (key == Qt::Key_Home)
            key = 0;
    };
    edit.OnKeyPress = [](QObject*, QChar& key) {
        if (key == u'x')
            key = QChar();
        else if (key == u'u')
            key = u'U';
    };
    QTest::keyClicks(&edit, QStringLiteral("axbu"));
    EXPECT_EQ(edit.Text(), QStringLiteral("abU"));
    QTest::keyClick(&edit, Qt::Key_Home);
    EXPECT_EQ(edit.CaretPos(), 3);
    edit.PostChar(u'z');
    QApplication::processEvents();
    EXPECT_EQ(edit.Text(), QStringLiteral("abUz"));
    edit.setReadOnly(true);
    edit.PostChar(u'q');
    QApplication::processEvents();
    EXPECT_EQ(edit.Text(), QStringLiteral("abUz"));
}

TEST(MaskEdit, ANonPositiveLimitMeansNoLimit) {
    TCustomMaskEdit edit;
    edit.SetMaxLength(-1);
    EXPECT_EQ(edit.MaxLength(), -1);
    edit.SetText(QString(100, u'a'));
    EXPECT_EQ(edit.Text().size(), 100);
    edit.SetMaxLength(3);
    EXPECT_EQ(edit.Text(), QStringLiteral("aaa"));
}

} // namespace
} // namespace kx::ui
