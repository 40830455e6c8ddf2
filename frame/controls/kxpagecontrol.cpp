#include "frame/controls/kxpagecontrol.h"

#include "core/messages.h"
#include "platform/ui/application.h"

#include <QKeyEvent>
#include <QTabBar>
#include <QWheelEvent>

namespace kx {

// A tab bar that asks its page control before the user moves to another
// page, by mouse, key or wheel.
class TKXPageControl::TTabBar : public QTabBar {
public:
    TTabBar(TKXPageControl* control) : QTabBar(control), control_(control) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        const int index = tabAt(event->position().toPoint());
        if (index >= 0 && index != currentIndex() && !control_->PageChangeAllowed())
            return;
        QTabBar::mousePressEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        const bool moves = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
                           key == Qt::Key_Down || key == Qt::Key_Home || key == Qt::Key_End;
        if (moves && !control_->PageChangeAllowed())
            return;
        QTabBar::keyPressEvent(event);
    }
    void wheelEvent(QWheelEvent* event) override {
        if (control_->PageChangeAllowed())
            QTabBar::wheelEvent(event);
    }

private:
    TKXPageControl* control_;
};

TKXPageControl::TKXPageControl(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new TTabBar(this));
}

void TKXPageControl::HookChanging() {
    if (hooked_)
        return;
    hooked_ = true;
    windowChanging_ = OnChanging;
    OnChanging = [this](QObject*, bool& allowChange) { CheckChanging(allowChange); };
    tabBar()->setCursor(Qt::PointingHandCursor);
}

void TKXPageControl::CheckChanging(bool& allowChange) {
    for (const QPointer<db::TDataSource>& source : dataSources_) {
        if (source && (source->State() == db::dsEdit || source->State() == db::dsInsert)) {
            ShowPromptMessage(QStringLiteral("必须先保存或取消新增的数据或修改后的数据"));
            allowChange = false;
            return;
        }
    }
    if (qyMaster_ && qyMaster_->IsEmpty()) {
        if (currentIndex() != 0)
            return;
        ShowPromptMessage(QStringLiteral("没有主档数据记录，不能改变页面"));
        allowChange = false;
        return;
    }
    if (windowChanging_)
        windowChanging_(this, allowChange);
}

bool TKXPageControl::PageChangeAllowed() {
    bool allow = true;
    try {
        if (OnChanging)
            OnChanging(this, allow);
    } catch (...) {
        ui::HandleCurrentException();
        return false;
    }
    return allow;
}

void TKXPageControl::keyPressEvent(QKeyEvent* event) {
    const bool switches = (event->modifiers() & Qt::ControlModifier) &&
                          (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab ||
                           event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown);
    if (switches && !PageChangeAllowed())
        return;
    QTabWidget::keyPressEvent(event);
}

} // namespace kx

#include "moc_kxpagecontrol.cpp"
