#pragma once
// The column of a lookup grid: a grid column with its cell in the special
// row.

#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/gridcolumntoprowcellx.h"

namespace kx {

class TDBLookupGridColumnX : public TColumnX {
    Q_OBJECT
public:
    explicit TDBLookupGridColumnX(TDBGridColumnsX* collection);

    TGridColumnSpecCellX* SpecCell() { return &specCell_; }
    const TGridColumnSpecCellX* SpecCell() const { return &specCell_; }
    void SetSpecCell(const TGridColumnSpecCellX& cell) { specCell_.Assign(cell); }

private:
    TGridColumnSpecCellX specCell_;
};

} // namespace kx
