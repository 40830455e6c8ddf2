#include "tablereport/listreportlayout.h"

#include "bandreport/brprinter.h"

namespace kx {
namespace {

constexpr int kCellInset = 4;
constexpr long double kMarginMM = 10;

} // namespace

void SetUpListPage(TBandRep& report) {
    report.SetUnits(TBRUnit::MM);
    report.Page().SetPaperSize(TBRPaperSize::A4);
    for (int index : {TBRPage::TopMarginIndex, TBRPage::BottomMarginIndex, TBRPage::LeftMarginIndex,
                      TBRPage::RightMarginIndex})
        report.Page().SetDimension(index, kMarginMM);
    report.Options = TCustomBandRep::FirstPageHeader | TCustomBandRep::LastPageFooter;
}

TBRLabel* PlaceLabel(TBRCustomBand* band, const QRect& bounds, const QString& caption) {
    auto* label = PlaceControl<TBRLabel>(band, bounds);
    label->SetCaption(caption);
    return label;
}

TBRBand* NewListBand(TBandRep& report, TBRBandType type, int height) {
    TBRBand* band = report.CreateBand(type);
    band->Size().PushPixels();
    band->Size().SetHeight(height);
    band->Size().PopUnits();
    // The paper is white already, and a filled band would paint over the
    // rule that the band above draws along its bottom edge.
    band->TransparentBand = true;
    return band;
}

void PreviewWithPageCount(TBandRep& report, TBRLabel* pageCountLabel) {
    report.PreparePages();
    const int pages = report.ActivePrinter->PageCount();
    report.FreeActivePrinter();
    pageCountLabel->SetCaption(QString::number(pages));
    report.ShowPreviewAndWait();
}

void AddColumnRule(TBRCustomBand* band, int x, int top, int height) {
    PlaceControl<TBRShape>(band, QRect(x, top, 1, height))->Shape = brsVertLine;
}

QRect ListCell(const QList<int>& edges, int column, int top, int height) {
    return QRect(edges[column] + kCellInset, top + kCellInset / 2,
                 edges[column + 1] - edges[column] - 2 * kCellInset, height - kCellInset);
}

} // namespace kx
