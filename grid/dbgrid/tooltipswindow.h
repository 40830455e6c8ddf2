#pragma once
// The window of a grid cell's tool tip: borderless, in the cell's font,
// always in the window-text colour, wrapped to a given width.

#include <QFont>
#include <QLabel>

namespace kx {

class TToolTipsWindow : public QLabel {
public:
    explicit TToolTipsWindow(QWidget* owner);

    // The size the tip takes for hint in font, wrapped when maxWidth > 0.
    QRect CalcHintRect(int maxWidth, const QString& hint, const QFont& font);
    // Shows hint with its top-left at the screen point.
    void ShowAt(QPoint screenPoint, int maxWidth, const QString& hint, const QFont& font);
};

} // namespace kx
