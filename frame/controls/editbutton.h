#pragma once
// The button at the right end of a combo edit: a flat push button with two
// lines along its left edge that set it off from the text.

#include <QToolButton>

namespace kx {

class TEditButton : public QToolButton {
    Q_OBJECT
public:
    explicit TEditButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kx
