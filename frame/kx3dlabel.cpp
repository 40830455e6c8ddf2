#include "frame/kx3dlabel.h"

namespace kx {

TKX3DLabel::TKX3DLabel(QWidget* parent) : TCustomExtLabel(parent) {}

} // namespace kx
