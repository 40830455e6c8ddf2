#include "grid/dbgrid/dbgridx.h"

namespace kx {

TDBGridX::TDBGridX(QWidget* owner) : TCustomDBGridX(owner) {}

} // namespace kx
