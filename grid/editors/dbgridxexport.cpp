#include "grid/editors/dbgridxexport.h"

#include "grid/base/drawingshims.h"
#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridselection.h"
#include "grid/dbgrid/footertext.h"
#include "grid/editors/dbgridxexportasrtf.h"
#include "grid/editors/dbgridxexportasvcldbif.h"
#include "platform/db/dataset.h"
#include "platform/db/datasource.h"
#include "platform/sys/cp936.h"
#include "platform/sys/decimal.h"
#include "platform/sys/exception.h"

#include <QFile>
#include <QScopeGuard>

#include <cmath>

namespace kx {

namespace {

db::TDataSet* GridDataSet(const TCustomDBGridX* grid) {
    db::TDataSource* source = grid->GetDataSource();
    return source ? source->DataSet() : nullptr;
}

// The footer's own field, else the column's; none when the data set lacks it.
db::TField* FooterField(const TCustomDBGridX* grid, TColumnX* column, int footerRow) {
    const db::TDataSet* dataSet = GridDataSet(grid);
    if (!dataSet)
        return nullptr;
    const QString& name = column->FooterForRow(footerRow)->FieldName();
    return dataSet->FindField(name.isEmpty() ? column->FieldName() : name);
}

bool IsNumberType(db::TFieldType type) {
    switch (type) {
    case db::ftSmallint:
    case db::ftInteger:
    case db::ftWord:
    case db::ftAutoInc:
    case db::ftFloat:
    case db::ftCurrency:
    case db::ftBCD:
    case db::ftFMTBcd:
        return true;
    default:
        return false;
    }
}

// A value as fixed-point currency: four decimals, halves to even.
qint64 ToCurrencyUnits(double value) {
    const sys::Decimal rounded =
        sys::Decimal::FromDouble(value).Rounded(4, sys::Decimal::Rounding::HalfEven);
    return std::llround(rounded.ToDouble() * 10000.0);
}

} // namespace

// ---- The selection walk -------------------------------------------------

TDBGridSelectionType TDBGridXExport::ExportKind(bool wholeGrid) const {
    return wholeGrid ? gstAll : Grid->Selection().SelectionType();
}

void TDBGridXExport::WriteToStream(QIODevice& stream, bool wholeGrid) {
    const TDBGridSelectionType kind = ExportKind(wholeGrid);
    db::TDataSet* dataSet = GridDataSet(Grid);
    if (kind == gstNon || !dataSet)
        return;
    stream_ = &stream;
    dataSet->DisableControls();
    Grid->SaveRowPosition();
    const auto restore = qScopeGuard([this, dataSet] {
        Grid->RestoreRowPosition();
        dataSet->EnableControls();
    });
    const TColumnsXList columns = ColumnsOf(kind);
    columns_ = &columns;
    footerValues_.assign(static_cast<std::size_t>(Grid->FooterRowCount() * columns.Count()), 0);
    EmitHeader();
    if (Grid->Options() & dgTitles)
        EmitTitle(columns);
    WriteRecords(kind, columns);
    for (int row = 0; row < Grid->FooterRowCount(); ++row)
        EmitFooter(columns, row);
    EmitTrailer();
}

void TDBGridXExport::WriteToFile(const QString& fileName, bool wholeGrid) {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Exception(
            QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    WriteToStream(file, wholeGrid);
}

TColumnsXList TDBGridXExport::ColumnsOf(TDBGridSelectionType kind) const {
    TColumnsXList columns;
    switch (kind) {
    case gstRectangle: {
        TDBGridXSelectionRect& rect = Grid->Selection().Rect();
        for (int i = rect.GetLeftCol(); i <= rect.GetRightCol(); ++i) {
            TColumnX* column = Grid->Columns()->GetColumn(i);
            if (column->Visible())
                columns.Add(column);
        }
        break;
    }
    case gstColumns:
        for (TColumnX* column : Grid->Selection().Columns())
            columns.Add(column);
        break;
    default:
        for (TColumnX* column : *Grid->VisibleColumns())
            columns.Add(column);
        break;
    }
    return columns;
}

void TDBGridXExport::WriteRecords(TDBGridSelectionType kind, const TColumnsXList& columns) {
    db::TDataSet* dataSet = GridDataSet(Grid);
    switch (kind) {
    case gstRecordBookmarks: {
        const TBookmarkListX& rows = Grid->Selection().GetRows();
        for (int i = 0; i < rows.BookmarkCount(); ++i) {
            dataSet->GotoBookmark(rows.ItemAt(i));
            WriteRecord(columns);
        }
        return;
    }
    case gstRectangle: {
        TDBGridXSelectionRect& rect = Grid->Selection().Rect();
        const db::TBookmark bottom = rect.GetBottomRow();
        dataSet->GotoBookmark(rect.GetTopRow());
        while (!dataSet->Eof()) {
            WriteRecord(columns);
            if (CompareDataSetBookmarks(*dataSet, dataSet->Bookmark(), bottom) == 0)
                return;
            dataSet->Next();
        }
        return;
    }
    default:
        for (dataSet->First(); !dataSet->Eof(); dataSet->Next())
            WriteRecord(columns);
        return;
    }
}

void TDBGridXExport::WriteRecord(const TColumnsXList& columns) {
    AccumulateFooters();
    EmitRecord(columns);
}

// The exported background is the column's colour as the grid's event left
// it; the column's own event may change everything else.
void TDBGridXExport::EmitRecord(const TColumnsXList& columns) {
    for (TColumnX* column : columns) {
        column->FillCellParams(params_);
        ui::TColor background = column->Color();
        if (Grid->OnGetCellParams)
            Grid->OnGetCellParams(Grid, column, params_.CellFont, background, 0);
        column->FireGetCellParams(false, params_);
        params_.CellColor = background;
        EmitDataCell(column, params_);
    }
}

// ---- Footers ------------------------------------------------------------

TDBGridXExport::TFooterCell TDBGridXExport::FooterCell(TColumnX* column, int footerRow,
                                                       int position) {
    const TColumnFooterX* footer = column->FooterForRow(footerRow);
    TFooterCell cell{footer->Font(), footer->Color(), footer->Alignment(), {}};
    const bool computed = footer->ValueType() == fvtSum || footer->ValueType() == fvtCount;
    cell.Text =
        computed ? FooterValueText(footerRow, position) : Grid->GetFooterText(footerRow, column);
    if (Grid->OnGetFooterParams)
        Grid->OnGetFooterParams(Grid, column->Index(), footerRow, column, cell.Font,
                                cell.Background, cell.Alignment, 0, cell.Text);
    return cell;
}

void TDBGridXExport::EmitFooter(const TColumnsXList& columns, int footerRow) {
    for (int i = 0; i < columns.Count(); ++i) {
        TColumnX* column = columns[i];
        const TFooterCell cell = FooterCell(column, footerRow, i);
        EmitFooterCell(column->Index(), footerRow, column, cell.Font, cell.Background,
                       static_cast<db::TAlignment>(cell.Alignment), cell.Text);
    }
}

qint64& TDBGridXExport::FooterValue(int footerRow, int position) {
    return footerValues_[static_cast<std::size_t>(position + footerRow * columns_->Count())];
}

qint64 TDBGridXExport::FooterValue(int footerRow, int position) const {
    return footerValues_[static_cast<std::size_t>(position + footerRow * columns_->Count())];
}

void TDBGridXExport::AccumulateFooters() {
    for (int row = 0; row < Grid->FooterRowCount(); ++row) {
        for (int i = 0; i < columns_->Count(); ++i) {
            TColumnX* column = columns_->GetColumn(i);
            const db::TField* field = FooterField(Grid, column, row);
            if (!field)
                continue;
            switch (column->FooterForRow(row)->ValueType()) {
            case fvtSum:
                if (!field->IsNull())
                    FooterValue(row, i) += ToCurrencyUnits(field->AsFloat());
                break;
            case fvtCount:
                FooterValue(row, i) += 10000;
                break;
            default:
                break;
            }
        }
    }
}

// Sums and counts as the grid's footers show numbers.
QString TDBGridXExport::FooterValueText(int footerRow, int position) const {
    TColumnX* column = columns_->GetColumn(position);
    const TColumnFooterX* footer = column->FooterForRow(footerRow);
    const double value = static_cast<double>(FooterValue(footerRow, position)) / 10000.0;
    switch (footer->ValueType()) {
    case fvtCount:
        return FooterCountText(value, footer->DisplayFormat());
    case fvtSum: {
        const db::TField* field = FooterField(Grid, column, footerRow);
        if (!field || !IsNumberType(field->DataType()))
            return {};
        return FooterNumberText(field, value, footer->DisplayFormat());
    }
    default:
        return {};
    }
}

// ---- Writing ------------------------------------------------------------

void TDBGridXExport::Write(const QByteArray& bytes) {
    if (stream_->write(bytes) != bytes.size())
        throw Exception(QStringLiteral("Stream write error"));
}

void TDBGridXExport::Write(const char* text) {
    Write(QByteArray(text));
}

void TDBGridXExport::WriteText(const QString& text) {
    Write(cp936::Encode(text));
}

// ---- Text and CSV -------------------------------------------------------

void TDBGridXExportAsText::WriteToStream(QIODevice& stream, bool wholeGrid) {
    firstRow_ = true;
    TDBGridXExport::WriteToStream(stream, wholeGrid);
}

void TDBGridXExportAsText::BeginRow() {
    if (!firstRow_)
        Write("\r\n");
    firstRow_ = false;
}

void TDBGridXExportAsText::BeginCell() {
    if (!firstCell_)
        Write(QByteArray(1, Separator));
    firstCell_ = false;
}

void TDBGridXExportAsText::EmitTitle(const TColumnsXList& columns) {
    BeginRow();
    firstCell_ = true;
    for (TColumnX* column : columns) {
        BeginCell();
        WriteCellText(column->Title()->Caption());
    }
}

void TDBGridXExportAsText::EmitRecord(const TColumnsXList& columns) {
    BeginRow();
    firstCell_ = true;
    TDBGridXExport::EmitRecord(columns);
}

void TDBGridXExportAsText::EmitDataCell(TColumnX*, const TColCellParamsX& params) {
    BeginCell();
    WriteCellText(params.CellText);
}

void TDBGridXExportAsText::EmitFooter(const TColumnsXList& columns, int footerRow) {
    BeginRow();
    firstCell_ = true;
    TDBGridXExport::EmitFooter(columns, footerRow);
}

void TDBGridXExportAsText::EmitFooterCell(int, int, TColumnX*, const QFont&, ui::TColor,
                                          db::TAlignment, const QString& text) {
    BeginCell();
    WriteCellText(text);
}

void TDBGridXExportAsCSV::WriteCellText(const QString& text) {
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    WriteText(u'"' + quoted + u'"');
}

// ---- Entry points -------------------------------------------------------

std::unique_ptr<TDBGridXExport> MakeGridExporter(TGridExportFormat format) {
    switch (format) {
    case TGridExportFormat::Csv:
        return std::make_unique<TDBGridXExportAsCSV>();
    case TGridExportFormat::Rtf:
        return std::make_unique<TDBGridXExportAsRTF>();
    case TGridExportFormat::VCLDBIF:
        return std::make_unique<TDBGridXExportAsVCLDBIF>();
    case TGridExportFormat::Text:
        break;
    }
    return std::make_unique<TDBGridXExportAsText>();
}

void ExportGridToStream(TGridExportFormat format, TCustomDBGridX* grid, QIODevice& stream,
                        bool wholeGrid) {
    const std::unique_ptr<TDBGridXExport> exporter = MakeGridExporter(format);
    exporter->Grid = grid;
    exporter->WriteToStream(stream, wholeGrid);
}

} // namespace kx
