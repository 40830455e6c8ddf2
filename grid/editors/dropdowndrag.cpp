#include "grid/editors/dropdowndrag.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace kx {

namespace {

// Gives the mouse back when the handed-over drag ends, whether or not the
// release closed the list.
class TDragEndWatcher : public QObject {
public:
    explicit TDragEndWatcher(QWidget* target) : QObject(target), target_(target) {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::Hide) {
            if (QWidget::mouseGrabber() == target_)
                target_->releaseMouse();
            deleteLater();
        }
        return false;
    }

private:
    QWidget* target_;
};

} // namespace

bool HandDragToDropDown(QWidget* dropDown, const QRect& area, QPoint globalPos) {
    if (!dropDown || !dropDown->isVisible())
        return false;
    const QPoint local = dropDown->mapFromGlobal(globalPos);
    if (!area.contains(local))
        return false;
    QWidget* target = dropDown->childAt(local);
    if (!target)
        target = dropDown;
    const QPoint targetPos = target->mapFromGlobal(globalPos);
    target->grabMouse();
    new TDragEndWatcher(target);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(targetPos), QPointF(globalPos),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    return true;
}

} // namespace kx
