#pragma once
// The about box, created at start and shown from the help menu.

#include <QDialog>

namespace kx {

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* owner = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kx
