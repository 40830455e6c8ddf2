#pragma once
// The data-aware grid with its filter row over an in-memory list of
// payments: a filter cell offers the column's values and "(Empty)",
// "(Not empty)", "(All)" and "(Clear filter)"; Enter filters the rows.

#include "grid/base/filterexpressionparser.h"
#include "grid/dbgrid/customdbgridx.h"
#include "platform/db/datasource.h"
#include "tools/griddemo/memtreedataset.h"

#include <QWidget>

namespace kx {

// Whether value passes the filter expression; a column without a filter
// passes everything.
bool FilterExpressionAccepts(const TSTFilterExpressionX& expression, const QVariant& value);

class TFilterRowDemo : public QWidget {
public:
    explicit TFilterRowDemo(QWidget* parent = nullptr);

    TCustomDBGridX& Grid() { return grid_; }
    TMemTreeDataSet& Data() { return data_; }

private:
    // The data set shows the rows that pass every column's filter.
    void FilterRows();

    TMemTreeDataSet data_;
    db::TDataSource source_;
    TCustomDBGridX grid_;
};

} // namespace kx
