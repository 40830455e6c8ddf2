#include "tablereport/kxexcel.h"

#include "core/messages.h"
#include "platform/db/field.h"
#include "platform/print/printer.h"
#include "platform/print/workbookwriter.h"
#include "platform/sys/exception.h"
#include "platform/sys/files.h"
#include "tablereport/excelplacement.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QUrl>

namespace kx {
namespace {

const QString kNoDataSource = QStringLiteral("没有数据源");
const QString kNoReportName = QStringLiteral("没有报表名称");
const QString kNoData = QStringLiteral("没有数据");
const QString kExportFailed = QStringLiteral("Excel打开过程发生错误");
const QString kNothingOpens = QStringLiteral("没有能打开Excel文件的程序，文件保存在：");

bool OpenWithDesktop(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

// A text goes in as text when it must keep its form or is no plain number;
// otherwise as the number a spreadsheet would make of it.
void Put(print::TWorkbookWriter& workbook, const TExcelCells& cells) {
    for (const TExcelCell& cell : cells) {
        const std::optional<double> number =
            cell.TextFormat ? std::nullopt : GeneralNumber(cell.Text);
        if (number)
            workbook.SetNumber(cell.Row, cell.Column, *number);
        else
            workbook.SetText(cell.Row, cell.Column, cell.Text, cell.TextFormat);
    }
}

// The field of each column entry; none for an entry without a field name.
QList<db::TField*> ColumnFields(const db::TDataSet& data, const TExcelFieldArray& columns) {
    QList<db::TField*> fields;
    for (const TExcelFieldName& column : columns)
        fields << (column.FieldName.isEmpty() ? nullptr : data.FieldByName(column.FieldName));
    return fields;
}

QStringList DisplayTexts(const QList<db::TField*>& fields) {
    QStringList texts;
    for (const db::TField* field : fields)
        texts << (field ? field->DisplayText() : QString());
    return texts;
}

} // namespace

TKXExcel::TKXExcel(QObject* owner) : QObject(owner), OpenFile(&OpenWithDesktop) {}

void TKXExcel::ExportToExcel(const TExcelFieldArray& columns, const TExcelFieldArray& titles,
                             const TExcelFieldArray& footers) {
    const QString refusal = Refusal();
    if (!refusal.isEmpty()) {
        ShowPromptMessage(refusal);
        return;
    }
    print::TWorkbookWriter workbook(reportName_.trimmed());
    // A failure part-way keeps what was written, so the user still gets it.
    const bool filled = Fill(workbook, TExcelPlacement(columns, titles, footers, id_), columns);
    const QString path = WorkbookPath();
    const bool saved = !path.isEmpty() && workbook.Write(path);
    if (!filled || !saved)
        ShowPromptMessage(kExportFailed);
    if (!saved) {
        if (!path.isEmpty())
            QFile::remove(path);
        return;
    }
    lastFile_ = path;
    if (!OpenFile(path))
        ShowPromptMessage(kNothingOpens + QDir::toNativeSeparators(path));
}

QString TKXExcel::Refusal() const {
    if (!dataSet_ || !dataSet_->Active())
        return kNoDataSource;
    if (reportName_.trimmed().isEmpty())
        return kNoReportName;
    return dataSet_->IsEmpty() ? kNoData : QString();
}

bool TKXExcel::Fill(print::TWorkbookWriter& workbook, const TExcelPlacement& placement,
                    const TExcelFieldArray& columns) const {
    Put(workbook, placement.TitleCells());
    Put(workbook, placement.CaptionCells());
    try {
        dataSet_->First();
        const QList<db::TField*> fields = ColumnFields(*dataSet_, columns);
        int number = 0;
        for (; !dataSet_->Eof(); dataSet_->Next())
            Put(workbook, placement.RecordCells(++number, DisplayTexts(fields)));
        Put(workbook, placement.FooterCells(number));
        return true;
    } catch (const Exception&) {
        return false;
    }
}

// Exports are kept with the printed files, never in the temporary folder
// that the next start empties; empty when no file can be made there.
QString TKXExcel::WorkbookPath() const {
    return sys::CreateTimedFile(print::PdfFolder(), reportName_, QStringLiteral("xlsx"),
                                QDateTime::currentDateTime());
}

} // namespace kx
