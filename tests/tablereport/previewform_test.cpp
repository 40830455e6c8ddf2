#include "tablereport/previewform.h"

#include "tablereport/repmessform.h"
#include "tablereport/templatestream.h"
#include "tests/tablereport/fakemeasurer.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QTimer>

#include <gtest/gtest.h>

namespace kx {
namespace {

// A page whose only cell says which page it is.
QByteArray PageStream(const QString& text, int width = 758, int height = 1037) {
    FakeMeasurer measurer;
    TReportControl page(&measurer);
    page.NewTable(1, 1);
    page.Lines[0]->Cells[0]->SetCellText(text);
    page.SetPageSize(width, height);
    return WriteTemplate(page);
}

std::vector<QByteArray> Pages(int count) {
    std::vector<QByteArray> pages;
    for (int i = 1; i <= count; ++i)
        pages.push_back(PageStream(QStringLiteral("第%1页内容").arg(i)));
    return pages;
}

QString ShownText(const TPreviewForm& form) {
    return form.PageControl->Control.Lines[0]->Cells[0]->Text();
}

// A resize of the shown window fits the page again.
void Resize(TPreviewForm& form, QSize size) {
    form.setWindowState(Qt::WindowNoState);
    form.resize(size);
    QCoreApplication::processEvents();
    ASSERT_EQ(form.size(), size);
}

// Runs check while the form is modal, then closes it.
void WhileShown(TPreviewForm& form, const std::vector<QByteArray>& pages,
                const std::function<void()>& check) {
    bool ran = false;
    QTimer::singleShot(0, &form, [&] {
        ran = true;
        check();
        form.CloseAction->trigger();
    });
    form.ShowPages(pages);
    EXPECT_TRUE(ran);
}

TEST(PreviewFormTest, CreatedAtItsSizeWithTheFitZoom) {
    TPreviewForm form;
    EXPECT_EQ(form.windowTitle(), "打印预览");
    EXPECT_EQ(form.size(), QSize(715, 550));
    EXPECT_EQ(form.ZoomCounter(), 42);
    EXPECT_FALSE(form.AbortAction->isEnabled());
    EXPECT_FALSE(form.EditTemplateAction->isVisible());
    EXPECT_FALSE(form.PageControl->isEnabled());
    EXPECT_EQ(form.GetPageStream(1), nullptr);
    EXPECT_TRUE(form.GetPageFileName(1).isEmpty());
}

TEST(PreviewFormTest, NoPagesEndsWithoutShowing) {
    TPreviewForm form;
    form.ShowPages({});
    EXPECT_FALSE(form.isVisible());
}

TEST(PreviewFormTest, PagesStepAndButtonsFollowThePosition) {
    TPreviewForm form;
    WhileShown(form, Pages(3), [&] {
        EXPECT_TRUE(form.isModal() || QApplication::activeModalWidget() == &form);
        EXPECT_EQ(form.PagePanel->text(), "第1／3页");
        EXPECT_EQ(ShownText(form), "第1页内容");
        EXPECT_FALSE(form.FirstAction->isEnabled());
        EXPECT_FALSE(form.PriorAction->isEnabled());
        EXPECT_TRUE(form.NextAction->isEnabled());
        form.NextAction->trigger();
        EXPECT_EQ(form.PagePanel->text(), "第2／3页");
        EXPECT_EQ(ShownText(form), "第2页内容");
        form.LastAction->trigger();
        EXPECT_EQ(ShownText(form), "第3页内容");
        EXPECT_FALSE(form.NextAction->isEnabled());
        EXPECT_FALSE(form.LastAction->isEnabled());
        EXPECT_TRUE(form.FirstAction->isEnabled());
        // fewer pages after a new fill: the last one is shown
        form.SetPageStreams(Pages(2));
        form.ShowCurrentPage();
        EXPECT_EQ(form.PagePanel->text(), "第2／2页");
        EXPECT_EQ(ShownText(form), "第2页内容");
        EXPECT_NE(form.GetPageStream(2), nullptr);
        EXPECT_EQ(form.GetPageStream(3), nullptr);
    });
    EXPECT_EQ(form.GetPageStream(1), nullptr);
}

TEST(PreviewFormTest, OnePageReadsFirstOfOneWithPagingOff) {
    TPreviewForm form;
    WhileShown(form, Pages(1), [&] {
        EXPECT_EQ(form.PagePanel->text(), "第1／1页");
        for (const QAction* action :
             {form.FirstAction, form.PriorAction, form.NextAction, form.LastAction})
            EXPECT_FALSE(action->isEnabled());
    });
}

TEST(PreviewFormTest, ZoomStepsKeepAcrossPagesAndFitIsAtMost100) {
    TPreviewForm form;
    WhileShown(form, Pages(2), [&] {
        Resize(form, {1200, 1300});
        EXPECT_EQ(form.ZoomCounter(), 100);
        for (int expected : {90, 80, 70}) {
            form.ZoomOutAction->trigger();
            EXPECT_EQ(form.ZoomCounter(), expected);
            EXPECT_EQ(form.PageControl->Control.Zoom, expected);
        }
        form.ZoomInAction->trigger();
        EXPECT_EQ(form.PageControl->Control.Zoom, 80);
        EXPECT_EQ(form.PageControl->width(), 606); // 758 x 0.8
        form.NextAction->trigger();
        EXPECT_EQ(form.PageControl->Control.Zoom, 80);
        for (int i = 0; i < 20; ++i)
            form.ZoomOutAction->trigger();
        EXPECT_EQ(form.ZoomCounter(), kMinPreviewZoom);
    });
}

TEST(PreviewFormTest, SmallPageIsCentredAtFullSize) {
    TPreviewForm form;
    WhileShown(form, {PageStream(QStringLiteral("小"), 400, 300)}, [&] {
        Resize(form, {1000, 800});
        EXPECT_EQ(form.PageControl->Control.Zoom, 100);
        EXPECT_EQ(form.PageControl->pos(), QPoint(290, 205));
    });
}

TEST(PreviewFormTest, PrintEnablesAbortOnlyWhilePrinting) {
    TPreviewForm form;
    bool abortDuringPrint = false;
    int abortAnswer = 0;
    form.OnPrint = [&] {
        abortDuringPrint = form.AbortAction->isEnabled();
        form.AbortAction->trigger();
    };
    form.OnAbortPrint = [&] { return abortAnswer; };
    form.PrintAction->trigger();
    EXPECT_TRUE(abortDuringPrint);
    EXPECT_FALSE(form.AbortAction->isEnabled());
    // a failed abort leaves the button for another try
    form.OnPrint = [&] {
        form.AbortAction->trigger();
        abortDuringPrint = form.AbortAction->isEnabled();
        abortAnswer = 1;
        form.AbortAction->trigger();
    };
    form.PrintAction->trigger();
    EXPECT_TRUE(abortDuringPrint);
    EXPECT_FALSE(form.AbortAction->isEnabled());
}

TEST(PreviewFormTest, ConfirmedPageSetupGoesToPageOneAndFitsEitherWay) {
    TPreviewForm form;
    bool confirm = false;
    form.OnPageSetup = [&] { return confirm; };
    WhileShown(form, Pages(3), [&] {
        form.LastAction->trigger();
        form.ZoomInAction->trigger();
        form.PageSetupAction->trigger();
        EXPECT_EQ(form.Paging().Current(), 3);
        EXPECT_EQ(form.ZoomCounter(), BestFitZoom(form.size(), {758, 1037}));
        confirm = true;
        form.PageSetupAction->trigger();
        EXPECT_EQ(form.PagePanel->text(), "第1／3页");
        EXPECT_EQ(ShownText(form), "第1页内容");
    });
}

TEST(PreviewFormTest, EditFlagsEnableThePageAndAClickResetsTheZoomCounter) {
    TPreviewForm form;
    WhileShown(form, Pages(1), [&] {
        form.SetEditEnabled(true);
        EXPECT_TRUE(form.PageControl->isEnabled());
        EXPECT_TRUE(form.PageControl->Control.EditAllowed);
        form.ZoomOutAction->trigger();
        const int shown = form.PageControl->Control.Zoom;
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.PageControl, &release);
        EXPECT_EQ(form.ZoomCounter(), 100);
        EXPECT_EQ(form.PageControl->Control.Zoom, shown);
        form.SetEditEnabled(false);
        EXPECT_FALSE(form.PageControl->isEnabled());
    });
}

TEST(PreviewFormTest, StatusTextIsNotClipped) {
    TPreviewForm form;
    WhileShown(form, Pages(2), [&] {
        for (const QLabel* label : form.findChildren<QLabel*>())
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                << label->text().toStdString();
    });
}

TEST(WaitFormTest, ShowsThePageBeingBuiltUnclipped) {
    TREPmessform form;
    form.ShowNow();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "提示");
    EXPECT_EQ(form.size(), QSize(237, 91));
    form.ShowPage(12);
    EXPECT_EQ(form.PageLabel->text(), "12");
    for (const QLabel* label : form.findChildren<QLabel*>())
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
            << label->text().toStdString();
}

} // namespace
} // namespace kx
