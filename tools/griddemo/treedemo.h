#pragma once
// The data-aware grid over an in-memory tree of accounts: expand and
// collapse nodes with the mouse or the keypad, scroll the rows without
// moving the current record, drag a record by its indicator to another
// place and level; cut texts show whole in tool tips.

#include "grid/dbgrid/customdbgridx.h"
#include "platform/db/datasource.h"
#include "tools/griddemo/memtreedataset.h"

#include <QWidget>

namespace kx {

class TTreeGridDemo : public QWidget {
public:
    explicit TTreeGridDemo(QWidget* parent = nullptr);

    TCustomDBGridX& Grid() { return grid_; }
    TMemTreeDataSet& Data() { return data_; }

private:
    TMemTreeDataSet data_;
    db::TDataSource source_;
    TCustomDBGridX grid_;
};

// Fills a data set with the demo's accounts: ten branches of three levels,
// every other branch collapsed.
void FillDemoAccounts(TMemTreeDataSet& data);

} // namespace kx
