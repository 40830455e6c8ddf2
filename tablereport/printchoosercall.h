#pragma once
// How a window prints: it hands its catalogue key, printable fields,
// data-set bindings and export columns to the template chooser and shows the
// chooser modally while the controls of its list stand still.

#include "tablereport/printfields.h"

#include <QPointer>
#include <QString>

namespace kx {

class TKXNDBGrid;
class TSelectPrintTableForm;

namespace db {
class TDataSet;
}

struct TPrintChooserCall {
    QString KindCaption1;
    QString PrintIndex;
    // 1: PrintFields are the master fields; 2: the master-detail fields.
    int TemplateKind = 1;
    TPrintFieldsArray PrintFields;
    QString DataSetLine1;
    QString DataSetLine2;
    // Its bound controls stand still while the chooser is open.
    QPointer<db::TDataSet> List;
    // The filler's own data set; left empty by windows that bind by name.
    QPointer<db::TDataSet> ReportDataSet;
    // An empty name offers no spreadsheet export; otherwise the export
    // columns are the first ExcelColumnCount print entries.
    QString ExcelReportName;
    int ExcelColumnCount = 0;
    // With a grid, the export's footer row carries the grid's total of each
    // "_NUMBER" column.
    const TKXNDBGrid* FooterGrid = nullptr;
};

// The chooser's fields as the call sets them; TemplateDir is the data folder.
void SetUpPrintChooser(TSelectPrintTableForm& chooser, const TPrintChooserCall& call);

// A chooser without owner, set up, with the focus and shown modally; the
// list's controls follow it again afterwards, however it ends.
void ShowPrintChooser(const TPrintChooserCall& call);

} // namespace kx
