#include "tablereport/userlistreport.h"

#include "core/appstate.h"
#include "frame/admin/userform.h"
#include "frame/data/kxquery.h"
#include "tablereport/kxexcel.h"
#include "tablereport/listreportlayout.h"
#include "tablereport/prevform.h"

#include <QAction>

namespace kx {
namespace {

// Design pixels at 96 dpi: 38 rows fit between the header and the footer.
constexpr int kHeaderHeight = 70;
constexpr int kDetailHeight = 24;
constexpr int kFooterHeight = 30;
constexpr int kTitleRowTop = 44;
constexpr int kMinRows = 38;

const QList<int> kEdges = {0, 110, 250, 350, 590, kListBodyWidth};
const QStringList kFields = {"USE_ID", "USE_NAME", "STOP_RIGHT", "NOTE", "CREATE_DATE"};
const QStringList kTitles = {"用户编号", "用户姓名", "用户状态", "备注", "注册日期"};

void AddRules(TBRCustomBand* band, int top, int height) {
    for (int index = 1; index + 1 < kEdges.size(); ++index)
        AddColumnRule(band, kEdges[index], top, height);
}

} // namespace

TUserListReport::TUserListReport(QObject* owner, db::TDataSet* users) : TBandRep(owner) {
    setObjectName(QStringLiteral("RepUser"));
    SetUpListPage(*this);
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
    TBRBand* header = NewListBand(*this, TBRBandType::rbPageHeader, kHeaderHeight);
    Title = PlaceControl<TBRSysData>(header, QRect(0, 6, kListBodyWidth, 30));
    Title->SetData(brsReportTitle);
    Title->SetAlignment(taCenter);
    const int rowHeight = kHeaderHeight - kTitleRowTop;
    auto* box = PlaceControl<TBRShape>(header, QRect(0, kTitleRowTop, kListBodyWidth, rowHeight));
    box->Brush = Qt::NoBrush;
    AddRules(header, kTitleRowTop, rowHeight);
    for (int column = 0; column < kTitles.size(); ++column)
        PlaceLabel(header, ListCell(kEdges, column, kTitleRowTop, rowHeight), kTitles[column])
            ->SetAlignment(taCenter);
}

void TUserListReport::BuildDetail(db::TDataSet* users) {
    TBRBand* detail = NewListBand(*this, TBRBandType::rbDetail, kDetailHeight);
    detail->Frame().SetDrawBottom(true);
    AddRules(detail, 0, kDetailHeight);
    for (int column = 0; column < kFields.size(); ++column) {
        auto* text = PlaceControl<TBRDBText>(detail, ListCell(kEdges, column, 0, kDetailHeight));
        text->SetDataSet(users);
        text->SetDataField(kFields[column]);
    }
}

void TUserListReport::BuildPageFooter() {
    TBRBand* footer = NewListBand(*this, TBRBandType::rbPageFooter, kFooterHeight);
    const int top = 8;
    const int height = 18;
    PlaceLabel(footer, QRect(0, top, 24, height), QStringLiteral("共:"));
    PageCountLabel = PlaceLabel(footer, QRect(26, top, 36, height), QString());
    PageCountLabel->setObjectName(QStringLiteral("PageCount"));
    PageCountLabel->SetAlignment(taCenter);
    PlaceLabel(footer, QRect(64, top, 16, height), QStringLiteral("页"));
    PlaceLabel(footer, QRect(100, top, 24, height), QStringLiteral("第:"));
    auto* page = PlaceControl<TBRSysData>(footer, QRect(126, top, 36, height));
    page->SetData(brsPageNumber);
    page->SetAlignment(taCenter);
    PlaceLabel(footer, QRect(164, top, 16, height), QStringLiteral("页"));
    PlaceLabel(footer, QRect(500, top, 80, height), QStringLiteral("打印日期:"));
    PlaceControl<TBRSysData>(footer, QRect(580, top, kListBodyWidth - 580, height))
        ->SetData(brsDate);
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
    PreviewWithPageCount(*report, report->PageCountLabel);
}

} // namespace kx

#include "moc_userlistreport.cpp"
