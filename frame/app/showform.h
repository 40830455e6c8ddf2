#pragma once
// The splash window: shown first at start, it keeps itself on screen for at
// least the interval of its one-shot timer.

#include <QWidget>

class QTimer;

namespace kx {

class TShowForm : public QWidget {
    Q_OBJECT
public:
    explicit TShowForm(QWidget* owner = nullptr);

    // One shot, started when the window shows; 3000 ms.
    QTimer* tmMainTimer;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void tmMainTimerTimer();
};

} // namespace kx
