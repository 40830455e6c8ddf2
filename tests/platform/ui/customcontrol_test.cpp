// The custom-drawn control base: key-down then character, the scroll bars'
// own model with the control choosing the position, timers by id, feedback
// bands, cancel mode, enter and exit notices, and exceptions of handlers.

#include "platform/sys/exception.h"
#include "platform/ui/application.h"
#include "platform/ui/customcontrol.h"

#include <QDialog>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace kx::ui {
namespace {

class Probe : public TCustomControl {
public:
    explicit Probe(QWidget* parent = nullptr) : TCustomControl(parent) {
        SetBorderStyle(TBorderStyle::bsNone);
    }

    QStringList log;
    int scrollTo = -1;
    unsigned dialogCode = DLGC_WANTARROWS;

    using TCustomControl::SetMouseCapture;

protected:
    void Paint() override {
        Canvas().SetBrushColor(clWhite);
        Canvas().FillRect(ClientRect());
    }
    void KeyDown(int& key, TShiftState shift) override {
        log << QStringLiteral("down %1 %2").arg(key).arg(shift);
        TCustomControl::KeyDown(key, shift);
    }
    void KeyPress(QChar& key) override { log << QStringLiteral("press %1").arg(key.unicode()); }
    void ScrollAction(int bar, int code, int pos) override {
        log << QStringLiteral("scroll %1 %2 %3").arg(bar).arg(code).arg(pos);
        if (scrollTo >= 0)
            SetScrollPos(bar, scrollTo);
    }
    void TimerFired(int id) override { log << QStringLiteral("timer %1").arg(id); }
    void WMCancelMode() override {
        log << QStringLiteral("cancel");
        TCustomControl::WMCancelMode();
    }
    void CMCancelMode(QWidget* sender) override {
        log << QStringLiteral("cancel from %1").arg(sender ? sender->objectName() : QString());
        TCustomControl::CMCancelMode(sender);
    }
    void DoEnter() override { log << QStringLiteral("enter ") + objectName(); }
    void DoExit() override { log << QStringLiteral("exit ") + objectName(); }
    unsigned DialogCode() override { return dialogCode; }
};

struct Form {
    QWidget window;
    Probe* first = new Probe(&window);
    Probe* second = new Probe(&window);
    QLineEdit* child = new QLineEdit(first);

    Form() {
        first->setObjectName(QStringLiteral("first"));
        second->setObjectName(QStringLiteral("second"));
        first->setGeometry(0, 0, 200, 100);
        second->setGeometry(0, 110, 200, 100);
        window.resize(200, 220);
        window.show();
        window.activateWindow();
    }
    bool Ready() { return QTest::qWaitForWindowActive(&window); }
};

TEST(CustomControl, KeyDownComesBeforeTheTypedCharacterWithControlCharacters) {
    Form form;
    ASSERT_TRUE(form.Ready());
    Probe& p = *form.first;
    p.setFocus();
    QTest::keyClick(&p, Qt::Key_A);
    QTest::keyClick(&p, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&p, Qt::Key_Backspace);
    QTest::keyClick(&p, Qt::Key_Left, Qt::ShiftModifier);
    p.log.removeIf([](const QString& entry) {
        return entry.startsWith(QStringLiteral("down %1").arg(Qt::Key_Control)) ||
               entry.startsWith(QStringLiteral("down %1").arg(Qt::Key_Shift));
    });
    EXPECT_EQ(p.log,
              (QStringList{QStringLiteral("down %1 0").arg(Qt::Key_A), "press 97",
                           QStringLiteral("down %1 %2").arg(Qt::Key_V).arg(ssCtrl), "press 22",
                           QStringLiteral("down %1 0").arg(Qt::Key_Backspace), "press 8",
                           QStringLiteral("down %1 %2").arg(Qt::Key_Left).arg(ssShift)}));
}

TEST(CustomControl, EnterAndTabReachTheControlOnlyWhenItWantsThem) {
    Form form;
    ASSERT_TRUE(form.Ready());
    Probe& p = *form.first;
    p.setFocus();
    QTest::keyClick(&p, Qt::Key_Return);
    EXPECT_TRUE(p.log.isEmpty());
    p.dialogCode = DLGC_WANTALLKEYS | DLGC_WANTTAB;
    QTest::keyClick(&p, Qt::Key_Return);
    QTest::keyClick(&p, Qt::Key_Tab);
    EXPECT_EQ(p.log, (QStringList{QStringLiteral("down %1 0").arg(Qt::Key_Return), "press 13",
                                  QStringLiteral("down %1 0").arg(Qt::Key_Tab), "press 9"}));
    EXPECT_TRUE(p.hasFocus());
}

TEST(CustomControl, ScrollBarsFollowTheControlsModel) {
    Form form;
    ASSERT_TRUE(form.Ready());
    Probe& p = *form.first;
    const int fullWidth = p.ClientWidth();
    EXPECT_FALSE(p.ScrollBarShown(SB_VERT));
    p.SetScrollRange(SB_VERT, 0, 127);
    EXPECT_TRUE(p.ScrollBarShown(SB_VERT));
    EXPECT_EQ(p.ClientWidth(), fullWidth - p.ScrollBarThickness()) << "at once, not later";
    EXPECT_EQ(p.ClientSizeWithoutBars().width(), fullWidth);
    p.SetScrollPos(SB_VERT, 10);
    QScrollBar* bar = p.verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bar->value(), 10) << "the control did not move its position";
    p.scrollTo = 40;
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(bar->value(), 40);
    EXPECT_EQ(p.ScrollPos(SB_VERT), 40);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(p.log, (QStringList{"scroll 1 1 11", "scroll 1 2 0", "scroll 1 7 127"}));
    p.SetScrollRange(SB_VERT, 0, 0);
    EXPECT_FALSE(p.ScrollBarShown(SB_VERT));
    EXPECT_EQ(p.ClientWidth(), fullWidth);
}

TEST(CustomControl, TimersFireByIdUntilKilled) {
    Probe p;
    p.SetTimer(7, 5);
    EXPECT_TRUE(p.TimerActive(7));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !p.log.isEmpty(); }, 1000));
    EXPECT_EQ(p.log.value(0), QStringLiteral("timer 7"));
    p.KillTimer(7);
    EXPECT_FALSE(p.TimerActive(7));
    p.log.clear();
    QTest::qWait(30);
    EXPECT_TRUE(p.log.isEmpty());
}

TEST(CustomControl, FeedbackBandsAreDrawnOverThePaintAndRemovedByASecondToggle) {
    Form form;
    ASSERT_TRUE(form.Ready());
    Probe& p = *form.second;
    p.ToggleFeedbackBand({10, 0, 15, 50}, false);
    const QImage on = p.viewport()->grab().toImage();
    EXPECT_EQ(QColor(on.pixel(12, 20)), QColor(Qt::black));
    EXPECT_EQ(QColor(on.pixel(20, 20)), QColor(Qt::white));
    p.ToggleFeedbackBand({10, 0, 15, 50}, false);
    EXPECT_FALSE(p.HasFeedbackBands());
    EXPECT_EQ(QColor(p.viewport()->grab().toImage().pixel(12, 20)), QColor(Qt::white));
}

TEST(CustomControl, CancelModeWhenAModalWindowOpensOrAnotherControlTakesTheMouse) {
    Form form;
    ASSERT_TRUE(form.Ready());
    form.first->SetMouseCapture(true);
    form.second->SetMouseCapture(true);
    EXPECT_EQ(form.first->log, QStringList{"cancel from second"});
    EXPECT_FALSE(form.first->MouseCapture());
    QDialog dialog(&form.window);
    dialog.open();
    QApplication::processEvents();
    EXPECT_EQ(form.second->log, QStringList{"cancel"});
    EXPECT_FALSE(form.second->MouseCapture());
    dialog.close();
}

TEST(CustomControl, EnterAndExitFollowTheFocusButNotIntoTheControlsOwnChild) {
    Form form;
    ASSERT_TRUE(form.Ready());
    form.first->setFocus();
    form.first->log.clear();
    form.child->setFocus();
    EXPECT_TRUE(form.first->log.isEmpty());
    form.second->setFocus();
    EXPECT_EQ(form.first->log, QStringList{"exit first"});
    EXPECT_EQ(form.second->log, QStringList{"enter second"});
}

TEST(CustomControl, AnExceptionOfAHandlerGoesToTheProgramsHandler) {
    Form form;
    ASSERT_TRUE(form.Ready());
    QString reported;
    SetExceptionHandler([&](const std::exception_ptr& error) {
        try {
            std::rethrow_exception(error);
        } catch (const Exception& e) {
            reported = e.Message();
        }
    });
    form.first->OnKeyDown = [](QObject*, int&, TShiftState) {
        throw Exception(QStringLiteral("key refused"));
    };
    form.first->setFocus();
    QTest::keyClick(form.first, Qt::Key_Down);
    SetExceptionHandler(nullptr);
    EXPECT_EQ(reported, QStringLiteral("key refused"));
}

} // namespace
} // namespace kx::ui
