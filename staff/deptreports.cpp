#include "staff/deptreports.h"

#include "bandreport/brprintable.h"

#include <type_traits>

namespace kx::staff {
namespace {

// Design pixels at 96 dpi: an A4 page less its 10 mm margins is 718 wide.
constexpr int kBodyWidth = 718;
constexpr int kHeaderHeight = 84;
constexpr int kDetailHeight = 26;
constexpr int kFooterHeight = 45;
constexpr int kTitleRowTop = 58;
constexpr int kCellInset = 4;
constexpr int kMinRows = 35;
constexpr long double kMarginMM = 10;

const QString kFontName = QStringLiteral("宋体");

// The left edges of the columns and the body's right edge.
QList<int> ColumnEdges(bool numberColumn) {
    return numberColumn ? QList<int>{0, 50, 500, kBodyWidth} : QList<int>{0, 480, kBodyWidth};
}

template <typename T> T* Place(TBRCustomBand* band, const QRect& bounds) {
    auto* control = new T(band);
    if constexpr (std::is_base_of_v<TBRCustomLabel, T>)
        control->AutoSize = false;
    control->SetBounds(bounds);
    return control;
}

TBRLabel* PlaceLabel(TBRCustomBand* band, const QRect& bounds, const QString& caption) {
    auto* label = Place<TBRLabel>(band, bounds);
    label->SetCaption(caption);
    return label;
}

void AddRule(TBRCustomBand* band, int x, int top, int height) {
    auto* rule = Place<TBRShape>(band, QRect(x, top, 1, height));
    rule->Shape = brsVertLine;
}

TBRBand* NewBand(TBandRep& report, TBRBandType type, int height) {
    TBRBand* band = report.CreateBand(type);
    band->Size().PushPixels();
    band->Size().SetHeight(height);
    band->Size().PopUnits();
    // The paper is white already, and a filled band would paint over the
    // rule that the band above draws along its bottom edge.
    band->TransparentBand = true;
    return band;
}

// The cell of a column, inset from its rules.
QRect Cell(const QList<int>& edges, int column, int top, int height) {
    return QRect(edges[column] + kCellInset, top + kCellInset / 2,
                 edges[column + 1] - edges[column] - 2 * kCellInset, height - kCellInset);
}

} // namespace

TDeptReport::TDeptReport(QObject* owner, db::TDataSet* buffer, bool numberColumn)
    : TBandRep(owner) {
    setObjectName(numberColumn ? QStringLiteral("RepDeptOrder") : QStringLiteral("RepDept"));
    SetUnits(TBRUnit::MM);
    Page().SetPaperSize(TBRPaperSize::A4);
    Page().SetOrientation(TBRPrinterOrientation::poPortrait);
    for (int index : {TBRPage::TopMarginIndex, TBRPage::BottomMarginIndex, TBRPage::LeftMarginIndex,
                      TBRPage::RightMarginIndex})
        Page().SetDimension(index, kMarginMM);
    SetFont(QFont(kFontName, 10));
    Options = FirstPageHeader | LastPageFooter;
    SetDataSet(buffer);
    SetPrintIfEmpty(true);
    BuildPageHeader(numberColumn);
    BuildDetail(buffer, numberColumn);
    BuildPageFooter();
    OnStartPage = [this](TCustomBandRep*) { SetMinDetailRows(kMinRows); };
}

void TDeptReport::BuildPageHeader(bool numberColumn) {
    TBRBand* header = NewBand(*this, TBRBandType::rbPageHeader, kHeaderHeight);
    auto* title = Place<TBRSysData>(header, QRect(0, 6, kBodyWidth, 26));
    title->SetData(brsReportTitle);
    title->SetAlignment(taCenter);
    title->SetFont(QFont(kFontName, 14));
    CompanyLabel = PlaceLabel(header, QRect(0, 36, 400, 18), QString());
    CompanyLabel->setObjectName(numberColumn ? QStringLiteral("CompanyDeptOrder")
                                             : QStringLiteral("CompanyDept"));
    const int rowHeight = kHeaderHeight - kTitleRowTop;
    auto* box = Place<TBRShape>(header, QRect(0, kTitleRowTop, kBodyWidth, rowHeight));
    box->Brush = Qt::NoBrush;
    const QStringList titles =
        numberColumn ? QStringList{QStringLiteral("序号"), QStringLiteral("名称"),
                                   QStringLiteral("联系电话")}
                     : QStringList{QStringLiteral("名称"), QStringLiteral("联系电话")};
    const QList<int> edges = ColumnEdges(numberColumn);
    for (int column = 0; column < titles.size(); ++column) {
        if (column > 0)
            AddRule(header, edges[column], kTitleRowTop, rowHeight);
        PlaceLabel(header, Cell(edges, column, kTitleRowTop, rowHeight), titles[column])
            ->SetAlignment(taCenter);
    }
}

void TDeptReport::BuildDetail(db::TDataSet* buffer, bool numberColumn) {
    TBRBand* detail = NewBand(*this, TBRBandType::rbDetail, kDetailHeight);
    detail->Frame().SetDrawLeft(true);
    detail->Frame().SetDrawRight(true);
    detail->Frame().SetDrawBottom(true);
    const QList<int> edges = ColumnEdges(numberColumn);
    for (int column = 1; column + 1 < edges.size(); ++column)
        AddRule(detail, edges[column], 0, kDetailHeight);
    int column = 0;
    if (numberColumn) {
        auto* number = Place<TBRSysData>(detail, Cell(edges, column++, 0, kDetailHeight));
        number->SetData(brsDetailNo);
        number->SetAlignment(taRightJustify);
    }
    for (const QString& field : {QStringLiteral("COMPANY_NAME"), QStringLiteral("COMPANY_PHONE")}) {
        auto* text = Place<TBRDBText>(detail, Cell(edges, column++, 0, kDetailHeight));
        text->SetDataSet(buffer);
        text->SetDataField(field);
    }
}

void TDeptReport::BuildPageFooter() {
    TBRBand* footer = NewBand(*this, TBRBandType::rbPageFooter, kFooterHeight);
    const int top = 12;
    const int height = 18;
    PlaceLabel(footer, QRect(0, top, 16, height), QStringLiteral("共"));
    PageCountLabel = PlaceLabel(footer, QRect(18, top, 36, height), QString());
    PageCountLabel->setObjectName(objectName() == QStringLiteral("RepDept")
                                      ? QStringLiteral("PageDept")
                                      : QStringLiteral("PageDeptOrder"));
    PageCountLabel->SetAlignment(taCenter);
    PlaceLabel(footer, QRect(56, top, 16, height), QStringLiteral("页"));
    PlaceLabel(footer, QRect(90, top, 16, height), QStringLiteral("第"));
    auto* page = Place<TBRSysData>(footer, QRect(108, top, 36, height));
    page->SetData(brsPageNumber);
    page->SetAlignment(taCenter);
    PlaceLabel(footer, QRect(146, top, 16, height), QStringLiteral("页"));
    PlaceLabel(footer, QRect(500, top, 80, height), QStringLiteral("打印日期:"));
    auto* date = Place<TBRSysData>(footer, QRect(580, top, kBodyWidth - 580, height));
    date->SetData(brsDate);
    date->SetFont(QFont(kFontName, 9));
}

} // namespace kx::staff

#include "moc_deptreports.cpp"
