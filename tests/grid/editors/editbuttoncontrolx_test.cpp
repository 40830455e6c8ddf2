#include "grid/editors/editbuttoncontrolx.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace kx {
namespace {

using ui::TMouseButton;

// A repeat timer on a clock the test moves by hand.
class TFakeClockTimer : public TButtonRepeatTimerX {
public:
    explicit TFakeClockTimer(const qint64& now) : now_(now) {}
    void Start(int intervalMs) override {
        interval_ = intervalMs;
        running_ = true;
        due_ = now_ + intervalMs;
    }
    void Stop() override { running_ = false; }
    bool Running() const override { return running_; }
    int Interval() const override { return interval_; }
    // Called as the clock passes each millisecond.
    void Tick() {
        if (running_ && now_ >= due_) {
            due_ = now_ + interval_;
            OnTimer();
        }
    }

private:
    const qint64& now_;
    qint64 due_ = 0;
    int interval_ = 0;
    bool running_ = false;
};

class EditButtonControlTest : public ::testing::Test {
protected:
    EditButtonControlTest() {
        button_.resize(17, 20);
        auto timer = std::make_unique<TFakeClockTimer>(now_);
        timer_ = timer.get();
        button_.SetRepeatTimer(std::move(timer));
        button_.OnButtonDown = [this](QObject* sender, bool top, bool&, bool&) {
            EXPECT_EQ(sender, &button_);
            downs_.push_back({now_, top});
        };
        button_.OnClick = [this](QObject*) { ++clicks_; };
    }

    void AdvanceTo(qint64 time) {
        while (now_ < time) {
            ++now_;
            timer_->Tick();
        }
    }

    struct Down {
        qint64 time;
        bool top;
        bool operator==(const Down&) const = default;
    };

    qint64 now_ = 0;
    TEditButtonControlX button_;
    TFakeClockTimer* timer_ = nullptr;
    std::vector<Down> downs_;
    int clicks_ = 0;
};

TEST_F(EditButtonControlTest, HeldUpperHalfStepsAtOnceThenAfter400ThenEvery100) {
    button_.SetStyle(ebsUpDownX);
    button_.MouseDown(TMouseButton::mbLeft, ui::ssLeft, 8, 3);
    AdvanceTo(1000);
    std::vector<Down> expected;
    for (qint64 t : {0, 400, 500, 600, 700, 800, 900, 1000})
        expected.push_back({t, true});
    EXPECT_EQ(downs_, expected);

    // Dragging into the lower half lets the upper half go: no more steps,
    // and releasing there clicks nothing.
    button_.MouseMove(ui::ssLeft, 8, 15);
    EXPECT_EQ(button_.State(), TButtonState::bsUp);
    AdvanceTo(1500);
    EXPECT_EQ(downs_.size(), expected.size());
    button_.MouseUp(TMouseButton::mbLeft, 0, 8, 15);
    EXPECT_EQ(clicks_, 0);
    EXPECT_FALSE(timer_->Running());
    EXPECT_EQ(button_.PressedPart(), bppNone);
}

TEST_F(EditButtonControlTest, TheHalfPressedFollowsTheRowAndTheMiddleRowPressesNothing) {
    button_.SetStyle(ebsUpDownX);
    struct Case {
        int height;
        int y;
        int part;
    };
    // Height 20: rows 0-9 upper, 10 none, 11-19 lower; height 21: rows 10
    // and 11 press nothing.
    for (const Case c :
         {Case{20, 9, bppButton}, Case{20, 10, bppNone}, Case{20, 11, bppLowerHalf},
          Case{21, 10, bppNone}, Case{21, 11, bppNone}, Case{21, 12, bppLowerHalf}}) {
        downs_.clear();
        button_.resize(17, c.height);
        button_.MouseDown(TMouseButton::mbLeft, ui::ssLeft, 8, c.y);
        EXPECT_EQ(button_.PressedPart(), c.part) << c.height << " " << c.y;
        if (c.part == bppNone)
            EXPECT_TRUE(downs_.empty());
        else
            EXPECT_EQ(downs_, (std::vector<Down>{{now_, c.part == bppButton}}));
        button_.MouseUp(TMouseButton::mbLeft, 0, 8, c.y);
    }
}

TEST_F(EditButtonControlTest, ReleasingInsideTheHeldHalfClicks) {
    button_.SetStyle(ebsUpDownX);
    button_.MouseDown(TMouseButton::mbLeft, ui::ssLeft, 8, 15);
    button_.MouseMove(ui::ssLeft, 9, 16);
    button_.MouseUp(TMouseButton::mbLeft, 0, 9, 16);
    EXPECT_EQ(downs_, (std::vector<Down>{{0, false}}));
    EXPECT_EQ(clicks_, 1);
    // Released beside the button: no click.
    button_.MouseDown(TMouseButton::mbLeft, ui::ssLeft, 8, 15);
    button_.MouseMove(ui::ssLeft, 40, 15);
    button_.MouseUp(TMouseButton::mbLeft, 0, 40, 15);
    EXPECT_EQ(clicks_, 1);
}

TEST_F(EditButtonControlTest, AnEllipsisFiresOnceAndRepeatsOnlyWhenTheOwnerAsks) {
    button_.SetStyle(ebsEllipsisX);
    std::vector<bool> repeatOffered;
    bool askRepeat = false;
    button_.OnButtonDown = [&](QObject*, bool top, bool& autoRepeat, bool&) {
        repeatOffered.push_back(autoRepeat);
        EXPECT_TRUE(top);
        autoRepeat = askRepeat;
    };
    button_.MouseDown(TMouseButton::mbLeft, ui::ssLeft, 8, 15);
    AdvanceTo(1000);
    EXPECT_EQ(repeatOffered, std::vector<bool>{false});
    EXPECT_FALSE(timer_->Running());
    button_.MouseUp(TMouseButton::mbLeft, 0, 8, 15);
    EXPECT_EQ(clicks_, 1);

    askRepeat = true;
    button_.MouseDown(TMouseButton::mbLeft, ui::ssLeft, 8, 15);
    EXPECT_TRUE(timer_->Running());
    EXPECT_EQ(timer_->Interval(), 400);
    // A tick of a button that is not an up-down pair offers no repeat, and
    // the owner does not ask again: the timer stops.
    askRepeat = false;
    AdvanceTo(1400);
    EXPECT_EQ(repeatOffered, (std::vector<bool>{false, false, false}));
    EXPECT_FALSE(timer_->Running());
    button_.MouseUp(TMouseButton::mbLeft, 0, 8, 15);
}

TEST_F(EditButtonControlTest, RightButtonPressesNothing) {
    button_.MouseDown(TMouseButton::mbRight, ui::ssRight, 8, 5);
    EXPECT_TRUE(downs_.empty());
    EXPECT_EQ(button_.PressedPart(), bppNone);
}

TEST_F(EditButtonControlTest, PressedLookLatchesTheButtonUntilTheOwnerLetsItGo) {
    button_.SetPressedLook(true);
    EXPECT_EQ(button_.State(), TButtonState::bsExclusive);
    EXPECT_EQ(button_.PressedPart(), bppButton);
    // A click on a latched button that may not come up leaves it down.
    QTest::mouseClick(&button_, Qt::LeftButton, {}, QPoint(8, 5));
    EXPECT_EQ(clicks_, 1);
    EXPECT_TRUE(button_.Down());
    button_.SetPressedLook(false);
    EXPECT_EQ(button_.State(), TButtonState::bsUp);
    EXPECT_EQ(button_.GroupIndex(), 0);
    EXPECT_EQ(button_.PressedPart(), bppNone);
}

TEST_F(EditButtonControlTest, QtMouseEventsReachTheHandlers) {
    button_.SetStyle(ebsDropDownX);
    QTest::mousePress(&button_, Qt::LeftButton, {}, QPoint(8, 5));
    EXPECT_EQ(button_.State(), TButtonState::bsDown);
    QTest::mouseRelease(&button_, Qt::LeftButton, {}, QPoint(8, 5));
    EXPECT_EQ(downs_.size(), 1u);
    EXPECT_EQ(clicks_, 1);
    EXPECT_EQ(button_.State(), TButtonState::bsUp);
}

TEST_F(EditButtonControlTest, PressedLowerHalfPaintsDifferentlyFromTheUpper) {
    button_.SetStyle(ebsUpDownX);
    button_.MouseDown(TMouseButton::mbLeft, ui::ssLeft, 8, 3);
    const QImage upper = button_.grab().toImage();
    button_.MouseUp(TMouseButton::mbLeft, 0, 8, 3);
    button_.MouseDown(TMouseButton::mbLeft, ui::ssLeft, 8, 15);
    const QImage lower = button_.grab().toImage();
    button_.MouseUp(TMouseButton::mbLeft, 0, 8, 15);
    const QImage released = button_.grab().toImage();
    EXPECT_NE(upper, lower);
    EXPECT_NE(upper, released);
    EXPECT_NE(lower, released);
}

} // namespace
} // namespace kx
