#include "tablereport/marginform.h"

#include "tablereport/printerdevmode.h"
#include "tablereport/templatestream.h"

namespace kx {

TMarginForm::TMarginForm(QWidget* owner, const QString& fileName)
    : TTessalForm(owner), RunPrinterSetup(RunPrinterSetupDialog), fileName_(fileName),
      page_(&measurer_) {
    page_.PrinterPage = CurrentPrinterPage;
}

void TMarginForm::Load() {
    result_ = 0;
    LoadTemplateFile(fileName_, page_);
    SetMargins(page_.GetMargins());
    SetPrinterDevMode({.PaperSize = page_.PaperSize,
                       .Orientation = page_.Orientation,
                       .PaperLength = page_.PaperLength,
                       .PaperWidth = page_.PaperWidth});
}

void TMarginForm::OkClick() {
    page_.RecordedPageWidth = 0;
    page_.UpdatePageSize();
    // The page is now laid out for the printer's paper; a paper chosen in
    // "Setup" must also be the one the template asks for when printed.
    if (printerPaperChosen_) {
        const TDevMode paper = GetPrinterDevMode();
        page_.PaperSize = paper.PaperSize;
        page_.Orientation = paper.Orientation;
        page_.PaperLength = paper.PaperLength;
        page_.PaperWidth = paper.PaperWidth;
    }
    const auto [left, top, right, bottom] = Margins();
    page_.SetMargins(left, top, right, bottom);
    SaveTemplateFile(page_, fileName_);
    page_.ClearTable();
    result_ = 1;
    accept();
}

void TMarginForm::SetupClick() {
    const bool confirmed = RunPrinterSetup(this);
    printerPaperChosen_ = printerPaperChosen_ || confirmed;
    result_ = confirmed ? 1 : 0;
}

void TMarginForm::reject() {
    result_ = 0;
    TTessalForm::reject();
}

std::unique_ptr<TMarginForm> CreateMarginForm(QWidget* owner, const QString& fileName) {
    auto form = std::make_unique<TMarginForm>(owner, fileName);
    form->Load();
    return form;
}

} // namespace kx
