#pragma once
// The small window shown while the pages of a preview are being built.

#include <QDialog>

class QLabel;

namespace kx {

class TREPmessform : public QDialog {
public:
    explicit TREPmessform(QWidget* owner = nullptr);

    QLabel* CaptionLabel;
    // Between "第" and "页": the page being built.
    QLabel* PageLabel;

    // Shows the window at once, before the event loop gets a turn.
    void ShowNow();
    void ShowPage(int page);
};

} // namespace kx
