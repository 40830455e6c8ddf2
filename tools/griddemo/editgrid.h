#pragma once
// The grid's editing mode over the in/out records of a data folder: one
// column per edit style (ellipsis, pick list, lookup, date, up-down,
// calculator, check box), a lookup grid on the record's fund account, a
// second grid to paste copied cells into, and export to each format.

#include "grid/dbgrid/customdbgridx.h"
#include "grid/editors/dbgridxexport.h"
#include "platform/db/database.h"
#include "platform/db/datasource.h"
#include "platform/db/query.h"

#include <QLabel>
#include <QWidget>

namespace kx {

class TDBLookupGridX;

class TEditGridDemo : public QWidget {
public:
    // Opens the records and fund accounts of the data folder in folder.
    explicit TEditGridDemo(const QString& folder);
    ~TEditGridDemo() override;

    TCustomDBGridX& Grid() { return grid_; }
    TCustomDBGridX& PasteGrid() { return pasteGrid_; }
    TDBLookupGridX& AccountGrid() { return *accountGrid_; }
    db::TQuery& Records() { return records_; }
    QLabel& Status() { return status_; }

    // The column showing the field, or none.
    TColumnX* ColumnOf(const QString& fieldName) const;
    void CopyFromGrid();
    void PasteIntoSecondGrid();
    // Writes the editing grid to path in format; the status line says where.
    void ExportTo(TGridExportFormat format, const QString& path);

private:
    void SetUpColumns();
    void AskAndExport(TGridExportFormat format);

    db::TDatabase database_;
    db::TQuery accounts_;
    db::TQuery records_;
    db::TQuery pasteRecords_;
    db::TDataSource accountSource_;
    db::TDataSource recordSource_;
    db::TDataSource pasteSource_;
    TCustomDBGridX grid_;
    TCustomDBGridX pasteGrid_;
    TDBLookupGridX* accountGrid_;
    QLabel status_;
};

} // namespace kx
