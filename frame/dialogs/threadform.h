#pragma once
// The busy window: a caption, a moving picture of the work being done and up
// to three progress bars. Its "停止" button sits just below the visible part,
// reachable from the keyboard only.

#include <QWidget>

class QProgressBar;
class QPushButton;

namespace kx {

enum class TOptionKind { crCopy, crDelete, crFind };

class TThreadForm : public QWidget {
    Q_OBJECT
public:
    TThreadForm();

    QProgressBar* ProgressBar(int number) const;
    void SetKind(TOptionKind kind);
    TOptionKind Kind() const { return kind_; }
    // Brings the picture up to date while the GUI thread is busy elsewhere:
    // it paints the window directly and handles no events, so it may run in
    // the middle of a database statement.
    void KeepMoving();
    // Hides the button below the visible part of the window.
    void CutToBars();
    bool StopPressed() const { return stopPressed_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void button_closeClick();

    QWidget* animate1_;
    QProgressBar* progressBar1_;
    QProgressBar* progressBar2_;
    QProgressBar* progressBar3_;
    QPushButton* button_close_;
    TOptionKind kind_ = TOptionKind::crCopy;
    bool stopPressed_ = false;
};

} // namespace kx
