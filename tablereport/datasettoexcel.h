#pragma once
// Writes the records of a data set into a spreadsheet file (.xls) as plain
// worksheet records, with optional title rows, a caption row and optional
// footer rows; no spreadsheet program is needed.
//
// The file is written beside its target under a temporary name and takes
// the target's place only when complete, so a refused or failed export
// leaves an existing file of that name as it was.

#include "platform/db/dataset.h"
#include "tablereport/excelfieldname.h"

#include <QObject>
#include <QPointer>

class QIODevice;

namespace kx {

class TDatasetToExcel : public QObject {
    Q_OBJECT
public:
    // Row and column numbers are 16 bits wide in the file.
    static constexpr int kMaxRows = 65536;

    explicit TDatasetToExcel(QObject* owner = nullptr);

    // A first column "序号" numbers the records 1, 2, 3 ...
    bool ID() const { return id_; }
    void SetID(bool id) { id_ = id; }
    db::TDataSet* Dataset() const { return dataset_; }
    void SetDataset(db::TDataSet* dataset) { dataset_ = dataset; }

    // Prompts and writes nothing without an open data set with records, or
    // with more rows than a worksheet holds. Raises "Field 'X' not found"
    // for a column the data set lacks and kx::Exception when the file cannot
    // be written; the data set keeps its current record either way.
    void ExportToFile(const QString& fileName, const TExcelFieldArray& columns,
                      const TExcelFieldArray& titles, const TExcelFieldArray& footers);

private:
    int RowsNeeded() const;
    void WriteSheet(QIODevice& out);

    bool id_ = false;
    QPointer<db::TDataSet> dataset_;
    QString fileName_;
    TExcelFieldArray columns_;
    TExcelFieldArray titles_;
    TExcelFieldArray footers_;
};

} // namespace kx
