#pragma once
// Copies the rows of a data set into a new workbook: a caption row, optional
// title rows above it, one row per record with an optional running number and
// an optional footer row. The workbook is written as "<ReportName> <time>.xlsx"
// into the folder of the files the user keeps (print::PdfFolder) and opened
// with the desktop's default program.

#include "platform/db/dataset.h"
#include "tablereport/excelfieldname.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace kx {

namespace print {
class TWorkbookWriter;
}
class TExcelPlacement;

class TKXExcel : public QObject {
    Q_OBJECT
public:
    explicit TKXExcel(QObject* owner = nullptr);

    db::TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(db::TDataSet* dataSet) { dataSet_ = dataSet; }
    const QString& ReportName() const { return reportName_; }
    void SetReportName(const QString& name) { reportName_ = name; }
    // A first column "序号" numbers the records 1, 2, 3 ...
    bool ID() const { return id_; }
    void SetID(bool id) { id_ = id; }

    // Opens a written workbook; false when nothing could open it. Tests and
    // machines without a desktop replace it.
    std::function<bool(const QString& path)> OpenFile;

    // Prompts and writes nothing without an open data set with records or
    // without a report name. A field missing from the data set or a workbook
    // that cannot be written is prompted; what was placed before a missing
    // field is still written and opened.
    void ExportToExcel(const TExcelFieldArray& columns, const TExcelFieldArray& titles,
                       const TExcelFieldArray& footers);

    // The workbook the last export wrote; empty before the first.
    const QString& LastFile() const { return lastFile_; }

private:
    // The prompt that refuses the export; empty when it may go ahead.
    QString Refusal() const;
    // False when a column's field is missing; the cells before it stay.
    bool Fill(print::TWorkbookWriter& workbook, const TExcelPlacement& placement,
              const TExcelFieldArray& columns) const;
    QString WorkbookPath() const;

    QPointer<db::TDataSet> dataSet_;
    QString reportName_;
    bool id_ = false;
    QString lastFile_;
};

} // namespace kx
