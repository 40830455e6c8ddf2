#include "frame/controls/kx3dlabel.h"

namespace kx {

TKX3DLabel::TKX3DLabel(QWidget* parent) : TCustomExtLabel(parent) {}

} // namespace kx

#include "moc_kx3dlabel.cpp"
