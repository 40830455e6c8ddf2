#include "tablereport/reportruntime.h"

#include "core/filefunctions.h"
#include "core/messages.h"
#include "platform/db/query.h"
#include "platform/print/printer.h"
#include "platform/ui/messagedialog.h"
#include "tablereport/previewform.h"
#include "tablereport/printerdevmode.h"
#include "tablereport/templatestream.h"
#include "tests/platform/db/dbfixture.h"
#include "tests/tablereport/fakemeasurer.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace kx {
namespace {

// One page as the filler rendered it: the texts of each line.
struct Page {
    std::vector<QStringList> Lines;
    int FooterStart = 0;
};

class ReportRunTimeTest : public db::test::DbTest {
protected:
    ReportRunTimeTest() {
        Exec({"CREATE TABLE RT_ITEMS (N INTEGER, NAME VARCHAR(20), AMOUNT REAL)"});
        old_ = ui::SetMessageSink([this](const ui::MessageRequest& r) {
            prompts_.push_back(r.text);
            return false;
        });
    }
    ~ReportRunTimeTest() override { ui::SetMessageSink(old_); }

    void AddRecords(int count) {
        QStringList inserts;
        for (int i = 1; i <= count; ++i)
            inserts
                << QStringLiteral("INSERT INTO RT_ITEMS VALUES (%1, 'n%1', %2)").arg(i).arg(i * 10);
        Exec(inserts);
    }

    // Lines of one cell text each (a list for several cells); all lines are
    // 20 pixels high and the page has no margins above or below.
    void LoadTemplate(const std::vector<QStringList>& lines, int pageHeight) {
        LoadTemplateOnly(lines, pageHeight);
        query_ = NewQuery(QStringLiteral("SELECT * FROM RT_ITEMS ORDER BY N"));
        query_->Open();
        filler_.BindDataSet(QStringLiteral("d"), query_);
    }

    void LoadTemplateOnly(const std::vector<QStringList>& lines, int pageHeight) {
        filler_.LoadFromStream(TemplateBytes(lines, pageHeight));
    }

    QByteArray TemplateBytes(const std::vector<QStringList>& lines, int pageHeight,
                             int pageWidth = 758, int paperSize = 0, int orientation = 0) {
        TReportControl grid(&measurer_);
        for (const QStringList& texts : lines) {
            TReportLine* line = grid.AppendLine();
            line->CreateCells(0, int(texts.size()), int(texts.size()) * 200);
            for (int i = 0; i < texts.size(); ++i)
                line->Cells[i]->SetCellText(texts[i]);
        }
        grid.TopMarginPx = grid.BottomMarginPx = 0;
        grid.UpdateLines();
        grid.SetPageSize(pageWidth, pageHeight);
        grid.PaperSize = paperSize;
        grid.Orientation = orientation;
        return WriteTemplate(grid);
    }

    // Both runs, as printing and previewing do them.
    std::vector<Page> Run() {
        const int count = filler_.Paginate(false, 0);
        filler_.Paginate(true, count);
        EXPECT_EQ(int(filler_.PageStreams.size()), count);
        std::vector<Page> pages;
        for (const QByteArray& stream : filler_.PageStreams) {
            TReportControl read(&measurer_);
            ReadTemplate(stream, read, {.ForGrid = false});
            Page page;
            page.FooterStart = read.FooterStart;
            for (const auto& line : read.Lines) {
                QStringList texts;
                for (const auto& cell : line->Cells)
                    texts << cell->Text();
                page.Lines.push_back(texts);
            }
            pages.push_back(page);
        }
        return pages;
    }

    static QStringList L(std::initializer_list<const char*> texts) {
        QStringList list;
        for (const char* t : texts)
            list << QString::fromUtf8(t);
        return list;
    }

    // header, detail (serial, name, amount), page footer, last footer
    const std::vector<QStringList> lines_ = {
        L({"标题"}),
        L({"`序号", "#D.NAME", "#D.AMOUNT"}),
        L({"`PAGENUM/", "", "`SUMPAGE(3)"}),
        L({"合计", "", "`SUM(3)"}),
    };

    FakeMeasurer measurer_;
    TReportRunTime filler_{&measurer_};
    db::TQuery* query_ = nullptr;
    QStringList prompts_;
    ui::MessageSink old_;
};

TEST_F(ReportRunTimeTest, ExactFitGivesOnePage) {
    AddRecords(3);
    LoadTemplate(lines_, 20 + 3 * 20 + 40);
    const auto pages = Run();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].Lines.size(), 6u);
    EXPECT_EQ(pages[0].FooterStart, 4);
    EXPECT_EQ(pages[0].Lines[3], L({"3", "n3", "30"}));
    EXPECT_EQ(pages[0].Lines[4], L({"第 1/1 页", "", "60"}));
    EXPECT_EQ(pages[0].Lines[5], L({"合计", "", "60"}));
    EXPECT_TRUE(prompts_.isEmpty());
}

TEST_F(ReportRunTimeTest, LastRecordMovesWithLastFooterToNewPage) {
    AddRecords(4);
    LoadTemplate(lines_, 20 + 3 * 20 + 40);
    const auto pages = Run();
    ASSERT_EQ(pages.size(), 2u);
    // the first page has room for four records with the page footer, but the
    // last footer needs the room of the fourth
    ASSERT_EQ(pages[0].Lines.size(), 5u);
    EXPECT_EQ(pages[0].Lines[3], L({"3", "n3", "30"}));
    EXPECT_EQ(pages[0].Lines[4], L({"第 1/2 页", "", "60"}));
    ASSERT_EQ(pages[1].Lines.size(), 4u);
    EXPECT_EQ(pages[1].Lines[1], L({"4", "n4", "40"}));
    EXPECT_EQ(pages[1].Lines[2], L({"第 2/2 页", "", "40"}));
    EXPECT_EQ(pages[1].Lines[3], L({"合计", "", "100"}));
}

TEST_F(ReportRunTimeTest, PagesAreCutByTheHeightsOfTheFilledTexts) {
    // every other name needs two lines in its 200-pixel cell
    QStringList inserts;
    for (int i = 1; i <= 6; ++i)
        inserts << QStringLiteral("INSERT INTO RT_ITEMS VALUES (%1, '%2', 1)")
                       .arg(i)
                       .arg(QString(i % 2 ? 3 : 20, u'x'));
    Exec(inserts);
    const int pageHeight = 20 + 4 * 20 + 40;
    LoadTemplate(lines_, pageHeight);
    const auto pages = Run();
    QStringList serials;
    for (const QByteArray& stream : filler_.PageStreams) {
        TReportControl read(&measurer_);
        ReadTemplate(stream, read, {.ForGrid = false});
        int height = 0;
        for (const auto& line : read.Lines) {
            height += line->Height();
            if (line->Cells.size() == 3 && line->Cells[1]->Text().startsWith(u'x'))
                serials << line->Cells[0]->Text();
        }
        EXPECT_LE(height, pageHeight);
    }
    EXPECT_EQ(serials, QStringList({"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(pages.size(), 3u);
}

TEST_F(ReportRunTimeTest, SerialNumbersRunAcrossPages) {
    AddRecords(7);
    LoadTemplate(lines_, 20 + 3 * 20 + 20);
    const auto pages = Run();
    QStringList serials;
    for (const Page& page : pages)
        for (int i = 1; i < page.FooterStart; ++i)
            serials << page.Lines[std::size_t(i)][0];
    EXPECT_EQ(serials.join(u','), QStringLiteral("1,2,3,4,5,6,7"));
    EXPECT_EQ(pages.back().Lines.back(), L({"合计", "", "280"}));
}

TEST_F(ReportRunTimeTest, NoRecordsPromptsOrFillsWithEmptyLines) {
    LoadTemplate(lines_, 20 + 3 * 20 + 40);
    EXPECT_TRUE(Run().empty());
    EXPECT_EQ(prompts_,
              QStringList({QStringLiteral("没有数据记录"), QStringLiteral("没有数据记录")}));

    filler_.AddSpace = true;
    const auto pages = Run();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].Lines.size(), 6u);
    EXPECT_EQ(pages[0].Lines[2], L({"", "", ""}));
    EXPECT_EQ(pages[0].Lines[5], L({"合计", "", "0"}));
}

TEST_F(ReportRunTimeTest, AddSpaceFillsLastPageUpToLastFooter) {
    AddRecords(1);
    filler_.AddSpace = true;
    LoadTemplate(lines_, 20 + 4 * 20 + 40);
    const auto pages = Run();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].Lines.size(), 7u);
    EXPECT_EQ(pages[0].Lines[1], L({"1", "n1", "10"}));
    EXPECT_EQ(pages[0].Lines[4], L({"", "", ""}));
}

TEST_F(ReportRunTimeTest, PageTooSmallForHeaderAndFooterFails) {
    AddRecords(2);
    LoadTemplate(lines_, 30);
    EXPECT_THROW(filler_.Paginate(false, 0), Exception);
    // header and page footer fit, not even one line of text does: the
    // report is refused rather than printed without its records
    LoadTemplate(lines_, 20 + 20 + 10);
    EXPECT_THROW(filler_.Paginate(false, 0), Exception);
    EXPECT_TRUE(prompts_.isEmpty());
}

// A record taller than a page is cut at the page end and goes on on the
// next page: every record prints once, the page count and the sums stay
// right.
TEST_F(ReportRunTimeTest, RecordTallerThanAPageContinuesOnTheNextPage) {
    Exec({"CREATE TABLE RT_NOTES (N INTEGER, NAME VARCHAR(255), AMOUNT REAL)"});
    QStringList inserts;
    const QString note = QString(150, u'x');
    for (int i = 1; i <= 6; ++i)
        inserts << QStringLiteral("INSERT INTO RT_NOTES VALUES (%1, '%2', %3)")
                       .arg(i)
                       .arg(i == 2 || i == 6 ? note : QStringLiteral("n%1").arg(i))
                       .arg(i * 10);
    Exec(inserts);
    LoadTemplateOnly(lines_, 20 + 3 * 20 + 40);
    query_ = NewQuery(QStringLiteral("SELECT * FROM RT_NOTES ORDER BY N"));
    query_->Open();
    filler_.BindDataSet(QStringLiteral("d"), query_);
    const auto pages = Run();
    EXPECT_TRUE(prompts_.isEmpty()) << prompts_.join(u'\n').toStdString();
    QStringList serials;
    QString names;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const Page& page = pages[p];
        for (int i = 1; i < page.FooterStart; ++i) {
            const QStringList& line = page.Lines[std::size_t(i)];
            if (!line[0].isEmpty())
                serials << line[0];
            names += line[1] + u'|';
        }
        EXPECT_EQ(page.Lines[std::size_t(page.FooterStart)][0],
                  QStringLiteral("第 %1/%2 页").arg(p + 1).arg(pages.size()));
    }
    EXPECT_EQ(serials.join(u','), QStringLiteral("1,2,3,4,5,6"));
    // the cut parts read as the whole note, each record once
    EXPECT_EQ(names.remove(u'|'), "n1" + note + "n3n4n5" + note);
    EXPECT_EQ(pages.back().Lines.back(), L({"合计", "", "210"}));
}

TEST_F(ReportRunTimeTest, TemplateWithoutDetailLineIsOnePage) {
    filler_.SetVarValue(QStringLiteral("单位"), QStringLiteral("甲"));
    LoadTemplate({L({"<单位>"}), L({"`PAGENUM-"})}, 200);
    const auto pages = Run();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].Lines[0], L({"甲"}));
    EXPECT_EQ(pages[0].Lines[1], L({"第 1-1 页"}));
}

TEST_F(ReportRunTimeTest, FieldsFormatMergesAndReportFile) {
    AddRecords(2);
    filler_.PrintFields = {
        {QStringLiteral("NAME"), QStringLiteral("名称"), QStringLiteral("M"), true, false},
        {QStringLiteral("AMOUNT"), QStringLiteral("金额"), QStringLiteral("D"), false, true}};
    TReportControl grid(&measurer_);
    for (const char* texts : {"{名称}|说明", "|", "[金额]|#D.AMOUNT"}) {
        const QStringList parts = QString::fromUtf8(texts).split(u'|');
        TReportLine* line = grid.AppendLine();
        line->CreateCells(0, 2, 400);
        line->Cells[0]->SetCellText(parts[0]);
        line->Cells[1]->SetCellText(parts[1]);
    }
    grid.Lines[0]->Cells[1]->AddMergedCell(grid.Lines[1]->Cells[1].get());
    grid.Lines[2]->Cells[0]->SetDisplayFormat(QStringLiteral("大写金额"));
    grid.Lines[2]->Cells[1]->SetDisplayFormat(QStringLiteral("0.00"));
    grid.UpdateLines();
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("t.rpt"));
    SaveTemplateFile(grid, file);
    filler_.SetReportFile(file);
    query_ = NewQuery(QStringLiteral("SELECT * FROM RT_ITEMS ORDER BY N"));
    query_->Open();
    filler_.BindDataSet(QStringLiteral("D"), query_);
    db::TQuery* master = NewQuery(QStringLiteral("SELECT * FROM RT_ITEMS WHERE N = 1"));
    master->Open();
    filler_.BindDataSet(QStringLiteral("M"), master);

    ASSERT_EQ(filler_.Paginate(false, 0), 1);
    filler_.Paginate(true, 1);
    TReportControl page(&measurer_);
    ReadTemplate(filler_.PageStreams[0], page, {.ForGrid = false});
    ASSERT_EQ(page.Lines.size(), 4u);
    EXPECT_EQ(page.Lines[0]->Cells[0]->Text(), QStringLiteral("n1"));
    EXPECT_EQ(page.Lines[1]->Cells[1]->MergeOwner, page.Lines[0]->Cells[1].get());
    EXPECT_EQ(page.Lines[3]->Cells[0]->Text(), QStringLiteral("贰拾元整"));
    EXPECT_EQ(page.Lines[3]->Cells[1]->Text(), QStringLiteral("20.00"));
    EXPECT_TRUE(page.Lines[3]->Cells[1]->DisplayFormat().isEmpty());

    QFile damaged(file);
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    damaged.write("xx");
    damaged.close();
    try {
        filler_.SetReportFile(file);
        ADD_FAILURE();
    } catch (const ETemplateFormat& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("打开报表错误"));
    }
    EXPECT_EQ(filler_.Template().Lines.size(), 3u);
}

TEST_F(ReportRunTimeTest, SetDataLinesBindFormComponentsAndSetVariables) {
    AddRecords(2);
    QWidget form;
    form.setObjectName(QStringLiteral("dataform"));
    db::TQuery* table = NewQuery(QStringLiteral("SELECT * FROM RT_ITEMS ORDER BY N"));
    table->setParent(&form);
    table->setObjectName(QStringLiteral("table1"));
    QObject owner;
    db::TQuery* own = NewQuery(QStringLiteral("SELECT * FROM RT_ITEMS WHERE N = 2"));
    own->setParent(&owner);
    own->setObjectName(QStringLiteral("q2"));
    filler_.Owner = &owner;
    filler_.SetSetData({QStringLiteral("SetDataSet(d,dataform.table1);"),
                        QStringLiteral("setdataset( m , q2 ) ignored"),
                        QStringLiteral("SETVARVALUE(单位,甲公司)"), QStringLiteral("SetDataSet(x"),
                        QStringLiteral("SetDataSet(y,noform.table1)"),
                        QStringLiteral("Other(a,b)")});
    EXPECT_TRUE(table->Active());
    EXPECT_TRUE(own->Active());
    LoadTemplateOnly({L({"@M.NAME", "<单位>"}), L({"#D.NAME"})}, 500);
    ASSERT_EQ(filler_.Paginate(false, 0), 1);
    filler_.Paginate(true, 1);
    TReportControl page(&measurer_);
    ReadTemplate(filler_.PageStreams[0], page, {.ForGrid = false});
    ASSERT_EQ(page.Lines.size(), 3u);
    EXPECT_EQ(page.Lines[0]->Cells[0]->Text(), QStringLiteral("n2"));
    EXPECT_EQ(page.Lines[0]->Cells[1]->Text(), QStringLiteral("甲公司"));
    EXPECT_EQ(page.Lines[2]->Cells[0]->Text(), QStringLiteral("n2"));
}

TEST_F(ReportRunTimeTest, MissingFieldRaisesFieldNotFound) {
    AddRecords(1);
    LoadTemplate({L({"#D.NOPE"})}, 200);
    try {
        filler_.Paginate(false, 0);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Field 'NOPE' not found"));
    }
}

TEST_F(ReportRunTimeTest, PrintedPictureKeepsItsSizeCentredNearTheTop) {
    TReportControl grid(&measurer_);
    TReportLine* line = grid.AppendLine();
    line->CreateCells(0, 1, 100);
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    QBuffer bmp;
    bmp.open(QIODevice::WriteOnly);
    red.save(&bmp, "BMP");
    TReportCell& cell = *line->Cells[0];
    cell.Picture = bmp.data();
    cell.HasPicture = true;
    grid.TopMarginPx = 0;
    grid.UpdateLines();
    filler_.LoadFromStream(WriteTemplate(grid));
    filler_.Paginate(true, filler_.Paginate(false, 0));
    QImage page(grid.PageWidth, grid.PageHeight, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    filler_.PrintPageRange(painter, page.rect(), 1, 1, [] {});
    painter.end();
    // left: 45.5 rounds to even 46 past the cell's left; top: 3 below the
    // line's top, not the 5 that would centre it
    const int left = cell.CellRect.Left + 46;
    const auto isRed = [&page](int x, int y) { return (page.pixel(x, y) & 0xFFFFFF) == 0xFF0000; };
    EXPECT_TRUE(isRed(left, 3));
    EXPECT_TRUE(isRed(left + 9, 12));
    EXPECT_FALSE(isRed(left - 1, 3));
    EXPECT_FALSE(isRed(left + 10, 12));
    EXPECT_FALSE(isRed(left, 2));
    EXPECT_FALSE(isRed(left, 13));
}

// Printing goes to PDF files in a folder of the test's own.
class ReportPrintTest : public ReportRunTimeTest {
protected:
    void SetUp() override {
        if (!print::InstalledPrinters().isEmpty())
            GTEST_SKIP() << "print queues are installed";
        oldFolder_ = print::PdfFolder();
        print::SetPdfFolder(pdfFolder_.path());
        print::SetPdfViewer([this](const QString& name) { shown_ << name; });
        SetPrinterDevMode({.PaperSize = 9, .Orientation = print::kPortrait});
        AddRecords(10);
        LoadTemplate(lines_, 20 + 3 * 20 + 40);
        pageCount_ = filler_.Paginate(false, 0);
    }
    void TearDown() override {
        print::SetPdfViewer({});
        print::SetPdfFolder(oldFolder_);
        SetPrinterDevMode({.PaperSize = 9, .Orientation = print::kPortrait});
    }

    void Rebind() { filler_.BindDataSet(QStringLiteral("d"), query_); }

    QStringList PdfFiles() const {
        return QDir(pdfFolder_.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    }
    static int PdfPages(const QString& name) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        return int(QString::fromLatin1(file.readAll())
                       .count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
    }

    // Runs check while the preview is shown, then closes it.
    void WhilePreviewed(const std::function<void(TPreviewForm&)>& check) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            TPreviewForm* preview = filler_.Preview();
            ASSERT_NE(preview, nullptr);
            ran = true;
            check(*preview);
            preview->CloseAction->trigger();
        });
        filler_.PrintPreview(true);
        EXPECT_TRUE(ran);
    }

    QTemporaryDir pdfFolder_;
    QString oldFolder_;
    QStringList shown_;
    int pageCount_ = 0;
    const QString fillError_ =
        QStringLiteral("形成报表时发生错误，请检查各项参数与模板设置等是否正确");
};

TEST_F(ReportPrintTest, PrintsEveryPageOrTheChosenRangeThenReleasesTheData) {
    ASSERT_EQ(pageCount_, 3);
    filler_.Print(1);
    ASSERT_EQ(shown_.size(), 1);
    EXPECT_EQ(PdfPages(shown_[0]), 3);

    Rebind();
    int asked = 0;
    filler_.RunPrintDialog = [&asked](int count, int& from, int& to) {
        asked = count;
        from = 2;
        to = 3;
        return true;
    };
    filler_.Print(0);
    EXPECT_EQ(asked, 3);
    ASSERT_EQ(shown_.size(), 2);
    EXPECT_EQ(PdfPages(shown_[1]), 2);

    Rebind();
    filler_.RunPrintDialog = [](int, int&, int&) { return false; };
    filler_.Print(0);
    EXPECT_EQ(shown_.size(), 2);
    EXPECT_TRUE(prompts_.isEmpty());

    // the bindings are gone: no records to print, and no empty document
    filler_.Print(1);
    EXPECT_EQ(shown_.size(), 2);
    EXPECT_EQ(PdfFiles().size(), 2);
    EXPECT_EQ(prompts_,
              QStringList({QStringLiteral("没有数据记录"), QStringLiteral("没有数据记录")}));
}

TEST_F(ReportPrintTest, AnErrorAfterTheJobBeganLeavesNoDocument) {
    filler_.RunPrintDialog = [this](int, int&, int&) {
        filler_.PageStreams[2] = QByteArray("damaged");
        return true;
    };
    filler_.Print(0);
    EXPECT_EQ(prompts_, QStringList{fillError_});
    EXPECT_TRUE(shown_.isEmpty());
    EXPECT_TRUE(PdfFiles().isEmpty());
    EXPECT_FALSE(print::Printer().Printing());
}

TEST_F(ReportPrintTest, CustomPaperTakesItsSizeFromThePage) {
    filler_.LoadFromStream(TemplateBytes(lines_, 500, 600, print::kCustomPaperCode));
    filler_.Print(1);
    const TDevMode paper = GetPrinterDevMode();
    EXPECT_EQ(paper.PaperSize, print::kCustomPaperCode);
    EXPECT_EQ(paper.Orientation, print::kPortrait);
    EXPECT_EQ(paper.PaperWidth, 1662);
    EXPECT_EQ(paper.PaperLength, 1432);
    EXPECT_EQ(filler_.Template().PaperWidth, 1662);
    EXPECT_EQ(shown_.size(), 1);
}

// The shared printer keeps the last job's paper; a template without paper
// of its own (a new one from the designer) still prints upright on A4.
TEST_F(ReportPrintTest, TemplateWithoutPaperPrintsPortraitAfterALandscapeJob) {
    const auto mediaBox = [](const QString& pdf) {
        QFile file(pdf);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([\\d.]+) ([\\d.]+)\\]"))
                .match(QString::fromLatin1(file.readAll()));
        return QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble());
    };
    filler_.LoadFromStream(TemplateBytes(lines_, 758, 1037, 9, print::kLandscape));
    filler_.Print(1);
    Rebind();
    filler_.LoadFromStream(TemplateBytes(lines_, 1037, 758));
    filler_.Print(1);
    ASSERT_EQ(shown_.size(), 2);
    const QSizeF landscape = mediaBox(shown_[0]);
    const QSizeF portrait = mediaBox(shown_[1]);
    EXPECT_GT(landscape.width(), landscape.height());
    EXPECT_NEAR(portrait.width(), 595, 1);
    EXPECT_NEAR(portrait.height(), 842, 1);
    EXPECT_EQ(GetPrinterDevMode().PaperSize, 9);
}

// Without a print queue the PDF is kept where the next start does not
// clean, named after the report, and the user is told where it is.
TEST_F(ReportPrintTest, PdfIsKeptOverARestartAndTheMessageNamesIt) {
    print::SetPdfFolder({});
    QStringList opened;
    print::SetPdfViewer([&opened](const QString& name) {
        ShowPrintedFile(name, [&opened](const QString& path) {
            opened << path;
            return false;
        });
    });
    filler_.Title = QStringLiteral("资金借贷记录报表");
    filler_.Print(1);
    ASSERT_EQ(opened.size(), 1);
    const QString pdf = opened[0];
    EXPECT_EQ(prompts_, QStringList{"已打印到文件：" + QDir::toNativeSeparators(pdf)});
    const QFileInfo file(pdf);
    EXPECT_EQ(file.absolutePath(),
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/kxcashier");
    EXPECT_TRUE(file.fileName().startsWith(QStringLiteral("资金借贷记录报表 ")));
    EXPECT_FALSE(pdf.startsWith(GetProgramFolder()));
    DeleteTempFiles(GetTempFolder());
    EXPECT_TRUE(file.exists());
    EXPECT_EQ(PdfPages(pdf), 3);
    QFile::remove(pdf);
}

TEST_F(ReportPrintTest, PreviewShowsThePagesAndDropsThemWhenClosed) {
    WhilePreviewed([&](TPreviewForm& preview) {
        EXPECT_EQ(preview.PagePanel->text(), "第1／3页");
        EXPECT_TRUE(preview.PageControl->Control.PreviewLook);
        EXPECT_FALSE(preview.PageControl->isEnabled());
        // loaded from a stream: there is no file to set up or edit
        EXPECT_FALSE(preview.PageSetupAction->isEnabled());
        EXPECT_FALSE(preview.EditTemplateAction->isVisible());
        preview.LastAction->trigger();
        const auto& lines = preview.PageControl->Control.Lines;
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back()->Cells[0]->Text(), "合计");
    });
    EXPECT_EQ(filler_.Preview(), nullptr);
    EXPECT_TRUE(filler_.PageStreams.empty());
    EXPECT_TRUE(prompts_.isEmpty());
    // the bindings went with the preview
    EXPECT_EQ(filler_.Paginate(false, 0), 0);
}

TEST_F(ReportPrintTest, PrintFromThePreviewKeepsItsPagesAndData) {
    filler_.RunPrintDialog = [](int, int&, int&) { return true; };
    WhilePreviewed([&](TPreviewForm& preview) {
        preview.NextAction->trigger();
        preview.PrintAction->trigger();
        preview.PrintAction->trigger();
        EXPECT_EQ(shown_.size(), 2);
        EXPECT_FALSE(preview.AbortAction->isEnabled());
        preview.NextAction->trigger();
        EXPECT_EQ(preview.PagePanel->text(), "第3／3页");
        EXPECT_EQ(preview.PageControl->Control.Lines[1]->Cells[1]->Text(), "n9");
    });
    ASSERT_EQ(shown_.size(), 2);
    EXPECT_EQ(PdfPages(shown_[1]), 3);
    EXPECT_TRUE(prompts_.isEmpty());
}

TEST_F(ReportPrintTest, ConfirmedPageSetupFillsThePagesAgainFromTheFile) {
    const QString file = pdfFolder_.filePath(QStringLiteral("t.rpt"));
    auto save = [&](const char* title) {
        std::vector<QStringList> lines = lines_;
        lines[0] = L({title});
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(TemplateBytes(lines, 20 + 3 * 20 + 40));
    };
    save("旧标题");
    filler_.SetReportFile(file);
    bool confirm = false;
    QString setUp;
    filler_.RunPageSetup = [&](QWidget* owner, const QString& name) {
        EXPECT_EQ(owner, filler_.Preview());
        setUp = name;
        if (confirm)
            save("新标题");
        return confirm;
    };
    WhilePreviewed([&](TPreviewForm& preview) {
        EXPECT_TRUE(preview.PageSetupAction->isEnabled());
        preview.NextAction->trigger();
        preview.PageSetupAction->trigger();
        EXPECT_EQ(setUp, file);
        EXPECT_EQ(preview.PagePanel->text(), "第2／3页");
        confirm = true;
        preview.PageSetupAction->trigger();
        EXPECT_EQ(preview.PagePanel->text(), "第1／3页");
        EXPECT_EQ(preview.PageControl->Control.Lines[0]->Cells[0]->Text(), "新标题");
    });
}

TEST_F(ReportPrintTest, TemplateEditOpensTheShownPageThenFillsAgainFromTheFile) {
    const QString file = pdfFolder_.filePath(QStringLiteral("t.rpt"));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(TemplateBytes(lines_, 20 + 3 * 20 + 40));
    }
    filler_.SetReportFile(file);
    filler_.EditEpt = true;
    QString edited;
    filler_.EditPage = [&](QWidget* owner, QByteArray& page) {
        EXPECT_EQ(owner, filler_.Preview());
        TReportControl read(&measurer_);
        ReadTemplate(page, read);
        edited = read.Lines[1]->Cells[1]->Text();
    };
    WhilePreviewed([&](TPreviewForm& preview) {
        ASSERT_TRUE(preview.EditTemplateAction->isVisible());
        preview.NextAction->trigger();
        preview.EditTemplateAction->trigger();
        EXPECT_EQ(edited, "n5");
        EXPECT_EQ(preview.PagePanel->text(), "第1／3页");
    });
    // without the designer's hook there is nothing to offer
    filler_.EditPage = nullptr;
    Rebind();
    WhilePreviewed(
        [](TPreviewForm& preview) { EXPECT_FALSE(preview.EditTemplateAction->isVisible()); });
}

} // namespace
} // namespace kx
