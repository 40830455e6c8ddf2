#pragma once
// The program's list grid over one table of a data folder: every field a
// column under its own name, the record count under the first, amounts in
// digit cells with their sums, and ruled empty rows below the last record.
// The user's widths and order are kept under the form name "GridDemo", so
// that sizing, moving, closing and opening again can be tried by hand; a
// right click restores the defaults.

#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxquery.h"
#include "platform/db/database.h"
#include "platform/db/datasource.h"

#include <QWidget>

namespace kx {

class TListGridDemo : public QWidget {
public:
    // Opens table of the data folder in folder.
    TListGridDemo(const QString& folder, const QString& table);
    ~TListGridDemo() override;

    TKXNDBGrid& Grid() { return grid_; }

private:
    TFieldsDataArray RulesOf(const QString& table) const;

    db::TDatabase database_;
    TKXQuery query_;
    db::TDataSource source_;
    TKXNDBGrid grid_;
};

} // namespace kx
