#include "grid/editors/propertyinterceptors.h"

#include "grid/base/customgridx.h"

#include <QGuiApplication>
#include <QScreen>

namespace kx {

namespace {

QList<QPair<const QMetaObject*, const QMetaObject*>>& Registry() {
    static QList<QPair<const QMetaObject*, const QMetaObject*>> registry;
    return registry;
}

int ScreenPixelsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : 96;
}

} // namespace

void RegisterPropertyInterceptor(const QMetaObject* target, const QMetaObject* interceptor) {
    Registry().removeIf([target](const auto& entry) { return entry.first == target; });
    Registry().append(qMakePair(target, interceptor));
}

void UnregisterPropertyInterceptor(const QMetaObject* target, const QMetaObject* interceptor) {
    Registry().removeIf(
        [&](const auto& entry) { return entry.first == target && entry.second == interceptor; });
}

QList<QPair<const QMetaObject*, const QMetaObject*>> PropertyInterceptors() {
    return Registry();
}

TFormStoragePropertyInterceptor::TFormStoragePropertyInterceptor(QWidget* form)
    : TStoragePropertyInterceptor(form) {
    const QRect normal = FormNormalRect();
    left_ = normal.left();
    top_ = normal.top();
    width_ = normal.width();
    height_ = normal.height();
    pixelsPerInch_ = form->logicalDpiY();
    windowState_ = form->windowState();
}

QRect TFormStoragePropertyInterceptor::FormNormalRect() const {
    const QWidget* form = Form();
    if (!form)
        return {};
    const bool restored =
        !(form->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    if (!restored && form->normalGeometry().isValid())
        return form->normalGeometry();
    return form->geometry();
}

void TFormStoragePropertyInterceptor::SetLeft(int left) {
    left_ = left;
    positionRead_ = true;
}

void TFormStoragePropertyInterceptor::SetTop(int top) {
    top_ = top;
    positionRead_ = true;
}

void TFormStoragePropertyInterceptor::AfterPropertiesRead() {
    const int screen = ScreenPixelsPerInch();
    const int stored = pixelsPerInch_ > 0 ? pixelsPerInch_ : screen;
    height_ = MulDiv(height_, screen, stored);
    left_ = MulDiv(left_, screen, stored);
    top_ = MulDiv(top_, screen, stored);
    width_ = MulDiv(width_, screen, stored);
    QWidget* form = Form();
    if (!form)
        return;
    // The rectangle is the restored one: set it in the normal state, then
    // take the stored state.
    form->setWindowState(Qt::WindowNoState);
    form->setGeometry(left_, top_, width_, height_);
    form->setWindowState(windowState_);
}

void RegisterFormInterceptor() {
    RegisterPropertyInterceptor(&QWidget::staticMetaObject,
                                &TFormStoragePropertyInterceptor::staticMetaObject);
}

} // namespace kx
