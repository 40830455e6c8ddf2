#pragma once
// The chooser through which a window prints: its catalogue of table-report
// templates as radio buttons, with print, preview, add and edit through the
// designer, delete, and export of the window's list to a spreadsheet file.

#include "tablereport/excelfieldname.h"
#include "tablereport/printfields.h"

#include <QDialog>
#include <QPointer>

class QPushButton;

namespace kx::db {
class TDataSet;
}

namespace kx {

class TKXExcel;

class TSelectPrintTableForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectPrintTableForm(QWidget* parent = nullptr);
    ~TSelectPrintTableForm() override;

    // Set by the caller between creation and showing.
    QString PrintIndex;
    QString PrintType;
    QString KindCaption1;
    QString KindCaption2;
    int TemplateKind = 1; // 1 master ("M"), 2 master-detail ("MD")
    TPrintFieldsArray PrintFieldsM;
    TPrintFieldsArray PrintFieldsMD;
    QString DataSetLine1;
    QString DataSetLine2;
    QString TemplateDir;
    QString TemplateTable;
    QPointer<db::TDataSet> ReportDataSet;
    TExcelFieldArray ExcelFields;
    TExcelFieldArray ExcelFooters;
    TExcelFieldArray ExcelTitles;
    bool ExcelNumberColumn = false;
    QString CompanyName;
    QString VarName;
    QString VarValue;
    QString StatusField;
    QString StatusValue;
    QPointer<db::TDataSet> StatusDataSet;
    bool SingleTemplate = false;
    bool OneLongPage = false;
    bool ChooseOnly = false;
    // Out: the PRINT_ID of the template last located by print or preview.
    QString SelectedPrintId;

    // Carries the data set and report name of the export.
    TKXExcel* KXExcel;
    // Hidden, with the close button moved left, unless the caller enables it.
    QPushButton* Button_Excel;
};

} // namespace kx
