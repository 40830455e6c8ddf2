#include "frame/controls/kxmedit.h"

namespace kx {

TKXMEdit::TKXMEdit(QWidget* parent) : TKXInput(parent, false, TImeEntry::Always) {}

} // namespace kx

#include "moc_kxmedit.cpp"
