#pragma once
// The Tag every component carries: an integer the windows use to mark
// components for colouring, enabling and key handling.

class QObject;

namespace kx::ui {

int Tag(const QObject* component);
void SetTag(QObject* component, int tag);

} // namespace kx::ui
