// Sort marking reaches the data set through the data service, as does the
// grid's text search.

#include "grid/dbgrid/customdbgridx.h"

namespace kx {

namespace {

constexpr int CtrlKey = Qt::Key_Control;

} // namespace

void TCustomDBGridX::SortMarkingChanged() {
    if (!(optionsX_ & dghAutoSortMarking))
        return;
    if (OnSortMarkingChanged)
        OnSortMarkingChanged(this);
    else
        DefaultApplySorting();
}

void TCustomDBGridX::DefaultApplySorting() {
    if (TDBGridXDataService* service = GridDataService())
        service->ApplySorting(this);
}

bool TCustomDBGridX::LocateText(const QString& fieldName, const QString& text, int options,
                                TLocateTextDirection direction, TLocateTextMatching matching,
                                int range) {
    TDBGridXDataService* service = GridDataService();
    return service &&
           service->LocateText(this, fieldName, text, options, direction, matching, range);
}

// Several columns were marked with Ctrl held: the sorting applies once Ctrl
// is let go.
void TCustomDBGridX::KeyUp(int& key, ui::TShiftState shift) {
    if (multiSortPending_ && key == CtrlKey) {
        multiSortPending_ = false;
        SortMarkingChanged();
    }
    TCustomGridX::KeyUp(key, shift);
}

} // namespace kx
