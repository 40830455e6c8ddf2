#pragma once
// Writing what a data-aware grid shows to a stream: its selection (or the
// whole grid) with titles first, one row per record in the data set's
// order, then the footer rows. Each cell is written as the grid shows it,
// after the grid's and the column's cell events; sum and count footers are
// computed over the written records only.
//
// The text and CSV exporters are here; RTF and the library's own binary
// format have files of their own.

#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/dbgridoptions.h"
#include "platform/ui/colors.h"

#include <QByteArray>
#include <QFont>
#include <QString>

#include <memory>
#include <vector>

class QIODevice;

namespace kx {

class TCustomDBGridX;

enum class TGridExportFormat { Text, Csv, Rtf, VCLDBIF };

class TDBGridXExport {
public:
    TDBGridXExport() = default;
    virtual ~TDBGridXExport() = default;
    TDBGridXExport(const TDBGridXExport&) = delete;
    TDBGridXExport& operator=(const TDBGridXExport&) = delete;

    // Set by the creator before the export.
    TCustomDBGridX* Grid = nullptr;

    // Nothing is written when the grid has no selection and wholeGrid is
    // false. The grid's row and its data set's controls come back also
    // when the export fails; what was written so far stays written.
    virtual void WriteToStream(QIODevice& stream, bool wholeGrid);
    // Creates or truncates the file.
    void WriteToFile(const QString& fileName, bool wholeGrid);

protected:
    virtual void EmitHeader() {}
    virtual void EmitTrailer() {}
    virtual void EmitTitle(const TColumnsXList&) {}
    virtual void EmitRecord(const TColumnsXList& columns);
    virtual void EmitDataCell(TColumnX*, const TColCellParamsX&) {}
    virtual void EmitFooter(const TColumnsXList& columns, int footerRow);
    virtual void EmitFooterCell(int /*dataCol*/, int /*footerRow*/, TColumnX* /*column*/,
                                const QFont& /*font*/, ui::TColor /*background*/,
                                db::TAlignment /*alignment*/, const QString& /*text*/) {}

    void Write(const QByteArray& bytes);
    void Write(const char* text);
    // Text in the program's code page.
    void WriteText(const QString& text);
    TDBGridSelectionType ExportKind(bool wholeGrid) const;
    // The columns of the export that runs.
    const TColumnsXList& ExportedColumns() const { return *columns_; }
    // The footer of a row after the grid's footer event: its font,
    // background, alignment and text.
    struct TFooterCell {
        QFont Font;
        ui::TColor Background = ui::clWindow;
        int Alignment = db::taLeftJustify;
        QString Text;
    };
    TFooterCell FooterCell(TColumnX* column, int footerRow, int position);
    QString FooterValueText(int footerRow, int position) const;

private:
    TColumnsXList ColumnsOf(TDBGridSelectionType kind) const;
    void WriteRecords(TDBGridSelectionType kind, const TColumnsXList& columns);
    void WriteRecord(const TColumnsXList& columns);
    void AccumulateFooters();
    qint64& FooterValue(int footerRow, int position);
    qint64 FooterValue(int footerRow, int position) const;

    QIODevice* stream_ = nullptr;
    TColCellParamsX params_;
    const TColumnsXList* columns_ = nullptr;
    // Sums in units of 1/10000, as fixed-point currency keeps them; one per
    // footer row and exported column.
    std::vector<qint64> footerValues_;
};

// Cells separated by TAB and rows by CR LF, with none before the first row
// and none after the last; texts are written as they are.
class TDBGridXExportAsText : public TDBGridXExport {
public:
    void WriteToStream(QIODevice& stream, bool wholeGrid) override;

protected:
    void EmitTitle(const TColumnsXList& columns) override;
    void EmitRecord(const TColumnsXList& columns) override;
    void EmitDataCell(TColumnX* column, const TColCellParamsX& params) override;
    void EmitFooter(const TColumnsXList& columns, int footerRow) override;
    void EmitFooterCell(int dataCol, int footerRow, TColumnX* column, const QFont& font,
                        ui::TColor background, db::TAlignment alignment,
                        const QString& text) override;
    virtual void BeginRow();
    virtual void BeginCell();
    virtual void WriteCellText(const QString& text) { WriteText(text); }
    char Separator = '\t';

private:
    bool firstRow_ = true;
    bool firstCell_ = true;
};

inline constexpr char CsvSeparator = ';';

// Text with ';' between cells and every text in double quotes.
class TDBGridXExportAsCSV : public TDBGridXExportAsText {
public:
    TDBGridXExportAsCSV() { Separator = CsvSeparator; }

protected:
    void WriteCellText(const QString& text) override;
};

std::unique_ptr<TDBGridXExport> MakeGridExporter(TGridExportFormat format);

// One export of the grid in the format; the exporter is freed also when
// the export fails.
void ExportGridToStream(TGridExportFormat format, TCustomDBGridX* grid, QIODevice& stream,
                        bool wholeGrid);

} // namespace kx
