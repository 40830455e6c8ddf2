#pragma once
// Writing cells read from text or from the library's own binary format back
// into the data set behind a grid: into the selected records and columns,
// or from the current cell on, adding records where the grid allows it.
//
// The whole source is read before anything is written, so a source that is
// not in its format, or holds more columns than the grid can take there,
// changes nothing. Each record is written whole or not at all: a record
// whose value does not convert (or that the data set refuses) is put back
// as it was and reported; the user then goes on, stops, or goes on
// without further questions.

#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/dbgridoptions.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class QIODevice;
class QWidget;

namespace kx {

class TCustomDBGridX;

// A cell of the source; one that is not Assigned writes nothing.
struct TImportCell {
    bool Assigned = true;
    QVariant Value;
};
using TImportRow = std::vector<TImportCell>;

enum class TImportErrorAnswer { Yes, No, All };
// Asks whether to go on after a record could not be written; Yes goes on,
// No ends the import, All goes on and asks no more in this import.
using TImportErrorDialog =
    std::function<TImportErrorAnswer(QWidget* owner, const QString& message)>;
// Installs a dialog (an empty one restores the message box); returns the
// old one.
TImportErrorDialog SetImportErrorDialog(TImportErrorDialog dialog);

enum class TGridImportFormat { Text, VCLDBIF };

class TDBGridXImport {
public:
    TDBGridXImport() = default;
    virtual ~TDBGridXImport() = default;
    TDBGridXImport(const TDBGridXImport&) = delete;
    TDBGridXImport& operator=(const TDBGridXImport&) = delete;

    // Set by the creator before the import.
    TCustomDBGridX* Grid = nullptr;

    void ReadFromStream(QIODevice& stream, bool wholeGrid);
    void ReadFromFile(const QString& fileName, bool wholeGrid);

protected:
    virtual void ReadPrefix() {}
    virtual void ReadTrailer() {}
    // The next record of the source; false at its end.
    virtual bool ParseRecord(TImportRow& row) = 0;
    // Writes one cell into the current record.
    virtual void ParseDataCell(TColumnX* column, const TImportCell& cell) = 0;

    QIODevice& Source() const { return *stream_; }
    // Puts the field's data set into edit state where it can be; true when
    // it is then editing or inserting.
    static bool StartEdit(db::TField* field);

private:
    TColumnsXList ColumnsOf(TDBGridSelectionType kind, bool wholeGrid) const;
    void WriteRecords(TDBGridSelectionType kind, const TColumnsXList& columns);
    void InsertRemaining(const TColumnsXList& columns);
    void WriteRecord(const TColumnsXList& columns, bool newRecord);
    void ReportRecordError(const QString& message);
    bool SourceLeft() const { return next_ < rows_.size(); }

    QIODevice* stream_ = nullptr;
    std::vector<TImportRow> rows_;
    std::size_t next_ = 0;
    bool appendMode_ = false;
    bool inserting_ = false;
    bool ignoreAll_ = false;
};

std::unique_ptr<TDBGridXImport> MakeGridImporter(TGridImportFormat format);

// One import into the grid; the importer is freed also when it fails.
void ImportGridFromStream(TGridImportFormat format, TCustomDBGridX* grid, QIODevice& stream,
                          bool wholeGrid);

} // namespace kx
