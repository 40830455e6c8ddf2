#include "bandreport/bandrep.h"
#include "bandreport/brerror.h"
#include "bandreport/brexportfilter.h"
#include "bandreport/brpreview.h"
#include "bandreport/brprintable.h"
#include "bandreport/brprinter.h"
#include "bandreport/brtextsearch.h"
#include "tests/platform/db/dbfixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace kx {
namespace {

class TextRecorder : public TBRExportFilter {
public:
    TextRecorder() : TBRExportFilter(QString()) {}
    void NewPage() override { Pages.append(QStringList()); }
    void PutText(long double, long double, const QFont&, quint32, Qt::Alignment,
                 const QString& text) override {
        Pages.last().append(text);
    }
    void PutShape(int x, int y, const QObject* control) override {
        const auto* shape = static_cast<const TBRShape*>(control);
        Shapes.append({shape->Shape, QRect(QPoint(x, y), shape->Bounds().size()),
                       shape->Brush.style() != Qt::NoBrush});
    }
    struct TPlacedShape {
        TBRShapeType Type;
        QRect Rect;
        bool Filled;
    };
    QList<QStringList> Pages;
    QList<TPlacedShape> Shapes;
};

// One print of a band: its name, the page and the cursor it printed at.
struct TBandPrint {
    QString Band;
    int Page;
    long double Y;
    long double X;
};

// A4 with 10 mm margins: 2770 tenths between them. Page header and footer
// of 100 leave 2570, room for 25 detail rows of 100.
class ReportRunTest : public db::test::DbTest {
protected:
    void SetUp() override {
        if (!print::InstalledPrinters().isEmpty())
            GTEST_SKIP() << "print queues are installed";
        ASSERT_TRUE(folder_.isValid());
        print::SetPdfFolder(folder_.filePath(QStringLiteral("temp")));
        SetNewPrinterPaperSize([] { return TBRPaperSize::Default; });
        Exec({"CREATE TABLE RUN_TABLE (ID INTEGER, GRP VARCHAR(10), AMOUNT INTEGER)"});
        report_.setObjectName(QStringLiteral("Report"));
        report_.SetUnits(TBRUnit::Native);
        report_.Page().SetPaperSize(TBRPaperSize::A4);
        pageHeader_ = AddBand(TBRBandType::rbPageHeader, "header", 100);
        detail_ = AddBand(TBRBandType::rbDetail, "detail", 100);
        pageFooter_ = AddBand(TBRBandType::rbPageFooter, "footer", 100);
    }
    void TearDown() override { SetNewPrinterPaperSize({}); }

    void Fill(int rows, int perGroup = 1000) {
        QStringList statements;
        for (int row = 1; row <= rows; ++row)
            statements.append(QStringLiteral("INSERT INTO RUN_TABLE VALUES (%1, 'G%2', %3)")
                                  .arg(row)
                                  .arg((row - 1) / perGroup + 1)
                                  .arg(row));
        for (const QString& statement : statements)
            Exec({statement.toStdString().c_str()});
        query_ = NewQuery("SELECT * FROM RUN_TABLE ORDER BY ID");
        query_->setObjectName(QStringLiteral("Query"));
        query_->Open();
        report_.SetDataSet(query_);
    }

    TBRBand* AddBand(TBRBandType type, const char* name, long double height) {
        TBRBand* band = report_.CreateBand(type);
        band->setObjectName(QString::fromLatin1(name));
        band->Size().SetHeight(height);
        Record(band);
        return band;
    }

    void Record(TBRCustomBand* band) {
        band->AfterPrint = [this](TBRCustomBand* sender, bool printed) {
            if (printed)
                prints_.append(
                    {sender->objectName(), report_.CurrentPage, report_.CursorY, report_.CursorX});
        };
    }

    QList<int> DetailsPerPage() const {
        QList<int> counts;
        for (const TBandPrint& print : prints_) {
            if (print.Band != QStringLiteral("detail"))
                continue;
            while (counts.size() < print.Page)
                counts.append(0);
            ++counts[print.Page - 1];
        }
        return counts;
    }

    QStringList Sequence() const {
        QStringList names;
        for (const TBandPrint& print : prints_)
            names.append(print.Band);
        return names;
    }

    int Prepare() {
        report_.PreparePages();
        const int pages = report_.ActivePrinter->PageCount();
        report_.FreeActivePrinter();
        return pages;
    }

    QTemporaryDir folder_;
    QObject form_;
    TBandRep report_{&form_};
    TBRBand* pageHeader_ = nullptr;
    TBRBand* detail_ = nullptr;
    TBRBand* pageFooter_ = nullptr;
    db::TQuery* query_ = nullptr;
    QList<TBandPrint> prints_;
};

TEST_F(ReportRunTest, DetailRowsFillPagesBetweenHeaderAndFooter) {
    Fill(60);
    EXPECT_EQ(Prepare(), 3);
    EXPECT_EQ(DetailsPerPage(), (QList<int>{25, 25, 10}));
    ASSERT_FALSE(prints_.isEmpty());
    EXPECT_EQ(prints_.at(0).Band, QStringLiteral("header"));
    EXPECT_NEAR(double(prints_.at(0).Y), 200, 1e-9);
    EXPECT_EQ(prints_.last().Band, QStringLiteral("footer"));
    EXPECT_NEAR(double(prints_.last().Y), 2970 - 100, 1e-9);
    EXPECT_FALSE(report_.Running);
}

TEST_F(ReportRunTest, TheMinimumRowsPadTheLastPage) {
    const struct {
        int records;
        int minimum;
        bool summary;
        QList<int> perPage;
    } cases[] = {
        {10, 20, false, {20}},
        {10, 20, true, {19}},
        {40, 25, false, {25, 25}},
        {40, 25, true, {25, 24}},
        // More rows asked for than a page holds: the fill ends with the page.
        {10, 40, false, {25}},
    };
    for (const auto& c : cases) {
        Exec({"DELETE FROM RUN_TABLE"});
        Fill(c.records);
        prints_.clear();
        report_.SetIsSummany(c.summary);
        report_.OnStartPage = [&c](TCustomBandRep* sender) {
            static_cast<TBandRep*>(sender)->SetMinDetailRows(c.minimum);
        };
        Prepare();
        EXPECT_EQ(DetailsPerPage(), c.perPage) << c.records << " " << c.minimum << " " << c.summary;
    }
}

TEST_F(ReportRunTest, AnEmptyDataSetPrintsOnePageOnlyWithPrintIfEmpty) {
    Fill(0);
    AddBand(TBRBandType::rbTitle, "title", 100);
    AddBand(TBRBandType::rbSummary, "summary", 100);
    EXPECT_EQ(Prepare(), 1);
    EXPECT_EQ(Sequence(), (QStringList{"header", "title", "detail", "summary", "footer"}));
    prints_.clear();
    report_.SetPrintIfEmpty(false);
    EXPECT_EQ(Prepare(), 0);
    EXPECT_TRUE(prints_.isEmpty());
}

TEST_F(ReportRunTest, GroupsPrintHeadersAndFootersWithTheirTotals) {
    Fill(5, 2);
    auto* group = new TBRGroup(&form_);
    group->setObjectName(QStringLiteral("group"));
    group->Expression = QStringLiteral("Query.GRP");
    group->SetParentReport(&report_);
    group->SetMaster(&report_);
    Record(group);
    TBRBand* groupFooter = AddBand(TBRBandType::rbGroupFooter, "groupfooter", 100);
    group->SetFooterBand(groupFooter);
    auto* total = new TBRExpr(groupFooter);
    total->SetBounds(QRect(0, 0, 200, 20));
    total->SetExpression(QStringLiteral("SUM(Query.AMOUNT)"));
    total->ResetAfterPrint = true;
    auto* name = new TBRDBText(group);
    name->SetBounds(QRect(0, 0, 200, 20));
    name->SetDataSet(query_);
    name->SetDataField(QStringLiteral("GRP"));

    TextRecorder recorder;
    report_.ExportWithFilter(&recorder);
    ASSERT_EQ(recorder.Pages.size(), 1);
    EXPECT_EQ(recorder.Pages.at(0), (QStringList{"G1", "3", "G2", "7", "G3", "5"}));
    QStringList sequence = Sequence();
    sequence.removeAll(QStringLiteral("header"));
    sequence.removeAll(QStringLiteral("footer"));
    EXPECT_EQ(sequence, (QStringList{"group", "detail", "detail", "groupfooter", "group", "detail",
                                     "detail", "groupfooter", "group", "detail", "groupfooter"}));
}

// With and without a title before the first group.
class ForcedPageTest : public ReportRunTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ForcedPageTest, AForcedNewPageSkipsTheFirstGroupOnly) {
    Fill(6, 2);
    if (GetParam())
        AddBand(TBRBandType::rbTitle, "title", 100);
    auto* group = new TBRGroup(&form_);
    group->setObjectName(QStringLiteral("group"));
    group->Expression = QStringLiteral("Query.GRP");
    group->ForceNewPage = true;
    group->SetParentReport(&report_);
    group->SetMaster(&report_);
    Record(group);
    EXPECT_EQ(Prepare(), 3);
    EXPECT_EQ(DetailsPerPage(), (QList<int>{2, 2, 2}));
}

INSTANTIATE_TEST_SUITE_P(TitleOrNot, ForcedPageTest, ::testing::Bool());

TEST_F(ReportRunTest, ColumnsFillSideBySideBelowTheTitle) {
    Fill(30);
    report_.Page().SetColumns(2);
    report_.Page().SetDimension(TBRPage::ColumnSpaceIndex, 50);
    AddBand(TBRBandType::rbTitle, "title", 100);
    EXPECT_EQ(Prepare(), 1);
    EXPECT_EQ(DetailsPerPage(), (QList<int>{30}));
    QList<TBandPrint> details;
    for (const TBandPrint& print : prints_)
        if (print.Band == QStringLiteral("detail"))
            details.append(print);
    // 24 rows fit below the title; the second column starts at its top.
    EXPECT_NEAR(double(details.at(24).X),
                double(details.at(0).X + 50 + RoundEven(detail_->Size().NativeWidth())), 1e-9);
    EXPECT_NEAR(double(details.at(24).Y), double(details.at(0).Y), 1e-9);
}

TEST_F(ReportRunTest, PageNumbersAndTheTitleReachExpressions) {
    Fill(30);
    auto* number = new TBRExpr(pageFooter_);
    number->SetBounds(QRect(0, 0, 200, 20));
    number->SetExpression(QStringLiteral("'Page '+PAGENUMBER"));
    auto* title = new TBRExpr(pageHeader_);
    title->SetBounds(QRect(0, 0, 200, 20));
    title->SetExpression(QStringLiteral("REPORTTITLE"));
    report_.ReportTitle = QStringLiteral("部门清单");
    TextRecorder recorder;
    report_.ExportWithFilter(&recorder);
    ASSERT_EQ(recorder.Pages.size(), 2);
    EXPECT_EQ(recorder.Pages.at(0), (QStringList{"部门清单", "Page 1"}));
    EXPECT_EQ(recorder.Pages.at(1), (QStringList{"部门清单", "Page 2"}));
}

TEST_F(ReportRunTest, AFailedRunLeavesTheReportReadyForTheNext) {
    Fill(3);
    detail_->BeforePrint = [](TBRCustomBand*, bool&) {
        throw EBRError(QStringLiteral("the band failed"));
    };
    EXPECT_THROW(report_.PreparePages(), EBRError);
    EXPECT_FALSE(report_.Running);
    report_.FreeActivePrinter();
    detail_->BeforePrint = {};
    EXPECT_EQ(Prepare(), 1);
}

TEST_F(ReportRunTest, WithoutTheLastPageFooterASummaryAtTheBottomSitsOnTheMargin) {
    Fill(10);
    TBRBand* summary = AddBand(TBRBandType::rbSummary, "summary", 100);
    summary->AlignToBottom = true;
    report_.Options = TCustomBandRep::FirstPageHeader;
    EXPECT_EQ(Prepare(), 1);
    ASSERT_EQ(prints_.last().Band, QStringLiteral("summary"));
    // The cursor after the print is the band's bottom: the bottom margin.
    EXPECT_NEAR(double(prints_.last().Y), 2970 - 100, 1e-9);
    EXPECT_FALSE(Sequence().contains(QStringLiteral("footer")));
}

TEST_F(ReportRunTest, AnExportAskedForDuringARunIsRefused) {
    Fill(3);
    QString refusal;
    TextRecorder recorder;
    detail_->AfterPrint = [&](TBRCustomBand*, bool) {
        try {
            report_.ExportWithFilter(&recorder);
        } catch (const EBRError& error) {
            refusal = error.Message();
        }
    };
    EXPECT_EQ(Prepare(), 1);
    EXPECT_EQ(refusal, QStringLiteral("The report cannot be exported while it is running"));
    EXPECT_TRUE(recorder.Pages.isEmpty());
}

TEST_F(ReportRunTest, AnExportGetsBackgroundsAndFramesAsShapes) {
    Fill(1);
    pageHeader_->TransparentBand = true;
    pageFooter_->TransparentBand = true;
    detail_->Frame().SetDrawTop(true);
    detail_->Frame().SetDrawBottom(true);
    detail_->Frame().SetDrawLeft(true);
    detail_->Frame().SetDrawRight(true);
    auto* label = new TBRLabel(detail_);
    label->SetCaption(QStringLiteral("x"));
    label->Color = 0x0000FF;
    label->Frame().SetDrawLeft(true);
    TextRecorder recorder;
    report_.ExportWithFilter(&recorder);
    ASSERT_EQ(recorder.Shapes.size(), 5);
    // The band's background and its outline share the band's rectangle.
    EXPECT_EQ(recorder.Shapes.at(0).Type, brsRectangle);
    EXPECT_TRUE(recorder.Shapes.at(0).Filled);
    // The label: its colour, then its frame's fill and its one side.
    EXPECT_TRUE(recorder.Shapes.at(1).Filled);
    EXPECT_EQ(recorder.Shapes.at(2).Type, brsRectangle);
    EXPECT_EQ(recorder.Shapes.at(3).Type, brsVertLine);
    EXPECT_EQ(recorder.Shapes.at(4).Type, brsRectangle);
    EXPECT_FALSE(recorder.Shapes.at(4).Filled);
    EXPECT_EQ(recorder.Shapes.at(4).Rect.topLeft(), recorder.Shapes.at(0).Rect.topLeft());
}

TEST_F(ReportRunTest, PagesNotMadeWholeArePrintedByTheReportAnew) {
    Fill(3);
    QStringList pdfs;
    print::SetPdfViewer([&pdfs](const QString& fileName) { pdfs.append(fileName); });
    report_.GenerateReport();
    prints_.clear();
    report_.ActivePrinter->PrintStoredPages();
    EXPECT_TRUE(pdfs.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(pdfs.size(), 1);
    EXPECT_FALSE(prints_.isEmpty());
    report_.FreeActivePrinter();

    report_.PreparePages();
    prints_.clear();
    report_.ActivePrinter->PrintStoredPages();
    QCoreApplication::processEvents();
    EXPECT_EQ(pdfs.size(), 2);
    EXPECT_TRUE(prints_.isEmpty());
    report_.FreeActivePrinter();
    print::SetPdfViewer({});
}

TEST_F(ReportRunTest, PrintingWritesThePagesToThePdfFile) {
    Fill(60);
    QStringList shown;
    print::SetPdfViewer([&shown](const QString& fileName) { shown.append(fileName); });
    report_.PrintToPrinter();
    print::SetPdfViewer({});
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(QFile::exists(shown.at(0)));
    EXPECT_EQ(DetailsPerPage(), (QList<int>{25, 25, 10}));
}

TEST_F(ReportRunTest, AFullReportPrintsPreviewsAndKeepsItsPagesInAPageFile) {
    Fill(60, 20);
    AddBand(TBRBandType::rbTitle, "title", 150);
    TBRBand* columns = AddBand(TBRBandType::rbColumnHeader, "columns", 100);
    auto* caption = new TBRLabel(columns);
    caption->SetCaption(QStringLiteral("金额"));
    auto* group = new TBRGroup(&form_);
    group->Expression = QStringLiteral("Query.GRP");
    group->SetParentReport(&report_);
    group->SetMaster(&report_);
    TBRBand* groupFooter = AddBand(TBRBandType::rbGroupFooter, "groupfooter", 100);
    group->SetFooterBand(groupFooter);
    auto* total = new TBRExpr(groupFooter);
    total->SetExpression(QStringLiteral("'合计 '+SUM(Query.AMOUNT)"));
    total->ResetAfterPrint = true;
    auto* amount = new TBRDBText(detail_);
    amount->SetDataSet(query_);
    amount->SetDataField(QStringLiteral("AMOUNT"));

    QStringList pdfs;
    print::SetPdfViewer([&pdfs](const QString& fileName) { pdfs.append(fileName); });
    report_.PrintToPrinter();
    print::SetPdfViewer({});
    ASSERT_EQ(pdfs.size(), 1);
    QFile pdf(pdfs.at(0));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_GT(pdf.size(), 0);

    report_.PreparePages();
    TBRPrinter* printer = report_.ActivePrinter;
    const int pages = printer->PageCount();
    EXPECT_EQ(pages, 3);
    TBRPreview preview;
    preview.resize(400, 600);
    preview.AttachPrinter(printer);
    preview.FitWholePage();
    const QImage shown = preview.Image()->grab().toImage();
    int inked = 0;
    for (int y = 5; y < shown.height() - 10; ++y)
        for (int x = 5; x < shown.width() - 10; ++x)
            inked += qGray(shown.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(inked, 0);
    preview.AttachPrinter(nullptr);

    const QString fileName = folder_.filePath(QStringLiteral("report.brp"));
    printer->SavePageFile(fileName);
    TBRPrinter loaded;
    loaded.LoadPageFile(fileName);
    ASSERT_EQ(loaded.PageCount(), pages);
    for (int page = 1; page <= pages; ++page)
        EXPECT_EQ(loaded.PageMetafile(page)->Save(), printer->PageMetafile(page)->Save()) << page;
    report_.FreeActivePrinter();
}

// The program list that every data folder ships with, grouped by program
// group: title, column header, a row per program, a group footer with the
// sum of the program ids and a page footer with the page number.
TEST_F(ReportRunTest, AShippedTablePrintsPreviewsAndKeepsItsPagesAsAReport) {
    db::TQuery* programs =
        NewQuery(QStringLiteral("SELECT * FROM SYS_PROGRAM_TABLE ORDER BY COMPOSE_ID, PROGRAM_ID"));
    programs->setObjectName(QStringLiteral("Programs"));
    programs->Open();
    report_.SetDataSet(programs);
    report_.ReportTitle = QStringLiteral("程序清单");
    const auto place = [](auto* control, int left, int width) {
        control->AutoSize = false;
        control->SetBounds(QRect(left, 2, width, 30));
        return control;
    };
    place(new TBRSysData(AddBand(TBRBandType::rbTitle, "title", 150)), 0, 400)
        ->SetData(brsReportTitle);
    TBRBand* columns = AddBand(TBRBandType::rbColumnHeader, "columns", 100);
    place(new TBRLabel(columns), 0, 300)->SetCaption(QStringLiteral("程序名称"));
    place(new TBRLabel(columns), 320, 200)->SetCaption(QStringLiteral("程序号"));
    for (const auto& [field, left] : {std::pair{"PROGRAM_NAME", 0}, std::pair{"PROGRAM_ID", 320}}) {
        auto* text = place(new TBRDBText(detail_), left, 300);
        text->SetDataSet(programs);
        text->SetDataField(QString::fromLatin1(field));
    }
    auto* group = new TBRGroup(&form_);
    group->Expression = QStringLiteral("Programs.COMPOSE_ID");
    group->SetParentReport(&report_);
    group->SetMaster(&report_);
    TBRBand* groupFooter = AddBand(TBRBandType::rbGroupFooter, "groupfooter", 100);
    group->SetFooterBand(groupFooter);
    auto* sum = place(new TBRExpr(groupFooter), 0, 400);
    sum->SetExpression(QStringLiteral("'小计 '+STR(SUM(Programs.PROGRAM_ID))"));
    sum->ResetAfterPrint = true;
    auto* page = place(new TBRSysData(pageFooter_), 0, 300);
    page->SetData(brsPageNumber);
    page->SetText(QStringLiteral("第 "));

    QStringList pdfs;
    print::SetPdfViewer([&pdfs](const QString& fileName) { pdfs.append(fileName); });
    report_.PrintToPrinter();
    print::SetPdfViewer({});
    ASSERT_EQ(pdfs.size(), 1);
    EXPECT_GT(QFileInfo(pdfs.at(0)).size(), 0);

    report_.PreparePages();
    TBRPrinter* printer = report_.ActivePrinter;
    ASSERT_EQ(printer->PageCount(), 1);
    QStringList expected{QStringLiteral("程序清单"), QStringLiteral("程序名称"),
                         QStringLiteral("程序号")};
    for (const QString& name : Column(QStringLiteral(
             "SELECT PROGRAM_NAME FROM SYS_PROGRAM_TABLE ORDER BY COMPOSE_ID, PROGRAM_ID")))
        expected.append(name);
    for (const QString& total : Column(QStringLiteral(
             "SELECT SUM(PROGRAM_ID) FROM SYS_PROGRAM_TABLE GROUP BY COMPOSE_ID ORDER BY 1")))
        expected.append(QStringLiteral("小计 ") + QString::number(total.toDouble()));
    expected.append(QStringLiteral("第 1"));
    const QStringList drawn = PageTexts(*printer->PageMetafile(1));
    for (const QString& text : expected)
        EXPECT_TRUE(drawn.contains(text)) << text.toStdString();

    TBRPreview preview;
    preview.resize(500, 700);
    preview.AttachPrinter(printer);
    preview.FitWholePage();
    const QImage shown = preview.Image()->grab().toImage();
    int inked = 0;
    for (int y = 0; y < shown.height() / 4; ++y)
        for (int x = 5; x < shown.width() - 10; ++x)
            inked += qGray(shown.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(inked, 50);
    preview.AttachPrinter(nullptr);

    const QString fileName = folder_.filePath(QStringLiteral("programs.BRP"));
    printer->SavePageFile(fileName);
    TBRPrinter loaded;
    loaded.LoadPageFile(fileName);
    ASSERT_EQ(loaded.PageCount(), 1);
    EXPECT_EQ(loaded.PageMetafile(1)->Save(), printer->PageMetafile(1)->Save());
    report_.FreeActivePrinter();
}

// The program's preview window: a preview control that the report's
// OnPreview handler binds to the printer, closed by the user once the run
// has ended or, when closeWhileRunning, while it is still going.
class PreviewWindow {
public:
    PreviewWindow(TBandRep& report, bool closeWhileRunning) : report_(report) {
        report.OnPreview = [this](QObject* sender) {
            preview_.AttachPrinter(static_cast<TBRPrinter*>(sender));
        };
        QObject::connect(&closer_, &QTimer::timeout, [this, closeWhileRunning] {
            if (!preview_.Printer() || report_.Running != closeWhileRunning)
                return;
            TBRPrinter* printer = preview_.Printer();
            PagesShown = printer->AvailablePages();
            preview_.AttachPrinter(nullptr);
            printer->NotifyReportPreviewClosed();
        });
        closer_.start(0);
    }

    int PagesShown = -1;

private:
    TBandRep& report_;
    TBRPreview preview_;
    QTimer closer_;
};

TEST_F(ReportRunTest, ThePreviewWaitEndsWhenThePreviewCloses) {
    Fill(60);
    PreviewWindow window(report_, false);
    report_.ShowPreviewAndWait();
    EXPECT_EQ(window.PagesShown, 3);
    EXPECT_EQ(report_.ActivePrinter, nullptr);
    EXPECT_FALSE(report_.Running);
}

TEST_F(ReportRunTest, ClosingThePreviewDuringTheRunCancelsIt) {
    Fill(60);
    PreviewWindow window(report_, true);
    report_.ShowPreviewAndWait();
    EXPECT_TRUE(report_.RunCancelled);
    EXPECT_EQ(report_.ActivePrinter, nullptr);
    EXPECT_LT(DetailsPerPage().value(0), 25);
}

} // namespace
} // namespace kx
