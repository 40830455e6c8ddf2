#pragma once
// The chooser through which a window prints: its catalogue of table-report
// templates as radio buttons, with print, preview, add and edit through the
// designer, delete, and export of the window's list to a spreadsheet file.

#include "tablereport/excelfieldname.h"
#include "tablereport/printfields.h"
#include "tablereport/printtablechoice.h"
#include "tablereport/qttextmeasurer.h"
#include "tablereport/reportruntime.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace kx::db {
class TDataSet;
}

namespace kx {

class TKXDataSource;
class TKXExcel;
class TKXQuery;
class TReportDesignForm;

class TSelectPrintTableForm : public QDialog {
    Q_OBJECT
    // Declared first: the filler measures with it from its construction on.
    TQtTextMeasurer measurer_;

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

    QPushButton* Button_Print;
    QPushButton* Button_Pre;
    QPushButton* button_Add;
    QPushButton* button_Edit;
    QPushButton* Button_Delete;
    QPushButton* Button_Close;
    QCheckBox* CheckBox1;
    // The template titles, one radio button each, in catalogue order.
    QButtonGroup* RadioGroup;
    QScrollArea* RadioBox;
    TKXQuery* Query;
    TKXDataSource* DS;
    TReportRunTime ReportRunTime{&measurer_};

    // Asks where the export goes, starting from the suggested name; empty
    // when the user cancels. Tests replace it.
    std::function<QString(const QString& suggested)> AskExcelFileName;

    void FormShow();
    void FillTemplateList();
    bool LocateTemplate(const QString& name);
    bool LoadSelectedTemplate(bool isPreview);
    // The title of the checked radio button; none when nothing is checked.
    std::optional<QString> SelectedName() const;

    void Button_PrintClick();
    void Button_PreClick();
    void button_AddClick();
    void button_EditClick();
    void Button_DeleteClick();
    void Button_ExcelClick();
    void CheckBox1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildButtons();
    void OpenCatalogue();
    TChooserChecks Checks();
    bool Refused(TChooserCommand command);
    void RunReport(bool isPreview);
    std::vector<db::TDataSet*> FilledDataSets() const;
    void RunDesigner(const QString& printType, const QString& printId);
    void SetUpDesigner(TReportDesignForm& designer, const QString& printType) const;
    void Reopen();

    QVBoxLayout* radioLayout_;
    QStringList names_;
};

} // namespace kx
