#include "tablereport/userlistreport.h"

#include "bandreport/brprintable.h"
#include "bandreport/brprinter.h"
#include "core/appstate.h"
#include "frame/admin/userform.h"
#include "frame/data/kxquery.h"
#include "tablereport/kxexcel.h"
#include "tablereport/prevform.h"

#include <QAction>

#include <type_traits>

namespace kx {
namespace {

// Design pixels at 96 dpi: an A4 page less its 10 mm margins is 718 wide,
// and 38 rows fit between the header and the footer.
constexpr int kBodyWidth = 718;
constexpr int kHeaderHeight = 70;
constexpr int kDetailHeight = 24;
constexpr int kFooterHeight = 30;
constexpr int kTitleRowTop = 44;
constexpr int kCellInset = 4;
constexpr int kMinRows = 38;
constexpr long double kMarginMM = 10;

const QList<int> kEdges = {0, 110, 250, 350, 590, kBodyWidth};
const QStringList kFields = {"USE_ID", "USE_NAME", "STOP_RIGHT", "NOTE", "CREATE_DATE"};
const QStringList kTitles = {"用户编号", "用户姓名", "用户状态", "备注", "注册日期"};

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

void AddRules(TBRCustomBand* band, int top, int height) {
    for (int index = 1; index + 1 < kEdges.size(); ++index) {
        auto* rule = Place<TBRShape>(band, QRect(kEdges[index], top, 1, height));
        rule->Shape = brsVertLine;
    }
}

QRect Cell(int column, int top, int height) {
    return QRect(kEdges[column] + kCellInset, top + kCellInset / 2,
                 kEdges[column + 1] - kEdges[column] - 2 * kCellInset, height - kCellInset);
}

} // namespace

TUserListReport::TUserListReport(QObject* owner, db::TDataSet* users) : TBandRep(owner) {
    setObjectName(QStringLiteral("RepUser"));
    SetUnits(TBRUnit::MM);
    Page().SetPaperSize(TBRPaperSize::A4);
    for (int index : {TBRPage::TopMarginIndex, TBRPage::BottomMarginIndex, TBRPage::LeftMarginIndex,
                      TBRPage::RightMarginIndex})
        Page().SetDimension(index, kMarginMM);
    Options = FirstPageHeader | LastPageFooter;
    for (auto setSide : {&TBRFrame::SetDrawTop, &TBRFrame::SetDrawBottom, &TBRFrame::SetDrawLeft,
                         &TBRFrame::SetDrawRight})
        (Frame().*setSide)(true);
    SetDataSet(users);
    BuildPageHeader();
    BuildDetail(users);
    BuildPageFooter();
    ApplyLanguage(AppLanguage);
    OnStartPage = [this](TCustomBandRep*) { SetMinDetailRows(kMinRows); };
    OnPreview = [this](QObject* printer) { Preview(printer); };
}

void TUserListReport::ApplyLanguage(const QString& language) {
    const bool simplified = language == QStringLiteral("GB");
    const QString family = simplified ? QStringLiteral("宋体") : QStringLiteral("新細明體");
    SetFont(QFont(family, simplified ? 10 : 11));
    Title->SetFont(QFont(family, 16));
}

void TUserListReport::BuildPageHeader() {
    TBRBand* header = NewBand(*this, TBRBandType::rbPageHeader, kHeaderHeight);
    Title = Place<TBRSysData>(header, QRect(0, 6, kBodyWidth, 30));
    Title->SetData(brsReportTitle);
    Title->SetAlignment(taCenter);
    const int rowHeight = kHeaderHeight - kTitleRowTop;
    auto* box = Place<TBRShape>(header, QRect(0, kTitleRowTop, kBodyWidth, rowHeight));
    box->Brush = Qt::NoBrush;
    AddRules(header, kTitleRowTop, rowHeight);
    for (int column = 0; column < kTitles.size(); ++column)
        PlaceLabel(header, Cell(column, kTitleRowTop, rowHeight), kTitles[column])
            ->SetAlignment(taCenter);
}

void TUserListReport::BuildDetail(db::TDataSet* users) {
    TBRBand* detail = NewBand(*this, TBRBandType::rbDetail, kDetailHeight);
    detail->Frame().SetDrawBottom(true);
    AddRules(detail, 0, kDetailHeight);
    for (int column = 0; column < kFields.size(); ++column) {
        auto* text = Place<TBRDBText>(detail, Cell(column, 0, kDetailHeight));
        text->SetDataSet(users);
        text->SetDataField(kFields[column]);
    }
}

void TUserListReport::BuildPageFooter() {
    TBRBand* footer = NewBand(*this, TBRBandType::rbPageFooter, kFooterHeight);
    const int top = 8;
    const int height = 18;
    PlaceLabel(footer, QRect(0, top, 24, height), QStringLiteral("共:"));
    PageCountLabel = PlaceLabel(footer, QRect(26, top, 36, height), QString());
    PageCountLabel->setObjectName(QStringLiteral("PageCount"));
    PageCountLabel->SetAlignment(taCenter);
    PlaceLabel(footer, QRect(64, top, 16, height), QStringLiteral("页"));
    PlaceLabel(footer, QRect(100, top, 24, height), QStringLiteral("第:"));
    auto* page = Place<TBRSysData>(footer, QRect(126, top, 36, height));
    page->SetData(brsPageNumber);
    page->SetAlignment(taCenter);
    PlaceLabel(footer, QRect(164, top, 16, height), QStringLiteral("页"));
    PlaceLabel(footer, QRect(500, top, 80, height), QStringLiteral("打印日期:"));
    Place<TBRSysData>(footer, QRect(580, top, kBodyWidth - 580, height))->SetData(brsDate);
}

void TUserListReport::Preview(QObject* printer) {
    TPrevForm* form = CreatePrevForm(qobject_cast<QWidget*>(parent()), printer);
    form->ExcelNumberColumn = true;
    form->Button_Excel->setVisible(true);
    form->KXExcel->SetDataSet(DataSet());
    form->KXExcel->SetReportName(ReportTitle);
    for (int column = 0; column < kFields.size(); ++column)
        form->ExcelFields.append(
            {kFields[column], {}, column == 4 ? QStringLiteral("建档日期") : kTitles[column]});
    form->show();
}

void PrintUserList(TUserForm& window) {
    auto* report = window.findChild<TUserListReport*>(QStringLiteral("RepUser"));
    if (!report)
        report = new TUserListReport(&window, window.Query);
    report->ApplyLanguage(AppLanguage);
    report->ReportTitle = QStringLiteral("用户列表");
    report->PreparePages();
    const int pages = report->ActivePrinter->PageCount();
    report->FreeActivePrinter();
    report->PageCountLabel->SetCaption(QString::number(pages));
    report->ShowPreviewAndWait();
}

} // namespace kx

#include "moc_userlistreport.cpp"
