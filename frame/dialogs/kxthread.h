#pragma once
// The busy-window component: a form drops it on itself (or a caller makes
// one) to show the busy window while long work runs on the GUI thread between
// Start and Stop. There is no worker thread; the window repaints when events
// are handled, and its picture also moves while a database statement runs.

#include "frame/dialogs/threadform.h"
#include "platform/db/progresshook.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

namespace kx {

class TKXThread : public QObject {
    Q_OBJECT
public:
    explicit TKXThread(QObject* owner = nullptr);
    ~TKXThread() override;

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption) { caption_ = caption; }

    // While the window is open: whether its bar is shown (the window's stop
    // flag is taken over as well); otherwise false.
    bool ProgressBar1();
    bool ProgressBar2();
    bool ProgressBar3();
    // Kept for the next Start; an open window shows or hides its bar at once.
    void SetProgressBar1(bool shown);
    void SetProgressBar2(bool shown);
    void SetProgressBar3(bool shown);

    TOptionKind Kind() const { return kind_; }
    void SetKind(TOptionKind kind) { kind_ = kind; }

    // An open window's bar is reset to the new maximum and position 0 (the
    // value is not kept); otherwise the value waits for the next Start.
    void SetProgressMax1(int value);
    void SetProgressMax2(int value);
    // Positions reach an open window only.
    void SetProgress1(int value);
    void SetProgress2(int value);

    void Start();
    void Stop();

    // The window's "停止" button was pressed (as last taken over from it).
    bool StopRequested() const { return stopRequested_; }

    // The busy window, while one is open.
    TThreadForm* Window() const { return window_.get(); }

    // The window has been shown by Start and not yet closed by Stop.
    bool Active = false;

private:
    bool BarShown(int number);
    void SetBar(int number, bool shown, bool& flag);
    void ShowWindow();
    void ReleaseProgressHook();

    QString caption_;
    bool progressBar1_ = false;
    bool progressBar2_ = false;
    bool progressBar3_ = false;
    TOptionKind kind_ = TOptionKind::crCopy;
    int progressMax1_ = 0;
    int progressMax2_ = 0;
    bool stopRequested_ = false;
    std::unique_ptr<TThreadForm> window_;
    // The statements' hook that this window replaced while it is open.
    std::optional<db::ProgressHook> replacedHook_;
};

} // namespace kx
