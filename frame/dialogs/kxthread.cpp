#include "frame/dialogs/kxthread.h"

#include "platform/ui/screencursor.h"

#include <QCoreApplication>
#include <QProgressBar>

#include <utility>

namespace kx {
namespace {

void ResetBar(QProgressBar* bar, int maximum) {
    bar->setRange(0, maximum);
    bar->setValue(0);
}

} // namespace

TKXThread::TKXThread(QObject* owner) : QObject(owner) {}

TKXThread::~TKXThread() {
    ReleaseProgressHook();
}

bool TKXThread::BarShown(int number) {
    if (!window_)
        return false;
    stopRequested_ = window_->StopPressed();
    return !window_->ProgressBar(number)->isHidden();
}

bool TKXThread::ProgressBar1() {
    return BarShown(1);
}

bool TKXThread::ProgressBar2() {
    return BarShown(2);
}

bool TKXThread::ProgressBar3() {
    return BarShown(3);
}

void TKXThread::SetBar(int number, bool shown, bool& flag) {
    flag = shown;
    if (window_)
        window_->ProgressBar(number)->setVisible(shown);
}

void TKXThread::SetProgressBar1(bool shown) {
    SetBar(1, shown, progressBar1_);
}

void TKXThread::SetProgressBar2(bool shown) {
    SetBar(2, shown, progressBar2_);
}

void TKXThread::SetProgressBar3(bool shown) {
    SetBar(3, shown, progressBar3_);
}

void TKXThread::SetProgressMax1(int value) {
    if (window_)
        ResetBar(window_->ProgressBar(1), value);
    else
        progressMax1_ = value;
}

void TKXThread::SetProgressMax2(int value) {
    if (window_)
        ResetBar(window_->ProgressBar(2), value);
    else
        progressMax2_ = value;
}

void TKXThread::SetProgress1(int value) {
    if (window_)
        window_->ProgressBar(1)->setValue(value);
}

void TKXThread::SetProgress2(int value) {
    if (!window_)
        return;
    window_->ProgressBar(2)->setValue(value);
    stopRequested_ = window_->StopPressed();
}

void TKXThread::Start() {
    if (Active)
        return;
    window_ = std::make_unique<TThreadForm>();
    window_->ProgressBar(1)->setVisible(progressBar1_);
    window_->ProgressBar(2)->setVisible(progressBar2_);
    window_->ProgressBar(3)->setVisible(progressBar3_);
    ResetBar(window_->ProgressBar(1), progressMax1_);
    ResetBar(window_->ProgressBar(2), progressMax2_);
    ResetBar(window_->ProgressBar(3), 0);
    window_->setWindowTitle(caption_);
    window_->CutToBars();
    QCoreApplication::processEvents();
    window_->SetKind(kind_);
    window_->repaint();
    QCoreApplication::processEvents();
    // A window that cannot be shown leaves the work to go on without it, as
    // the busy window is only a courtesy.
    try {
        ShowWindow();
    } catch (...) {
        Active = false;
        ui::SetScreenCursor(Qt::ArrowCursor);
        return;
    }
    Active = true;
    ui::SetScreenCursor(Qt::WaitCursor);
}

void TKXThread::ShowWindow() {
    QCoreApplication::processEvents();
    window_->show();
    window_->raise();
    // On the screen before the work holds the thread, so that the
    // statements' hook finds a window it can paint.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    replacedHook_ = db::SetProgressHook([window = window_.get()] { window->KeepMoving(); });
}

void TKXThread::ReleaseProgressHook() {
    if (replacedHook_)
        db::SetProgressHook(*std::exchange(replacedHook_, std::nullopt));
}

void TKXThread::Stop() {
    ReleaseProgressHook();
    window_.reset();
    Active = false;
    ui::SetScreenCursor(Qt::ArrowCursor);
}

} // namespace kx

#include "moc_kxthread.cpp"
