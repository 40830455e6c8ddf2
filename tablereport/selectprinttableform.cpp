#include "tablereport/selectprinttableform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/options.h"
#include "frame/app/formbuttons.h"
#include "frame/controls/formimenames.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/selectitemqueryform.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"
#include "tablereport/datasettoexcel.h"
#include "tablereport/kxexcel.h"
#include "tablereport/printcatalogue.h"
#include "tablereport/printerdevmode.h"
#include "tablereport/reportdesignform.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <memory>

namespace kx {
namespace {

const QString kFullPageOption = QStringLiteral("整页打印");
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonStep = 75;
constexpr int kCloseLeftWithoutExcel = 155;

QString AskExcelFileNameByDialog(QWidget* owner, const QString& suggested) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Excl文件 (*.XLS *.xls)"));
    dialog.setDefaultSuffix(QStringLiteral("XLS"));
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// A title is shown as it is: "&" makes no mnemonic.
QString RadioText(const QString& name) {
    return QString(name).replace(u'&', QStringLiteral("&&"));
}

} // namespace

TSelectPrintTableForm::TSelectPrintTableForm(QWidget* parent)
    : QDialog(parent), KXExcel(new TKXExcel(this)), Button_Excel(new QPushButton(this)),
      Button_Print(new QPushButton(QStringLiteral("打印[F11]"), this)),
      Button_Pre(new QPushButton(QStringLiteral("打印预览"), this)),
      button_Add(new QPushButton(QStringLiteral("新增报表"), this)),
      button_Edit(new QPushButton(QStringLiteral("修改报表"), this)),
      Button_Delete(new QPushButton(QStringLiteral("删除报表"), this)),
      Button_Close(new QPushButton(QStringLiteral("关闭[F12]"), this)),
      CheckBox1(new QCheckBox(QStringLiteral("不满整页按整页打印"), this)),
      RadioGroup(new QButtonGroup(this)), RadioBox(new QScrollArea(this)),
      Query(new TKXQuery(this)), DS(new TKXDataSource(this)), radioLayout_(nullptr) {
    setWindowTitle(QStringLiteral("打印报表选择窗口"));
    setFixedSize(316, 330);
    Button_Excel->setText(QStringLiteral("导到Excel"));
    Button_Excel->setEnabled(false);
    auto* radios = new QWidget;
    radioLayout_ = new QVBoxLayout(radios);
    radioLayout_->addStretch();
    RadioBox->setWidget(radios);
    RadioBox->setWidgetResizable(true);
    RadioBox->setGeometry(5, 5, 306, 200);
    CheckBox1->setGeometry(5, 212, 306, 22);
    BuildButtons();
    AskExcelFileName = [this](const QString& suggested) {
        return AskExcelFileNameByDialog(this, suggested);
    };

    Query->setObjectName(QStringLiteral("Query"));
    Query->SetRequestLive(true);
    Query->SetFieldsData(CatalogueFieldsData());
    Query->SetKXDS(DS);
    DS->setObjectName(QStringLiteral("DS"));
    DS->SetDataSet(Query);
}

TSelectPrintTableForm::~TSelectPrintTableForm() {
    Query->CloseQuery();
}

void TSelectPrintTableForm::BuildButtons() {
    const std::pair<QPushButton*, QPoint> places[] = {{button_Add, {5, 240}},
                                                      {button_Edit, {5 + kButtonStep, 240}},
                                                      {Button_Delete, {5 + 2 * kButtonStep, 240}},
                                                      {Button_Print, {5, 290}},
                                                      {Button_Pre, {5 + kButtonStep, 290}},
                                                      {Button_Excel, {5 + 2 * kButtonStep, 290}},
                                                      {Button_Close, {5 + 3 * kButtonStep, 290}}};
    for (const auto& [button, place] : places) {
        button->setGeometry(place.x(), place.y(), kButtonWidth, kButtonHeight);
        button->setAutoDefault(false);
    }
    Button_Excel->setObjectName(QStringLiteral("Button_Excel"));
    const std::pair<QPushButton*, void (TSelectPrintTableForm::*)()> clicks[] = {
        {Button_Print, &TSelectPrintTableForm::Button_PrintClick},
        {Button_Pre, &TSelectPrintTableForm::Button_PreClick},
        {button_Add, &TSelectPrintTableForm::button_AddClick},
        {button_Edit, &TSelectPrintTableForm::button_EditClick},
        {Button_Delete, &TSelectPrintTableForm::Button_DeleteClick},
        {Button_Excel, &TSelectPrintTableForm::Button_ExcelClick}};
    for (const auto& [button, handler] : clicks) {
        const auto click = handler;
        connect(button, &QPushButton::clicked, this,
                ui::Guard([this, click] { (this->*click)(); }));
    }
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::reject);
    connect(CheckBox1, &QCheckBox::clicked, this, ui::Guard([this] { CheckBox1Click(); }));
}

void TSelectPrintTableForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    try {
        FormShow();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TSelectPrintTableForm::FormShow() {
    Query->SetDatabaseName(kDatabaseName);
    Query->SqlType = urStandard;
    ApplyImeToForm(this, AppImeName);
    ReportRunTime.DataSet = ReportDataSet;
    ReportRunTime.SetSetData(FillerSetData(DataSetLine1, DataSetLine2));
    if (!Button_Excel->isEnabled()) {
        Button_Excel->hide();
        Button_Close->move(kCloseLeftWithoutExcel, Button_Close->y());
    }
    Query->YearMonthPrefix = YearMonthPrefixOf(AppToday);
    Query->UserName = AppUserName;
    Query->Today = AppToday;
    Query->ColorOnFocus = AppFocusColor;
    DS->SetBrowseColor(AppBrowseColor);
    DS->SetEditColor(AppEditColor);
    DS->SetColorOnFocus(AppFocusColor);
    DS->HookStateChange();
    if (PrintIndex.isEmpty())
        ShowPromptMessage(QStringLiteral("没有GPRINT_INDEX"));
    else
        OpenCatalogue();
    FillTemplateList();
    CheckBox1->setChecked(IsOptionYes(kFullPageOption));
}

void TSelectPrintTableForm::OpenCatalogue() {
    Query->SQL().SetText(CatalogueSelect(PrintIndex, PrintType));
    Query->OpenQuery();
}

void TSelectPrintTableForm::FillTemplateList() {
    for (QAbstractButton* button : RadioGroup->buttons()) {
        RadioGroup->removeButton(button);
        delete button;
    }
    names_.clear();
    if (Query->Active()) {
        Query->DisableControls();
        for (Query->First(); !Query->Eof(); Query->Next())
            names_ << Query->FieldByName(QStringLiteral("PRINT_NAME"))->AsString();
        Query->First();
        Query->EnableControls();
    }
    for (int i = 0; i < names_.size(); ++i) {
        auto* radio = new QRadioButton(RadioText(names_[i]));
        // A long title keeps its whole width; the list scrolls sideways.
        radio->setMinimumWidth(radio->sizeHint().width());
        RadioGroup->addButton(radio, i);
        radioLayout_->insertWidget(i, radio);
    }
    if (!names_.isEmpty())
        RadioGroup->button(0)->setChecked(true);
}

std::optional<QString> TSelectPrintTableForm::SelectedName() const {
    const int id = RadioGroup->checkedId();
    if (id < 0 || id >= names_.size())
        return std::nullopt;
    return names_[id];
}

bool TSelectPrintTableForm::LocateTemplate(const QString& name) {
    return Query->Locate(QStringLiteral("PRINT_INDEX;PRINT_NAME"), QVariantList{PrintIndex, name});
}

bool TSelectPrintTableForm::LoadSelectedTemplate(bool isPreview) {
    const QString type = Query->FieldByName(QStringLiteral("PRINT_TYPE"))->AsString();
    const TPrintFieldsArray* fields = PrintFieldsOfType(type, PrintFieldsM, PrintFieldsMD);
    if (!fields) {
        ShowPromptMessage(QStringLiteral("没有打印字段列表"));
        return false;
    }
    ReportRunTime.PrintFields = *fields;
    SelectedPrintId = Query->FieldByName(QStringLiteral("PRINT_ID"))->AsString();
    if (ChooseOnly && !isPreview)
        return true;
    return LoadTemplateBody(ReportRunTime, {kDatabaseName, TemplateDir, TemplateTable},
                            SelectedPrintId);
}

TChooserChecks TSelectPrintTableForm::Checks() {
    TChooserChecks checks;
    checks.QueryActive = Query->Active();
    checks.RowCount = checks.QueryActive ? Query->RecordCount() : 0;
    checks.SelectedName = SelectedName();
    checks.Locate = [this](const QString& name) { return LocateTemplate(name); };
    if (!StatusField.isEmpty() && StatusDataSet)
        checks.StatusAllows = [this] {
            return StatusAllows(StatusDataSet, StatusField, StatusValue);
        };
    checks.StatusValue = StatusValue;
    checks.SingleTemplate = SingleTemplate;
    return checks;
}

bool TSelectPrintTableForm::Refused(TChooserCommand command) {
    const TChooserVerdict verdict = CheckChooserCommand(command, Checks());
    if (!verdict.Prompt.isEmpty())
        ShowPromptMessage(verdict.Prompt);
    return !verdict.Proceed;
}

void TSelectPrintTableForm::Button_PrintClick() {
    RunReport(false);
}

void TSelectPrintTableForm::Button_PreClick() {
    RunReport(true);
}

void TSelectPrintTableForm::RunReport(bool isPreview) {
    if (Refused(isPreview ? TChooserCommand::Preview : TChooserCommand::Print))
        return;
    if (!PrinterInstalled()) {
        ShowPromptMessage(QStringLiteral("未安装打印机"));
        return;
    }
    if (!LoadSelectedTemplate(isPreview))
        return;
    if (ChooseOnly && !isPreview) {
        accept();
        return;
    }
    if (isPreview && !VarName.isEmpty())
        ReportRunTime.SetVarValue(VarName, VarValue);
    ReportRunTime.SetVarValue(QStringLiteral("单位名称"),
                              CompanyName.isEmpty() ? AppCompanyName : CompanyName);
    ReportRunTime.OneLongPage = OneLongPage;
    ReportRunTime.DataSet = ReportDataSet;
    ReportRunTime.AddSpace = CheckBox1->isChecked();
    // Filling walks every data set it reads; the caller's lists keep their
    // records whatever the filler does.
    const TRecordKeeper keeper(FilledDataSets());
    if (isPreview)
        ReportRunTime.PrintPreview(true);
    else
        ReportRunTime.Print(1);
}

std::vector<db::TDataSet*> TSelectPrintTableForm::FilledDataSets() const {
    std::vector<db::TDataSet*> dataSets{ReportDataSet.data()};
    for (const QString& line : ReportRunTime.SetData())
        dataSets.push_back(FindBoundDataSet(BoundComponentName(line), nullptr));
    return dataSets;
}

void TSelectPrintTableForm::button_AddClick() {
    if (!KindCaption1.isEmpty() && !KindCaption2.isEmpty()) {
        const int kind = SelectOneOfTwo(KindCaption1, KindCaption2, QStringLiteral("设置选择窗口"));
        if (kind == 0)
            return;
        TemplateKind = kind;
    }
    if (Refused(TChooserCommand::Add))
        return;
    if (TemplateKind == 1)
        RunDesigner(QStringLiteral("M"), QString());
    else if (TemplateKind == 2)
        RunDesigner(QStringLiteral("MD"), QString());
}

void TSelectPrintTableForm::button_EditClick() {
    if (Refused(TChooserCommand::Edit))
        return;
    const QString type = Query->FieldByName(QStringLiteral("PRINT_TYPE"))->AsString();
    if (!PrintFieldsOfType(type, PrintFieldsM, PrintFieldsMD))
        return;
    RunDesigner(type, Query->FieldByName(QStringLiteral("PRINT_ID"))->AsString());
}

void TSelectPrintTableForm::SetUpDesigner(TReportDesignForm& designer,
                                          const QString& printType) const {
    const bool master = printType == u"M";
    designer.PrintFields = master ? PrintFieldsM : PrintFieldsMD;
    designer.DatabaseName = kDatabaseName;
    ApplyImeToForm(&designer, AppImeName);
    if (master) {
        designer.Filler.OneLongPage = OneLongPage;
        designer.ReportDataSet = ReportDataSet;
    }
    designer.PrintType = printType;
    designer.TemplateDir = TemplateDir;
    designer.TemplateTable = TemplateTable;
    designer.PrintIndex = PrintIndex;
    designer.DataSetLine1 = DataSetLine1;
    designer.DataSetLine2 = DataSetLine2;
    designer.CompanyName = AppCompanyName;
}

void TSelectPrintTableForm::RunDesigner(const QString& printType, const QString& printId) {
    const auto designer = std::make_unique<TReportDesignForm>();
    SetUpDesigner(*designer, printType);
    if (!printId.isEmpty()) {
        designer->PrintId = printId;
        // A missing body is told to the user; the designer opens empty.
        designer->OpenCatalogueTemplate();
    }
    designer->exec();
    Reopen();
}

void TSelectPrintTableForm::Reopen() {
    Query->CloseQuery();
    if (!PrintIndex.isEmpty())
        OpenCatalogue();
    FillTemplateList();
}

void TSelectPrintTableForm::Button_DeleteClick() {
    if (Refused(TChooserCommand::Delete))
        return;
    Query->DeleteRecord();
    FillTemplateList();
}

void TSelectPrintTableForm::Button_ExcelClick() {
    KXExcel->SetID(ExcelNumberColumn);
    const QString fileName = AskExcelFileName(KXExcel->ReportName());
    if (fileName.isEmpty())
        return;
    TDatasetToExcel writer;
    writer.SetDataset(KXExcel->DataSet());
    writer.SetID(KXExcel->ID());
    writer.ExportToFile(fileName, ExcelFields, ExcelTitles, ExcelFooters);
}

void TSelectPrintTableForm::CheckBox1Click() {
    SetOption(kFullPageOption,
              CheckBox1->isChecked() ? QStringLiteral("是") : QStringLiteral("否"));
}

void TSelectPrintTableForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F11 && Button_Print->isEnabled()) {
        Button_Print->click();
        return;
    }
    if (event->key() == Qt::Key_F12 && Button_Close->isEnabled()) {
        Button_Close->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kx
