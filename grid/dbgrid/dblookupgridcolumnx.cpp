#include "grid/dbgrid/dblookupgridcolumnx.h"

namespace kx {

TDBLookupGridColumnX::TDBLookupGridColumnX(TDBGridColumnsX* collection)
    : TColumnX(collection), specCell_(this) {}

} // namespace kx

#include "moc_dblookupgridcolumnx.cpp"
