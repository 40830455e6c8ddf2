#include "frame/controls/kxpanel.h"

#include "frame/controls/kx3dlabel.h"
#include "frame/controls/weblabel.h"
#include "tests/frame/controlsfixture.h"

#include <QDesktopServices>
#include <QLineEdit>
#include <QUrl>

namespace kx {
namespace {

TEST(PanelRects, ShadowLiesBehindTheFaceByItsWidth) {
    const TPanelRects two = PanelRects(185, 41, 2);
    EXPECT_EQ(two.Shadow, ui::Rect(2, 2, 185, 41));
    EXPECT_EQ(two.Face, ui::Rect(0, 0, 183, 39));
    const TPanelRects none = PanelRects(185, 41, 0);
    EXPECT_EQ(none.Face, ui::Rect(0, 0, 185, 41));
    EXPECT_EQ(none.Shadow, none.Face);
}

TEST(KXPanel, ShadowWidthStaysWithinZeroToTen) {
    TKXPanel panel;
    EXPECT_EQ(panel.ShadowWidth(), 2);
    panel.SetShadowWidth(15);
    EXPECT_EQ(panel.ShadowWidth(), 10);
    panel.SetShadowWidth(-3);
    EXPECT_EQ(panel.ShadowWidth(), 0);
}

TEST(KXPanel, PaintsTheShadowOnlyWhenItHasAWidth) {
    TKXPanel panel;
    panel.SetFaceColor(ui::clWhite);
    panel.SetCaption("凭证");
    const QImage shadowed = panel.grab().toImage();
    EXPECT_EQ(shadowed.pixelColor(184, 40), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(shadowed.pixelColor(100, 5), QColor(Qt::white));
    EXPECT_EQ(shadowed.pixelColor(0, 20), QColor(0xE8, 0xE8, 0xE0));
    panel.SetShadowWidth(0);
    panel.SetBorderLine(blNone);
    const QImage flat = panel.grab().toImage();
    EXPECT_EQ(flat.pixelColor(184, 40), QColor(Qt::white));
}

TEST(KX3DLabel, ShadowIndentOutsideItsRangeIsIgnored) {
    TKX3DLabel label;
    label.SetShadowIndent(60);
    EXPECT_EQ(label.ShadowIndent(), 2);
    label.SetShadowIndent(-2);
    EXPECT_EQ(label.ShadowIndent(), -2);
}

TEST(KX3DLabel, SizesItselfToItsTextAndKeepsARightEdge) {
    QWidget form;
    TKX3DLabel label(&form);
    label.SetAlignment(Qt::AlignRight);
    label.SetCaption("查找条件：");
    label.move(300, 10);
    const int right = label.geometry().right();
    const int narrow = label.width();
    EXPECT_EQ(narrow, label.fontMetrics().horizontalAdvance("查找条件：") + 2);
    label.SetCaption("查找条件：收入大于一百");
    EXPECT_GT(label.width(), narrow);
    EXPECT_EQ(label.geometry().right(), right);

    label.SetDrawType(dtShadow);
    label.SetShadowIndent(-6);
    EXPECT_EQ(label.width(), label.fontMetrics().horizontalAdvance("查找条件：收入大于一百") + 6);
    label.SetCaption("");
    EXPECT_EQ(label.width(), label.fontMetrics().horizontalAdvance(" ") + 6);
}

TEST(KX3DLabel, AcceleratorFocusesItsControl) {
    QWidget form;
    auto* label = new TKX3DLabel(&form);
    auto* first = new QLineEdit(&form);
    auto* edit = new QLineEdit(&form);
    edit->move(0, 40);
    label->SetCaption("名称(&N)");
    label->SetFocusControl(edit);
    ASSERT_TRUE(test::ShowActive(form));
    test::FocusOn(first);
    QTest::keyClick(&form, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(edit->hasFocus());
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QStringList urls;
public slots:
    void Open(const QUrl& url) { urls << url.toString(); }
};

TEST(WebLabel, ClickOpensTheTargetAndColoursWhileHeld) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "Open");
    TWebLabel label;
    label.setText("主页");
    label.SetURLAdd("https://example.org/");
    QTest::mousePress(&label, Qt::LeftButton);
    EXPECT_EQ(label.FontColor(), ui::clRed);
    QTest::mouseRelease(&label, Qt::LeftButton);
    EXPECT_EQ(label.FontColor(), ui::clBlue);
    EXPECT_EQ(catcher.urls, QStringList({"https://example.org/"}));
    QDesktopServices::unsetUrlHandler("https");
}

TEST(WebLabel, ATargetTheDesktopCannotOpenIsReported) {
    TWebLabel label;
    QString error;
    label.OnErrorLoading = [&](QObject*, const QString& message) { error = message; };
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(error, "Unable to load browser");
}

TEST(WebLabel, HoverColoursTheTextOnlyWhenEnabled) {
    TWebLabel label;
    int hovers = 0;
    label.OnHover = [&](QObject*) { ++hovers; };
    QTest::mouseMove(&label, QPoint(2, 2));
    EXPECT_EQ(label.FontColor(), ui::clBlue);
    label.SetEnableHover(true);
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), label.mapToGlobal(QPointF(3, 3)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&label, &move);
    EXPECT_EQ(label.FontColor(), 0x808000u);
    EXPECT_EQ(hovers, 1);
}

} // namespace
} // namespace kx

#include "kxpanel_test.moc"
