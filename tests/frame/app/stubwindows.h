#pragma once
// Working windows as the main window sees them, standing in for the real
// windows of later subsystems: each class is named "T" + its form name, shows
// itself where asked, reports show and close to the main window and frees
// itself when closed.

#include "frame/app/windowregistry.h"

#include <QWidget>

namespace kx::test {

class StubWindow : public QWidget, public TWorkingWindow {
public:
    explicit StubWindow(QWidget* owner);

    QWidget* Form() override { return this; }
    void SetNotTopShow(bool notTopShow) override { NotTopShow = notTopShow; }
    qint64 ShowInPlace(int mode) override;

    bool NotTopShow = false;
    int ShowInPlaceCalls = 0;
    // Placing fails: the close is reported and 0 returned.
    static inline bool FailPlacement = false;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    qint64 id_;
};

class TMoneyIntoOutForm : public StubWindow {
    Q_OBJECT
public:
    using StubWindow::StubWindow;
};

class TIntoOutMoneyAccountForm : public StubWindow {
    Q_OBJECT
public:
    using StubWindow::StubWindow;
};

class TMoneyAccountForm : public StubWindow {
    Q_OBJECT
public:
    using StubWindow::StubWindow;
};

class TDeleteDataForm : public StubWindow {
    Q_OBJECT
public:
    using StubWindow::StubWindow;
};

class TUserForm : public StubWindow {
    Q_OBJECT
public:
    using StubWindow::StubWindow;
};

class TPasswordChangeForm : public StubWindow {
    Q_OBJECT
public:
    using StubWindow::StubWindow;
};

// Registers the stubs' factories for as long as it lives.
class StubFactories {
public:
    StubFactories();
    ~StubFactories();
    StubFactories(const StubFactories&) = delete;
    StubFactories& operator=(const StubFactories&) = delete;
};

} // namespace kx::test
