#include "tablereport/printchoosercall.h"

#include "core/appstate.h"
#include "core/messages.h"
#include "frame/controls/gridfootertext.h"
#include "platform/db/dataset.h"
#include "platform/ui/application.h"
#include "tablereport/kxexcel.h"
#include "tablereport/selectprinttableform.h"

#include <QPushButton>
#include <QScopeGuard>

#include <memory>

namespace kx {
namespace {

const QString kAmountMark = QStringLiteral("_NUMBER");

void SetUpExcel(TSelectPrintTableForm& chooser, const TPrintChooserCall& call) {
    chooser.ExcelNumberColumn = true;
    chooser.Button_Excel->setEnabled(true);
    chooser.KXExcel->SetDataSet(call.List);
    chooser.KXExcel->SetReportName(call.ExcelReportName);
    const auto count = static_cast<qsizetype>(call.ExcelColumnCount);
    chooser.ExcelFields.resize(count);
    if (call.FooterGrid)
        chooser.ExcelFooters.resize(count);
    for (qsizetype i = 0; i < count && i < static_cast<qsizetype>(call.PrintFields.size()); ++i) {
        const TPrintFields& entry = call.PrintFields[static_cast<std::size_t>(i)];
        chooser.ExcelFields[i].FieldName = entry.FieldName;
        chooser.ExcelFields[i].Caption = entry.Caption;
        if (call.FooterGrid && entry.FieldName.contains(kAmountMark))
            chooser.ExcelFooters[i].FieldName = GetFooterText(*call.FooterGrid, entry.FieldName);
    }
}

// Frees the chooser on the way out, before the list's controls wake again.
void ShowFocused(std::unique_ptr<TSelectPrintTableForm> chooser) {
    ForceForegroundFocus(chooser.get());
    ui::ExecModal(*chooser);
}

} // namespace

void SetUpPrintChooser(TSelectPrintTableForm& chooser, const TPrintChooserCall& call) {
    chooser.KindCaption1 = call.KindCaption1;
    if (call.TemplateKind == 2)
        chooser.PrintFieldsMD = call.PrintFields;
    else
        chooser.PrintFieldsM = call.PrintFields;
    chooser.DataSetLine1 = call.DataSetLine1;
    chooser.DataSetLine2 = call.DataSetLine2;
    chooser.TemplateTable.clear();
    chooser.TemplateDir = AppDataFolder;
    chooser.PrintIndex = call.PrintIndex;
    chooser.TemplateKind = call.TemplateKind;
    chooser.ReportDataSet = call.ReportDataSet;
    if (!call.ExcelReportName.isEmpty())
        SetUpExcel(chooser, call);
}

void ShowPrintChooser(const TPrintChooserCall& call) {
    auto chooser = std::make_unique<TSelectPrintTableForm>(nullptr);
    SetUpPrintChooser(*chooser, call);
    const QPointer<db::TDataSet> list = call.List;
    if (list)
        list->DisableControls();
    const auto enableAgain = qScopeGuard([list] {
        if (list)
            list->EnableControls();
    });
    ShowFocused(std::move(chooser));
}

} // namespace kx
