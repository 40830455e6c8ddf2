#include "bandreport/bandrep.h"
#include "platform/db/query.h"

#include <QImage>
#include <QLocale>
#include <QPainter>

#include <gtest/gtest.h>

#include <memory>

namespace kx {
namespace {

constexpr double kTolerance = 1e-3;

class BandRepTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        SetNewPrinterPaperSize([] { return TBRPaperSize::Default; });
        ASSERT_EQ(ScreenPixelsPerInch(), 96);
    }
    void TearDown() override {
        QLocale::setDefault(QLocale::system());
        SetNewPrinterPaperSize({});
    }

    TBRBand* AddBand(TBRBandType type) { return report_->CreateBand(type); }

    QObject form_;
    TBandRep* report_ = new TBandRep(&form_);
};

TEST_F(BandRepTest, ANewReportOnAMetricLocaleIsA4InMillimetres) {
    TBandRep report(&form_);
    EXPECT_EQ(report.Units(), TBRUnit::MM);
    EXPECT_EQ(report.Page().PaperSize(), TBRPaperSize::A4);
    EXPECT_EQ(report.Page().Orientation(), TBRPrinterOrientation::poPortrait);
    const TBRValues expected{100, 2970, 100, 2100, 100, 100, 0};
    ASSERT_EQ(report.Page().Values().size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(double(report.Page().Values().at(i)), double(expected.at(i)), kTolerance) << i;
    EXPECT_EQ(report.Font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(report.Font().pointSize(), 10);
    EXPECT_EQ(report.Options, TCustomBandRep::FirstPageHeader | TCustomBandRep::LastPageFooter);
    EXPECT_TRUE(report.PrintIfEmpty());
    EXPECT_EQ(report.Functions().FunctionText(QStringLiteral("PAGENUMBER")), QStringLiteral("0"));
    EXPECT_EQ(report.Functions().FunctionText(QStringLiteral("COLUMNNUMBER")), QStringLiteral("0"));
    EXPECT_EQ(report.Functions().FunctionText(QStringLiteral("REPORTTITLE")), QStringLiteral("''"));
}

TEST_F(BandRepTest, ANewReportOnAnInchLocaleIsLetterInInches) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TBandRep report(&form_);
    EXPECT_EQ(report.Units(), TBRUnit::Inches);
    EXPECT_EQ(report.Page().PaperSize(), TBRPaperSize::Letter);
    EXPECT_NEAR(double(report.Page().NativeDimension(TBRPage::TopMarginIndex)), 127, kTolerance);
    EXPECT_NEAR(double(report.Page().TopMargin()), 0.5, kTolerance);
}

TEST_F(BandRepTest, ANewReportTakesThePaperOfANewPrinter) {
    SetNewPrinterPaperSize([] { return TBRPaperSize::A5; });
    TBandRep report(&form_);
    EXPECT_EQ(report.Page().PaperSize(), TBRPaperSize::A5);
    EXPECT_NEAR(double(report.Page().NativeDimension(TBRPage::LengthIndex)), 2100, kTolerance);
}

TEST_F(BandRepTest, UnitsConvertFromTenthsOfAMillimetre) {
    const struct {
        TBRUnit units;
        double topMargin;
        double leftMargin;
    } cases[] = {
        {TBRUnit::MM, 10, 10},
        {TBRUnit::Inches, 0.393701, 0.393701},
        {TBRUnit::Pixels, 37.7953, 37.7953},
        {TBRUnit::Characters, 100 / (145.3 / 10 / 2.54) / 10, 100 / (80.0 / 10 / 2.54) / 10},
        {TBRUnit::Native, 100, 100},
    };
    for (const auto& c : cases) {
        report_->SetUnits(c.units);
        EXPECT_NEAR(double(report_->Page().TopMargin()), c.topMargin, kTolerance) << int(c.units);
        EXPECT_NEAR(double(report_->Page().LeftMargin()), c.leftMargin, kTolerance) << int(c.units);
        report_->Page().SetDimension(TBRPage::BottomMarginIndex, c.topMargin);
        EXPECT_NEAR(double(report_->Page().NativeDimension(TBRPage::BottomMarginIndex)), 100,
                    kTolerance)
            << int(c.units);
    }
    report_->SetUnits(TBRUnit::Pixels);
    report_->SetZoom(200);
    EXPECT_NEAR(double(report_->Page().TopMargin()), 75.5906, kTolerance);
}

TEST_F(BandRepTest, ABand26PixelsHighIsKeptInTenthsOfAMillimetre) {
    TBRBand* band = AddBand(TBRBandType::rbDetail);
    band->Size().PushPixels();
    band->Size().SetHeight(26);
    band->Size().PopUnits();
    EXPECT_NEAR(double(band->Size().Values().at(0)), 68.7917, kTolerance);
    EXPECT_EQ(band->Bounds().height(), 26);
    EXPECT_NEAR(double(band->Size().Height()), 6.87917, kTolerance);
}

TEST_F(BandRepTest, PaperSizeAndOrientationSetTheSheet) {
    TBRPage& page = report_->Page();
    page.SetUnits(TBRUnit::Native);
    page.SetOrientation(TBRPrinterOrientation::poLandscape);
    page.SetPaperSize(TBRPaperSize::A5);
    EXPECT_NEAR(double(page.Width()), 2100, kTolerance);
    EXPECT_NEAR(double(page.Length()), 1480, kTolerance);
    page.SetOrientation(TBRPrinterOrientation::poPortrait);
    EXPECT_NEAR(double(page.Width()), 1480, kTolerance);
    EXPECT_NEAR(double(page.Length()), 2100, kTolerance);

    // A row stored wider than long stays so.
    page.SetPaperSize(TBRPaperSize::Ledger);
    EXPECT_NEAR(double(page.Width()), 4318, kTolerance);
    EXPECT_NEAR(double(page.Length()), 2794, kTolerance);

    page.SetPaperSize(TBRPaperSize::A4);
    page.SetDimension(TBRPage::WidthIndex, 1000);
    EXPECT_NEAR(double(page.Width()), 2100, kTolerance);
    page.SetPaperSize(TBRPaperSize::Custom);
    EXPECT_NEAR(double(page.Width()), 2100, kTolerance);
    page.SetDimension(TBRPage::WidthIndex, 1000);
    EXPECT_NEAR(double(page.Width()), 1000, kTolerance);
}

TEST_F(BandRepTest, ZoomColumnsAndPreviewSizesIgnoreValuesOutOfRange) {
    for (int zoom : {0, 301, -5})
        report_->SetZoom(zoom);
    EXPECT_EQ(report_->Zoom(), 100);
    report_->SetZoom(300);
    EXPECT_EQ(report_->Zoom(), 300);
    report_->Page().SetColumns(0);
    EXPECT_EQ(report_->Page().Columns(), 1);
    report_->SetPreviewWidth(0);
    report_->SetPreviewHeight(-3);
    EXPECT_EQ(report_->PreviewWidth(), 500);
    EXPECT_EQ(report_->PreviewHeight(), 500);
}

TEST_F(BandRepTest, BandSwitchesCreateOneBandAndNamesTakeTheLowestFreeNumber) {
    report_->SetHasBand(TBRBandType::rbDetail, true);
    report_->SetHasBand(TBRBandType::rbDetail, true);
    ASSERT_EQ(report_->Bands().size(), 1);
    EXPECT_EQ(report_->Bands().at(0)->objectName(), QStringLiteral("DetailBand1"));
    EXPECT_EQ(report_->Bands().at(0)->parent(), &form_);
    EXPECT_EQ(AddBand(TBRBandType::rbDetail)->objectName(), QStringLiteral("DetailBand2"));
    EXPECT_EQ(AddBand(TBRBandType::rbPageFooter)->objectName(), QStringLiteral("PageFooterBand1"));

    report_->SetHasBand(TBRBandType::rbDetail, false);
    EXPECT_EQ(report_->Bands().size(), 2);
    EXPECT_EQ(AddBand(TBRBandType::rbDetail)->objectName(), QStringLiteral("DetailBand1"));
    EXPECT_FALSE(report_->HasBand(TBRBandType::rbTitle));
}

TEST_F(BandRepTest, CircularLinksAreRefusedAndTheOldValueStays) {
    TBRBand* a = AddBand(TBRBandType::rbDetail);
    TBRBand* b = AddBand(TBRBandType::rbDetail);
    TBRBand* c = AddBand(TBRBandType::rbDetail);
    EXPECT_TRUE(b->SetLinkBand(a));
    EXPECT_TRUE(c->SetLinkBand(b));
    EXPECT_FALSE(a->SetLinkBand(c));
    EXPECT_FALSE(a->SetLinkBand(a));
    EXPECT_EQ(a->LinkBand(), nullptr);

    auto* first = new TBRChildBand(&form_);
    auto* second = new TBRChildBand(&form_);
    EXPECT_TRUE(first->SetParentBand(a));
    EXPECT_TRUE(second->SetParentBand(first));
    EXPECT_FALSE(first->SetParentBand(second));
    EXPECT_EQ(first->ParentBand(), a);

    auto* outer = new TBRSubDetail(&form_);
    auto* inner = new TBRSubDetail(&form_);
    EXPECT_TRUE(outer->SetMaster(report_));
    EXPECT_TRUE(inner->SetMaster(outer));
    EXPECT_FALSE(outer->SetMaster(inner));
    EXPECT_FALSE(outer->SetMaster(&form_));
    EXPECT_EQ(outer->Master(), report_);
}

TEST_F(BandRepTest, HeightWithLinksAddsTheLinkedBandsInTenthsOfAMillimetre) {
    report_->SetUnits(TBRUnit::Native);
    TBRBand* a = AddBand(TBRBandType::rbDetail);
    TBRBand* b = AddBand(TBRBandType::rbDetail);
    TBRBand* c = AddBand(TBRBandType::rbDetail);
    a->Size().SetHeight(100);
    b->Size().SetHeight(50);
    c->Size().SetHeight(7);
    a->SetLinkBand(b);
    b->SetLinkBand(c);
    EXPECT_NEAR(double(a->HeightWithLinks(true)), 157, kTolerance);
    EXPECT_NEAR(double(a->HeightWithLinks(false)), 100, kTolerance);
}

TEST_F(BandRepTest, FreedObjectsLeaveNoReferencesBehind) {
    auto* group = new TBRGroup(&form_);
    TBRBand* footer = AddBand(TBRBandType::rbDetail);
    group->SetFooterBand(footer);
    EXPECT_EQ(footer->BandType(), TBRBandType::rbGroupFooter);
    delete footer;
    EXPECT_EQ(group->FooterBand(), nullptr);

    auto dataSet = std::make_unique<db::TQuery>();
    report_->SetDataSet(dataSet.get());
    EXPECT_EQ(report_->DataSet(), dataSet.get());
    dataSet.reset();
    EXPECT_EQ(report_->DataSet(), nullptr);
}

QStringList Captions(const TCustomBandRep& report) {
    QStringList captions;
    for (TBRCustomBand* band : report.Bands())
        captions.append(band->objectName().isEmpty() ? band->Caption() : band->objectName());
    return captions;
}

TEST_F(BandRepTest, BandsAreKeptInPrintOrderWhateverTheirPlacing) {
    AddBand(TBRBandType::rbPageFooter)->setObjectName(QStringLiteral("pagefooter"));
    AddBand(TBRBandType::rbSummary)->setObjectName(QStringLiteral("summary"));
    TBRBand* detail = AddBand(TBRBandType::rbDetail);
    detail->setObjectName(QStringLiteral("detail"));
    TBRBand* groupFooter = AddBand(TBRBandType::rbDetail);
    groupFooter->setObjectName(QStringLiteral("groupfooter"));
    auto* inner = new TBRGroup(&form_);
    inner->setObjectName(QStringLiteral("innergroup"));
    auto* outer = new TBRGroup(&form_);
    outer->setObjectName(QStringLiteral("outergroup"));
    AddBand(TBRBandType::rbTitle)->setObjectName(QStringLiteral("title"));
    AddBand(TBRBandType::rbPageHeader)->setObjectName(QStringLiteral("pageheader"));
    AddBand(TBRBandType::rbOverlay)->setObjectName(QStringLiteral("overlay"));
    inner->SetParentReport(report_);
    outer->SetParentReport(report_);
    inner->SetMaster(report_);
    outer->SetMaster(report_);
    outer->SetFooterBand(groupFooter);
    detail->SetHasChild(true);

    EXPECT_EQ(Captions(*report_),
              (QStringList{"pageheader", "title", "innergroup", "outergroup", "detail", "Child",
                           "groupfooter", "summary", "pagefooter", "overlay"}));

    detail->SetHasChild(false);
    EXPECT_EQ(Captions(*report_),
              (QStringList{"pageheader", "title", "innergroup", "outergroup", "detail",
                           "groupfooter", "summary", "pagefooter", "overlay"}));
}

TEST_F(BandRepTest, SubDetailsPrintBeforeOrAfterTheMasterDetail) {
    TBRBand* detail = AddBand(TBRBandType::rbDetail);
    detail->setObjectName(QStringLiteral("detail"));
    auto* sub = new TBRSubDetail(&form_);
    sub->setObjectName(QStringLiteral("sub"));
    sub->SetParentReport(report_);
    sub->SetMaster(report_);
    sub->SetHasHeader(true);
    sub->SetHasFooter(true);
    sub->HeaderBand()->setObjectName(QStringLiteral("subheader"));
    sub->FooterBand()->setObjectName(QStringLiteral("subfooter"));
    report_->RebuildBandOrder();
    EXPECT_EQ(Captions(*report_), (QStringList{"detail", "subheader", "sub", "subfooter"}));
    sub->SetPrintBefore(true);
    EXPECT_EQ(Captions(*report_), (QStringList{"subheader", "sub", "subfooter", "detail"}));
    sub->SetHasFooter(false);
    EXPECT_EQ(Captions(*report_), (QStringList{"subheader", "sub", "detail"}));
}

TEST_F(BandRepTest, BandsAreLaidOutDownThePageWithPageAndColumnWidths) {
    report_->Page().SetColumns(2);
    report_->SetUnits(TBRUnit::Pixels);
    report_->Page().SetDimension(TBRPage::ColumnSpaceIndex, 10);
    TBRBand* title = AddBand(TBRBandType::rbTitle);
    TBRBand* detail = AddBand(TBRBandType::rbDetail);
    title->Size().SetHeight(30);
    // A4 at 96 pixels per inch is 794 wide; margins of 10 mm are 38.
    EXPECT_EQ(title->Bounds(), QRect(38, 38, 794 - 76, 30));
    EXPECT_EQ(detail->Bounds(), QRect(38, 68, (794 - 76 - 10) / 2, 40));
}

TEST_F(BandRepTest, FrameLinesAreStripsOfTheWidthInPointsAtTheDeviceScale) {
    TBRFrame frame;
    const long double screen = 96.0L / 254;
    const long double printer = 600.0L / 254;
    EXPECT_EQ(frame.Thickness(screen), 1);
    EXPECT_EQ(frame.Thickness(printer), 8);
    frame.SetWidth(0);
    EXPECT_EQ(frame.Thickness(printer), 0);
    frame.SetWidth(-1);
    EXPECT_EQ(frame.Thickness(printer), 1);

    frame.SetWidth(2);
    frame.SetDrawTop(true);
    frame.SetDrawRight(true);
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter canvas(&image);
        frame.PaintFrame(canvas, QRect(2, 2, 10, 10), screen, screen);
    }
    // 2 points at screen scale are round(2.667) = 3 pixels.
    EXPECT_EQ(image.pixelColor(2, 4), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(2, 5), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(9, 11), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(8, 11), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(12, 2), QColor(Qt::white));
}

} // namespace
} // namespace kx
