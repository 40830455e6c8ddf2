#include "tablereport/marginkform.h"

#include "frame/dialogs/selectitemqueryform.h"
#include "platform/ui/application.h"
#include "tablereport/designerlogic.h"
#include "tablereport/printerdevmode.h"
#include "tablereport/reportdesignform.h"
#include "tablereport/setprintpaperform.h"

#include <QLineEdit>

namespace kx {

TMarginkForm::TMarginkForm(TReportDesignForm& designer, TReportControl& page)
    : TTessalForm(&designer), RunPrinterSetup(RunPrinterSetupDialog), SelectPaperKind([] {
          return SelectOneOfTwo(QStringLiteral("设置自定义纸张大小"),
                                QStringLiteral("设置标准纸张大小"), QStringLiteral("设置选择窗口"));
      }),
      designer_(designer), page_(page), paperSize_(page.PaperSize), orientation_(page.Orientation),
      paperLength_(page.PaperLength), paperWidth_(page.PaperWidth),
      pageWidth_(page.RecordedPageWidth), pageHeight_(page.RecordedPageHeight) {
    SetMargins(page.GetMargins());
    SetPrinterDevMode({.PaperSize = page.PaperSize,
                       .Orientation = page.Orientation,
                       .PaperLength = page.PaperLength,
                       .PaperWidth = page.PaperWidth});
}

void TMarginkForm::OkClick() {
    const auto [left, top, right, bottom] = Margins();
    page_.SetMargins(left, top, right, bottom);
    accept();
}

void TMarginkForm::SetupClick() {
    switch (SelectPaperKind()) {
    case 1:
        SetCustomPaper();
        break;
    case 2:
        SetStandardPaper();
        break;
    default:
        break;
    }
}

void TMarginkForm::SetCustomPaper() {
    TSetPrintPaperForm paper(this);
    const QSize mm = PaperMillimetres({page_.PageWidth, page_.PageHeight});
    paper.WidthEdit->setText(QString::number(mm.width()));
    paper.HeightEdit->setText(QString::number(mm.height()));
    if (ui::ExecModal(paper) != QDialog::Accepted)
        return;
    const QSize pixels = PaperPixels(paper.PaperWidthMm(), paper.PaperHeightMm());
    page_.SetPageSize(pixels.width(), pixels.height());
    designer_.FitToWindow();
    const TDevMode printer = GetPrinterDevMode();
    page_.PaperSize = 256;
    page_.Orientation = 1;
    page_.PaperLength = printer.PaperLength;
    page_.PaperWidth = printer.PaperWidth;
}

void TMarginkForm::SetStandardPaper() {
    RunPrinterSetup(this);
    const TDevMode printer = GetPrinterDevMode();
    page_.PaperSize = printer.PaperSize;
    page_.Orientation = printer.Orientation;
    page_.PaperLength = printer.PaperLength;
    page_.PaperWidth = printer.PaperWidth;
    page_.RecordedPageWidth = 0;
    page_.UpdatePageSize();
    designer_.FitToWindow();
}

void TMarginkForm::reject() {
    // A page that never had a paper of its own keeps whatever Setup chose.
    if (paperLength_ != 0) {
        page_.PaperSize = paperSize_;
        page_.Orientation = orientation_;
        page_.PaperLength = paperLength_;
        page_.PaperWidth = paperWidth_;
        SetPrinterDevMode({.PaperSize = paperSize_,
                           .Orientation = orientation_,
                           .PaperLength = paperLength_,
                           .PaperWidth = paperWidth_});
        page_.SetPageSize(pageWidth_, pageHeight_);
        designer_.FitToWindow();
    }
    TTessalForm::reject();
}

int ExecuteMarginkForm(TReportDesignForm& designer, TReportControl& page) {
    TMarginkForm form(designer, page);
    return ui::ExecModal(form) == QDialog::Accepted ? 1 : 2;
}

} // namespace kx
