#pragma once
// Password boxes that echo "*", whatever mark the widget style would draw.

class QLineEdit;

namespace kx::ui {

// Hides the edit's text behind one "*" per character.
void EchoAsStars(QLineEdit* edit);

} // namespace kx::ui
