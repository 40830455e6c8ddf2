#include "staff/deptreports.h"

#include "tablereport/listreportlayout.h"

namespace kx::staff {
namespace {

// Design pixels at 96 dpi: 35 rows fit between the header and the footer.
constexpr int kHeaderHeight = 84;
constexpr int kDetailHeight = 26;
constexpr int kFooterHeight = 45;
constexpr int kTitleRowTop = 58;
constexpr int kMinRows = 35;

const QString kFontName = QStringLiteral("宋体");

// The left edges of the columns and the body's right edge.
QList<int> ColumnEdges(bool numberColumn) {
    return numberColumn ? QList<int>{0, 50, 500, kListBodyWidth}
                        : QList<int>{0, 480, kListBodyWidth};
}

} // namespace

TDeptReport::TDeptReport(QObject* owner, db::TDataSet* buffer, bool numberColumn)
    : TBandRep(owner) {
    setObjectName(numberColumn ? QStringLiteral("RepDeptOrder") : QStringLiteral("RepDept"));
    SetUpListPage(*this);
    Page().SetOrientation(TBRPrinterOrientation::poPortrait);
    SetFont(QFont(kFontName, 10));
    SetDataSet(buffer);
    SetPrintIfEmpty(true);
    BuildPageHeader(numberColumn);
    BuildDetail(buffer, numberColumn);
    BuildPageFooter();
    OnStartPage = [this](TCustomBandRep*) { SetMinDetailRows(kMinRows); };
}

void TDeptReport::BuildPageHeader(bool numberColumn) {
    TBRBand* header = NewListBand(*this, TBRBandType::rbPageHeader, kHeaderHeight);
    auto* title = PlaceControl<TBRSysData>(header, QRect(0, 6, kListBodyWidth, 26));
    title->SetData(brsReportTitle);
    title->SetAlignment(taCenter);
    title->SetFont(QFont(kFontName, 14));
    CompanyLabel = PlaceLabel(header, QRect(0, 36, 400, 18), QString());
    CompanyLabel->setObjectName(numberColumn ? QStringLiteral("CompanyDeptOrder")
                                             : QStringLiteral("CompanyDept"));
    const int rowHeight = kHeaderHeight - kTitleRowTop;
    auto* box = PlaceControl<TBRShape>(header, QRect(0, kTitleRowTop, kListBodyWidth, rowHeight));
    box->Brush = Qt::NoBrush;
    const QStringList titles =
        numberColumn ? QStringList{QStringLiteral("序号"), QStringLiteral("名称"),
                                   QStringLiteral("联系电话")}
                     : QStringList{QStringLiteral("名称"), QStringLiteral("联系电话")};
    const QList<int> edges = ColumnEdges(numberColumn);
    for (int column = 0; column < titles.size(); ++column) {
        if (column > 0)
            AddColumnRule(header, edges[column], kTitleRowTop, rowHeight);
        PlaceLabel(header, ListCell(edges, column, kTitleRowTop, rowHeight), titles[column])
            ->SetAlignment(taCenter);
    }
}

void TDeptReport::BuildDetail(db::TDataSet* buffer, bool numberColumn) {
    TBRBand* detail = NewListBand(*this, TBRBandType::rbDetail, kDetailHeight);
    detail->Frame().SetDrawLeft(true);
    detail->Frame().SetDrawRight(true);
    detail->Frame().SetDrawBottom(true);
    const QList<int> edges = ColumnEdges(numberColumn);
    for (int column = 1; column + 1 < edges.size(); ++column)
        AddColumnRule(detail, edges[column], 0, kDetailHeight);
    int column = 0;
    if (numberColumn) {
        auto* number =
            PlaceControl<TBRSysData>(detail, ListCell(edges, column++, 0, kDetailHeight));
        number->SetData(brsDetailNo);
        number->SetAlignment(taRightJustify);
    }
    for (const QString& field : {QStringLiteral("COMPANY_NAME"), QStringLiteral("COMPANY_PHONE")}) {
        auto* text = PlaceControl<TBRDBText>(detail, ListCell(edges, column++, 0, kDetailHeight));
        text->SetDataSet(buffer);
        text->SetDataField(field);
    }
}

void TDeptReport::BuildPageFooter() {
    TBRBand* footer = NewListBand(*this, TBRBandType::rbPageFooter, kFooterHeight);
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
    auto* page = PlaceControl<TBRSysData>(footer, QRect(108, top, 36, height));
    page->SetData(brsPageNumber);
    page->SetAlignment(taCenter);
    PlaceLabel(footer, QRect(146, top, 16, height), QStringLiteral("页"));
    PlaceLabel(footer, QRect(500, top, 80, height), QStringLiteral("打印日期:"));
    auto* date = PlaceControl<TBRSysData>(footer, QRect(580, top, kListBodyWidth - 580, height));
    date->SetData(brsDate);
    date->SetFont(QFont(kFontName, 9));
}

} // namespace kx::staff

#include "moc_deptreports.cpp"
