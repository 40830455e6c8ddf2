#pragma once
// The data-aware grid over the in/out records of a data folder: default
// columns from the fields, amounts under one two-level title, and footers
// that add up the amounts and count the records.

#include "frame/data/kxquery.h"
#include "grid/dbgrid/customdbgridx.h"
#include "platform/db/database.h"
#include "platform/db/datasource.h"

#include <QWidget>

namespace kx {

class TMoneyGridDemo : public QWidget {
public:
    // Opens the records of the data folder in folder.
    explicit TMoneyGridDemo(const QString& folder);

    TCustomDBGridX& Grid() { return grid_; }

private:
    db::TDatabase database_;
    TKXQuery query_;
    db::TDataSource source_;
    TCustomDBGridX grid_;
};

} // namespace kx
