#include "bandreport/bandrep.h"
#include "bandreport/brerror.h"
#include "bandreport/brexportfilter.h"
#include "bandreport/brpreview.h"
#include "bandreport/brprintable.h"
#include "bandreport/brprinter.h"
#include "bandreport/brstandardpreview.h"
#include "bandreport/brtextsearch.h"
#include "bandreport/searchdlg.h"
#include "platform/ui/messagedialog.h"
#include "tests/platform/db/dbfixture.h"
#include "tests/support/clippedtexts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace kx {
namespace {

TEST(PageFromTextTest, AnythingButAPageOfTheReportShowsTheFirst) {
    const struct {
        const char* Text;
        int Page;
    } cases[] = {{"2", 2}, {" 3 ", 3}, {"0", 1}, {"-2", 1}, {"4", 1}, {"two", 1}, {"", 1}};
    for (const auto& c : cases)
        EXPECT_EQ(PageFromText(QString::fromLatin1(c.Text), 3), c.Page) << c.Text;
}

TEST(DialogNameFiltersTest, EachDescriptionIsOneFilter) {
    EXPECT_EQ(DialogNameFilters(QStringLiteral("Report page file(*.BRP)|*.BRP|Text file "
                                               "(*.TXT)|*.TXT")),
              (QStringList{QStringLiteral("Report page file(*.BRP)"),
                           QStringLiteral("Text file (*.TXT)")}));
}

print::TPagePicture PageWith(const QStringList& texts) {
    print::TPagePicture page(QSize(400, 300), 96);
    QPainter* canvas = page.Begin();
    canvas->setFont(QFont(QStringLiteral("Arial"), 10));
    int y = 20;
    for (const QString& text : texts) {
        canvas->drawText(10, y, text);
        y += 30;
    }
    page.End();
    return *print::TPagePicture::Load(page.Save());
}

TEST(FindTextInMetafileTest, FindsTextsOfThePageWithOrWithoutCase) {
    const print::TPagePicture page =
        PageWith({QStringLiteral("Total 12"), QStringLiteral("合计 Sum"), QStringLiteral("x")});
    EXPECT_EQ(PageTexts(page), (QStringList{QStringLiteral("Total 12"), QStringLiteral("合计 Sum"),
                                            QStringLiteral("x")}));
    const struct {
        const char* Text;
        bool MatchCase;
        bool Found;
    } cases[] = {{"TOTAL", false, true},  {"TOTAL", true, false},  {"Total", true, true},
                 {"合计 s", false, true}, {"合计 s", true, false}, {"", false, false},
                 {"12合计", false, false}};
    for (const auto& c : cases)
        EXPECT_EQ(FindTextInMetafile(QString::fromUtf8(c.Text), page, c.MatchCase), c.Found)
            << c.Text << " " << c.MatchCase;
}

// Answers the next modal dialog of the kind once it shows.
template <typename Dialog> void WhenShown(QObject* owner, std::function<void(Dialog*)> answer) {
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        }
    });
    timer->start(0);
}

// A key as the user presses it in the window.
void Press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && focus->window() == window ? focus : window, key, modifiers);
}

// 60 rows "Row 1" to "Row 60" over three A4 pages of 25, 25 and 10 rows,
// with "合计 Total" in every page footer.
class StandardPreviewTest : public db::test::DbTest {
protected:
    void SetUp() override {
        if (!print::InstalledPrinters().isEmpty())
            GTEST_SKIP() << "print queues are installed";
        ASSERT_TRUE(folder_.isValid());
        print::SetPdfFolder(folder_.filePath(QStringLiteral("temp")));
        SetNewPrinterPaperSize([] { return TBRPaperSize::Default; });
        Exec({"CREATE TABLE PREVIEW_TABLE (ID INTEGER, NAME VARCHAR(20))"});
        for (int row = 1; row <= 60; ++row)
            Exec({QStringLiteral("INSERT INTO PREVIEW_TABLE VALUES (%1, 'Row %1')").arg(row)});
        query_ = NewQuery(QStringLiteral("SELECT * FROM PREVIEW_TABLE ORDER BY ID"));
        query_->setObjectName(QStringLiteral("Query"));
        query_->Open();
        report_.SetUnits(TBRUnit::Native);
        report_.Page().SetPaperSize(TBRPaperSize::A4);
        report_.SetDataSet(query_);
        report_.ReportTitle = QStringLiteral("部门列表");
        AddBand(TBRBandType::rbPageHeader);
        auto* name = new TBRDBText(AddBand(TBRBandType::rbDetail));
        name->SetDataSet(query_);
        name->SetDataField(QStringLiteral("NAME"));
        auto* total = new TBRLabel(AddBand(TBRBandType::rbPageFooter));
        total->SetCaption(QStringLiteral("合计 Total"));
    }
    void TearDown() override {
        SetNewPrinterPaperSize({});
        ui::SetMessageSink({});
    }

    TBRBand* AddBand(TBRBandType type) {
        TBRBand* band = report_.CreateBand(type);
        band->Size().SetHeight(100);
        return band;
    }

    TBRStandardPreview* OpenPrepared() {
        report_.PreparePages();
        auto* window = new TBRStandardPreview(&host_, report_.ActivePrinter);
        window->resize(800, 639);
        window->ShowAndRefresh();
        return window;
    }

    QStringList Results(TBRStandardPreview* window) const {
        QStringList lines;
        for (int row = 0; row < window->SearchResultBox()->count(); ++row)
            lines.append(window->SearchResultBox()->item(row)->text());
        return lines;
    }

    void Search(TBRStandardPreview* window, const QString& text, bool matchCase) {
        WhenShown<TSearchDlg>(window, [text, matchCase](TSearchDlg* dialog) {
            dialog->Edit1->setText(text);
            dialog->CheckBox1->setChecked(matchCase);
            dialog->SearchButton->click();
        });
        window->Command(QStringLiteral("FindButton"))->trigger();
    }

    QTemporaryDir folder_;
    QObject form_;
    TBandRep report_{&form_};
    db::TQuery* query_ = nullptr;
    QWidget host_;
};

TEST_F(StandardPreviewTest, OpensOnThePagesWithTheReportsTitleAndItsSettings) {
    report_.PrevInitialZoom = TBRZoomState::brZoomToWidth;
    report_.PrevShowSearch = false;
    TBRStandardPreview* window = OpenPrepared();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("部门列表"));
    EXPECT_EQ(window->StatusPanel(1)->text(), QStringLiteral("Page 1 of 3"));
    EXPECT_EQ(window->StatusPanel(2)->text(), QStringLiteral("部门列表"));
    EXPECT_EQ(window->ThumbGrid()->rowCount(), 3);
    EXPECT_EQ(window->BRPreview()->ZoomState(), TBRZoomState::brZoomToWidth);
    EXPECT_TRUE(window->Command(QStringLiteral("ZoomToWidth"))->isChecked());
    EXPECT_FALSE(window->Command(QStringLiteral("FindButton"))->isVisible());
    EXPECT_TRUE(window->Command(QStringLiteral("Print"))->isEnabled());
    EXPECT_TRUE(window->BRPreview()->Image()->HasPage());
    EXPECT_EQ(test::ClippedTexts(*window), QStringList());
}

TEST_F(StandardPreviewTest, PagingFollowsTheButtonsKeysThumbnailsAndGoTo) {
    TBRStandardPreview* window = OpenPrepared();
    const auto page = [window] { return window->BRPreview()->PageNumber(); };
    window->Command(QStringLiteral("NextPage"))->trigger();
    EXPECT_EQ(page(), 2);
    EXPECT_EQ(window->ThumbGrid()->currentRow(), 1);
    window->Command(QStringLiteral("LastPage"))->trigger();
    window->Command(QStringLiteral("NextPage"))->trigger();
    EXPECT_EQ(page(), 3);
    EXPECT_EQ(window->StatusPanel(1)->text(), QStringLiteral("Page 3 of 3"));
    Press(window, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(page(), 1);
    Press(window, Qt::Key_End);
    EXPECT_EQ(page(), 3);
    Press(window, Qt::Key_PageUp);
    EXPECT_EQ(page(), 2);
    window->ThumbGrid()->setCurrentCell(0, 0);
    EXPECT_EQ(page(), 1);

    const struct {
        const char* Text;
        bool Accept;
        int Page;
    } answers[] = {{"3", true, 3}, {"9", true, 1}, {"2", true, 2}, {"3", false, 2}, {"x", true, 1}};
    for (const auto& answer : answers) {
        WhenShown<QInputDialog>(window, [answer](QInputDialog* box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Select a page from 1 to 3"));
            EXPECT_EQ(box->labelText(), QStringLiteral("Go to page >>"));
            box->setTextValue(QString::fromLatin1(answer.Text));
            answer.Accept ? box->accept() : box->reject();
        });
        window->Command(QStringLiteral("GotoPageButton"))->trigger();
        EXPECT_EQ(page(), answer.Page) << answer.Text;
    }
    Press(window, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(report_.ActivePrinter, nullptr);
}

TEST_F(StandardPreviewTest, SearchListsThePagesThatHoldTheText) {
    TBRStandardPreview* window = OpenPrepared();
    Search(window, QStringLiteral("row 6"), false);
    EXPECT_EQ(window->SearchTextLabel()->text(), QStringLiteral("row 6"));
    EXPECT_EQ(Results(window), (QStringList{QStringLiteral("Page 1"), QStringLiteral("Page 3")}));
    EXPECT_TRUE(window->SearchResultBox()->isEnabled());
    Search(window, QStringLiteral("合计 t"), false);
    EXPECT_EQ(Results(window), (QStringList{QStringLiteral("Page 1"), QStringLiteral("Page 2"),
                                            QStringLiteral("Page 3")}));
    Search(window, QStringLiteral("row 6"), true);
    EXPECT_EQ(Results(window), QStringList{QStringLiteral("No matching text")});
    EXPECT_FALSE(window->SearchResultBox()->isEnabled());

    WhenShown<TSearchDlg>(window, [](TSearchDlg* dialog) {
        dialog->Edit1->setText(QStringLiteral("Row"));
        dialog->CancelButton->click();
    });
    window->Command(QStringLiteral("FindButton"))->trigger();
    EXPECT_EQ(window->SearchTextLabel()->text(), QStringLiteral("row 6"));
}

TEST_F(StandardPreviewTest, ASavedPageFileLoadsBackIntoTheWindow) {
    TBRStandardPreview* window = OpenPrepared();
    TBRPrinter* printer = window->Printer();
    QList<QByteArray> pages;
    for (int page = 1; page <= 3; ++page)
        pages.append(printer->PageMetafile(page)->Save());
    const QString fileName = folder_.filePath(QStringLiteral("pages.BRP"));
    WhenShown<QFileDialog>(window, [fileName](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Save report"));
        EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("BRP"));
        dialog->selectFile(fileName);
        static_cast<QDialog*>(dialog)->accept();
    });
    window->Command(QStringLiteral("SaveReport"))->trigger();
    ASSERT_TRUE(QFile::exists(fileName));

    QStringList messages;
    ui::SetMessageSink([&messages](const ui::MessageRequest& request) {
        messages.append(request.text);
        return false;
    });
    const QString missing = folder_.filePath(QStringLiteral("missing.BRP"));
    WhenShown<QFileDialog>(window, [missing](QFileDialog* dialog) {
        dialog->selectFile(missing);
        static_cast<QDialog*>(dialog)->accept();
    });
    window->Command(QStringLiteral("LoadReport"))->trigger();
    EXPECT_EQ(messages, QStringList{QStringLiteral("File does not exist")});

    window->Command(QStringLiteral("LastPage"))->trigger();
    WhenShown<QFileDialog>(window, [fileName](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Load report"));
        dialog->selectFile(fileName);
        static_cast<QDialog*>(dialog)->accept();
    });
    window->Command(QStringLiteral("LoadReport"))->trigger();
    EXPECT_TRUE(PageFileLoaded());
    EXPECT_EQ(window->StatusPanel(2)->text(), fileName);
    EXPECT_EQ(window->StatusPanel(1)->text(), QStringLiteral("Page 1 of 3"));
    EXPECT_EQ(window->ThumbGrid()->currentRow(), 0);
    for (int page = 1; page <= 3; ++page)
        EXPECT_EQ(printer->PageMetafile(page)->Save(), pages.at(page - 1)) << page;
    EXPECT_THROW(printer->ExportThroughReport(nullptr), EBRError);
}

TEST_F(StandardPreviewTest, ProgressShowsInStepsOfFiveAndClearsAtTheEnds) {
    TBRStandardPreview* window = OpenPrepared();
    QStringList shown;
    for (int progress : {3, 5, 8, 10, 16, 100, 0}) {
        QCoreApplication::postEvent(window->BRPreview(),
                                    new TBRPrinterEvent(TBRPrinterEvent::Progress, progress));
        QCoreApplication::processEvents();
        shown.append(window->StatusPanel(0)->text());
    }
    EXPECT_EQ(shown,
              (QStringList{QStringLiteral("0%"), QStringLiteral("5%"), QStringLiteral("5%"),
                           QStringLiteral("10%"), QStringLiteral("16%"), QString(), QString()}));
}

TEST_F(StandardPreviewTest, AReportWithoutItsOwnPreviewShowsTheStandardOneUntilClosed) {
    QList<int> rowsWhileRunning;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        TBRPrinter* printer = report_.ActivePrinter;
        auto* window =
            printer ? qobject_cast<TBRStandardPreview*>(printer->StandardPreview()) : nullptr;
        if (!window)
            return;
        if (printer->Status() == TBRPrinter::Busy) {
            rowsWhileRunning.append(window->ThumbGrid()->rowCount());
            EXPECT_FALSE(window->Command(QStringLiteral("Print"))->isEnabled());
            return;
        }
        EXPECT_EQ(window->ThumbGrid()->rowCount(), 3);
        EXPECT_TRUE(window->Command(QStringLiteral("Print"))->isEnabled());
        window->Command(QStringLiteral("ExitButton"))->trigger();
    });
    watcher.start(0);
    report_.ShowPreviewAndWait();
    EXPECT_EQ(report_.ActivePrinter, nullptr);
    EXPECT_FALSE(rowsWhileRunning.isEmpty());
    EXPECT_LT(rowsWhileRunning.constFirst(), 3);
}

TEST_F(StandardPreviewTest, PrintRunsTheReportAgainUntilAPageFileIsLoaded) {
    QStringList pdfs;
    print::SetPdfViewer([&pdfs](const QString& fileName) { pdfs.append(fileName); });
    int reportPrints = 0;
    report_.AfterPrint = [&reportPrints](QObject*) { ++reportPrints; };
    TBRStandardPreview* window = OpenPrepared();
    window->Command(QStringLiteral("Print"))->trigger();
    EXPECT_EQ(reportPrints, 1);
    EXPECT_EQ(pdfs.size(), 1);

    const QString fileName = folder_.filePath(QStringLiteral("print.BRP"));
    window->Printer()->SavePageFile(fileName);
    WhenShown<QFileDialog>(window, [fileName](QFileDialog* dialog) {
        dialog->selectFile(fileName);
        static_cast<QDialog*>(dialog)->accept();
    });
    window->Command(QStringLiteral("LoadReport"))->trigger();
    window->Command(QStringLiteral("Print"))->trigger();
    print::SetPdfViewer({});
    EXPECT_EQ(reportPrints, 1);
    EXPECT_EQ(pdfs.size(), 2);
}

TEST_F(StandardPreviewTest, PrinterSetUpTakesTheDialogsChoicesUnlessCancelled) {
    TBRStandardPreview* window = OpenPrepared();
    TBRPrinter* printer = window->Printer();
    printer->FirstPage = 2;
    printer->LastPage = 2;
    WhenShown<QDialog>(window, [](QDialog* dialog) { dialog->reject(); });
    window->Command(QStringLiteral("PrintSetup"))->trigger();
    EXPECT_EQ(report_.Tag, 1);
    EXPECT_EQ(printer->FirstPage, 2);
    EXPECT_EQ(printer->LastPage, 2);

    WhenShown<QDialog>(window, [](QDialog* dialog) { dialog->accept(); });
    window->Command(QStringLiteral("PrintSetup"))->trigger();
    // All pages chosen: no range.
    EXPECT_EQ(report_.Tag, 0);
    EXPECT_EQ(printer->FirstPage, 0);
    EXPECT_EQ(printer->LastPage, 0);
}

TEST_F(StandardPreviewTest, AModalPreviewReturnsOnceClosed) {
    report_.PreparePages();
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto* window = qobject_cast<TBRStandardPreview*>(QApplication::activeModalWidget()))
            window->ExitClick();
    });
    closer.start(0);
    TBRStandardPreviewInterface().ShowModal(report_.ActivePrinter);
    QCoreApplication::processEvents();
    EXPECT_EQ(report_.ActivePrinter, nullptr);
}

TEST_F(StandardPreviewTest, ClosingTheWindowWhileTheRunGoesOnCancelsIt) {
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        TBRPrinter* printer = report_.ActivePrinter;
        if (printer && printer->StandardPreview() && printer->Status() == TBRPrinter::Busy)
            printer->StandardPreview()->close();
    });
    closer.start(0);
    report_.ShowPreviewAndWait();
    EXPECT_TRUE(report_.RunCancelled);
    EXPECT_EQ(report_.ActivePrinter, nullptr);
    EXPECT_FALSE(report_.Running);
}

} // namespace
} // namespace kx
