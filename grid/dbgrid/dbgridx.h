#pragma once
// The data-aware grid as forms place it: TCustomDBGridX with nothing added,
// the class the program's own grids derive from.

#include "grid/dbgrid/customdbgridx.h"

namespace kx {

class TDBGridX : public TCustomDBGridX {
public:
    explicit TDBGridX(QWidget* owner = nullptr);
};

} // namespace kx
