#pragma once
// Property storage interceptors: small objects that stand in for another
// object when a settings store saves or restores its properties. They
// publish the properties under their usual names, read them from the target
// in a form fit for storing, collect what is read back and apply it once
// reading is complete. A registry pairs each target class with the
// interceptor class to use for it.

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QRect>
#include <QWidget>

class QMetaObject;

namespace kx {

// A later registration for a target class replaces the earlier one.
void RegisterPropertyInterceptor(const QMetaObject* target, const QMetaObject* interceptor);
// Removes exactly this pair.
void UnregisterPropertyInterceptor(const QMetaObject* target, const QMetaObject* interceptor);
QList<QPair<const QMetaObject*, const QMetaObject*>> PropertyInterceptors();

class TStoragePropertyInterceptor : public QObject {
    Q_OBJECT
public:
    explicit TStoragePropertyInterceptor(QObject* target) : target_(target) {}
    QObject* Target() const { return target_; }
    // Everything stored was written into the interceptor.
    virtual void AfterPropertiesRead() {}

private:
    QPointer<QObject> target_;
};

// A window's restored position and size, kept at the screen resolution it
// was stored at and scaled to the present one when read back.
class TFormStoragePropertyInterceptor : public TStoragePropertyInterceptor {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(int PixelsPerInch READ PixelsPerInch WRITE SetPixelsPerInch STORED false)
    Q_PROPERTY(Qt::WindowStates WindowState READ WindowState WRITE SetWindowState STORED false)
public:
    explicit TFormStoragePropertyInterceptor(QWidget* form);

    // The live window's restored rectangle; 0 without a window.
    int Left() const { return FormNormalRect().left(); }
    int Top() const { return FormNormalRect().top(); }
    int Width() const { return FormNormalRect().width(); }
    int Height() const { return FormNormalRect().height(); }
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width) { width_ = width; }
    void SetHeight(int height) { height_ = height; }
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int pixelsPerInch) { pixelsPerInch_ = pixelsPerInch; }
    Qt::WindowStates WindowState() const { return windowState_; }
    void SetWindowState(Qt::WindowStates state) { windowState_ = state; }
    bool PositionRead() const { return positionRead_; }

    void AfterPropertiesRead() override;

private:
    QRect FormNormalRect() const;
    QWidget* Form() const { return qobject_cast<QWidget*>(Target()); }

    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    int pixelsPerInch_ = 96;
    Qt::WindowStates windowState_;
    bool positionRead_ = false;
};

// The windows' interceptor, registered when the grid library starts.
void RegisterFormInterceptor();

} // namespace kx
