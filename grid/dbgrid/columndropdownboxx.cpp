#include "grid/dbgrid/columndropdownboxx.h"

namespace kx {

void TColumnDropDownBoxX::Assign(const TColumnDropDownBoxX& source) {
    AutoFitColWidths = source.AutoFitColWidths;
    UseMultiTitle = source.UseMultiTitle;
    SetListSource(source.ListSource());
}

} // namespace kx
